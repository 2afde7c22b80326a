#include "storage/month_range.h"

#include "journal/slots.h"

namespace {

QDate monthOf(const QDate &date)
{
    return QDate(date.year(), date.month(), 1);
}

} // namespace

bool MonthRange::isValid() const
{
    return first.isValid() && last.isValid() && first <= last;
}

QDate MonthRange::lastDay() const
{
    return last.addMonths(1).addDays(-1);
}

namespace PeriodChoice {

MonthRange resolve(Kind kind, Rules rules, const QDate &openMonth, const QDate &today,
                   const QDate &from, const QDate &to, const MonthRange &userMonths)
{
    const QDate recentEnd = monthOf(rules.recentUpTo == RecentUpTo::OpenMonth ? openMonth : today);
    switch (kind) {
    case Kind::OpenMonth:
        return {monthOf(openMonth), monthOf(openMonth)};
    case Kind::LastThreeMonths:
        return {recentEnd.addMonths(-2), recentEnd};
    case Kind::LastTwelveMonths:
        return {recentEnd.addMonths(-11), recentEnd};
    case Kind::OpenYear:
        return {QDate(openMonth.year(), 1, 1), QDate(openMonth.year(), 12, 1)};
    case Kind::AllMonths:
        return userMonths;
    case Kind::Range:
        break;
    }
    if (rules.reversed == ReversedRange::TurnedRound && to < from)
        return {monthOf(to), monthOf(from)};
    return {monthOf(from), monthOf(to)};
}

} // namespace PeriodChoice

QString monthAndYear(const QDate &month)
{
    return germanMonthName(month.month()) + u' ' + QString::number(month.year());
}

QString describeMonths(const MonthRange &range)
{
    if (range.first == range.last)
        return monthAndYear(range.first);
    return monthAndYear(range.first) + QStringLiteral(" bis ") + monthAndYear(range.last);
}
