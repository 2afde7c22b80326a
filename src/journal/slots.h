#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <optional>

// The four readings of a day, in their fixed order.
// Design names: Morgens, Messung2, Messung3, Abends.
enum class Slot { Morning = 0, Second = 1, Third = 2, Evening = 3 };

struct SlotInfo
{
    QString label;         // "Messung2"
    QString prefix;        // "Messung2 den " (ends in one blank)
    QString buttonCaption; // "Messung 2"
    QChar letter;          // 'b': orders the slots of one day
    QString headerKey;     // "2M"
    QString switchHint;    // "Messung 2"
};

const SlotInfo &slotInfo(Slot slot);
constexpr std::array<Slot, 4> kAllSlots = {Slot::Morning, Slot::Second, Slot::Third, Slot::Evening};

// The slot whose prefix equals the text exactly ("Abends den ").
std::optional<Slot> slotFromPrefix(const QString &prefix);

// The slot after `current` (cyclic) whose switch is on; `current` when none
// of the other three is on.
Slot nextSwitchedOnSlot(Slot current, const std::array<bool, 4> &switches);

// German month name of 1..12, empty text otherwise. (GibMonatLang)
QString germanMonthName(int month);

// German name of the date's weekday ("Montag").
QString germanWeekdayName(const QDate &date);
