#include "stats/day_means.h"

#include "base/german_numbers.h"
#include "stats/value_texts.h"

#include <algorithm>

namespace {

bool validDay(int day)
{
    return day >= 1 && day <= 31;
}

// Day N for the texts "01".."31", 0 for anything else.
int dayNumber(const QString &dayText)
{
    if (dayText.size() != 2)
        return 0;
    const char16_t tens = dayText.at(0).unicode();
    const char16_t ones = dayText.at(1).unicode();
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return 0;
    const int day = (tens - '0') * 10 + (ones - '0');
    return validDay(day) ? day : 0;
}

} // namespace

DayMeanTable::DayMeanTable()
{
    for (auto &row : m_texts)
        row.fill(QStringLiteral("0"));
}

const QString &DayMeanTable::text(Quantity quantity, int day) const
{
    static const QString none;
    if (!validDay(day))
        return none;
    return m_texts[static_cast<std::size_t>(quantity)][static_cast<std::size_t>(day - 1)];
}

void DayMeanTable::setText(Quantity quantity, int day, const QString &text)
{
    if (validDay(day))
        m_texts[static_cast<std::size_t>(quantity)][static_cast<std::size_t>(day - 1)] = text;
}

void DayMeans::clear()
{
    for (QStringList &list : m_lists)
        list.clear();
}

void DayMeans::EstelleTagesMittelwert(const QString &entryLine)
{
    const qsizetype dot = entryLine.indexOf(QLatin1Char('.'));
    QString day;
    if (dot >= 0) {
        const qsizetype from = std::max<qsizetype>(0, dot - 2);
        day = entryLine.mid(from, dot - from);
    }
    const ValueTexts values = valueTextsOf(afterFirstDot(entryLine));
    const QString tag = day + QLatin1Char('_');
    if (values.systolic)
        m_lists[0].append(tag + *values.systolic);
    if (values.diastolic)
        m_lists[1].append(tag + *values.diastolic);
    if (values.pulse)
        m_lists[2].append(tag + *values.pulse);
}

void DayMeans::GibDieTagesMittelwerte()
{
    m_table = DayMeanTable();
    for (std::size_t q = 0; q < m_lists.size(); ++q) {
        const auto quantity = static_cast<Quantity>(q);
        // Each list starts with sum and count at 0, so its first item always
        // opens a run.
        QString previousDay;
        bool hasPrevious = false;
        long double sum = 0;
        qint64 count = 0;
        int runDay = 0; // the day whose run is being summed, 0 for none
        // The text of a day is its mean so far; only the last value of a run
        // decides it, so it is formatted once the run ends.
        const auto writeRun = [&] {
            if (runDay == 0 || count == 0)
                return;
            // The mean passes through its two-decimal text before rounding,
            // so 135,496 shows as 136 like 135,50 does.
            const QString twoDecimals = GermanNumbers::formatFixed2(sum / count);
            const long double rounded = RoundHalfUp(GermanNumbers::toFloat(twoDecimals));
            m_table.setText(quantity, runDay, GermanNumbers::formatGeneral(rounded));
        };
        for (const QString &item : m_lists[q]) {
            const qsizetype underscore = item.indexOf(QLatin1Char('_'));
            const QString dayText = underscore < 0 ? QString() : item.left(underscore);
            const QString valueText = item.mid(underscore + 1);
            // A new run of a day starts afresh, even for a day seen before.
            if (!hasPrevious || dayText != previousDay) {
                writeRun();
                sum = 0;
                count = 0;
                runDay = dayNumber(dayText);
            }
            previousDay = dayText;
            hasPrevious = true;

            if (runDay == 0)
                continue;
            long double value;
            try {
                value = GermanNumbers::toFloat(valueText);
            } catch (...) {
                writeRun(); // what was read before the bad value stays
                throw;
            }
            sum += value;
            ++count;
        }
        writeRun();
    }
}

const QStringList &DayMeans::valueList(Quantity quantity) const
{
    return m_lists[static_cast<std::size_t>(quantity)];
}
