#include "exchange/export_period.h"

namespace ExportPeriod {

QString suggestedFileName(const QString &user, const MonthRange &months, Format format)
{
    const QString pattern = QStringLiteral("yyyy-MM");
    QString name = QStringLiteral("Blutdruck_") + user + u'_' + months.first.toString(pattern);
    if (months.first != months.last)
        name += QStringLiteral("_bis_") + months.last.toString(pattern);
    return name + (format == Format::Csv ? QStringLiteral(".csv") : QStringLiteral(".json"));
}

} // namespace ExportPeriod
