#pragma once

#include <QDateTime>
#include <QList>

// How many earlier versions of a file are worth their space: every one of
// the last 7 days, then the newest of each day up to 90 days back, then the
// newest of each month. The newest version of a day or a month is never
// given up, so what survives one pruning survives the next until it ages
// into the coarser rule.
namespace VersionPruning {

inline constexpr int kAllKeptDays = 7;
inline constexpr int kDailyKeptDays = 90;

// The indexes into `times` of the versions to remove at `now`. Of equal
// times the later in the list counts as the newer.
QList<qsizetype> toRemove(const QList<QDateTime> &times, const QDateTime &now);

} // namespace VersionPruning
