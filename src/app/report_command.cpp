#include "app/report_command.h"

#include "app/command_guard.h"
#include "app/form_start.h"
#include "app/month_commands.h"
#include "remind/reminder_settings.h"
#include "report/gui/Arztbericht.h"
#include "report/gui/write_report.h"
#include "report/report_folder.h"
#include "storage/open_month.h"
#include "storage/settings_store.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace {

void makeReport(const MonthCommands &c, TArztberichtDlg &dialog)
{
    QMainWindow &form = c.window;
    UiSeam &seam = c.seam;
    if (c.month.userName().isEmpty()) {
        seam.showMessage(&form, UiSeam::MessageKind::Information,
                         QStringLiteral("Bitte geben Sie zuerst Ihren Namen ein."));
        return;
    }
    // Before the period is chosen, so that the user does not choose it in vain.
    if (const QString problem = makeReportFolder(c.places.reportFolder); !problem.isEmpty()) {
        seam.showMessage(&form, UiSeam::MessageKind::Warning, problem);
        return;
    }
    // Before the first reading of a new month no month file is open; the
    // entry form then starts in today's month, and so does the report.
    QDate openMonth(c.month.year().toInt(), c.month.month().toInt(), 1);
    if (!openMonth.isValid())
        openMonth = seam.today();
    dialog.prepare(c.month.userName(), openMonth);
    if (seam.execDialog(dialog) != QDialog::Accepted || !dialog.period().isValid())
        return;
    const ReportOutcome outcome = writeDoctorsReport(
        {c.month.galleryFolder(), c.places.reportFolder, c.month.userName(), dialog.period(),
         seam.today(), ReminderText::decodeWeek(c.settings.read(SettingKey::PlannedWeek))});
    if (!outcome.error.isEmpty()) {
        seam.showMessage(&form, UiSeam::MessageKind::Warning, outcome.error);
    } else if (!seam.openDocument(outcome.path)) {
        seam.showMessage(&form, UiSeam::MessageKind::Warning,
                         QStringLiteral("Der Bericht wurde gespeichert, konnte aber nicht "
                                        "geöffnet werden, weil kein Programm zum Anzeigen von "
                                        "PDF-Dateien gestartet werden konnte. Er liegt "
                                        "hier:\r\n") +
                             outcome.path);
    }
}

} // namespace

void installDoctorsReport(const MonthCommands &commands)
{
    QMainWindow &form = commands.window;
    auto *dialog = new TArztberichtDlg(&form);
    auto *action = new QAction(QStringLiteral("Arztbericht erstellen …"), &form);
    action->setObjectName(QStringLiteral("Arztbericht1"));
    auto *menu = form.findChild<QMenu *>(QStringLiteral("Datei1"));
    // Above the last separator, so that "beenden" stays at the end.
    menu->insertAction(form.findChild<QAction *>(QStringLiteral("N2")), action);
    QObject::connect(action, &QAction::triggered, &form, [commands, dialog] {
        runGuarded(commands.seam, &commands.window,
                   [&commands, dialog] { makeReport(commands, *dialog); });
    });
}
