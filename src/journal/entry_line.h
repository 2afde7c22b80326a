#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// One reading as one line of text:
//   Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5
// Readers find the pieces by their markers, never by column.
namespace EntryLine {

struct Fields
{
    QString slotPrefix; // "Morgens den "
    QString day;        // "05"
    QString month;      // "03"
    QString year;       // "2017"
    QString time;       // "07:30"
    QString systolic;
    QString diastolic;
    QString pulse;
    QString weight; // "0" when no weight was entered
};

// slotPrefix + " " + day.month.year + " Z=" ... ", Gewicht=" + weight.
// (The prefix ends in a blank, so a fresh line has two blanks after "den".)
QString build(const Fields &fields);

// Lines whose first character is "M" or "A" are entry lines.
bool isEntryLine(const QString &line);

// The seven pieces joined by tabs, or nullopt when the line gives no display
// line (no "den", or one of the markers "Z=", "s=", "d=", "p=" missing).
std::optional<QString> toDisplayLine(const QString &line);

// Removing every tab gives the entry line back (one blank after "den").
QString fromDisplayLine(const QString &displayLine);

// The month and year an entry line names after "den " ("03", "2017"), as
// texts; nullopt when the date lacks its dots.
struct MonthOfLine
{
    QString month;
    QString year;
};
std::optional<MonthOfLine> monthOf(const QString &line);

// The date pieces of a display line's date column, as the entry form takes
// them: the day before the first dot, then month and year (each without
// blanks); a piece the date lacks stays nullopt.
struct DateFields
{
    std::optional<QString> day;
    std::optional<QString> month;
    std::optional<QString> year;
};
DateFields dateFieldsOf(const QString &displayLine);

// The two characters before the first "." and the slot letter.
QString sortKey(const QString &line);

// Orders lines by SortKey + line, without regard to case; lines that compare
// equal collapse into one. Lines with a one-digit day are never damaged.
QStringList sortLines(const QStringList &lines);

} // namespace EntryLine
