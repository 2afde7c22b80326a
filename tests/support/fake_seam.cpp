#include "support/fake_seam.h"

#include <QDialog>

namespace {
QString kindName(UiSeam::MessageKind kind)
{
    switch (kind) {
    case UiSeam::MessageKind::Information:
        return QStringLiteral("information");
    case UiSeam::MessageKind::Warning:
        return QStringLiteral("warning");
    case UiSeam::MessageKind::Plain:
        return QStringLiteral("plain");
    case UiSeam::MessageKind::Question:
        return QStringLiteral("question");
    case UiSeam::MessageKind::Error:
        return QStringLiteral("error");
    }
    return {};
}
} // namespace

QStringList FakeSeam::texts(const QString &kind) const
{
    QStringList result;
    for (const Call &call : calls) {
        if (call.kind == kind)
            result.append(call.text);
    }
    return result;
}

QStringList FakeSeam::messages() const
{
    QStringList result;
    for (const Call &call : calls) {
        if (call.kind == QLatin1String("information") || call.kind == QLatin1String("warning") ||
            call.kind == QLatin1String("plain") || call.kind == QLatin1String("question") ||
            call.kind == QLatin1String("yesno-information") || call.kind == QLatin1String("error"))
            result.append(call.text);
    }
    return result;
}

void FakeSeam::showMessage(QWidget *parent, MessageKind kind, const QString &text)
{
    calls.append({kindName(kind), text});
    if (realMessageBoxes)
        DesktopSeam().showMessage(parent, kind, text);
}

bool FakeSeam::askYesNo(QWidget *parent, MessageKind kind, const QString &text)
{
    calls.append({kind == MessageKind::Question ? QStringLiteral("question")
                                                : QStringLiteral("yesno-") + kindName(kind),
                  text});
    if (realMessageBoxes)
        return DesktopSeam().askYesNo(parent, kind, text);
    return yesNoAnswers.isEmpty() ? true : yesNoAnswers.takeFirst();
}

QString FakeSeam::getOpenFileName(QWidget *, const QString &folder, const QString &filter)
{
    calls.append({QStringLiteral("open"), folder + QLatin1Char('|') + filter});
    return openFileAnswers.isEmpty() ? QString() : openFileAnswers.takeFirst();
}

QString FakeSeam::getSaveFileName(QWidget *, const QString &proposedPath, const QString &filter)
{
    calls.append({QStringLiteral("save"), proposedPath + QLatin1Char('|') + filter});
    return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
}

std::optional<QColor> FakeSeam::chooseColour(QWidget *, const QColor &initial)
{
    calls.append({QStringLiteral("colour"), initial.name()});
    colourChooserStarts.append(initial);
    return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.takeFirst();
}

bool FakeSeam::confirmPrint(QWidget *, QPrinter &printer)
{
    calls.append({QStringLiteral("print"), QString()});
    return printAnswer ? printAnswer(printer) : false;
}

int FakeSeam::execDialog(QDialog &dialog)
{
    calls.append({QStringLiteral("dialog"), dialog.objectName()});
    return dialogHandler ? dialogHandler(dialog) : int(QDialog::Rejected);
}

bool FakeSeam::openDocument(const QString &path)
{
    calls.append({QStringLiteral("document"), path});
    return launchSucceeds;
}

bool FakeSeam::startProgram(const QString &program, const QStringList &arguments)
{
    calls.append(
        {QStringLiteral("program"), program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))});
    return launchSucceeds;
}

QDate FakeSeam::today()
{
    return fixedToday;
}

QTime FakeSeam::timeOfDay()
{
    return fixedTime;
}

void FakeSeam::endProgramNow()
{
    ++endProgramCount;
    calls.append({QStringLiteral("end"), QString()});
}
