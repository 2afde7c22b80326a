#pragma once

#include "exchange/csv_records.h"
#include "exchange/import_columns.h"
#include "exchange/import_values.h"
#include "journal/reading.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// Reads a CSV file of this program or of a measuring device's app into
// readings. Nothing here writes.
namespace CsvImport {

struct Table
{
    QString encoding;
    QChar separator;
    int headerLine = 0; // file line of the header, counted from 1
    QStringList header;
    QList<CsvRecords::Record> rows; // the records below the header
};

// The table, or the German reason why the file cannot be imported.
struct Opened
{
    std::optional<Table> table;
    QString problem;
};

// Refuses files larger than ImportText::kMaxFileBytes before reading them.
Opened readFile(const QString &path);
// `fileName` names the file in the messages.
Opened fromBytes(const QByteArray &bytes, const QString &fileName);

// The date texts of the rows in the mapped date column, without times.
QStringList dateTexts(const Table &table, const ColumnMapping &mapping);

// Why the mapping cannot give readings ("In der Datei fehlt eine Spalte
// für: Diastolisch."), or an empty text.
QString mappingProblem(const Table &table, const ColumnMapping &mapping);

struct Faulty
{
    int line = 0;
    QString reason;
    QDate date; // when the date could be read, so the line has its month
};

struct Readings
{
    QList<Reading> readings; // each with its slot and entry line
    QList<Faulty> faulty;    // in file order
};

// Each row as a reading. A row without a slot of its own (no "Messung"
// column, or a text that names no slot) gets the slot whose stored time
// (slotTimes, in slot order) is nearest to its time. Empty rows are skipped.
Readings readingsOf(const Table &table, const ColumnMapping &mapping,
                    ImportValues::DateForm dateForm, const std::array<QString, 4> &slotTimes);

} // namespace CsvImport
