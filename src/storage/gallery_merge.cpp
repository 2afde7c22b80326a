#include "storage/gallery_merge.h"

#include "base/text_file.h"
#include "storage/data_folders.h"
#include "storage/versions.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace GalleryMerge {

namespace {

int minutesOf(const QString &time)
{
    const QStringList parts = time.split(QLatin1Char(':'));
    if (parts.size() != 2)
        return 0;
    return parts.at(0).toInt() * 60 + parts.at(1).toInt();
}

// The free slots of the day, nearest to the reading's time first.
std::optional<Slot> freeSlotFor(const MonthJournal &journal, const Reading &reading,
                                const std::array<QString, 4> &slotTimes, bool keepSlot)
{
    if (keepSlot && !journal.find(reading.date, reading.slot))
        return reading.slot;
    std::optional<Slot> best;
    int bestDistance = 0;
    for (Slot slot : kAllSlots) {
        if (journal.find(reading.date, slot))
            continue;
        const int distance =
            std::abs(minutesOf(slotTimes[std::size_t(slot)]) - minutesOf(reading.time));
        if (!best || distance < bestDistance) {
            best = slot;
            bestDistance = distance;
        }
    }
    return best;
}

MonthPlan &monthFor(Plan &plan, const QString &galleryFolder, const QString &user,
                    const QDate &date)
{
    for (MonthPlan &month : plan.months) {
        if (month.month == date.month() && month.year == date.year())
            return month;
    }
    MonthPlan month;
    month.month = date.month();
    month.year = date.year();
    const QString year = QString::number(month.year);
    month.path = DataFolders::monthFilePath(
        galleryFolder, year, user, QStringLiteral("%1").arg(month.month, 2, 10, QLatin1Char('0')),
        year);
    month.exists = QFileInfo::exists(month.path);
    if (month.exists) {
        std::optional<MonthJournal> stored = MonthJournal::read(month.path);
        month.unreadable = !stored || !QFileInfo(month.path).isFile();
        if (stored)
            month.journal = std::move(*stored);
    }
    plan.months.append(std::move(month));
    return plan.months.last();
}

void place(MonthPlan &month, const Reading &reading, const std::array<QString, 4> &slotTimes,
           bool keepSlots)
{
    for (const Reading &stored : month.journal.readings()) {
        if (sameReading(stored, reading)) {
            ++month.present;
            return;
        }
    }
    const std::optional<Slot> slot = freeSlotFor(month.journal, reading, slotTimes, keepSlots);
    if (!slot || month.unreadable) {
        ++month.unplaced;
        return;
    }
    Reading placed = reading;
    if (!(keepSlots && *slot == reading.slot && !reading.line.isEmpty())) {
        placed.slot = *slot;
        placed.line = Reading::format(*slot, reading.date, reading.time, reading.systolic,
                                      reading.diastolic, reading.pulse, reading.weightText);
    }
    month.journal.add(placed);
    ++month.added;
}

} // namespace

bool sameReading(const Reading &a, const Reading &b)
{
    if (a.date != b.date || a.time != b.time || a.systolic != b.systolic ||
        a.diastolic != b.diastolic || a.pulse != b.pulse)
        return false;
    // A weight that only one of the two carries makes no other measurement:
    // the file may bring weights the month was stored without, or lack them,
    // and taking such a reading again would store it twice.
    const std::optional<long double> weightA = a.weight();
    const std::optional<long double> weightB = b.weight();
    return !weightA || !weightB || weightA == weightB;
}

Slot nearestSlot(const QString &time, const std::array<QString, 4> &slotTimes)
{
    return *freeSlotFor(MonthJournal(), Reading{QDate(), Slot::Morning, time, 0, 0, 0, {}, {}},
                        slotTimes, false);
}

int Plan::added() const
{
    int sum = 0;
    for (const MonthPlan &month : months)
        sum += month.added;
    return sum;
}

int Plan::present() const
{
    int sum = 0;
    for (const MonthPlan &month : months)
        sum += month.present;
    return sum;
}

int Plan::unplaced() const
{
    int sum = 0;
    for (const MonthPlan &month : months)
        sum += month.unplaced;
    return sum;
}

Plan plan(const QString &galleryFolder, const QString &user, const QList<Reading> &incoming,
          const std::array<QString, 4> &slotTimes, bool keepSlots)
{
    QList<Reading> ordered = incoming;
    std::stable_sort(ordered.begin(), ordered.end());
    Plan result;
    for (const Reading &reading : ordered) {
        if (reading.date.isValid())
            place(monthFor(result, galleryFolder, user, reading.date), reading, slotTimes,
                  keepSlots);
    }
    std::sort(result.months.begin(), result.months.end(),
              [](const MonthPlan &a, const MonthPlan &b) {
                  return std::pair(a.year, a.month) < std::pair(b.year, b.month);
              });
    return result;
}

QString apply(const Plan &plan, const QString &galleryFolder, const QString &user,
              QString *versionProblem)
{
    for (const MonthPlan &month : plan.months) {
        if (month.added == 0)
            continue;
        const QString fileName = QFileInfo(month.path).fileName();
        if (!DataFolders::ensureFolder(galleryFolder + QString::number(month.year)))
            return DataFolders::folderNotCreatedMessage(QString::number(month.year));
        const QStringList lines = month.journal.fileLines(user, month.month, month.year);
        if (const QString problem = MonthFile::linesCodePageProblem(lines); !problem.isEmpty())
            return QStringLiteral("Die Tabelle „%1“ wird nicht geschrieben: %2")
                .arg(fileName, problem);
        if (QFileInfo::exists(month.path)) {
            const std::optional<QStringList> now = TextFile::readLines(month.path);
            if (!now || !MonthFile::readingsLost(*now, lines).isEmpty())
                return QStringLiteral("Die Tabelle „%1“ hat sich inzwischen geändert und wurde "
                                      "nicht überschrieben.")
                    .arg(fileName);
        }
        const QString kept =
            Versions::keepBefore(galleryFolder, month.path, lines, QDateTime::currentDateTime());
        if (versionProblem && versionProblem->isEmpty())
            *versionProblem = kept;
        QString error;
        if (!TextFile::writeLines(month.path, lines, &error))
            return QStringLiteral("Die Tabelle „%1“ konnte nicht geschrieben werden: %2")
                .arg(fileName, error);
    }
    return QString();
}

} // namespace GalleryMerge
