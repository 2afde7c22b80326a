#include "app/desktop_aids.h"

#include "app/SchnellEingabe.h"
#include "app/accessible_texts.h"
#include "app/command_guard.h"
#include "app/focus_ring.h"
#include "app/list_row_sentences.h"
#include "ui/seam.h"
#include "app/spin_edit.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

template <typename T> T *control(QWidget &form, const QString &name)
{
    T *found = form.findChild<T *>(name);
    if (!found)
        qFatal("the main window has no control %s", qPrintable(name));
    return found;
}

void applyAccessibleTexts(QWidget &form)
{
    for (const AccessibleText &text : mainFormAccessibleTexts()) {
        const QStringList path = QString::fromLatin1(text.objectName).split(QLatin1Char('/'));
        QWidget *widget = control<QWidget>(form, path.constFirst());
        if (path.size() > 1)
            widget = control<QWidget>(*widget, path.constLast());
        if (*text.name)
            widget->setAccessibleName(QString::fromUtf8(text.name));
        if (*text.description)
            widget->setAccessibleDescription(QString::fromUtf8(text.description));
    }
}

// The quick entry: the dialog shows the form's date, slot and time; an
// accepted line goes into the value fields, and the add button's own command
// runs with all its checks and messages.
void quickEntry(QWidget &form, UiSeam &seam, TSchnellEingabeDlg &dialog)
{
    const auto spin = [&form](int number) {
        return control<TSpinEdit>(form, QStringLiteral("SpinEdit%1").arg(number));
    };
    QCheckBox *weightSwitch = control<QCheckBox>(form, QStringLiteral("GewichtsEingabeCheckBox"));
    QLineEdit *weight = control<QLineEdit>(form, QStringLiteral("GewichtEdit"));
    dialog.prepare(
        {spin(1)->text() + QLatin1Char('.') + spin(2)->text() + QLatin1Char('.') + spin(3)->text(),
         control<QPushButton>(form, QStringLiteral("BitBtn3"))->text(),
         control<QLineEdit>(form, QStringLiteral("Edit1"))->text(), weightSwitch->isChecked(),
         weight->text()});
    if (seam.execDialog(dialog) != QDialog::Accepted || !dialog.reading())
        return;
    const QuickEntry::Reading &reading = *dialog.reading();
    spin(4)->setValue(reading.systolic);
    spin(5)->setValue(reading.diastolic);
    spin(6)->setValue(reading.pulse);
    if (reading.weight)
        weight->setText(*reading.weight);
    control<QPushButton>(form, QStringLiteral("BitBtn1"))->click();
}

} // namespace

void installDesktopAids(QMainWindow &form, UiSeam &seam)
{
    applyAccessibleTexts(form);
    new ListRowSentences(*control<QListWidget>(form, QStringLiteral("ListBox1")));
    new FocusRing(form);
    // The remark is typed into the memo; Tab must still lead out of it.
    control<QPlainTextEdit>(form, QStringLiteral("Memo2"))->setTabChangesFocus(true);

    auto *dialog = new TSchnellEingabeDlg(&form);
    new FocusRing(*dialog);
    auto *action = new QAction(QStringLiteral("Messung schnell eingeben …"), &form);
    action->setObjectName(QStringLiteral("SchnellEingabe1"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    action->setShortcutContext(Qt::WindowShortcut);
    control<QMenu>(form, QStringLiteral("Bearbeiten1"))->addAction(action);
    QObject::connect(action, &QAction::triggered, &form, [&form, &seam, dialog] {
        runGuarded(seam, &form, [&form, &seam, dialog] { quickEntry(form, seam, *dialog); });
    });
}
