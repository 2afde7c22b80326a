#pragma once

struct MonthCommands;

// "Datei" → "Exportieren …" and "Importieren …": the readings of a period as
// CSV or FHIR, and readings from CSV files of measuring devices into the
// user's months. After an import that wrote the open month, the window shows
// it anew.
void installExchangeMenu(const MonthCommands &commands);
