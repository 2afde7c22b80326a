#include "stats/month_means.h"

#include "base/german_numbers.h"
#include "stats/mean.h"
#include "stats/number_texts.h"

inline void MonthMeans::Sums::add(std::size_t quantity, long double value, int wholeValue)
{
    sums[quantity] += value;
    ++converted[quantity];
    if (wholeValue >= 0)
        wholeSums[quantity] += wholeValue;
    else
        allWhole[quantity] = false;
}

void MonthMeans::clear()
{
    refresh(m_sums); // texts and label outlive the lists
    for (QList<Value> &list : m_values)
        list.clear();
    m_sums = Sums();
}

void MonthMeans::collect(const EntryLine::Parsed &line)
{
    if (const std::optional<WrittenPieces> &pieces = line.written()) {
        collectWhole(pieces->systolic, pieces->diastolic, pieces->pulse);
        return;
    }
    EntryLine::MeanTexts values = line.monthMeanTexts();
    for (std::size_t q = 0; q < values.size(); ++q) {
        if (values[q])
            m_values[q].append({std::move(*values[q])});
    }
    convertPending();
}

void MonthMeans::collectWhole(int systolic, int diastolic, int pulse)
{
    const std::array<int, 3> values = {systolic, diastolic, pulse};
    bool upToDate = true;
    for (std::size_t q = 0; q < m_values.size(); ++q) {
        upToDate = upToDate && m_sums.converted[q] == m_values[q].size();
        m_values[q].append({QString(), values[q]});
    }
    if (!upToDate) {
        convertPending(); // an earlier value that did not convert fails again
        return;
    }
    for (std::size_t q = 0; q < m_values.size(); ++q)
        m_sums.add(q, values[q], values[q]);
    m_stale = true;
}

void MonthMeans::convertPending()
{
    const Sums before = m_sums;
    try {
        for (std::size_t q = 0; q < m_values.size(); ++q) {
            const QList<Value> &list = m_values[q];
            while (m_sums.converted[q] < list.size()) {
                const Value &value = list.at(m_sums.converted[q]);
                m_sums.add(q, value.whole >= 0 ? value.whole : GermanNumbers::toFloat(value.text),
                           value.whole);
            }
        }
    } catch (...) {
        // The label keeps the means shown before this line; the texts are
        // empty.
        refresh(before);
        m_means = {};
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
    m_means = {};
    m_texts = {};
    // Means over readings, not over days. Without any systolic value there
    // is nothing to show yet, and the label must not keep an older month.
    if (sums.converted[0] == 0) {
        m_label.clear();
        return;
    }
    for (std::size_t q = 0; q < m_texts.size(); ++q) {
        // A quantity no line carried (no pulse anywhere) has no mean.
        m_means[q] = MeanSum{sums.sums[q], sums.converted[q]}.mean();
        if (!m_means[q])
            continue;
        m_texts[q] = sums.allWhole[q] ? hundredthsText(wholeHundredths(sums, q))
                                      : twoDecimalText(*m_means[q]);
    }
    if (m_texts[1].isEmpty())
        m_label.clear();
    else if (sums.allWhole[0] && sums.allWhole[1])
        m_label = wholeMeansLabel(wholeHundredths(sums, 0), wholeHundredths(sums, 1));
    else
        m_label = monthMeansLabel(m_texts[0], m_texts[1]);
}

qint64 MonthMeans::wholeHundredths(const Sums &sums, std::size_t quantity)
{
    return wholeMeanHundredths(sums.wholeSums[quantity], sums.converted[quantity]);
}

QString MonthMeans::wholeMeansLabel(qint64 systolicHundredths, qint64 diastolicHundredths)
{
    // Half up from the two-decimal means, as monthMeansLabel reads them.
    return QStringLiteral("Systole=") + wholeNumberText(wholeOfHundredths(systolicHundredths)) +
           QStringLiteral("  Diastole=") + wholeNumberText(wholeOfHundredths(diastolicHundredths));
}

const QStringList &MonthMeans::valueList(int quantity) const
{
    QStringList &texts = m_valueTexts.at(quantity);
    texts.clear();
    for (const Value &value : m_values.at(quantity))
        texts.append(value.whole >= 0 ? wholeNumberText(value.whole) : value.text);
    return texts;
}

const std::array<QString, 3> &MonthMeans::texts() const
{
    refresh(m_sums);
    return m_texts;
}

const std::array<std::optional<long double>, 3> &MonthMeans::means() const
{
    refresh(m_sums);
    return m_means;
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
