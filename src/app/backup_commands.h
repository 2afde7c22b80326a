#pragma once

class TMainForm;
class UiSeam;

// The commands that keep the user's months safe: "Bearbeiten" → "Frühere
// Fassung wiederherstellen …", "Datei" → "Sicherungskopie erstellen …" and
// "Sicherungskopie einlesen …". They work through the window's public state
// and its load, so the window itself only installs them.
void installBackupCommands(TMainForm &form, UiSeam &seam);
