#pragma once

#include "journal/month_journal.h"

#include <QList>
#include <QString>

#include <array>

// Brings readings from outside (an import, a backup) into a user's months of
// the gallery without ever changing or removing a stored reading. First a
// plan that says what would happen, for the preview; then the writing.
namespace GalleryMerge {

struct MonthPlan
{
    int month = 0;
    int year = 0;
    QString path;
    bool exists = false;     // the month file was there before
    bool unreadable = false; // it could not be read: nothing goes into it
    MonthJournal journal;    // the month as it will be written
    int added = 0;
    int present = 0;  // identical readings already stored (date, time, values)
    int unplaced = 0; // all four slots of their day were taken
};

struct Plan
{
    QList<MonthPlan> months; // in date order
    int added() const;
    int present() const;
    int unplaced() const;
};

// Places each reading on its day: in its own slot when keepSlots and that
// slot is free, otherwise in the free slot whose stored time (slotTimes, in
// slot order, "07:30") is nearest to the reading's time. A reading that
// equals a stored one (date, time, pressures, pulse, and the weight where
// both have one) is counted as present and skipped.
Plan plan(const QString &galleryFolder, const QString &user, const QList<Reading> &incoming,
          const std::array<QString, 4> &slotTimes, bool keepSlots);

// The same measurement: date, time, pressures and pulse, and the weight
// where both carry one.
bool sameReading(const Reading &a, const Reading &b);

// The slot whose stored time (slotTimes, in slot order) is nearest to the
// time ("07:30"); the earlier slot where two are equally near.
Slot nearestSlot(const QString &time, const std::array<QString, 4> &slotTimes);

// Writes every month that gains readings, each safely replaced, the year
// folder made when missing. A month file that changed since the plan so
// that it would lose a reading is left alone. Returns the German reason of
// the first month that could not be written, or an empty text. A month file
// that is replaced is first kept as a version; the reason a version could
// not be kept goes to *versionProblem and never stops the writing.
QString apply(const Plan &plan, const QString &galleryFolder, const QString &user,
              QString *versionProblem = nullptr);

} // namespace GalleryMerge
