#include "exchange/export_period.h"

namespace ExportPeriod {

namespace {

// "2017-01_bis_2017-03", "2017-03"
QString periodText(const MonthRange &months)
{
    const QString pattern = QStringLiteral("yyyy-MM");
    QString text = months.first.toString(pattern);
    if (months.first != months.last)
        text += QStringLiteral("_bis_") + months.last.toString(pattern);
    return text;
}

} // namespace

QString suggestedFileName(const QString &user, const MonthRange &months, Format format)
{
    return QStringLiteral("Blutdruck_") + user + u'_' + periodText(months) +
           (format == Format::Csv ? QStringLiteral(".csv") : QStringLiteral(".json"));
}

QString medicationFileName(const QString &user, const MonthRange &months)
{
    return user + QStringLiteral("_Medikamente_") + periodText(months) + QStringLiteral(".csv");
}

} // namespace ExportPeriod
