#pragma once

#include "journal/reading.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The home-measurement week: seven days in a row with a "Morgens" and an
// "Abends" reading each. Day 1 is a day of getting used to measuring and does
// not count; the mean is taken over the morning and evening readings of days
// 2 to 7.
struct MeasuringWeek
{
    QDate firstDay; // day 1, which does not count
    QDate lastDay;  // day 7
    int count = 0;  // readings the mean is taken from: 12
    long double systolic = 0;
    long double diastolic = 0;
};

constexpr int kMeasuringWeekDays = 7;
constexpr int kMeasuringWeekReadings = 12;

// The latest complete week among the readings (in any order), or nullopt.
std::optional<MeasuringWeek> latestMeasuringWeek(const QList<Reading> &readings);

// The week that begins on `firstDay` when all its seven days hold a Morgens
// and an Abends reading, or nullopt.
std::optional<MeasuringWeek> measuringWeekFrom(const QList<Reading> &readings,
                                               const QDate &firstDay);

// "Messwoche 03.03.–09.03.2026: Mittelwert 138/86 mmHg aus 12 Messungen – über
// dem Grenzwert von 135/85 mmHg", or "Keine vollständige Messwoche im
// Zeitraum". The means are rounded half up to whole mmHg; the threshold is
// judged on these rounded values, so that the sentence agrees with the numbers
// it shows: above when either value is above, "erreicht" when none is above
// and one equals its limit, "unter" otherwise.
QString measuringWeekText(const std::optional<MeasuringWeek> &week);
