#pragma once

#include <QDate>
#include <QString>

// The months an export covers, and the file name it proposes.
namespace ExportPeriod {

enum class Kind { OpenMonth, LastThreeMonths, LastTwelveMonths, Range };
enum class Format { Csv, Fhir };

struct Months
{
    QDate first; // the first day of the first month
    QDate last;  // the first day of the last month
};

// The open month; the last three or twelve months up to today's month; or
// the range between the two months given, in either order.
Months months(Kind kind, const QDate &openMonth, const QDate &today, const QDate &from,
              const QDate &to);

// "März 2017" or "Januar 2017 bis März 2017"
QString describe(const Months &months);

// "Blutdruck_Muster_2017-01_bis_2017-03.csv", "Blutdruck_Muster_2017-03.json"
QString suggestedFileName(const QString &user, const Months &months, Format format);

} // namespace ExportPeriod
