// The window and the files under it: a month changed on disk by another
// program while it is open, the status line, and the conflict copies that
// sync tools leave beside the user's months.
#include "app/main_window.h"

#include "app/conflict_command.h"
#include "base/german_quotes.h"
#include "ui_main_window.h"

#include <QFileInfo>

void TMainForm::showStatus(const QString &text)
{
    QLabel *line = ui->StatusLabel;
    // In the free corner between the entry form and the weight, wherever
    // the layout of the screen put the two.
    const int top = ui->UpDownSchalterGroup->y() + 8;
    line->setGeometry(ui->GewichtGroup->x(), top, ui->GewichtGroup->width(),
                      qMax(0, ui->GewichtGroup->y() - 6 - top));
    line->setText(text);
    line->setVisible(!text.isEmpty());
}

void TMainForm::tellConflictCopies()
{
    if (m_conflictsTold)
        return;
    const QString notice = conflictCopiesNotice(m_month);
    if (notice.isEmpty())
        return;
    m_conflictsTold = true;
    showStatus(notice);
}

void TMainForm::reloadKeepingForm()
{
    m_reloadPending = false;
    // The load sets the form from the month's last entry; what the user
    // typed goes back into it afterwards.
    const EntryForm::Typed typed = m_entryForm.typed();
    MachEs(m_month.path());
    m_entryForm.restore(typed);
    updateEntryButtons();
}

void TMainForm::monthChangedOnDisk(const QString &path)
{
    const QString name = germanQuoted(QFileInfo(path).fileName());
    const bool remarkPending = m_remark->modified();
    if (!remarkPending && !m_editPending) {
        reloadKeepingForm();
        showStatus(
            QStringLiteral("%1 wurde außerhalb des Programms geändert und neu geladen.").arg(name));
        // A sync tool that kept another version of the month put it beside.
        tellConflictCopies();
        return;
    }
    // The user's work stays as it is; nothing of it is written or lost.
    m_reloadPending = true;
    showStatus(QStringLiteral("%1 wurde außerhalb des Programms geändert. Ihre Eingabe bleibt "
                              "erhalten.")
                   .arg(name));
    QString text = QStringLiteral("Die Datei %1 wurde gerade außerhalb des Programms geändert, "
                                  "etwa über einen gemeinsamen Ordner von einem anderen "
                                  "Computer.")
                       .arg(name);
    if (m_editPending)
        text += QStringLiteral("\n\nDie Messung, die Sie gerade bearbeiten, bleibt im Formular. "
                               "Wenn Sie sie aufnehmen, wird der Monat zuerst neu geladen, "
                               "damit keine Messung der geänderten Datei verloren geht.");
    if (remarkPending)
        text += QStringLiteral("\n\nIhre noch nicht gespeicherte Bemerkung bleibt erhalten. "
                               "Wenn Sie sie speichern, wird eine Bemerkung, die die Datei "
                               "jetzt enthält, als frühere Fassung aufbewahrt.");
    showMessage(UiSeam::MessageKind::Information, text);
    tellConflictCopies();
}
