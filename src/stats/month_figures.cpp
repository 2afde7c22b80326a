#include "stats/month_figures.h"

#include "stats/mean.h"

#include <cmath>

long double MonthFigures::shareAtOrAboveThreshold() const
{
    return stats.all.count == 0 ? 0 : 100.0L * stats.atOrAboveThreshold / stats.all.count;
}

QList<MonthFigures> monthFigures(const QList<PeriodMonth> &months)
{
    QList<MonthFigures> figures;
    figures.reserve(months.size());
    for (const PeriodMonth &month : months) {
        MonthFigures one;
        one.month = month.month;
        one.year = month.year;
        one.state = month.state;
        one.unreadLines = month.unreadLines;
        if (month.state == PeriodMonth::State::Read)
            one.stats = periodStats(month.readings);
        figures.append(std::move(one));
    }
    return figures;
}

std::optional<long double> shownMean(qint64 count, long double mean)
{
    if (count == 0)
        return std::nullopt;
    return twoDecimalValue(mean);
}

namespace {

// The sums of whole values are exact in long double, so the mean rounds half
// up exactly in integers.
qint64 roundedMean(qint64 sum, qint64 count)
{
    return (2 * sum + count) / (2 * count);
}

} // namespace

std::optional<SystolicTrend> systolicTrend(const QList<MonthFigures> &months)
{
    QList<const MonthFigures *> withReadings;
    for (const MonthFigures &month : months) {
        if (month.hasReadings())
            withReadings.append(&month);
    }
    if (withReadings.size() < 2 * kTrendMonths)
        return std::nullopt;
    const auto meanOf = [](auto begin, auto end) {
        qint64 sum = 0;
        qint64 count = 0;
        for (auto it = begin; it != end; ++it) {
            sum += std::llround((*it)->stats.all.systolicSum);
            count += (*it)->stats.all.count;
        }
        return roundedMean(sum, count);
    };
    return SystolicTrend{meanOf(withReadings.cbegin(), withReadings.cbegin() + kTrendMonths),
                         meanOf(withReadings.cend() - kTrendMonths, withReadings.cend())};
}
