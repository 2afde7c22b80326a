#include "stats/period_stats.h"

#include <algorithm>

void ReadingMeans::add(const Reading &reading)
{
    ++count;
    systolicSum += reading.systolic;
    diastolicSum += reading.diastolic;
    pulseSum += reading.pulse;
}

std::optional<long double> PeriodStats::weightChange() const
{
    if (monthWeights.size() < 2)
        return std::nullopt;
    return monthWeights.constLast().mean - monthWeights.constFirst().mean;
}

namespace {

// Ties keep the earlier date: the readings arrive in date order.
void takeExtremes(std::optional<DatedValue> &lowest, std::optional<DatedValue> &highest, int value,
                  const QDate &date)
{
    if (!lowest || value < lowest->value)
        lowest = DatedValue{value, date};
    if (!highest || value > highest->value)
        highest = DatedValue{value, date};
}

void addWeight(PeriodStats &stats, QList<MeanSum> &perMonth, MeanSum &total, const Reading &reading)
{
    const std::optional<long double> weight = reading.weight();
    if (!weight)
        return;
    total.add(*weight);
    const int month = reading.date.month();
    const int year = reading.date.year();
    if (stats.monthWeights.isEmpty() || stats.monthWeights.constLast().month != month ||
        stats.monthWeights.constLast().year != year) {
        stats.monthWeights.append(MonthWeight{month, year, 0});
        perMonth.append(MeanSum{});
    }
    perMonth.last().add(*weight);
}

} // namespace

PeriodStats periodStats(QList<Reading> readings)
{
    std::stable_sort(readings.begin(), readings.end());
    PeriodStats stats;
    QList<MeanSum> monthWeightSums;
    MeanSum weightTotal;
    for (const Reading &reading : std::as_const(readings)) {
        stats.all.add(reading);
        if (reading.slot == Slot::Morning)
            stats.morning.add(reading);
        else if (reading.slot == Slot::Evening)
            stats.evening.add(reading);
        takeExtremes(stats.lowestSystolic, stats.highestSystolic, reading.systolic, reading.date);
        takeExtremes(stats.lowestDiastolic, stats.highestDiastolic, reading.diastolic,
                     reading.date);
        if (reading.systolic >= kHomeSystolicThreshold ||
            reading.diastolic >= kHomeDiastolicThreshold)
            ++stats.atOrAboveThreshold;
        if (stats.days.isEmpty() || stats.days.constLast().date != reading.date)
            stats.days.append(DayMean{reading.date, {}});
        stats.days.last().means.add(reading);
        addWeight(stats, monthWeightSums, weightTotal, reading);
    }
    for (qsizetype i = 0; i < monthWeightSums.size(); ++i)
        stats.monthWeights[i].mean = *monthWeightSums.at(i).mean();
    stats.weightMean = weightTotal.mean();
    return stats;
}
