#include "remind/schedule.h"

#include "stats/measuring_week.h"

#include <QTimeZone>

#include <algorithm>

namespace {

bool inPlannedWeek(const ReminderSettings &settings, const QDate &day)
{
    return settings.plannedWeek && day >= *settings.plannedWeek &&
           day < settings.plannedWeek->addDays(kMeasuringWeekDays);
}

// How far ahead the search for the next reminder goes without a plan: a
// week covers every weekday.
constexpr int kSearchDays = 8;

} // namespace

namespace Schedule {

QDateTime dueAt(const QDate &day, const QTime &time)
{
    QDateTime at(day, time, Qt::LocalTime);
    if (at.isValid() && at.time() == time && at.date() == day)
        return at;
    // The time lies in the gap the change to summer time leaves: the moment
    // the clocks jump.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QTimeZone::OffsetData jump = zone.nextTransition(day.startOfDay());
    if (jump.atUtc.isValid() && jump.atUtc.toLocalTime().date() == day)
        return jump.atUtc.toLocalTime();
    return at;
}

bool isDueOn(const ReminderSettings &settings, Slot slot, const QDate &day)
{
    if ((slot == Slot::Morning || slot == Slot::Evening) && inPlannedWeek(settings, day))
        return true;
    const SlotReminder &reminder = settings.of(slot);
    return reminder.on && reminder.weekdays[std::size_t(day.dayOfWeek() - 1)];
}

QList<Due> dueBetween(const ReminderSettings &settings, const QDateTime &after,
                      const QDateTime &until)
{
    QList<Due> due;
    if (until <= after)
        return due;
    // A due time stays on its own day, even when the gap moves it.
    for (QDate day = after.date(); day <= until.date(); day = day.addDays(1)) {
        for (const Slot slot : kAllSlots) {
            if (!isDueOn(settings, slot, day))
                continue;
            const QDateTime at = dueAt(day, settings.of(slot).time);
            if (at > after && at <= until)
                due << Due{slot, day, at};
        }
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const Due &a, const Due &b) { return a.at < b.at; });
    return due;
}

std::optional<Due> nextDue(const ReminderSettings &settings, const QDateTime &after)
{
    QDate last = after.date().addDays(kSearchDays);
    if (settings.plannedWeek)
        last = std::max(last, settings.plannedWeek->addDays(kMeasuringWeekDays));
    for (QDate day = after.date(); day <= last; day = day.addDays(1)) {
        std::optional<Due> first;
        for (const Slot slot : kAllSlots) {
            if (!isDueOn(settings, slot, day))
                continue;
            const QDateTime at = dueAt(day, settings.of(slot).time);
            if (at > after && (!first || at < first->at))
                first = Due{slot, day, at};
        }
        if (first)
            return first;
    }
    return std::nullopt;
}

bool tooLate(const Due &due, const QDateTime &now)
{
    return due.at.secsTo(now) > kLateLimitSeconds;
}

QList<QDate> measuringWeekDays(const QDate &firstDay)
{
    QList<QDate> days;
    for (int i = 0; i < kMeasuringWeekDays; ++i)
        days << firstDay.addDays(i);
    return days;
}

bool endsPlannedWeek(const ReminderSettings &settings, const Due &due)
{
    return settings.plannedWeek && due.slot == Slot::Evening &&
           due.day == settings.plannedWeek->addDays(kMeasuringWeekDays - 1);
}

} // namespace Schedule
