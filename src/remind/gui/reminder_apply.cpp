#include "remind/gui/reminder_apply.h"

#include "remind/autostart_entry.h"
#include "remind/notifier.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

bool applyReminders(const ReminderContext &context, QWidget *parent,
                    const ReminderSettings &reminders)
{
    UiSeam &seam = context.seam;
    const bool anyOn = reminders.anyOn(seam.today());
    if (anyOn && !context.notifier.available()) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning, Notifier::missingServiceMessage());
        return false;
    }
    if (!reminders.write(context.settings)) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Die Erinnerungen konnten nicht gespeichert werden, weil "
                                        "die Einstellungsdatei fehlt. Bitte starten Sie das "
                                        "Programm neu."));
        return false;
    }
    if (!anyOn) {
        // The background process reads the settings file and ends itself.
        if (const QString problem = AutostartEntry::remove(context.autostartPath);
            !problem.isEmpty())
            seam.showMessage(parent, UiSeam::MessageKind::Warning, problem);
        return true;
    }
    if (const QString problem = AutostartEntry::write(context.autostartPath, context.programPath);
        !problem.isEmpty())
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         problem + QStringLiteral("\n\nDie Erinnerungen kommen, solange Sie "
                                                  "angemeldet bleiben, aber nicht nach der "
                                                  "nächsten Anmeldung."));
    if (!seam.startProgram(context.programPath, {QStringLiteral("--erinnerungen")}))
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Die Erinnerungen wurden gespeichert, aber der Dienst im "
                                        "Hintergrund konnte nicht gestartet werden. Er startet "
                                        "bei der nächsten Anmeldung."));
    return true;
}
