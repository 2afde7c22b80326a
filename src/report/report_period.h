#pragma once

#include "storage/month_range.h"

#include <QString>

// The months a doctor's report covers.
using ReportPeriod = MonthRange;

// The last three months end with the open month; a range that ends before
// it begins makes no report.
inline constexpr PeriodChoice::Rules kReportPeriodRules{PeriodChoice::RecentUpTo::OpenMonth,
                                                        PeriodChoice::ReversedRange::Invalid};

// "Muster_Bericht_01_2026-03_2026.pdf": the user first, as the month files
// are named, so that one person's reports stand together.
QString reportFileName(const QString &user, const ReportPeriod &period);
