#pragma once

#include "storage/month_range.h"

#include <QString>

// The months an export covers, and the file name it proposes.
namespace ExportPeriod {

// The last three or twelve months end with today's month; a range may be
// given in either order.
inline constexpr PeriodChoice::Rules kRules{PeriodChoice::RecentUpTo::Today,
                                            PeriodChoice::ReversedRange::TurnedRound};

enum class Format { Csv, Fhir };

// "Blutdruck_Muster_2017-01_bis_2017-03.csv", "Blutdruck_Muster_2017-03.json"
QString suggestedFileName(const QString &user, const MonthRange &months, Format format);

// The CSV file of the medications beside the readings' one:
// "Muster_Medikamente_2017-01_bis_2017-03.csv", "Muster_Medikamente_2017-03.csv".
QString medicationFileName(const QString &user, const MonthRange &months);

} // namespace ExportPeriod
