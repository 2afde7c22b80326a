#include "storage/gallery.h"

#include "base/text_file.h"
#include "storage/data_folders.h"

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

} // namespace Gallery
