#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The values of one imported line, read as device apps write them.
namespace ImportValues {

enum class DateForm {
    DayMonthYear,      // 31.01.2017
    YearMonthDay,      // 2017-01-31
    MonthDayYear,      // 01/31/2017, as American apps write it
    DayMonthYearSlash, // 31/01/2017, as British apps write it
};

// "TT.MM.JJJJ", "JJJJ-MM-TT", "MM/TT/JJJJ", "TT/MM/JJJJ"
QString dateFormName(DateForm form);

// Day and month may have one digit; the year has four, from 1900 to 9999.
std::optional<QDate> parseDate(const QString &text, DateForm form);

// The forms under which the most of the texts are dates, in the order of
// DateForm; empty when no text is a date in any form. More than one form
// means the values cannot decide (all days up to 12, written with "/").
QList<DateForm> fittingDateForms(const QStringList &dateTexts);

// The question when the dates cannot decide between MM/TT/JJJJ and
// TT/MM/JJJJ, with the file's own `sample` ("03/04/2017") as example; "Ja"
// stands for MM/TT/JJJJ.
QString slashDateQuestion(const QString &sample);

// A cell that holds date and time ("2017-03-01 07:30", "2017-03-01T07:30:00Z")
// split into the two; the time is empty when the cell holds only a date.
struct DateAndTime
{
    QString date;
    QString time;
};
DateAndTime splitDateTime(const QString &cell);

// "7:30", "07:30:15", "7:30 PM", "07:30 Uhr" as "hh:mm"; nullopt otherwise.
// "24:00" (the end of the day, which the entry form takes) stays "24:00".
std::optional<QString> parseTime(const QString &text);

// A blood pressure or pulse value: a whole number from 0 to 280, as the
// entry form takes it.
std::optional<int> parseValue(const QString &text);

// The weight as the month file holds it: decimal comma ("78,4"), "0" for an
// empty cell or a weight of 0; a unit "kg" may follow. nullopt when it is no
// weight.
std::optional<QString> parseWeight(const QString &text);

} // namespace ImportValues
