#include "table/month_table_grid.h"

#include "base/blanks.h"
#include "base/german_numbers.h"
#include "base/markers.h"

#include <optional>

namespace MonthTable {

bool isSpacerColumn(int column)
{
    return column == 5 || column == 10 || column == 15 || column == 20;
}

int designedColumnWidth(int column)
{
    return isSpacerColumn(column) ? SpacerWidth : ColumnWidth;
}

namespace {

// Each column's caption in the window and in a text copy, side by side.
struct Caption
{
    const char *display;
    const char *copy;
};

constexpr Caption kCaptions[ColumnCount] = {
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

std::array<QString, ColumnCount> captionRow(const char *Caption::*form)
{
    std::array<QString, ColumnCount> row;
    for (int column = 0; column < ColumnCount; ++column)
        row[column] = QLatin1String(kCaptions[column].*form);
    return row;
}

} // namespace

const std::array<QString, ColumnCount> &displayCaptions()
{
    static const std::array<QString, ColumnCount> captions = captionRow(&Caption::display);
    return captions;
}

const std::array<QString, ColumnCount> &copyCaptions()
{
    static const std::array<QString, ColumnCount> captions = captionRow(&Caption::copy);
    return captions;
}

QString dayLabel(int row)
{
    // Made once: every build and every check of a grid asks for all 31.
    static const std::array<QString, RowCount> labels = [] {
        std::array<QString, RowCount> result;
        for (int day = 1; day < RowCount; ++day)
            result[day] = QStringLiteral("      %1").arg(day, 2, 10, QLatin1Char('0'));
        return result;
    }();
    if (row >= 1 && row < RowCount)
        return labels[row];
    return QStringLiteral("      %1").arg(row, 2, 10, QLatin1Char('0'));
}

} // namespace MonthTable

namespace {

using namespace MonthTable;

const QString TwoBlanks = QStringLiteral("  ");
constexpr QLatin1StringView FourBlanks("    ");

// Views into the line (or its copy without tabs): a line is cut without a
// string of its own per piece, as the grid of a whole month is built at once.
struct LineParts
{
    QStringView slot;
    QStringView date;
    QStringView time;
    QStringView systolic;
    QStringView diastolic;
    QStringView pulse;
    QStringView weight;
};

// Cuts the text before the marker off the rest; the rest keeps the marker.
bool cutBefore(QStringView &rest, QStringView marker, QStringView &part)
{
    const qsizetype at = indexOfMarker(rest, marker);
    if (at < 0)
        return false;
    part = rest.first(at);
    rest = withoutLeadingBlanks(rest.sliced(at));
    return true;
}

// A line lacking one of the markers fills nothing, so that no piece of
// another line can show up in its place.
std::optional<LineParts> splitByMarkers(QStringView line)
{
    LineParts parts;
    const qsizetype den = indexOfMarker(line, u"den");
    if (den < 0)
        return std::nullopt;
    parts.slot = line.left(den + 4);
    QStringView rest = withoutLeadingBlanks(line.mid(den + 4));
    if (!cutBefore(rest, QStringView(u"Z="), parts.date) ||
        !cutBefore(rest, QStringView(u"s="), parts.time) ||
        !cutBefore(rest, QStringView(u"d="), parts.systolic) ||
        !cutBefore(rest, QStringView(u"p="), parts.diastolic))
        return std::nullopt;
    const qsizetype weight = indexOfMarker(rest, u"Gewicht=");
    if (weight >= 0) {
        parts.pulse = rest.first(weight);
        parts.weight = withoutOuterBlanks(rest.sliced(weight));
    } else {
        parts.pulse = withoutOuterBlanks(rest);
    }
    return parts;
}

QStringView afterFirstEquals(QStringView part)
{
    return part.sliced(part.indexOf(u'=') + 1);
}

// Four blanks, then the value; with `dropComma`, without its first comma.
QString valueCell(QStringView value, bool dropComma)
{
    const qsizetype comma = dropComma ? value.indexOf(u',') : -1;
    QString cell;
    cell.reserve(FourBlanks.size() + value.size());
    cell += FourBlanks;
    if (comma < 0) {
        cell += value;
    } else {
        cell += value.first(comma);
        cell += value.sliced(comma + 1);
    }
    return cell;
}

int firstSlotColumn(QStringView slotPart)
{
    if (indexOfMarker(slotPart, u"Morgens") >= 0)
        return 1;
    if (indexOfMarker(slotPart, u"Messung2") >= 0)
        return 6;
    if (indexOfMarker(slotPart, u"Messung3") >= 0)
        return 11;
    if (indexOfMarker(slotPart, u"Abend") >= 0)
        return 16;
    return -1;
}

// The row whose day label starts the date ("05." for row 5), or 0.
int rowOfDate(QStringView date)
{
    if (date.size() < 3 || date.at(2) != QLatin1Char('.'))
        return 0;
    const char16_t tens = date.at(0).unicode();
    const char16_t ones = date.at(1).unicode();
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9')
        return 0;
    const int row = (tens - u'0') * 10 + (ones - u'0');
    return row < RowCount ? row : 0;
}

// The slot's four cells in the row (a slot the line does not name fills none).
void fillSlotCells(MonthTableGrid &grid, int row, const LineParts &parts)
{
    const int first = firstSlotColumn(parts.slot);
    if (first < 0)
        return;
    grid.setCell(first, row, valueCell(afterFirstEquals(parts.time), false));
    grid.setCell(first + 1, row, valueCell(afterFirstEquals(parts.systolic), true));
    grid.setCell(first + 2, row, valueCell(afterFirstEquals(parts.diastolic), true));
    grid.setCell(first + 3, row, valueCell(afterFirstEquals(parts.pulse), true));
}

// A weight as the program writes it is read without the general reader, to
// the same value; any other text goes to that reader (and may throw).
long double weightValue(QStringView weight)
{
    const std::optional<long double> plain = GermanNumbers::plainDecimal(weight);
    return plain ? *plain : GermanNumbers::toFloat(weight.toString());
}

QString weightCellText(long double sum, int count)
{
    if (count == 0)
        return FourBlanks + QLatin1Char('0');
    if (count == 1)
        return FourBlanks + GermanNumbers::formatGeneral(sum);
    return QStringLiteral("  * ") + GermanNumbers::formatTwoDigits1(sum / count);
}

} // namespace

MonthTableGrid::MonthTableGrid()
{
    m_cells.fill(TwoBlanks);
}

void MonthTableGrid::setHeaderRow(const std::array<QString, ColumnCount> &captions)
{
    for (int column = 0; column < ColumnCount; ++column)
        setCell(column, 0, captions[column]);
}

void MonthTableGrid::build(const QStringList &displayLines)
{
    m_cells.fill(TwoBlanks);
    setHeaderRow(displayCaptions());
    for (int row = 1; row < RowCount; ++row)
        setCell(0, row, dayLabel(row));

    QString currentDay;
    long double weightSum = 0;
    int weightCount = 0;

    // A day outside 01..31 (or "00") has no row; its weight must not land
    // in the caption row or outside the table.
    const auto writeWeightCell = [&] {
        const qint64 row = GermanNumbers::toInt(currentDay);
        if (row >= 1 && row < RowCount)
            setCell(WeightColumn, int(row), weightCellText(weightSum, weightCount));
    };

    QString withoutTabs;
    for (const QString &displayLine : displayLines) {
        // Only a line with tabs needs a copy without them.
        QStringView line(displayLine);
        if (line.contains(u'\t')) {
            withoutTabs = displayLine;
            withoutTabs.remove(u'\t');
            line = withoutTabs;
        }
        const std::optional<LineParts> found = splitByMarkers(line);
        if (!found)
            continue;
        const LineParts &parts = *found;
        QStringView weight = afterFirstEquals(parts.weight);
        if (weight == u"0")
            weight = QStringView();
        const QStringView day = parts.date.left(2);

        if (!currentDay.isEmpty() && currentDay != day) {
            writeWeightCell();
            weightSum = 0;
            weightCount = 0;
        }

        if (const int row = rowOfDate(parts.date); row > 0) {
            fillSlotCells(*this, row, parts);
            if (!weight.isEmpty()) {
                weightSum += weightValue(weight);
                weightCount += 1;
            }
        }
        if (currentDay != day)
            currentDay = day.toString();
    }
    if (!currentDay.isEmpty())
        writeWeightCell();
}
