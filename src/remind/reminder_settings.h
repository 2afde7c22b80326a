#pragma once

#include "journal/slots.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <array>
#include <optional>

class SettingsStore;

// The reminder of one slot. In the settings file it is one text:
// "an;07:30;Mo,Di,Mi,Do,Fr" (switch, time, weekdays).
struct SlotReminder
{
    bool on = false;
    QTime time;
    // Monday first, as Qt counts (dayOfWeek() - 1).
    std::array<bool, 7> weekdays = {true, true, true, true, true, true, true};

    bool operator==(const SlotReminder &) const = default;
};

// The reminders of the four slots and the planned measuring week.
struct ReminderSettings
{
    std::array<SlotReminder, 4> reminders;
    std::optional<QDate> plannedWeek; // its day 1

    bool operator==(const ReminderSettings &) const = default;

    const SlotReminder &of(Slot slot) const { return reminders[std::size_t(slot)]; }
    SlotReminder &of(Slot slot) { return reminders[std::size_t(slot)]; }

    // True when something is due on some day: a slot switched on with at
    // least one weekday, or a planned week whose last day has not passed.
    bool anyOn(const QDate &today) const;

    // Reads every reminder; a missing or unreadable one is off at the slot's
    // time from the settings ("UhrzeitMorgens").
    static ReminderSettings read(const SettingsStore &settings);
    // Writes the four reminders and the plan; false when the store is missing.
    bool write(const SettingsStore &settings) const;
};

namespace ReminderText {

// "an;07:30;Mo,Di,Mi,Do,Fr,Sa,So"
QString encode(const SlotReminder &reminder);
// nullopt when the text is not in that form.
std::optional<SlotReminder> decode(const QString &text);

// "03.03.2026", or empty for no plan.
QString encodeWeek(const std::optional<QDate> &firstDay);
std::optional<QDate> decodeWeek(const QString &text);

// "07:30" as typed in the dialog: two digits, a colon, two digits, a real
// time of day; nullopt otherwise.
std::optional<QTime> parseTime(const QString &text);

// "Mo" … "So", Monday first.
QString weekdayShortName(int mondayFirstIndex);

} // namespace ReminderText
