#include "stats/month_means.h"

#include "base/german_numbers.h"
#include "stats/number_texts.h"
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
    refresh(m_sums); // texts and label outlive the lists
    for (QStringList &list : m_values)
        list.clear();
    m_sums = Sums();
}

void MonthMeans::collect(const QString &entryLine)
{
    QString rest = removedThrough(entryLine, QLatin1StringView("Morgens den "));
    rest = removedThrough(rest, QLatin1StringView("Abends den "));
    const ValueTexts values = valueTextsOf(afterFirstDot(rest));
    if (values.systolic)
        m_values[0].append(*values.systolic);
    if (values.diastolic)
        m_values[1].append(*values.diastolic);
    if (values.pulse)
        m_values[2].append(*values.pulse);
    convertPending();
}

void MonthMeans::collectWhole(int systolic, int diastolic, int pulse)
{
    const std::array<int, 3> values = {systolic, diastolic, pulse};
    bool upToDate = true;
    for (std::size_t q = 0; q < m_values.size(); ++q) {
        upToDate = upToDate && m_sums.converted[q] == m_values[q].size();
        m_values[q].append(wholeNumberText(values[q]));
    }
    if (!upToDate) {
        convertPending(); // an earlier value that did not convert fails again
        return;
    }
    for (std::size_t q = 0; q < m_values.size(); ++q) {
        m_sums.sums[q] += values[q];
        ++m_sums.converted[q];
    }
    m_stale = true;
}

void MonthMeans::convertPending()
{
    const Sums before = m_sums;
    try {
        for (std::size_t q = 0; q < m_values.size(); ++q) {
            const QStringList &list = m_values[q];
            for (; m_sums.converted[q] < list.size(); ++m_sums.converted[q])
                m_sums.sums[q] += GermanNumbers::toFloat(list.at(m_sums.converted[q]));
        }
    } catch (...) {
        // The label keeps the means shown before this line; the texts are
        // empty.
        refresh(before);
        m_texts = {};
        throw;
    }
    m_stale = true;
}

void MonthMeans::refresh(const Sums &sums) const
{
    if (!m_stale)
        return;
    m_stale = false;
    m_texts = {};
    // Means over readings, not over days. Without any systolic value there
    // is nothing to show yet, and the label must not keep an older month.
    if (sums.converted[0] == 0) {
        m_label.clear();
        return;
    }
    for (std::size_t q = 0; q < m_texts.size(); ++q) {
        // A quantity no line carried (no "p=" anywhere) has no mean.
        if (sums.converted[q] > 0)
            m_texts[q] = GermanNumbers::formatFixed2(sums.sums[q] / sums.converted[q]);
    }
    m_label = m_texts[1].isEmpty() ? QString() : monthMeansLabel(m_texts[0], m_texts[1]);
}

const std::array<QString, 3> &MonthMeans::texts() const
{
    refresh(m_sums);
    return m_texts;
}

const QString &MonthMeans::labelText() const
{
    refresh(m_sums);
    return m_label;
}

QString monthMeansLabel(const QString &systolicMean, const QString &diastolicMean)
{
    const auto whole = [](const QString &mean) {
        return GermanNumbers::formatGeneral(roundToDigits(GermanNumbers::toFloat(mean), 0));
    };
    return QStringLiteral("Systole=") + whole(systolicMean) + QStringLiteral("  Diastole=") +
           whole(diastolicMean);
}
