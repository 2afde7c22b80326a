#include "stats/month_statistics.h"

#include "journal/entry_line.h"
#include "journal/reading.h"

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
    // A line as the program writes it is read once, by its pieces; the
    // collectors find exactly these values by their markers. Any other line
    // goes to the markers, whose every quirk the month means depend on.
    if (const std::optional<WrittenPieces> pieces = WrittenPieces::of(entryLine)) {
        m_monthMeans.collectWhole(pieces->systolic, pieces->diastolic, pieces->pulse);
        m_dayMeans.collectWhole(pieces->date.day(), pieces->systolic, pieces->diastolic,
                                pieces->pulse);
        m_weights.collectWeightText(pieces->weightText);
        return;
    }
    m_monthMeans.collect(entryLine);
    m_dayMeans.collect(entryLine);
    m_weights.collect(entryLine);
}
