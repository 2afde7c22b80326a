#include "app/reminder_menu.h"

#include "app/command_guard.h"
#include "app/month_commands.h"
#include "remind/autostart_entry.h"
#include "remind/gui/Erinnerungen.h"
#include "remind/gui/Messwoche.h"
#include "remind/notifier.h"
#include "ui/seam.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>

#include <memory>

namespace {

// Made on first use and kept for the rest of the run.
struct ReminderDialogs
{
    std::unique_ptr<Notifier> notifier;
    TErinnerungenDlg *reminders = nullptr;
    TMesswocheDlg *week = nullptr;

    ReminderContext context(const MonthCommands &c)
    {
        if (!notifier)
            notifier = std::make_unique<Notifier>(QDBusConnection::sessionBus());
        return {c.seam, c.settings, *notifier, AutostartEntry::defaultPath(),
                QCoreApplication::applicationFilePath()};
    }
};

} // namespace

void installReminderCommands(const MonthCommands &commands)
{
    QMainWindow &form = commands.window;
    auto *menu = form.findChild<QMenu *>(QStringLiteral("Optionen1"));
    auto *separator = form.findChild<QAction *>(QStringLiteral("N3"));
    auto *reminders = new QAction(QStringLiteral("Erinnerungen …"), &form);
    reminders->setObjectName(QStringLiteral("Erinnerungen1"));
    auto *week = new QAction(QStringLiteral("Messwoche planen …"), &form);
    week->setObjectName(QStringLiteral("Messwocheplanen1"));
    // Below "Name ändern", above the removal of the settings.
    menu->insertAction(separator, reminders);
    menu->insertAction(separator, week);
    auto dialogs = std::make_shared<ReminderDialogs>();
    QObject::connect(reminders, &QAction::triggered, &form, [commands, dialogs] {
        runGuarded(commands.seam, &commands.window, [&commands, &dialogs] {
            if (!dialogs->reminders)
                dialogs->reminders =
                    new TErinnerungenDlg(dialogs->context(commands), &commands.window);
            dialogs->reminders->prepare();
            commands.seam.execDialog(*dialogs->reminders);
        });
    });
    QObject::connect(week, &QAction::triggered, &form, [commands, dialogs] {
        runGuarded(commands.seam, &commands.window, [&commands, &dialogs] {
            if (!dialogs->week)
                dialogs->week = new TMesswocheDlg(dialogs->context(commands), &commands.window);
            dialogs->week->prepare();
            commands.seam.execDialog(*dialogs->week);
        });
    });
}
