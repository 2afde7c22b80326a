#pragma once

struct MonthCommands;

// The commands that keep the user's months safe: "Bearbeiten" → "Frühere
// Fassung wiederherstellen …", "Datei" → "Sicherungskopie erstellen …" and
// "Sicherungskopie einlesen …". They work through the open month and the
// window's load, so the window itself only installs them.
void installBackupCommands(const MonthCommands &commands);
