#pragma once

#include "journal/reading.h"
#include "stats/mean.h"

#include <QDate>
#include <QList>

#include <optional>

// Sums of a group of readings; the means are read from them at full precision.
struct ReadingMeans
{
    int count = 0;
    long double systolicSum = 0;
    long double diastolicSum = 0;
    long double pulseSum = 0;

    void add(const Reading &reading);
    long double systolic() const { return meanOrZero(systolicSum, count); }
    long double diastolic() const { return meanOrZero(diastolicSum, count); }
    long double pulse() const { return meanOrZero(pulseSum, count); }
};

// A lowest or highest value and the first date it was measured on.
struct DatedValue
{
    int value = 0;
    QDate date;
};

struct DayMean
{
    QDate date;
    ReadingMeans means;
};

// The mean weight of one month that has weights.
struct MonthWeight
{
    int month = 0;
    int year = 0;
    long double mean = 0;
};

// Everything a report says about the readings of a period, in one pass.
struct PeriodStats
{
    ReadingMeans all;
    ReadingMeans morning; // slot Morgens
    ReadingMeans evening; // slot Abends
    std::optional<DatedValue> lowestSystolic, highestSystolic;
    std::optional<DatedValue> lowestDiastolic, highestDiastolic;
    // Readings at or above the home threshold: systolic >= 135 or diastolic >= 85.
    int atOrAboveThreshold = 0;
    // The mean of all weights above 0, when there are any.
    std::optional<long double> weightMean;
    // Months with weights, in order; the change runs from the first to the last.
    QList<MonthWeight> monthWeights;
    QList<DayMean> days; // days with readings, in date order

    // Last month's weight mean minus the first's; nullopt with fewer than two
    // months that have weights.
    std::optional<long double> weightChange() const;
};

constexpr int kHomeSystolicThreshold = 135;
constexpr int kHomeDiastolicThreshold = 85;

// The readings may come in any order.
PeriodStats periodStats(QList<Reading> readings);
