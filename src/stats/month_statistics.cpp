#include "stats/month_statistics.h"

#include "journal/entry_line.h"

void MonthStatistics::recollect(const QStringList &fileLines)
{
    m_monthMeans.clear();
    m_dayMeans.clear();
    m_weights.clear();
    m_collectFailure.reset();
    m_tableFailure.reset();
    for (const QString &line : fileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        try {
            collectLine(line);
        } catch (const ConversionError &error) {
            m_collectFailure = error;
            return;
        }
    }
    try {
        m_dayMeans.buildTable();
    } catch (const ConversionError &error) {
        m_tableFailure = error;
    }
}

void MonthStatistics::collectLine(const QString &entryLine)
{
    // Read once for all three: a line as the program writes it by its
    // pieces, any other by the markers, whose every quirk the means keep.
    const EntryLine::Parsed line(entryLine);
    m_monthMeans.collect(line);
    m_dayMeans.collect(line);
    m_weights.collect(line);
}
