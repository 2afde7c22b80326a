#include "exchange/export_period.h"

#include "journal/slots.h"

namespace ExportPeriod {

namespace {

QDate monthOf(const QDate &date)
{
    return QDate(date.year(), date.month(), 1);
}

QString monthName(const QDate &month)
{
    return germanMonthName(month.month()) + u' ' + QString::number(month.year());
}

} // namespace

Months months(Kind kind, const QDate &openMonth, const QDate &today, const QDate &from,
              const QDate &to)
{
    switch (kind) {
    case Kind::OpenMonth:
        return {monthOf(openMonth), monthOf(openMonth)};
    case Kind::LastThreeMonths:
        return {monthOf(today).addMonths(-2), monthOf(today)};
    case Kind::LastTwelveMonths:
        return {monthOf(today).addMonths(-11), monthOf(today)};
    case Kind::Range:
        break;
    }
    return from <= to ? Months{monthOf(from), monthOf(to)} : Months{monthOf(to), monthOf(from)};
}

QString describe(const Months &months)
{
    if (months.first == months.last)
        return monthName(months.first);
    return monthName(months.first) + QStringLiteral(" bis ") + monthName(months.last);
}

QString suggestedFileName(const QString &user, const Months &months, Format format)
{
    const QString pattern = QStringLiteral("yyyy-MM");
    QString name = QStringLiteral("Blutdruck_") + user + u'_' + months.first.toString(pattern);
    if (months.first != months.last)
        name += QStringLiteral("_bis_") + months.last.toString(pattern);
    return name + (format == Format::Csv ? QStringLiteral(".csv") : QStringLiteral(".json"));
}

} // namespace ExportPeriod
