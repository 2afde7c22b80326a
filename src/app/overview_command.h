#pragma once

struct MonthCommands;

// The command "Jahresübersicht im Browser …" (Ctrl+J) in the "Tabelle"
// menu: asks for the months, builds the overview page of the open user and
// opens it in the chosen browser, as the month pages open.
void installYearOverview(const MonthCommands &commands);
