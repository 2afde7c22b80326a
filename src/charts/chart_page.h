#pragma once

#include "charts/chart_format.h"
#include "charts/chart_inputs.h"

#include <QString>
#include <QStringList>

// The finished lines of a chart page (PageLines), ready for ShowChartPage.
// Both throw ConversionError when the month means are empty or not numbers.
QStringList buildBarPage(const ChartInputs &inputs);
QStringList buildLinePage(const ChartInputs &inputs);

// The two lines that name the day groups without readings, or none. groups
// holds the group keys in page order, ranges their texts ("1-7", "8-14", ...).
QStringList missingGroupsNotice(const DayMeanTable &table, const QStringList &groups,
                                const QStringList &ranges);

// The remark block for the remark file, or nothing when the file is missing
// or empty. The text is escaped for HTML; tabs become four &nbsp;.
QStringList remarkBlock(const QString &remarkFilePath);

// The script lines that mark the medication changes on the line charts:
// a dashed vertical line on the day and the label beside it. None without
// marks.
QStringList medicationMarkScript(const QList<DayLabel> &marks);

// "Muster_01_2020.html" for ".../2020/Muster_01_2020.tab" (".tab" in any case).
QString chartPageName(const QString &monthFilePath);
