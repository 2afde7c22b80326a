#include "ui/seam.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QUrl>

#include <cstdlib>

namespace {

QString titleFor(UiSeam::MessageKind kind)
{
    switch (kind) {
    case UiSeam::MessageKind::Information:
        return QStringLiteral("Information");
    case UiSeam::MessageKind::Warning:
        return QStringLiteral("Warnung");
    case UiSeam::MessageKind::Question:
        return QStringLiteral("Bestätigen");
    case UiSeam::MessageKind::Error:
        return QStringLiteral("Fehler");
    case UiSeam::MessageKind::Plain:
        break;
    }
    return QStringLiteral("Vantoria");
}

QMessageBox::Icon iconFor(UiSeam::MessageKind kind)
{
    switch (kind) {
    case UiSeam::MessageKind::Information:
        return QMessageBox::Information;
    case UiSeam::MessageKind::Warning:
        return QMessageBox::Warning;
    case UiSeam::MessageKind::Question:
        return QMessageBox::Question;
    case UiSeam::MessageKind::Error:
        return QMessageBox::Critical;
    case UiSeam::MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void DesktopSeam::showMessage(QWidget *parent, MessageKind kind, const QString &text)
{
    QMessageBox box(iconFor(kind), titleFor(kind), text, QMessageBox::Ok, parent);
    box.exec();
}

bool DesktopSeam::askYesNo(QWidget *parent, MessageKind kind, const QString &text)
{
    QMessageBox box(iconFor(kind), titleFor(kind), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}

QString DesktopSeam::getOpenFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString DesktopSeam::getSaveFileName(QWidget *parent, const QString &proposedPath,
                                     const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), proposedPath, filter);
}

std::optional<QColor> DesktopSeam::chooseColour(QWidget *parent, const QColor &initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

bool DesktopSeam::confirmPrint(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int DesktopSeam::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

bool DesktopSeam::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopSeam::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

QDate DesktopSeam::today()
{
    return QDate::currentDate();
}

QTime DesktopSeam::timeOfDay()
{
    const QTime now = QTime::currentTime();
    return QTime(now.hour(), now.minute());
}

void DesktopSeam::endProgramNow()
{
    std::_Exit(0);
}
