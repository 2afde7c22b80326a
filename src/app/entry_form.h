#pragma once

#include "journal/entry_line.h"
#include "journal/field_rules.h"
#include "journal/slots.h"

#include <QString>
#include <QStringList>

#include <array>

namespace Ui {
class TMainForm;
}

// The main window's entry form read and filled as one: the date, time and
// value fields, the weight, the slot and its switches.
class EntryForm
{
public:
    explicit EntryForm(Ui::TMainForm &ui);

    Slot slot() const { return m_slot; }
    const QString &slotPrefix() const { return m_slotPrefix; } // "Morgens den "
    // Also names the slot on the button that moves to the next one.
    void setSlot(Slot slot);

    std::array<bool, 4> slotSwitches() const;
    void setSlotSwitches(const std::array<bool, 4> &switches);
    // The month always has one slot to measure in.
    void keepOneSlotSwitchedOn();

    // Field by field: every field's rule runs as it changes.
    void showDateFields(const EntryLine::DateFields &fields);
    // The fields an entry line gives; its slot is set apart.
    void fill(const FieldRules::ParsedEntry &entry);
    // The entry as typed, in the open month and year.
    EntryLine::Fields typedEntry(const QString &month, const QString &year) const;

    // What the user typed, kept across a load that fills the form.
    struct Typed
    {
        Slot slot = Slot::Morning;
        QStringList spins; // day, month, year, systolic, diastolic, pulse
        QString time;
        QString weight;
    };
    Typed typed() const;
    void restore(const Typed &typed);

    // Steps `weight` by the chosen step size, then shows it: the field's
    // change, which reads the weight back, has the last word.
    void stepWeight(long double &weight, bool up);
    // The weight's field, its step button and step sizes follow the switch.
    void enableWeightControls();
    // The month's weight mean, red when the typed weight differs by 15 kg
    // or more, grey while no weight is typed.
    void showWeightInfo(long double mean, long double difference);

private:
    Ui::TMainForm &ui;
    Slot m_slot = Slot::Morning;
    QString m_slotPrefix;
};
