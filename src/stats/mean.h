#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Every mean of the program: the values summed as long double in the order
// they come, divided once by their count.
struct MeanSum
{
    long double sum = 0;
    qint64 count = 0;

    void add(long double value)
    {
        sum += value;
        ++count;
    }
    // nullopt while nothing was added.
    std::optional<long double> mean() const;
};

// sum / count; 0 without values.
long double meanOrZero(long double sum, qint64 count);

// A mean as the month and day means show it: two decimals with the decimal
// comma ("128,33", "85,00").
QString twoDecimalText(long double mean);
// The mean of whole numbers in hundredths, half up, in integers: the same
// value as the two-decimal text of sum / count, since the exact quotient of
// whole numbers is never close enough to a half hundredth for the text to
// round it otherwise. count > 0, sum >= 0.
qint64 wholeMeanHundredths(qint64 sum, qint64 count);
// Its text ("12833" gives "128,33").
QString hundredthsText(qint64 hundredths);
// Its two-decimal value rounded half up to a whole number.
inline qint64 wholeOfHundredths(qint64 hundredths)
{
    return (hundredths + 50) / 100;
}

// The value that text stands for, rounded digit for digit as the text is
// (135,496 gives 135,5): what a reader of the shown mean goes on from.
long double twoDecimalValue(long double mean);
