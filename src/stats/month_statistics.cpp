#include "stats/month_statistics.h"

void MonthStatistics::recollect(const QStringList &fileLines)
{
    begin();
    for (const QString &line : fileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        try {
            // Read once for all three: a line as the program writes it by
            // its pieces, any other by the markers, whose every quirk the
            // means keep.
            collectLine(EntryLine::Parsed(line));
        } catch (const ConversionError &error) {
            m_collectFailure = error;
            return;
        }
    }
    finish();
}

void MonthStatistics::recollect(const QList<EntryLine::Parsed> &entryLines)
{
    begin();
    for (const EntryLine::Parsed &line : entryLines) {
        try {
            collectLine(line);
        } catch (const ConversionError &error) {
            m_collectFailure = error;
            return;
        }
    }
    finish();
}

void MonthStatistics::begin()
{
    m_monthMeans.clear();
    m_dayMeans.clear();
    m_weights.clear();
    m_collectFailure.reset();
    m_tableFailure.reset();
}

void MonthStatistics::finish()
{
    try {
        m_dayMeans.buildTable();
    } catch (const ConversionError &error) {
        m_tableFailure = error;
    }
}

void MonthStatistics::collectLine(const EntryLine::Parsed &line)
{
    m_monthMeans.collect(line);
    m_dayMeans.collect(line);
    m_weights.collect(line);
}
