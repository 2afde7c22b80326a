#pragma once

#include "journal/medication.h"
#include "journal/reading.h"
#include "stats/period_stats.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// What a change of the medication did to the readings: the readings of the
// 14 days before the day of a change against those of that day and the 13
// days after it.
struct MedicationChange
{
    enum class Kind { Start, End, Dose };
    Kind kind = Kind::Start;
    // The first day of the new plan: the first day of a start or a new
    // dose; the day after the last day of an end.
    QDate day;
    Medication medication;              // started, ended, or the new dose
    std::optional<Medication> previous; // a dose change: the dose before

    // "Ramipril 5 mg ab 03.03.2026", "Ramipril 5 mg bis 10.03.2026",
    // "Ramipril 10 mg statt 5 mg ab 03.03.2026"
    QString heading() const;
    // The chart's short label: "Ramipril 5 mg", "Ramipril 5 mg abgesetzt",
    // "Ramipril 10 mg statt 5 mg".
    QString markText() const;
};

inline constexpr int kEffectDays = 14;
// Fewer readings on either side say nothing about the change.
inline constexpr int kEffectMinimumReadings = 6;

// The starts, ends and dose changes of the period from `first` through
// `last`, in day order: a start or a new dose by its first day, an end by
// its last day. An entry that ends the day before another one of
// the same name starts (case and outer blanks aside) is a dose change, told
// once; an entry that starts before `first` is no change of the period.
QList<MedicationChange> medicationChanges(const QList<Medication> &medications, const QDate &first,
                                          const QDate &last);

// The days the figures of these changes read: from 14 days before the first
// change to 13 days after the last one. Invalid dates without changes.
struct EffectSpan
{
    QDate first;
    QDate last;
};
EffectSpan effectSpan(const QList<MedicationChange> &changes);

struct MedicationEffect
{
    MedicationChange change;
    ReadingMeans before; // day - 14 … day - 1
    ReadingMeans after;  // day … day + 13

    bool enoughReadings() const
    {
        return before.count >= kEffectMinimumReadings && after.count >= kEffectMinimumReadings;
    }
    // "Ramipril 5 mg ab 03.03.2026: vorher 148/92 mmHg (24 Messungen),
    // nachher 136/84 mmHg (26 Messungen)", or "…: zu wenige Messungen
    // (vorher 4, nachher 26)". The means in whole mmHg, half up.
    QString text() const;
};

// The readings may come in any order and from any days.
MedicationEffect medicationEffect(const MedicationChange &change, const QList<Reading> &readings);

// A change as the pages mark it: its day and its short label.
struct DayLabel
{
    QDate day;
    QString text;
};

// The marks of every change whose day lies from `first` through `last`; an
// end is marked on the first day without the medication.
QList<DayLabel> medicationDayLabels(const QList<Medication> &medications, const QDate &first,
                                    const QDate &last);

// The entry for a list of the period: "Ramipril 5 mg, 1-0-1, seit 03.03.2026
// (zum Essen)", "…, vom 01.02.2026 bis 10.03.2026".
QString medicationSummary(const Medication &medication);
