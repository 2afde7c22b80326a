#pragma once

struct MonthCommands;

// The command "Arztbericht erstellen …" in the "Datei" menu: asks for the
// period, writes the open user's report into the folder
// "Blutdruck-Arztberichte" and opens it in the desktop's PDF viewer.
void installDoctorsReport(const MonthCommands &commands);
