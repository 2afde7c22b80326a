#pragma once

struct MonthCommands;

// "Erinnerungen …" and "Messwoche planen …" in the "Optionen" menu. The
// desktop's session bus is reached when one of them is chosen, not at the
// start of the diary.
void installReminderCommands(const MonthCommands &commands);
