#pragma once

#include "journal/entry_line.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The month as a table: row 0 holds the captions, rows 1 to 31 the days; per
// slot four columns (time, systolic, diastolic, pulse), narrow spacer columns
// between the slots and the day's weight in the last column.
namespace MonthTable {

constexpr int kColumnCount = 22;
constexpr int kRowCount = 32;
constexpr int kWeightColumn = 21;
constexpr int kColumnWidth = 60;
constexpr int kSpacerWidth = 15;
constexpr int kRowHeight = 24;

// Columns 5, 10, 15 and 20 separate the slots.
bool isSpacerColumn(int column);
int designedColumnWidth(int column);

// The captions the window shows, and those a text copy carries instead.
const std::array<QString, kColumnCount> &displayCaptions();
const std::array<QString, kColumnCount> &copyCaptions();

// "      01" .. "      31"
QString dayLabel(int row);

} // namespace MonthTable

class MonthTableGrid
{
public:
    MonthTableGrid();

    const QString &cell(int column, int row) const { return m_cells[index(column, row)]; }
    void setCell(int column, int row, const QString &text) { m_cells[index(column, row)] = text; }
    void setHeaderRow(const std::array<QString, MonthTable::kColumnCount> &captions);

    // Rebuilds every cell from the entry list (display lines or entry lines;
    // tabs are ignored). A weight or day that is not a number throws
    // ConversionError; the cells written before it stay, the rest of the
    // table is complete (captions, day labels, blanks).
    void build(const QStringList &displayLines);
    // The same from lines read already.
    void buildFromParsed(const QList<EntryLine::Parsed> &lines);

private:
    class Builder;
    static int index(int column, int row) { return row * MonthTable::kColumnCount + column; }

    std::array<QString, std::size_t(MonthTable::kColumnCount) * MonthTable::kRowCount> m_cells;
};
