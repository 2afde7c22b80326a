#include "charts/marker_filler.h"

#include "base/german_numbers.h"
#include "stats/mean.h"

#include <QStringList>

#include <array>
#include <cmath>

namespace {

// Longest names first, so "Dz17" is not read as "Dz1" and "Dz7__" not as "Dz7".
const QStringList &markerNames()
{
    static const QStringList names = [] {
        QStringList list{
            QStringLiteral("Dz1"),
            QStringLiteral("Dz2_1"),
            QStringLiteral("Dz2_2"),
            QStringLiteral("Dz2_3"),
            QStringLiteral("Dz3_1"),
            QStringLiteral("Dz3_2"),
            QStringLiteral("Dz3_3"),
            QStringLiteral("Dz_2_1"),
            QStringLiteral("Dz_2_2"),
            QStringLiteral("Dz_2_3"),
            QStringLiteral("Dz_3_1"),
            QStringLiteral("Dz_3_2"),
            QStringLiteral("Dz_3_3"),
            QStringLiteral("DzRest1"),
            QStringLiteral("DzRest2"),
            QStringLiteral("DzRest3"),
            QStringLiteral("DzErsteWoche"),
            QStringLiteral("DzZweiteWoche"),
            QStringLiteral("DzDritteWoche"),
            QStringLiteral("DzVierteWoche"),
            QStringLiteral("DzErste2Wochen"),
            QStringLiteral("DzZweiten2Wochen"),
            QStringLiteral("DzRestWochen"),
            QStringLiteral("Dz7"),
            QStringLiteral("Dz7_"),
            QStringLiteral("Dz7__"),
            QStringLiteral("Dz17"),
        };
        std::stable_sort(list.begin(), list.end(),
                         [](const QString &a, const QString &b) { return a.size() > b.size(); });
        return list;
    }();
    return names;
}

QString markerOf(const QString &line)
{
    for (const QString &name : markerNames()) {
        if (line.startsWith(name))
            return name;
    }
    return {};
}

// A daily mean as the script reads it: a checked number, never the table's text.
QString dayValue(const DayMeanTable &table, Quantity quantity, int day)
{
    return QString::number(checkedDayValue(table.text(quantity, day)));
}

QString dataArray(const DayMeanTable &table, Quantity quantity, int first, int last,
                  bool lastDataSet)
{
    QString text = QStringLiteral("data: [");
    for (int day = first; day <= last; ++day) {
        if (day > first)
            text += QLatin1Char(',');
        text += dayValue(table, quantity, day);
    }
    text += lastDataSet ? QStringLiteral("] , } ") : QStringLiteral("] , }, ");
    return text;
}

QString restArray(const DayMeanTable &table, Quantity quantity)
{
    return QStringLiteral("data: [") + dayValue(table, quantity, 29) + QLatin1Char(',') +
           dayValue(table, quantity, 30) + QLatin1Char(',') + dayValue(table, quantity, 31) +
           QStringLiteral(",0,0,0,0,0,0,0,0,0,0,0] , }, ");
}

QString withZeroGaps(QString array)
{
    array = replaceAll(array, QStringLiteral(",0,"), QStringLiteral(",NaN,"));
    array = replaceAll(array, QStringLiteral("[0,"), QStringLiteral("[NaN,"));
    array = replaceAll(array, QStringLiteral(",0]"), QStringLiteral(",NaN]"));
    return array;
}

QString dateLabel(int day, int month, int year)
{
    const bool fullYear = day == 1 || day == 15 || day == 29;
    return weekdayPrefix(day, month, year) +
           QStringLiteral("%1.%2.%3")
               .arg(day, 2, 10, QLatin1Char('0'))
               .arg(month, 2, 10, QLatin1Char('0'))
               .arg(fullYear ? year : year % 100, 2, 10, QLatin1Char('0'));
}

// "labels: ['a' ,'b' ,], " or, when the list ends with a blank, "... 'b' ], ".
QString labelList(const QStringList &entries, bool endWithBlank)
{
    QString text = QStringLiteral("labels: [");
    for (qsizetype i = 0; i < entries.size(); ++i) {
        text += QLatin1Char('\'') + entries.at(i);
        text += (endWithBlank && i == entries.size() - 1) ? QStringLiteral("' ")
                                                          : QStringLiteral("' ,");
    }
    return text + QStringLiteral("], ");
}

QString labels(const ChartInputs &inputs, int first, int last, bool endWithBlank)
{
    const int month = checkedMonth(inputs.openMonth);
    const int year = checkedYear(inputs.openYear);
    QStringList entries;
    for (int day = first; day <= last; ++day)
        entries.append(dateLabel(day, month, year));
    return labelList(entries, endWithBlank);
}

QString restLabels(const ChartInputs &inputs, ChartPage page)
{
    const int month = checkedMonth(inputs.openMonth);
    const int year = checkedYear(inputs.openYear);
    const int lastDay = daysInOpenMonth(inputs.openMonth, inputs.openYear);
    QStringList entries;
    for (int day = 29; day <= lastDay; ++day)
        entries.append(dateLabel(day, month, year));
    if (page == ChartPage::Bar) {
        while (entries.size() < 7)
            entries.append(QStringLiteral("-"));
    }
    return labelList(entries, false);
}

QString colourPart(qint32 colour, int borderWidthValue, bool systolic)
{
    const QString c = colourToHtml(colour);
    const QString borderWidth = QString::number(borderWidthValue);
    if (systolic) {
        return QStringLiteral("backgroundColor: '") + c + QStringLiteral("',borderColor: '") + c +
               QStringLiteral("' , borderWidth: ") + borderWidth +
               QStringLiteral(", fill: false, ");
    }
    return QStringLiteral("backgroundColor: '") + c + QStringLiteral("',borderColor: '") + c +
           QStringLiteral("' ,borderWidth: ") + borderWidth + QStringLiteral(",fill: false, ");
}

struct ArrayMarker
{
    const char *name;
    Quantity quantity;
    int barFirst, barLast, lineFirst, lineLast;
    bool lastDataSet;
};

constexpr std::array<ArrayMarker, 12> kArrayMarkers{{
    {"Dz2_1", Quantity::Systolic, 1, 7, 1, 14, false},
    {"Dz2_2", Quantity::Diastolic, 1, 7, 1, 14, false},
    {"Dz2_3", Quantity::Pulse, 1, 7, 1, 14, true},
    {"Dz3_1", Quantity::Systolic, 8, 14, 15, 28, false},
    {"Dz3_2", Quantity::Diastolic, 8, 14, 15, 28, false},
    {"Dz3_3", Quantity::Pulse, 8, 14, 15, 28, true},
    // The line page has no use for these; they keep their bar-page days.
    {"Dz_2_1", Quantity::Systolic, 15, 21, 15, 21, false},
    {"Dz_2_2", Quantity::Diastolic, 15, 21, 15, 21, false},
    {"Dz_2_3", Quantity::Pulse, 15, 21, 15, 21, true},
    {"Dz_3_1", Quantity::Systolic, 22, 28, 22, 28, false},
    {"Dz_3_2", Quantity::Diastolic, 22, 28, 22, 28, false},
    {"Dz_3_3", Quantity::Pulse, 22, 28, 22, 28, true},
}};

// The labels of a day chart: the days first..last, on either page.
struct LabelMarker
{
    const char *name;
    int first, last;
    bool endWithBlank;
};

constexpr std::array<LabelMarker, 6> kLabelMarkers{{
    {"DzErsteWoche", 1, 7, false},
    {"DzZweiteWoche", 8, 14, true},
    {"DzDritteWoche", 15, 21, false},
    {"DzVierteWoche", 22, 28, true},
    {"DzErste2Wochen", 1, 14, true},
    {"DzZweiten2Wochen", 15, 28, true},
}};

template <typename Entry, std::size_t Size>
const Entry *entryNamed(const std::array<Entry, Size> &entries, const QString &marker)
{
    for (const Entry &entry : entries) {
        if (marker == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

} // namespace

qint64 roundedMonthMean(const QString &meanText)
{
    return checkedMonthMean(meanText);
}

qint64 roundedMonthMean(const std::optional<long double> &shownMean)
{
    // Only a refusal needs the text: it names the mean as the month shows it.
    if (!shownMean)
        return checkedMonthMean(QString());
    const long double mean = *shownMean;
    if (!std::isfinite(mean) || mean < 0 || mean >= kMaxDayValue + 0.5L)
        return checkedMonthMean(twoDecimalText(mean));
    return qint64(roundToDigits(mean, 0));
}

QString monthlySummary(const ChartInputs &inputs, ChartPage page)
{
    const QString s = QString::number(roundedMonthMean(inputs.monthMeanSystolic));
    const QString d = QString::number(roundedMonthMean(inputs.monthMeanDiastolic));
    const QString p = QString::number(roundedMonthMean(inputs.monthMeanPulse));
    const std::optional<long double> weightMean = checkedWeight(inputs.monthWeightMean);
    const QString weight = weightMean
                               ? GermanNumbers::formatGrouped1(*weightMean) + QStringLiteral(" kg")
                               : QStringLiteral("Keine Angabe!");
    const QString means = QStringLiteral("Systole: ") + s + QStringLiteral(" mmHg - Diastole: ") +
                          d + QStringLiteral(" mmHg - Puls: ") + p;
    if (page == ChartPage::Bar) {
        // The quotes split the label into three lines in the chart.
        return QStringLiteral("Monatliche Mittelwerte: ',' ") + means +
               QStringLiteral(" (HF) ',' Gewicht: ") + weight;
    }
    return means + QStringLiteral(" (HF) - Gewicht: ") + weight;
}

bool dayGroupHasData(const QString &groupKey, const DayMeanTable &table)
{
    struct Group
    {
        const char *key;
        int first, last;
    };
    static constexpr Group groups[] = {
        {"Woche1", 1, 7},          {"Woche2", 8, 14},      {"Woche3", 15, 21},
        {"Woche4", 22, 28},        {"zweiWochen1", 1, 14}, {"zweiWochen2", 15, 28},
        {"RestdesMonats", 29, 31},
    };
    for (const Group &group : groups) {
        if (groupKey != QLatin1String(group.key))
            continue;
        for (int day = group.first; day <= group.last; ++day) {
            for (Quantity q : {Quantity::Systolic, Quantity::Diastolic, Quantity::Pulse}) {
                if (table.text(q, day) != QLatin1String("0"))
                    return true;
            }
        }
        return false;
    }
    return false;
}

QString fillMarkerLine(const QString &templateLine, const ChartInputs &inputs, ChartPage page)
{
    const QString marker = markerOf(templateLine);
    if (marker.isEmpty())
        return {};
    const DayMeanTable &table = inputs.dayMeans;

    if (marker == QLatin1String("Dz1")) {
        return QStringLiteral("<h0><b>Blutdruckmesswerte von ") + escapeHtmlText(inputs.userName) +
               QStringLiteral(" im ") + escapeHtmlText(inputs.monthName) + QLatin1Char(' ') +
               QString::number(checkedYear(inputs.openYear)) + QStringLiteral("</b></h0>");
    }
    if (const ArrayMarker *array = entryNamed(kArrayMarkers, marker)) {
        const bool bar = page == ChartPage::Bar;
        const QString text =
            dataArray(table, array->quantity, bar ? array->barFirst : array->lineFirst,
                      bar ? array->barLast : array->lineLast, array->lastDataSet);
        return inputs.zeroGap ? withZeroGaps(text) : text;
    }
    if (marker.startsWith(QLatin1String("DzRest")) && marker.size() == 7) {
        const Quantity q = marker.endsWith(QLatin1Char('1'))   ? Quantity::Systolic
                           : marker.endsWith(QLatin1Char('2')) ? Quantity::Diastolic
                                                               : Quantity::Pulse;
        const QString text = restArray(table, q);
        return inputs.zeroGap ? withZeroGaps(text) : text;
    }
    if (const LabelMarker *label = entryNamed(kLabelMarkers, marker))
        return labels(inputs, label->first, label->last, label->endWithBlank);
    if (marker == QLatin1String("DzRestWochen"))
        return restLabels(inputs, page);
    if (marker == QLatin1String("Dz7"))
        return colourPart(inputs.systolicColour, inputs.chartBorderWidth, true);
    if (marker == QLatin1String("Dz7_"))
        return colourPart(inputs.diastolicColour, inputs.chartBorderWidth, false);
    if (marker == QLatin1String("Dz7__"))
        return colourPart(inputs.pulseColour, inputs.chartBorderWidth, false);
    return monthlySummary(inputs, page); // "Dz17"
}
