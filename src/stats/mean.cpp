#include "stats/mean.h"

#include "base/german_numbers.h"
#include "stats/number_texts.h"

std::optional<long double> MeanSum::mean() const
{
    if (count == 0)
        return std::nullopt;
    return meanOrZero(sum, count);
}

long double meanOrZero(long double sum, qint64 count)
{
    return count == 0 ? 0 : sum / count;
}

QString twoDecimalText(long double mean)
{
    return GermanNumbers::formatFixed2(mean);
}

long double twoDecimalValue(long double mean)
{
    // The text rounds at its eighteenth significant digit, which no binary
    // rounding reproduces for every value; its digits are the rule.
    return GermanNumbers::toFloat(twoDecimalText(mean));
}

qint64 wholeMeanHundredths(qint64 sum, qint64 count)
{
    return (200 * sum + count) / (2 * count);
}

QString hundredthsText(qint64 hundredths)
{
    const qint64 cents = hundredths % 100;
    return wholeNumberText(hundredths / 100) + QLatin1Char(',') +
           QLatin1Char(char('0' + cents / 10)) + QLatin1Char(char('0' + cents % 10));
}
