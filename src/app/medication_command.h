#pragma once

struct MonthCommands;

// The command "Medikamente …" in the "Bearbeiten" menu: the open user's
// medication list, kept in "<gallery><user>_Medikamente.txt".
void installMedicationCommand(const MonthCommands &commands);
