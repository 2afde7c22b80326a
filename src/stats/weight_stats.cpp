#include "stats/weight_stats.h"

#include "base/german_numbers.h"

void WeightStats::clear()
{
    m_weights.clear();
    m_sum = 0;
}

void WeightStats::collect(const QString &entryLine)
{
    static const QLatin1StringView prefixes[] = {
        QLatin1StringView("Morgens den "), QLatin1StringView("Messung2 den "),
        QLatin1StringView("Messung3 den "), QLatin1StringView("Abends den ")};
    QString rest = entryLine;
    for (QLatin1StringView prefix : prefixes) {
        const qsizetype at = rest.indexOf(prefix);
        if (at >= 0)
            rest = rest.mid(at + prefix.size());
    }

    const qsizetype dot = rest.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        // The day is not used, but a line whose day is no number is refused.
        GermanNumbers::toInt(rest.left(dot));
        rest = rest.mid(dot + 2);
    }

    const qsizetype gewicht = rest.indexOf(QLatin1StringView("Gewicht="));
    if (gewicht >= 0)
        collectWeightText(rest.mid(gewicht + 8));
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
    return m_weights.isEmpty() ? 0 : m_sum / m_weights.size();
}
