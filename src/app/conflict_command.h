#pragma once

#include <QString>

struct MonthCommands;
class OpenMonth;

// "Datei" → "Konflikte zusammenführen …": the conflict copies a sync tool
// left beside the user's month files and remarks, one preview each. A
// month's copy gives the gallery the readings only it holds; a remark's
// copy gives the text the user chooses. The copy is then kept in the
// versions folder, never deleted.
void installConflictMerge(const MonthCommands &commands);

// What the window's status line says of the user's conflict copies: how
// many there are and where to merge them, or an empty text when there are
// none.
QString conflictCopiesNotice(const OpenMonth &month);
