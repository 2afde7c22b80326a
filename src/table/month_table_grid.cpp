#include "table/month_table_grid.h"

#include "base/blanks.h"
#include "base/german_numbers.h"

#include <optional>

namespace MonthTable {

bool isSpacerColumn(int column)
{
    return column == 5 || column == 10 || column == 15 || column == 20;
}

int designedColumnWidth(int column)
{
    return isSpacerColumn(column) ? kSpacerWidth : kColumnWidth;
}

namespace {

// Each column's caption in the window and in a text copy, side by side.
struct Caption
{
    const char *display;
    const char *copy;
};

constexpr Caption kCaptions[kColumnCount] = {
    {"  DATUM", "  DATUM"},
    {"MORGENS", "MORGENS "},
    {"SYSTOLE", "SYST.  "},
    {"DIASTOLE", "DIAST."},
    {"   PULS", "   PULS  "},
    {" ", " "},
    {"  MESS.2", "  MESS.2  "},
    {"SYSTOLE", "SYST.   "},
    {"DIASTOLE", "DIAST.  "},
    {"   PULS", "   PULS"},
    {" ", " "},
    {"  MESS.3", "  MESS.3  "},
    {"SYSTOLE", "SYST.   "},
    {"DIASTOLE", "DIAST."},
    {"   PULS", "   PULS  "},
    {" ", " "},
    {" ABENDS", " ABENDS  "},
    {"SYSTOLE", "SYST.   "},
    {"DIASTOLE", "DIAST. "},
    {"   PULS", "   PULS"},
    {" ", " "},
    {" GEWICHT", " GEWICHT"},
};

std::array<QString, kColumnCount> captionRow(const char *Caption::*form)
{
    std::array<QString, kColumnCount> row;
    for (int column = 0; column < kColumnCount; ++column)
        row[column] = QLatin1String(kCaptions[column].*form);
    return row;
}

} // namespace

const std::array<QString, kColumnCount> &displayCaptions()
{
    static const std::array<QString, kColumnCount> captions = captionRow(&Caption::display);
    return captions;
}

const std::array<QString, kColumnCount> &copyCaptions()
{
    static const std::array<QString, kColumnCount> captions = captionRow(&Caption::copy);
    return captions;
}

QString dayLabel(int row)
{
    // Made once: every build and every check of a grid asks for all 31.
    static const std::array<QString, kRowCount> labels = [] {
        std::array<QString, kRowCount> result;
        for (int day = 1; day < kRowCount; ++day)
            result[day] = QStringLiteral("      %1").arg(day, 2, 10, QLatin1Char('0'));
        return result;
    }();
    if (row >= 1 && row < kRowCount)
        return labels[row];
    return QStringLiteral("      %1").arg(row, 2, 10, QLatin1Char('0'));
}

} // namespace MonthTable

namespace {

using namespace MonthTable;

const QString kTwoBlanks = QStringLiteral("  ");
constexpr QLatin1StringView kFourBlanks("    ");

// Four blanks, then the value; with `dropComma`, without its first comma.
QString valueCell(QStringView value, bool dropComma)
{
    const qsizetype comma = dropComma ? value.indexOf(u',') : -1;
    QString cell;
    cell.reserve(kFourBlanks.size() + value.size());
    cell += kFourBlanks;
    if (comma < 0) {
        cell += value;
    } else {
        cell += value.first(comma);
        cell += value.sliced(comma + 1);
    }
    return cell;
}

int firstSlotColumn(Slot slot)
{
    return 1 + 5 * static_cast<int>(slot);
}

// The slot's four cells in the row (a slot the line does not name fills none).
void fillSlotCells(MonthTableGrid &grid, int row, const EntryLine::TablePieces &pieces)
{
    if (!pieces.slot)
        return;
    const int first = firstSlotColumn(*pieces.slot);
    grid.setCell(first, row, valueCell(pieces.time, false));
    grid.setCell(first + 1, row, valueCell(pieces.systolic, true));
    grid.setCell(first + 2, row, valueCell(pieces.diastolic, true));
    grid.setCell(first + 3, row, valueCell(pieces.pulse, true));
}

QString weightCellText(long double sum, int count)
{
    if (count == 0)
        return kFourBlanks + QLatin1Char('0');
    if (count == 1)
        return kFourBlanks + GermanNumbers::formatGeneral(sum);
    return QStringLiteral("  * ") + GermanNumbers::formatTwoDigits1(sum / count);
}

} // namespace

MonthTableGrid::MonthTableGrid()
{
    m_cells.fill(kTwoBlanks);
}

void MonthTableGrid::setHeaderRow(const std::array<QString, kColumnCount> &captions)
{
    for (int column = 0; column < kColumnCount; ++column)
        setCell(column, 0, captions[column]);
}

// Fills the rows line by line; a day's weight cell is written once its run
// of lines ends.
class MonthTableGrid::Builder
{
public:
    explicit Builder(MonthTableGrid &grid)
        : m_grid(grid)
    {
        m_grid.m_cells.fill(kTwoBlanks);
        m_grid.setHeaderRow(displayCaptions());
        for (int row = 1; row < kRowCount; ++row)
            m_grid.setCell(0, row, dayLabel(row));
    }

    void add(const EntryLine::Parsed &line)
    {
        const std::optional<EntryLine::TablePieces> found = line.tablePieces();
        if (!found)
            return;
        const EntryLine::TablePieces &pieces = *found;
        if (!m_currentDay.isEmpty() && m_currentDay != pieces.dayText) {
            writeWeightCell();
            m_weightSum = 0;
            m_weightCount = 0;
        }
        if (pieces.day > 0) {
            fillSlotCells(m_grid, pieces.day, pieces);
            if (!pieces.weight.isEmpty()) {
                m_weightSum += pieces.weightNumber();
                m_weightCount += 1;
            }
        }
        if (m_currentDay != pieces.dayText)
            m_currentDay = pieces.dayText.toString();
    }

    void finish()
    {
        if (!m_currentDay.isEmpty())
            writeWeightCell();
    }

private:
    // A day outside 01..31 (or "00") has no row; its weight must not land
    // in the caption row or outside the table.
    void writeWeightCell()
    {
        const qint64 row = GermanNumbers::toInt(m_currentDay);
        if (row >= 1 && row < kRowCount)
            m_grid.setCell(kWeightColumn, int(row), weightCellText(m_weightSum, m_weightCount));
    }

    MonthTableGrid &m_grid;
    QString m_currentDay;
    long double m_weightSum = 0;
    int m_weightCount = 0;
};

void MonthTableGrid::build(const QStringList &displayLines)
{
    Builder builder(*this);
    // The table takes its pieces by the markers from either form, so the
    // written form is not looked for.
    for (const QString &line : displayLines)
        builder.add(EntryLine::Parsed::byMarkers(line));
    builder.finish();
}

void MonthTableGrid::buildFromParsed(const QList<EntryLine::Parsed> &lines)
{
    Builder builder(*this);
    for (const EntryLine::Parsed &line : lines)
        builder.add(line);
    builder.finish();
}
