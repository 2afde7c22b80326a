#pragma once

#include "charts/chart_format.h"
#include "charts/chart_inputs.h"

#include <QString>

#include <optional>

// The output line for one marker line of the chart template: the longest
// marker name the line begins with decides; the sample after it is never
// written. A line without a marker gives an empty text. Throws
// ConversionError when the month's means or dates are not numbers.
// (FillMarkerLine)
QString fillMarkerLine(const QString &templateLine, const ChartInputs &inputs, ChartPage page);

// True when a day of the group ("Woche1".."Woche4", "zweiWochen1",
// "zweiWochen2", "RestdesMonats") has a mean other than "0".
bool dayGroupHasData(const QString &groupKey, const DayMeanTable &table);

// The "Dz17" text: the rounded month means and the weight, in the page's form.
QString monthlySummary(const ChartInputs &inputs, ChartPage page);

// A month mean text ("128,33") brought to a whole number, half up; throws
// as checkedMonthMean does.
qint64 roundedMonthMean(const QString &meanText);
// The same for a mean as it shows (see ChartInputs); a month without one, or
// a mean out of range, is refused as its text would be.
qint64 roundedMonthMean(const std::optional<long double> &shownMean);
