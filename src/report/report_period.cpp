#include "report/report_period.h"

namespace {

QString monthAndYearDigits(const QDate &month)
{
    return QStringLiteral("%1_%2").arg(month.month(), 2, 10, QLatin1Char('0')).arg(month.year());
}

} // namespace

QString reportFileName(const QString &user, const ReportPeriod &period)
{
    return user + QStringLiteral("_Bericht_") + monthAndYearDigits(period.first) +
           QLatin1Char('-') + monthAndYearDigits(period.last) + QStringLiteral(".pdf");
}
