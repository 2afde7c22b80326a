#pragma once

#include "charts/chart_format.h"

#include <QString>

// The blood-pressure grade of the month's rounded systolic (s) and diastolic
// (d) means, as the grade chart names and colours it.
struct MonthGrade
{
    enum class Level { Grade3, Grade2, Grade1, HighNormal, Normal, None };
    Level level = Level::None;
    QString text;
    QString colour; // "#ED1B24"
};

MonthGrade::Level classifyLevel(qint64 s, qint64 d);
MonthGrade classifyMonth(qint64 s, qint64 d, ChartPage page);

// Empty, or the text warning of means that look like input errors.
QString plausibilityWarning(qint64 s, qint64 d);
