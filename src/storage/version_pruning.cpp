#include "storage/version_pruning.h"

#include <QSet>

#include <algorithm>
#include <numeric>

namespace VersionPruning {

QList<qsizetype> toRemove(const QList<QDateTime> &times, const QDateTime &now)
{
    QList<qsizetype> order(times.size());
    std::iota(order.begin(), order.end(), 0);
    // Newest first; of two versions of the same second the later in the
    // list was written later.
    std::sort(order.begin(), order.end(), [&times](qsizetype a, qsizetype b) {
        return std::pair(times.at(b), b) < std::pair(times.at(a), a);
    });
    const QDateTime allKept = now.addDays(-kAllKeptDays);
    const QDateTime dailyKept = now.addDays(-kDailyKeptDays);
    QSet<QDate> days;
    QSet<int> months;
    QList<qsizetype> removed;
    for (const qsizetype index : order) {
        const QDateTime &time = times.at(index);
        const QDate day = time.date();
        const int month = day.year() * 12 + day.month();
        const bool keep =
            time >= allKept || (time >= dailyKept ? !days.contains(day) : !months.contains(month));
        if (!keep)
            removed.append(index);
        days.insert(day);
        months.insert(month);
    }
    std::sort(removed.begin(), removed.end());
    return removed;
}

} // namespace VersionPruning
