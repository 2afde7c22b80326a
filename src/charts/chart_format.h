#pragma once

#include "stats/day_means.h"

#include <QString>

#include <optional>

// The two chart pages; a marker can mean different days on each.
enum class ChartPage { Bar, Line };

// "#" and red, green, blue as two upper-case hex digits each; red sits in the
// low byte of the colour integer.
QString colourToHtml(qint32 colour);

// "So.", "Mo.", ... "Sa." for the weekday of the date.
QString weekdayPrefix(int day, int month, int year);

// The y-axis maximum for a chart of days first..last: ten times the highest
// systolic mean divided by ten (halves to the even neighbour), plus ten.
// Throws as checkedDayValue does.
QString axisMax(const DayMeanTable &table, int firstDay, int lastDay);

// Replaces until no occurrence is left; newText must not contain oldText.
QString replaceAll(QString text, const QString &oldText, const QString &newText);

// Makes user text safe inside HTML element content; a character the page's
// code page cannot hold becomes a character reference ("&#321;").
QString escapeHtmlText(const QString &text);

// The numbers of a page's script, read strictly from the texts of the open
// month: no text from a month file or the settings goes into the script as
// it stands. Each throws ConversionError with the German reason the page is
// not built when its text is not such a number.
int checkedMonth(const QString &text);        // one or two digits, 1 to 12
int checkedYear(const QString &text);         // four digits
int checkedDayValue(const QString &text);     // a daily mean: digits only, 0 to kMaxDayValue
qint64 checkedMonthMean(const QString &text); // a month mean ("128,33"), rounded half up
// The month's mean weight: nullopt for none (0 or less); one that is not a
// finite number throws.
std::optional<long double> checkedWeight(long double weight);

// Above any pressure, pulse or weight a person has; the axes of the charts
// are made for values below it.
inline constexpr int kMaxDayValue = 999;

// daysInMonth: 28 to 31 by the Gregorian leap rule. month and year are the
// texts of the open month; throws as checkedMonth and checkedYear do.
int daysInOpenMonth(const QString &month, const QString &year);
