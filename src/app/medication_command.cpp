#include "app/medication_command.h"

#include "app/Medikamente.h"
#include "app/command_guard.h"
#include "app/month_commands.h"
#include "storage/open_month.h"
#include "ui/seam.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace {

void showMedications(const MonthCommands &c, TMedikamenteDlg &dialog)
{
    // The list is named after the user, as the month files are.
    if (c.month.userName().isEmpty()) {
        c.seam.showMessage(&c.window, UiSeam::MessageKind::Information,
                           QStringLiteral("Bitte geben Sie zuerst Ihren Namen ein."));
        return;
    }
    dialog.prepare(c.month.galleryFolder(), c.month.userName());
    c.seam.execDialog(dialog);
}

} // namespace

void installMedicationCommand(const MonthCommands &commands)
{
    QMainWindow &form = commands.window;
    auto *dialog = new TMedikamenteDlg(commands.seam, commands.versionKeeping, &form);
    auto *action = new QAction(QStringLiteral("Medikamente …"), &form);
    action->setObjectName(QStringLiteral("Medikamente1"));
    form.findChild<QMenu *>(QStringLiteral("Bearbeiten1"))->addAction(action);
    QObject::connect(action, &QAction::triggered, &form, [commands, dialog] {
        runGuarded(commands.seam, &commands.window,
                   [&commands, dialog] { showMedications(commands, *dialog); });
    });
}
