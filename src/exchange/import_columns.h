#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Which column of an imported file holds which value, found from the header
// names that device apps and spreadsheets use, in German or English.
enum class ImportField { Date, Time, Systolic, Diastolic, Pulse, Weight, Slot };
constexpr std::size_t kImportFieldCount = 7;
constexpr std::array<ImportField, kImportFieldCount> kImportFields = {
    ImportField::Date,  ImportField::Time,   ImportField::Systolic, ImportField::Diastolic,
    ImportField::Pulse, ImportField::Weight, ImportField::Slot};

// The column index of each field, in the order of ImportField; -1 for none.
using ColumnMapping = std::array<int, kImportFieldCount>;

namespace ImportColumns {

// "Datum", "Uhrzeit", "Systolisch", "Diastolisch", "Puls", "Gewicht", "Messung"
QString fieldName(ImportField field);

// The field a header name stands for: "Sys", "Systolic (mmHg)",
// "Heart Rate", "Datum/Uhrzeit" …; nullopt for any other column.
std::optional<ImportField> recognise(const QString &headerName);

// Each field gets the first column whose name stands for it.
ColumnMapping guess(const QStringList &header);

// How many fields the header names stand for.
int recognisedCount(const QStringList &header);

inline int &column(ColumnMapping &mapping, ImportField field)
{
    return mapping[std::size_t(field)];
}
inline int column(const ColumnMapping &mapping, ImportField field)
{
    return mapping[std::size_t(field)];
}

} // namespace ImportColumns
