#pragma once

#include "base/conversion_error.h"
#include "journal/entry_line.h"
#include "stats/day_means.h"
#include "stats/month_means.h"
#include "stats/weight_stats.h"

#include <QStringList>

#include <optional>

// All statistics a month shows: the month means and their label, the daily
// means, the weights. One object lives as long as the window, because the
// month means keep their texts from the last month that had values.
class MonthStatistics
{
public:
    // Collects the entry lines of a month file (other lines are passed over)
    // in their order, then builds the day table. A value that does not
    // convert stops the collecting at its line; the failure is kept and the
    // statistics show what came before it.
    void recollect(const QStringList &fileLines);
    // The same for the entry lines of a month file, already read (a load
    // that reads each line once for the list and the statistics).
    void recollect(const QList<EntryLine::Parsed> &entryLines);

    const MonthMeans &monthMeans() const { return m_monthMeans; }
    const DayMeanTable &dayTable() const { return m_dayMeans.table(); }
    const WeightStats &weights() const { return m_weights; }

    // The conversion failure of the collecting, if any; the day table was
    // not rebuilt then.
    const std::optional<ConversionError> &collectFailure() const { return m_collectFailure; }
    // A day value that did not convert while the table was built.
    const std::optional<ConversionError> &tableFailure() const { return m_tableFailure; }

    // Builds the day table again (the chart pages want it fresh); throws.
    void rebuildDayTable() { m_dayMeans.buildTable(); }
    void clearWeights() { m_weights.clear(); }

private:
    void collectLine(const EntryLine::Parsed &line);
    void begin();
    void finish();

    MonthMeans m_monthMeans;
    DayMeans m_dayMeans;
    WeightStats m_weights;
    std::optional<ConversionError> m_collectFailure;
    std::optional<ConversionError> m_tableFailure;
};
