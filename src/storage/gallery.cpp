#include "storage/gallery.h"

#include "base/text_file.h"
#include "storage/data_folders.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace Gallery {

namespace {

QString twoDigits(int month)
{
    return QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
}

Month readMonth(const QString &galleryFolder, const QString &user, int month, int year)
{
    Month result;
    result.month = month;
    result.year = year;
    const QString yearText = QString::number(year);
    result.path =
        DataFolders::monthFilePath(galleryFolder, yearText, user, twoDigits(month), yearText);
    if (!QFileInfo(result.path).isFile()) {
        result.state =
            QFileInfo::exists(result.path) ? Month::State::Unreadable : Month::State::Missing;
        return result;
    }
    result.journal = MonthJournal::read(result.path);
    result.state = result.journal ? Month::State::Read : Month::State::Unreadable;
    const QString remarkPath =
        DataFolders::remarkFilePath(galleryFolder, yearText, user, twoDigits(month), yearText);
    if (const std::optional<QStringList> remark = TextFile::readLines(remarkPath))
        result.remark = remark->join(QLatin1Char('\n'));
    return result;
}

} // namespace

QList<Month> readPeriod(const QString &galleryFolder, const QString &user, const QDate &first,
                        const QDate &last)
{
    QList<Month> months;
    QDate month(first.year(), first.month(), 1);
    const QDate end(last.year(), last.month(), 1);
    for (; month <= end; month = month.addMonths(1))
        months.append(readMonth(galleryFolder, user, month.month(), month.year()));
    return months;
}

QList<Reading> readingsOf(const QList<Month> &months)
{
    QList<Reading> readings;
    for (const Month &month : months) {
        if (month.journal)
            readings.append(month.journal->readings());
    }
    std::stable_sort(readings.begin(), readings.end());
    return readings;
}

QList<PeriodMonth> periodMonths(const QList<Month> &months)
{
    QList<PeriodMonth> result;
    result.reserve(months.size());
    for (const Month &month : months) {
        PeriodMonth one{month.month, month.year, PeriodMonth::State::Missing, {}, 0};
        if (month.state == Month::State::Unreadable)
            one.state = PeriodMonth::State::Unreadable;
        if (month.journal) {
            one.state = PeriodMonth::State::Read;
            one.readings = month.journal->readings();
            one.unreadLines = month.journal->unreadLines().size();
        }
        result.append(std::move(one));
    }
    return result;
}

std::optional<MonthRange> userMonths(const QString &galleryFolder, const QString &user)
{
    // The names are compared whole, so that a user name is never read as a
    // pattern and one user's name that begins another's stays apart.
    std::optional<MonthRange> found;
    const QDir gallery(galleryFolder);
    const QStringList years = gallery.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &yearText : years) {
        if (yearText.size() != 4 ||
            !std::all_of(yearText.begin(), yearText.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        const int year = yearText.toInt();
        for (int month = 1; month <= 12; ++month) {
            const QString path = DataFolders::monthFilePath(galleryFolder, yearText, user,
                                                            twoDigits(month), yearText);
            if (!QFileInfo::exists(path))
                continue;
            const QDate first(year, month, 1);
            if (!found)
                found = MonthRange{first, first};
            found->first = std::min(found->first, first);
            found->last = std::max(found->last, first);
        }
    }
    return found;
}

} // namespace Gallery
