#pragma once

#include "journal/reading.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
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

// The line the program writes for a reading ("Morgens den 05.03.2017 Z=07:30
// s=140, d=90, p=70, Gewicht=70,5"); WrittenPieces reads it back.
QString writtenLine(Slot slot, const QDate &date, const QString &time, int systolic, int diastolic,
                    int pulse, const QString &weightText);

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

// The widest text of each display piece (the slot prefixes, then date, time,
// the three values and the weight), with every digit written as `digit`: the
// list sets its tab stops by them.
QList<QStringList> widestPieces(QChar digit);

// The pieces of a line cut before its markers, as the list shows them (and
// the month table reads them), as views into the line.
struct DisplayPieces
{
    QStringView slot;      // "Morgens den " ("den" and the character after it)
    QStringView date;      // "01.03.2017 "
    QStringView time;      // "Z=07:30 "
    QStringView systolic;  // "s=140, "
    QStringView diastolic; // "d=90, "
    QStringView pulse;     // "p=70, "
    QStringView weight;    // "Gewicht=70,5", empty when the line has none
};

// The values of s=, d= and p= as the month and day means take them; nullopt
// where the marker (or the comma that ends it) is missing.
using MeanTexts = std::array<std::optional<QString>, 3>;

// The day and values the daily means file a line under: the (up to) two
// characters before the first dot, as they stood ("05", " 5", "").
struct DayMeanTexts
{
    QString day;
    MeanTexts values;
};

// The three values the evaluation shows: the three characters after the
// marker without the first comma among them ("s=98, " gives "98"); empty
// where the marker is missing.
struct EvaluationTexts
{
    QString systolic;
    QString diastolic;
    QString pulse;

    // The value as a whole number; blanks after a one-digit value ("0 ")
    // count as nothing. Throws ConversionError for any other text.
    static qint64 wholeNumber(const QString &text);
};

// What one row of the month table takes from a line (read without its tabs):
// the piece texts after their "=", as they stood ("140, ", "07:30 ").
struct TablePieces
{
    QString source;           // the line without tabs; the views point into it
    std::optional<Slot> slot; // named in the slot piece; nullopt fills no cells
    int day = 0;              // 1..31 when the date starts "dd.", else 0
    QStringView dayText;      // the date's first two characters
    QStringView time;
    QStringView systolic;
    QStringView diastolic;
    QStringView pulse;
    QStringView weight; // empty where the line has none or "0"

    // The weight in kilograms; throws ConversionError when it is no number.
    long double weightNumber() const;
};

// The pieces of a line as the entry form takes them, each a text; a piece
// whose marker is missing stays nullopt and leaves its field as it is.
struct FormFields
{
    std::optional<Slot> slot;
    std::optional<QString> day;
    std::optional<QString> month;
    std::optional<QString> year;
    std::optional<QString> time;
    std::optional<QString> systolic;
    std::optional<QString> diastolic;
    std::optional<QString> pulse;
    std::optional<QString> weight;
};

// What a typed reading is read from: the prefix through " den " and the
// first word after it, then each value from its marker to the end that
// closes it ("Z=" a blank, "s=", "d=", "p=" a comma, "Gewicht=" a blank),
// without outer blanks; nullopt where the marker (or " den ") is missing.
struct ReadingTexts
{
    QString slotPrefix; // "Morgens den "
    QString date;       // "05.03.2017"
    std::optional<QString> time;
    std::optional<QString> systolic;
    std::optional<QString> diastolic;
    std::optional<QString> pulse;
    std::optional<QString> weight;
};

// The month (two characters after the first ".") and the year (four after
// the second) of a list line, as the add compares them with the form's;
// empty where the dot is missing.
struct ListDate
{
    QString month;
    QString year;
};
ListDate listDateOf(const QString &listLine);

// True when the line, read without its tabs, holds the slot prefix and the
// date "day.month.year" together.
bool namesSlotAndDate(const QString &listLine, const QString &slotPrefix, const QString &day,
                      const QString &month, const QString &year);

// One entry line, read once for every reader of a month: the statistics, the
// evaluation and the month table. A line in the form the program writes is
// read by its pieces; every other line gives each reader what its markers
// give, so a hand-edited file shows as it always did. A copy shares the line.
class Parsed
{
public:
    // An entry line in the file form or the display form (with tabs).
    explicit Parsed(const QString &line);
    // Never read by the pieces: what the markers alone give. The statistics
    // are held against it.
    static Parsed byMarkers(const QString &line);

    const QString &line() const { return m_line; }
    // The pieces of a line in the written form, else nullopt.
    const std::optional<WrittenPieces> &written() const { return m_written; }

    // The line as the list shows it, as toDisplayLine gives it.
    std::optional<QString> displayLine() const;

    // The values of the month means: read after the slot prefix and the
    // character after the date's first dot.
    MeanTexts monthMeanTexts() const;
    DayMeanTexts dayMeanTexts() const;
    // The weight text the month's weight list takes ("80,5", "0"), nullopt
    // where the line has no "Gewicht="; throws ConversionError when the day
    // before the date's dot is no number, which refuses the line.
    std::optional<QStringView> statisticsWeight() const;
    EvaluationTexts evaluationTexts() const;
    // Nullopt when a marker is missing: such a line fills no row.
    std::optional<TablePieces> tablePieces() const;
    // Nullopt without " den ".
    std::optional<ReadingTexts> readingTexts() const;
    // A list line taken apart from the left, as the edit command does: the
    // tabs count as blanks, the time runs up to " s=", the pulse without its
    // comma is the rest.
    FormFields editFields() const;
    // An entry line taken apart for the preset of the form: the time is the
    // five characters after "Z=", a pulse without its comma means no weight.
    FormFields presetFields() const;

private:
    Parsed() = default;

    QString m_line;
    std::optional<WrittenPieces> m_written;
};

} // namespace EntryLine
