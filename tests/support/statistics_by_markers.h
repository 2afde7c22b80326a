#pragma once

#include "base/conversion_error.h"
#include "journal/entry_line.h"
#include "stats/day_means.h"
#include "stats/month_means.h"
#include "stats/weight_stats.h"

#include <QStringList>

#include <optional>

// A month's statistics found by the markers alone, line by line: what every
// line gives when none is read by its pieces. The reference the one-call
// statistics are held against.
struct StatisticsByMarkers
{
    MonthMeans monthMeans;
    DayMeans dayMeans;
    WeightStats weights;
    std::optional<QString> failure; // the message of the first value that did not convert

    explicit StatisticsByMarkers(const QStringList &lines)
    {
        try {
            for (const QString &line : lines) {
                if (!EntryLine::isEntryLine(line))
                    continue;
                monthMeans.collect(line);
                dayMeans.collect(line);
                weights.collect(line);
            }
            dayMeans.buildTable();
        } catch (const ConversionError &error) {
            failure = error.message();
        }
    }
};
