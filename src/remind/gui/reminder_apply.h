#pragma once

#include "remind/reminder_settings.h"

#include <QString>

class Notifier;
class QWidget;
class SettingsStore;
class UiSeam;

// What the two dialogs work with: the messages and launches, the settings
// file, the desktop's notification service, and where the autostart entry
// and the program lie.
struct ReminderContext
{
    UiSeam &seam;
    const SettingsStore &settings;
    Notifier &notifier;
    QString autostartPath; // $XDG_CONFIG_HOME/autostart/vantoria-erinnerungen.desktop
    QString programPath;   // started with "--erinnerungen"
};

// Stores the reminders, writes or removes the autostart entry and starts the
// background process (which ends by itself once nothing is on). While
// something is on and no notification service answers, it says so and
// changes nothing: false. Every failure is said to the user.
bool applyReminders(const ReminderContext &context, QWidget *parent,
                    const ReminderSettings &reminders);
