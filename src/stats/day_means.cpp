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
int dayNumber(QStringView dayText)
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
    for (QList<int> &values : m_wholeValues)
        values.clear();
}

void DayMeans::collect(const QString &entryLine)
{
    const qsizetype dot = entryLine.indexOf(QLatin1Char('.'));
    QString day;
    if (dot >= 0) {
        const qsizetype from = std::max<qsizetype>(0, dot - 2);
        day = entryLine.mid(from, dot - from);
    }
    const ValueTexts values = valueTextsOf(afterFirstDot(entryLine));
    const QString tag = day + QLatin1Char('_');
    const std::array<const std::optional<QString> *, 3> texts = {&values.systolic,
                                                                 &values.diastolic, &values.pulse};
    for (std::size_t q = 0; q < texts.size(); ++q) {
        if (*texts[q]) {
            m_lists[q].append(tag + **texts[q]);
            m_wholeValues[q].append(-1);
        }
    }
}

void DayMeans::collectWhole(int day, int systolic, int diastolic, int pulse)
{
    const QString tag =
        (day < 10 ? QStringLiteral("0") : QString()) + QString::number(day) + QLatin1Char('_');
    const std::array<int, 3> values = {systolic, diastolic, pulse};
    for (std::size_t q = 0; q < values.size(); ++q) {
        m_lists[q].append(tag + QString::number(values[q]));
        m_wholeValues[q].append(values[q]);
    }
}

namespace {

// The values of one day's run in a list; its text is its mean.
struct DayRun
{
    int day = 0; // 0 for none
    long double sum = 0;
    qint64 wholeSum = 0;
    qint64 count = 0;
    bool whole = true; // every value came as a whole number

    void add(long double value, int wholeValue)
    {
        sum += value;
        wholeSum += wholeValue;
        whole = whole && wholeValue >= 0;
        ++count;
    }

    // The mean passes through its two-decimal text before rounding, so
    // 135,496 shows as 136 like 135,50 does. Whole numbers take the same two
    // half-up steps in integers, which spares the decimal conversions.
    QString text() const
    {
        if (whole) {
            const qint64 hundredths = (200 * wholeSum + count) / (2 * count);
            return QString::number((hundredths + 50) / 100);
        }
        const QString twoDecimals = GermanNumbers::formatFixed2(sum / count);
        return GermanNumbers::formatGeneral(roundHalfUp(GermanNumbers::toFloat(twoDecimals)));
    }
};

} // namespace

void DayMeans::buildTable()
{
    m_table = DayMeanTable();
    for (std::size_t q = 0; q < m_lists.size(); ++q)
        buildRow(static_cast<Quantity>(q));
}

void DayMeans::buildRow(Quantity quantity)
{
    const auto q = static_cast<std::size_t>(quantity);
    // The list starts with sum and count at 0, so its first item always
    // opens a run. Only the last value of a run decides the day's text, so
    // it is made once the run ends.
    QStringView previousDay;
    bool hasPrevious = false;
    DayRun run;
    const auto writeRun = [&] {
        if (run.day != 0 && run.count != 0)
            m_table.setText(quantity, run.day, run.text());
    };
    for (qsizetype i = 0; i < m_lists[q].size(); ++i) {
        const QString &item = m_lists[q].at(i);
        const qsizetype underscore = item.indexOf(QLatin1Char('_'));
        const QStringView dayText =
            underscore < 0 ? QStringView() : QStringView(item).left(underscore);
        // A new run of a day starts afresh, even for a day seen before.
        if (!hasPrevious || dayText != previousDay) {
            writeRun();
            run = DayRun();
            run.day = dayNumber(dayText);
        }
        previousDay = dayText;
        hasPrevious = true;
        if (run.day == 0)
            continue;
        const int wholeValue = m_wholeValues[q].at(i);
        try {
            run.add(wholeValue >= 0 ? wholeValue : GermanNumbers::toFloat(item.mid(underscore + 1)),
                    wholeValue);
        } catch (...) {
            writeRun(); // what was read before the bad value stays
            throw;
        }
    }
    writeRun();
}

const QStringList &DayMeans::valueList(Quantity quantity) const
{
    return m_lists[static_cast<std::size_t>(quantity)];
}
