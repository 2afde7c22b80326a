#pragma once

#include "journal/reading.h"
#include "stats/period_stats.h"

#include <QList>

#include <optional>

// One month of a period as it was found on disk.
struct PeriodMonth
{
    int month = 0; // 1..12
    int year = 0;
    enum class State { Missing, Unreadable, Read } state = State::Missing;
    QList<Reading> readings; // when Read
    // Entry lines of the file no reading could be read from; they count
    // nowhere and are named instead.
    qsizetype unreadLines = 0;
};

// The figures of one month of a period: the same statistics a period gets,
// over that month's readings alone.
struct MonthFigures
{
    int month = 0;
    int year = 0;
    PeriodMonth::State state = PeriodMonth::State::Missing;
    qsizetype unreadLines = 0;
    PeriodStats stats; // all, Morgens, Abends, extremes, threshold, weight

    bool hasReadings() const { return stats.all.count > 0; }
    // Percent of the readings at or above 135/85; 0 without readings.
    long double shareAtOrAboveThreshold() const;
};

// Per month of the period, in the given order.
QList<MonthFigures> monthFigures(const QList<PeriodMonth> &months);

// A mean as the month pages show and grade it: at two decimals (128.33);
// nullopt without readings.
std::optional<long double> shownMean(qint64 count, long double mean);

// The systolic mean of all readings of the first three months with
// readings against that of the last three, each rounded half up to whole
// mmHg. nullopt with fewer than six months with readings, so that the two
// never share a month.
struct SystolicTrend
{
    qint64 first = 0;
    qint64 last = 0;
    qint64 change() const { return last - first; }
};
inline constexpr qsizetype kTrendMonths = 3;
std::optional<SystolicTrend> systolicTrend(const QList<MonthFigures> &months);
