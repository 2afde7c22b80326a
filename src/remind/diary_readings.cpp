#include "remind/diary_readings.h"

#include "journal/month_journal.h"
#include "remind/schedule.h"
#include "stats/measuring_week.h"
#include "storage/data_folders.h"
#include "storage/gallery.h"
#include "storage/settings_store.h"

namespace {

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

DiaryReadings::DiaryReadings(const SettingsStore &settings)
    : m_galleryFolder(DataFolders::withTrailingSlash(settings.read(SettingKey::DataFolder)) +
                      DataFolders::galleryFolderName(settings.read(SettingKey::GalleryFolderName)))
    , m_user(settings.read(SettingKey::UserName))
{}

QString DiaryReadings::monthFilePath(const QDate &day) const
{
    if (m_user.isEmpty() || !DataFolders::userNameProblem(m_user).isEmpty())
        return QString();
    const QString year = QString::number(day.year());
    return DataFolders::monthFilePath(m_galleryFolder, year, m_user, twoDigits(day.month()), year);
}

bool DiaryReadings::stored(const QDate &day, Slot slot) const
{
    const QString path = monthFilePath(day);
    if (path.isEmpty())
        return false;
    const std::optional<MonthJournal> month = MonthJournal::read(path);
    return month && month->find(day, slot);
}

QString DiaryReadings::weekResult(const QDate &firstDay) const
{
    const QDate lastDay = firstDay.addDays(kMeasuringWeekDays - 1);
    const QList<Reading> readings =
        Gallery::readingsOf(Gallery::readPeriod(m_galleryFolder, m_user, firstDay, lastDay));
    if (const auto week = measuringWeekFrom(readings, firstDay))
        return measuringWeekText(week);
    int count = 0;
    for (const Reading &reading : readings) {
        if (reading.date >= firstDay && reading.date <= lastDay &&
            (reading.slot == Slot::Morning || reading.slot == Slot::Evening))
            ++count;
    }
    return QStringLiteral("Messwoche %1–%2: nicht vollständig, %3 von %4 Messungen "
                          "(morgens und abends an 7 Tagen)")
        .arg(firstDay.toString(QStringLiteral("dd.MM.")),
             lastDay.toString(QStringLiteral("dd.MM.yyyy")))
        .arg(count)
        .arg(2 * kMeasuringWeekDays);
}
