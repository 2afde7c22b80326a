#include "stats/weight_stats.h"

#include "base/german_numbers.h"
#include "stats/mean.h"

void WeightStats::clear()
{
    m_weights.clear();
    m_sum = 0;
}

void WeightStats::collect(const EntryLine::Parsed &line)
{
    if (const std::optional<QStringView> weightText = line.statisticsWeight())
        collectWeightText(*weightText);
}

void WeightStats::collectWeightText(QStringView weightText)
{
    if (weightText == u"0")
        return;
    // A text in its own general form is kept as it is, and its value read
    // without the slow reader: the same text and sum as below.
    if (const std::optional<long double> plain = GermanNumbers::plainDecimal(weightText)) {
        m_weights.append(weightText.toString());
        m_sum += *plain;
        return;
    }
    const long double weight = GermanNumbers::toFloat(weightText.toString());
    if (weight > 0) {
        const QString text = GermanNumbers::formatGeneral(weight);
        const long double readBack = GermanNumbers::toFloat(text);
        m_weights.append(text);
        m_sum += readBack;
    }
}

long double WeightStats::mean() const
{
    return meanOrZero(m_sum, m_weights.size());
}
