#pragma once

#include "stats/day_means.h"

#include <QString>

// The two chart pages; a marker can mean different days on each.
enum class ChartPage { Bar, Line };

// "#" and red, green, blue as two upper-case hex digits each; red sits in the
// low byte of the colour integer.
QString ColorToHtml(qint32 colour);

// "So.", "Mo.", ... "Sa." for the weekday of the date.
QString WeekdayPrefix(int day, int month, int year);

// The y-axis maximum for a chart of days first..last: ten times the highest
// systolic mean divided by ten (halves to the even neighbour), plus ten.
QString AxisMax(const DayMeanTable &table, int firstDay, int lastDay);

// Replaces until no occurrence is left; newText must not contain oldText.
QString ReplaceAll(QString text, const QString &oldText, const QString &newText);

// Makes user text safe inside HTML element content.
QString escapeHtmlText(const QString &text);

// daysInMonth: 28 to 31 by the Gregorian leap rule. month and year are the
// texts of the open month; throws ConversionError when they are not numbers.
int daysInOpenMonth(const QString &month, const QString &year);
