#pragma once

#include "journal/entry_line.h"
#include "journal/slots.h"

#include <QString>
#include <QStringList>

#include <optional>

// The rules that keep the entry fields valid, on plain values; the main
// window's handlers read their controls, call these and write back.
namespace FieldRules {

// 28 to 31 days, Gregorian leap years. (GibTageImMonat)
int daysInMonth(int month, int year);

// The day limited to the days of the month.
int limitDay(int day, int month, int year);

// The six spin fields of the entry form by their rules.
enum class SpinField {
    Day,   // 1 to 31
    Month, // 1 to 12
    Year,  // 1900 to 9999
    Value, // systolic, diastolic, pulse: 0 to 280
};
// The value a text set into a spin field shows. An empty text, and a day or
// month longer than 3 characters, gives 1; a year of other than 4 characters
// gives 1900; a number outside the field's range is held to it. nullopt for
// a text that is no whole number, which leaves the field as it is.
std::optional<int> spinFieldValue(SpinField field, const QString &text);

// The month of the last list line (two characters after its first ".")
// differs from the month text padded to two digits. False for an empty line.
bool monthMismatch(const QString &lastListLine, const QString &monthText);

// The year of the last list line (four characters after its second ".")
// differs from the year text. False for an empty line.
bool yearMismatch(const QString &lastListLine, const QString &yearText);

// Ten minutes up or down with the wrap-arounds of the time field; a text
// without ":" is taken as "24:00" first. Throws ConversionError when the
// hours or minutes are not whole numbers.
QString stepTime(const QString &time, bool up);

// Step of the weight buttons: 10, 1 or 0.1 kg for radio button 1, 2, 3.
// nullopt when the step is refused (up above 500, down below 1).
std::optional<long double> stepWeight(long double current, int radioButton, bool up);

// What the time field takes while it is typed: up to four digits, or one
// or two digits, ":" or ".", and up to two digits ("0730", "7:3", "07.30").
bool isTypableTime(const QString &text);
// A typed time in the form the field keeps: "07:30" from "7:30", "7.30",
// "730" or "0730". A text that gives no time from 00:00 to 24:00 comes back
// as it was, for the add's check to name it.
QString normalizedTime(const QString &text);

// What the weight field takes while it is typed, with a typed point turned
// into the comma: up to three digits, one comma and at most two decimals
// ("78,4", "78,", ""). The minus the step buttons may show stays editable.
// nullopt for a text that can be no weight.
std::optional<QString> typableWeight(const QString &text);
// The weight a text of the field stands for: 0 while no digit is typed, a
// comma at the end ignored. Throws ConversionError for a text that is no
// number.
long double weightValue(const QString &text);
// The weight as the add stores it: "0" for an empty field, "78" for "78,",
// the comma for a point.
QString storedWeight(const QString &text);

// Refusals of the add command.
QString monthRefusal(const QString &monthText);
QString yearRefusal(const QString &yearText);
// What the form says against an add, in the order the user is told: a month
// or year that differs from the list's, else a time that is none.
QStringList formRefusals(bool monthMismatch, bool yearMismatch, const QString &monthText,
                         const QString &yearText, const QString &timeText);
QString duplicateRefusal(Slot slot, const QString &day, const QString &month, const QString &year);

// SlotPrefix + day.month.year, searched in every list line (tabs removed).
// Returns the index of the first line that holds it.
std::optional<int> findDuplicate(const QStringList &listLines, const QString &slotPrefix,
                                 const QString &day, const QString &month, const QString &year);

// A list line taken apart for editing, or an entry line for the preset of the
// entry form.
using ParsedEntry = EntryLine::FormFields;

// "HH:MM" from 00:00 to 24:00, the times the time field stands for.
bool isValidTime(const QString &text);
// The refusal of an add whose time is not one.
QString timeRefusal(const QString &text);

// The heaviest weight the program takes, in kilograms.
constexpr long double kMaxWeight = 310;
// A weight this far from the month's mean, in kilograms, is questioned.
constexpr long double kWeightDifferenceLimit = 15;
QString weightLimitRefusal();
// Why the add does not take the weight: above kMaxWeight while the weight
// switch is on, or at least kWeightDifferenceLimit from the month's mean.
// Empty when the weight may go in.
QString weightRefusal(long double weight, bool weightSwitchedOn, long double difference);

// Why an entry taken apart for editing cannot go into the form fields: a
// date, pressure or pulse that no spin field can show, as a hand-edited file
// may hold, naming the value; an empty text when every piece fits its field.
QString editRefusal(const ParsedEntry &entry);
// The edit command without a selected entry, and its question.
QString editNeedsSelection();
QString editQuestion();

// Takes a display line apart from the left, as the edit command does.
ParsedEntry parseForEdit(const EntryLine::Parsed &displayLine);
ParsedEntry parseForEdit(const QString &displayLine);

// Takes the last entry line of a load apart for the preset of the form.
ParsedEntry parseForPreset(const EntryLine::Parsed &entryLine);
ParsedEntry parseForPreset(const QString &entryLine);

// The year of the window title ("Blutdruckmesswerte  März 2017  Muster"):
// the four characters from the first "199", "200", ... "203", the later
// pattern winning; nullopt when none occurs.
std::optional<QString> yearFromTitle(const QString &title);

} // namespace FieldRules
