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
    return QStringLiteral("      %1").arg(row, 2, 10, QLatin1Char('0'));
}

} // namespace MonthTable

namespace {

using namespace MonthTable;

const QString TwoBlanks = QStringLiteral("  ");
const QString FourBlanks = QStringLiteral("    ");

struct LineParts
{
    QString slot;
    QString date;
    QString time;
    QString systolic;
    QString diastolic;
    QString pulse;
    QString weight;
};

// Cuts the text before the marker off the rest; the rest keeps the marker.
bool cutBefore(QString &rest, const QString &marker, QString &part)
{
    const qsizetype at = rest.indexOf(marker);
    if (at < 0)
        return false;
    part = rest.left(at);
    rest = withoutLeadingBlanks(rest.mid(at));
    return true;
}

// A line lacking one of the markers fills nothing, so that no piece of
// another line can show up in its place.
std::optional<LineParts> splitByMarkers(const QString &line)
{
    LineParts parts;
    const qsizetype den = line.indexOf(QLatin1String("den"));
    if (den < 0)
        return std::nullopt;
    parts.slot = line.left(den + 4);
    QString rest = withoutLeadingBlanks(line.mid(den + 4));
    if (!cutBefore(rest, QStringLiteral("Z="), parts.date) ||
        !cutBefore(rest, QStringLiteral("s="), parts.time) ||
        !cutBefore(rest, QStringLiteral("d="), parts.systolic) ||
        !cutBefore(rest, QStringLiteral("p="), parts.diastolic))
        return std::nullopt;
    const qsizetype weight = rest.indexOf(QLatin1String("Gewicht="));
    if (weight >= 0) {
        parts.pulse = rest.left(weight);
        parts.weight = withoutOuterBlanks(rest.mid(weight));
    } else {
        parts.pulse = withoutOuterBlanks(rest);
    }
    return parts;
}

QString afterFirstEquals(const QString &part)
{
    return part.mid(part.indexOf(QLatin1Char('=')) + 1);
}

QString withoutFirstComma(QString part)
{
    const qsizetype comma = part.indexOf(QLatin1Char(','));
    if (comma >= 0)
        part.remove(comma, 1);
    return part;
}

int firstSlotColumn(const QString &slotPart)
{
    if (slotPart.contains(QLatin1String("Morgens")))
        return 1;
    if (slotPart.contains(QLatin1String("Messung2")))
        return 6;
    if (slotPart.contains(QLatin1String("Messung3")))
        return 11;
    if (slotPart.contains(QLatin1String("Abend")))
        return 16;
    return -1;
}

// The row whose day label starts the date ("05." for row 5), or 0.
int rowOfDate(const QString &date)
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

const std::array<QString, RowCount> &dayLabels()
{
    static const std::array<QString, RowCount> labels = [] {
        std::array<QString, RowCount> result;
        for (int row = 1; row < RowCount; ++row)
            result[row] = dayLabel(row);
        return result;
    }();
    return labels;
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
        setCell(0, row, dayLabels()[row]);

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

    for (const QString &displayLine : displayLines) {
        const std::optional<LineParts> found =
            splitByMarkers(QString(displayLine).remove(QLatin1Char('\t')));
        if (!found)
            continue;
        const LineParts &parts = *found;
        const QString time = afterFirstEquals(parts.time);
        const QString systolic = withoutFirstComma(afterFirstEquals(parts.systolic));
        const QString diastolic = withoutFirstComma(afterFirstEquals(parts.diastolic));
        const QString pulse = withoutFirstComma(afterFirstEquals(parts.pulse));
        QString weight = afterFirstEquals(parts.weight);
        if (weight == QLatin1String("0"))
            weight.clear();
        const QString day = parts.date.left(2);

        if (!currentDay.isEmpty() && currentDay != day) {
            writeWeightCell();
            weightSum = 0;
            weightCount = 0;
        }

        if (const int row = rowOfDate(parts.date); row > 0) {
            const int first = firstSlotColumn(parts.slot);
            if (first > 0) {
                setCell(first, row, FourBlanks + time);
                setCell(first + 1, row, FourBlanks + systolic);
                setCell(first + 2, row, FourBlanks + diastolic);
                setCell(first + 3, row, FourBlanks + pulse);
            }
            if (!weight.isEmpty()) {
                weightSum += GermanNumbers::toFloat(weight);
                weightCount += 1;
            }
        }
        currentDay = day;
    }
    if (!currentDay.isEmpty())
        writeWeightCell();
}
