#pragma once

#include <QDate>
#include <QString>

// A run of whole months, as a report or an export covers them.
struct MonthRange
{
    QDate first; // the first day of the first month
    QDate last;  // the first day of the last month

    // Both months known and the first not after the last.
    bool isValid() const;
    QDate firstDay() const { return first; }
    QDate lastDay() const;
    bool operator==(const MonthRange &) const = default;
};

// The choices a period chooser offers and the months each covers.
namespace PeriodChoice {

enum class Kind {
    OpenMonth,
    LastThreeMonths,
    LastTwelveMonths,
    Range,
    OpenYear,  // January to December of the open month's year
    AllMonths, // the user's first to last month file
};

// Where "the last months" end: the report counts back from the open month,
// the export from today's month.
enum class RecentUpTo { OpenMonth, Today };

// A range whose first month lies after its last: the report refuses it, the
// export takes it the other way round.
enum class ReversedRange { Invalid, TurnedRound };

struct Rules
{
    RecentUpTo recentUpTo;
    ReversedRange reversed;
};

// The months of `kind`; `from` and `to` count for a range only, their days
// never. `today` counts only where the last months end today; `userMonths`
// only for all months (invalid while the user has none).
MonthRange resolve(Kind kind, Rules rules, const QDate &openMonth, const QDate &today,
                   const QDate &from = {}, const QDate &to = {}, const MonthRange &userMonths = {});

} // namespace PeriodChoice

// "März 2026"
QString monthAndYear(const QDate &month);

// "März 2026", or "Januar 2026 bis März 2026"
QString describeMonths(const MonthRange &range);
