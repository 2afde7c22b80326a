#pragma once

#include "journal/month_journal.h"
#include "stats/month_figures.h"
#include "storage/month_range.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The months of one user in the gallery, read for a period: the base of the
// report, the export and the backups. Only the user's own files are read;
// nothing is ever written here.
namespace Gallery {

struct Month
{
    int month = 0; // 1..12
    int year = 0;
    QString path; // the month file, whether it exists or not
    enum class State { Missing, Unreadable, Read } state = State::Missing;
    std::optional<MonthJournal> journal; // set when Read
    QString remark;                      // the remark file's text, empty when none
};

// The months from `first` to `last` (their days do not matter), across year
// ends, in order. An empty list when `last` lies before `first`.
QList<Month> readPeriod(const QString &galleryFolder, const QString &user, const QDate &first,
                        const QDate &last);

// All readings of the months that could be read, in date and slot order.
QList<Reading> readingsOf(const QList<Month> &months);

// The months as the period statistics take them.
QList<PeriodMonth> periodMonths(const QList<Month> &months);

// The first and the last month the user has a month file of; nullopt when
// there is none.
std::optional<MonthRange> userMonths(const QString &galleryFolder, const QString &user);

} // namespace Gallery
