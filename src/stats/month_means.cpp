#include "stats/month_means.h"

#include "base/german_numbers.h"
#include "stats/value_texts.h"

namespace {

QString removedThrough(const QString &text, QLatin1StringView marker)
{
    const qsizetype at = text.indexOf(marker);
    return at < 0 ? text : text.mid(at + marker.size());
}

} // namespace

void MonthMeans::clear()
{
    for (QStringList &list : m_values)
        list.clear();
    m_sums = {0, 0, 0};
    m_converted = {0, 0, 0};
}

void MonthMeans::EstelleMonatsMittelwert(const QString &entryLine)
{
    for (QString &text : m_texts)
        text.clear();

    QString rest = removedThrough(entryLine, QLatin1StringView("Morgens den "));
    rest = removedThrough(rest, QLatin1StringView("Abends den "));
    const ValueTexts values = valueTextsOf(afterFirstDot(rest));
    if (values.systolic)
        m_values[0].append(*values.systolic);
    if (values.diastolic)
        m_values[1].append(*values.diastolic);
    if (values.pulse)
        m_values[2].append(*values.pulse);

    // Means over readings, not over days. Without any systolic value there
    // is nothing to show yet, and the label must not keep an older month.
    if (m_values[0].isEmpty()) {
        m_label.clear();
        return;
    }
    std::array<QString, 3> texts;
    for (std::size_t q = 0; q < m_values.size(); ++q) {
        const QStringList &list = m_values[q];
        for (; m_converted[q] < list.size(); ++m_converted[q])
            m_sums[q] += GermanNumbers::toFloat(list.at(m_converted[q]));
        // A quantity no line carried (no "p=" anywhere) has no mean.
        if (!list.isEmpty())
            texts[q] = GermanNumbers::formatFixed2(m_sums[q] / list.size());
    }
    m_texts = texts;
    m_label = m_texts[1].isEmpty() ? QString() : monthMeansLabel(m_texts[0], m_texts[1]);
}

QString monthMeansLabel(const QString &systolicMean, const QString &diastolicMean)
{
    const auto whole = [](const QString &mean) {
        return GermanNumbers::formatGeneral(RoundToDigits(GermanNumbers::toFloat(mean), 0));
    };
    return QStringLiteral("Systole=") + whole(systolicMean) + QStringLiteral("  Diastole=")
           + whole(diastolicMean);
}
