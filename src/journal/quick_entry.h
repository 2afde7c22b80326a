#pragma once

#include "journal/slots.h"

#include <QString>
#include <QTime>

#include <array>
#include <optional>

// A reading typed as one line ("135/85 72", "135 85 72", with the weight
// switch on also "135/85 72 78,4"), taken apart for the entry form.
namespace QuickEntry {

constexpr int kMaxPressure = 280; // the range of the pressure and pulse fields
constexpr int kMaxWeightKg = 310;

struct Reading
{
    int systolic = 0;
    int diastolic = 0;
    int pulse = 0;
    std::optional<QString> weight; // "78,45": decimal comma, as the weight field shows it
};

struct Result
{
    std::optional<Reading> reading;
    QString refusal; // German, for the user; empty when reading is set
};

// weightSwitchOn: the form takes a weight; without it a typed weight is refused.
Result parse(const QString &text, bool weightSwitchOn);

// How the reading is to be typed, as the dialog tells it.
QString expectedForm(bool weightSwitchOn);

// One slot of the day the reading is for.
struct SlotOfDay
{
    std::optional<QTime> time; // the slot's usual time; none when the setting is no time
    bool switchedOn = false;   // the user measures in this slot
    bool taken = false;        // the day already holds a reading in it
};

// The slot a reading taken at `now` most likely belongs to: of the free slots
// the user measures in, the one whose time lies nearest (the earlier on a
// tie), else of all free slots; nullopt when every slot of the day is taken.
std::optional<Slot> proposeSlot(const QTime &now, const std::array<SlotOfDay, 4> &day);

} // namespace QuickEntry
