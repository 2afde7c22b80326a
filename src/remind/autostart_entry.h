#pragma once

#include <QString>

// The desktop entry that starts the reminders at login:
// $XDG_CONFIG_HOME/autostart/vantoria-erinnerungen.desktop.
namespace AutostartEntry {

QString defaultPath();

// The entry's text for the program at `programPath`.
QString text(const QString &programPath);

// Writes (safely replacing) or removes the entry; an empty text on success,
// else why not, in German.
QString write(const QString &entryPath, const QString &programPath);
QString remove(const QString &entryPath);

} // namespace AutostartEntry
