#include "report/report_period.h"

#include "journal/slots.h"

namespace {

QDate monthStart(const QDate &date)
{
    return QDate(date.year(), date.month(), 1);
}

QString monthAndYearDigits(const QDate &month)
{
    return QStringLiteral("%1_%2").arg(month.month(), 2, 10, QLatin1Char('0')).arg(month.year());
}

} // namespace

ReportPeriod ReportPeriod::choose(Choice choice, const QDate &openMonth, const QDate &from,
                                  const QDate &to)
{
    switch (choice) {
    case Choice::OpenMonth:
        return {monthStart(openMonth), monthStart(openMonth)};
    case Choice::LastThreeMonths:
        return {monthStart(openMonth).addMonths(-2), monthStart(openMonth)};
    case Choice::Range:
        break;
    }
    return {monthStart(from), monthStart(to)};
}

bool ReportPeriod::isValid() const
{
    return firstMonth.isValid() && lastMonth.isValid() && firstMonth <= lastMonth;
}

QDate ReportPeriod::lastDay() const
{
    return lastMonth.addMonths(1).addDays(-1);
}

QString monthAndYear(const QDate &month)
{
    return germanMonthName(month.month()) + QLatin1Char(' ') + QString::number(month.year());
}

QString periodText(const ReportPeriod &period)
{
    if (period.firstMonth == period.lastMonth)
        return monthAndYear(period.firstMonth);
    return monthAndYear(period.firstMonth) + QStringLiteral(" bis ") +
           monthAndYear(period.lastMonth);
}

QString reportFileName(const QString &user, const ReportPeriod &period)
{
    return user + QStringLiteral("_Bericht_") + monthAndYearDigits(period.firstMonth) +
           QLatin1Char('-') + monthAndYearDigits(period.lastMonth) + QStringLiteral(".pdf");
}
