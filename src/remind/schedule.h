#pragma once

#include "journal/slots.h"
#include "remind/reminder_settings.h"

#include <QDate>
#include <QDateTime>
#include <QList>

#include <optional>

// When the reminders are due. All times are local wall-clock times of the
// system's time zone, so that 07:30 stays 07:30 across the change to and
// from summer time.
namespace Schedule {

// A reminder shown later than this after its time is left out (the
// computer slept, or the user logged in later).
constexpr qint64 kLateLimitSeconds = qint64(30) * 60;

struct Due
{
    Slot slot = Slot::Morning;
    QDate day;
    QDateTime at;

    bool operator==(const Due &) const = default;
};

// The instant of `time` on `day`. A time that the change to summer time
// skips comes when the clocks have jumped (02:30 → 03:00); a time that the
// change back repeats comes the first time.
QDateTime dueAt(const QDate &day, const QTime &time);

// True when the slot has a reminder on that day: switched on for its
// weekday, or Morgens and Abends on a day of the planned week.
bool isDueOn(const ReminderSettings &settings, Slot slot, const QDate &day);

// The reminders due after `after` up to and including `until`, in time order.
QList<Due> dueBetween(const ReminderSettings &settings, const QDateTime &after,
                      const QDateTime &until);

// The first reminder due after `after`; nullopt when none ever is.
std::optional<Due> nextDue(const ReminderSettings &settings, const QDateTime &after);

// True when `now` is more than kLateLimitSeconds past the due time.
bool tooLate(const Due &due, const QDateTime &now);

// Day 1 to day 7 of a measuring week that begins on `firstDay`.
QList<QDate> measuringWeekDays(const QDate &firstDay);

// True when the reminder is the last one of the planned week: Abends on day 7.
bool endsPlannedWeek(const ReminderSettings &settings, const Due &due);

} // namespace Schedule
