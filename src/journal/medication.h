#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One medication of the user's plan: taken from its first day through its
// last day, or on and on while it has none.
struct Medication
{
    QString name;     // "Ramipril"
    QString strength; // "5 mg"
    QString intake;   // "1-0-1" or free text
    QDate firstDay;
    std::optional<QDate> lastDay;
    QString note;

    // "Ramipril 5 mg"; the name alone without a strength.
    QString label() const;
    // Whether it is taken on one or more days from `first` through `last`.
    bool overlaps(const QDate &first, const QDate &last) const;

    // Why these values cannot make an entry, in German, or an empty text.
    QString problem() const;

    bool operator==(const Medication &other) const = default;
};

// The medication file: a first line that names the format and its version,
// a line that names the columns, then one entry a line with its fields
// between tabs: name, strength, intake, first day, last day (empty while it
// is taken), note, the days as "03.03.2026". A backslash, tab or line break
// inside a field is written "\\", "\t", "\n" ("\r" for a lone carriage
// return). A line that cannot be read is kept as it stands, in its place,
// and written back unchanged.
namespace MedicationFile {

inline const QString kFormatLine = QStringLiteral("Vantoria-Medikamentenplan 1");
inline const QString kColumnsLine =
    QStringLiteral("#Name\tStärke\tEinnahme\tErster Tag\tLetzter Tag\tNotiz");

// An entry of the file, or a line kept as it stands because it cannot be read.
struct Line
{
    std::optional<Medication> medication;
    QString text;       // the damaged line; empty for an entry
    int lineNumber = 0; // where it was read, 1-based; 0 for a new entry
    QString reason;     // why a damaged line cannot be read
};

struct Plan
{
    QList<Line> lines;

    QList<Medication> medications() const;
    // "Zeile 4: ungültiges Datum „31.02.2026“", one for each damaged line.
    QStringList damagedNotes() const;
};

// The entry's line, its fields escaped.
QString lineOf(const Medication &medication);
// The entry of a line; nullopt with the German reason in *reason.
std::optional<Medication> parseLine(const QString &line, QString *reason = nullptr);

// Whether the lines begin as a medication file does (the format line,
// any version of it).
bool isMedicationFile(const QStringList &lines);
// nullopt when the lines are no medication file: one the program does not
// write must never be replaced by it. Empty lines carry nothing and go.
std::optional<Plan> read(const QStringList &lines);
QStringList write(const Plan &plan);

} // namespace MedicationFile

// The changes the dialog makes to the plan. `index` counts the plan's lines;
// each returns the German reason of a refusal and leaves the plan as it was,
// or an empty text.
namespace MedicationEdit {

QString add(MedicationFile::Plan &plan, const Medication &medication);
QString change(MedicationFile::Plan &plan, qsizetype index, const Medication &medication);
// Sets the last day of an entry still taken.
QString end(MedicationFile::Plan &plan, qsizetype index, const QDate &lastDay);
QString remove(MedicationFile::Plan &plan, qsizetype index);
// A new dose from `day` on: the entry ends the day before, and a new one
// with the same name and note starts on `day` with the new strength and
// intake and the old entry's last day, if it had one.
QString changeDose(MedicationFile::Plan &plan, qsizetype index, const QString &strength,
                   const QString &intake, const QDate &day);

} // namespace MedicationEdit
