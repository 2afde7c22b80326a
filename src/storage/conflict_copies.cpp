#include "storage/conflict_copies.h"

#include "base/german_quotes.h"
#include "base/text_file.h"
#include "journal/month_file.h"
#include "journal/month_journal.h"
#include "storage/data_folders.h"
#include "storage/versions.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace ConflictCopies {

namespace {

// The names each tool gives the copy it keeps beside the file. The tool's
// own word for it is matched exactly; the parts the copy adds are held to
// what the tool writes, so that a name that merely contains the word is
// never taken for a copy.
//
// Syncthing, "Conflicting Changes" (docs.syncthing.net/users/syncing.html):
//   <filename>.sync-conflict-<date>-<time>-<modifiedBy>.<ext>, the date as
//   YYYYMMDD, the time as HHMMSS, modifiedBy the first seven characters of
//   the device ID of the device that made the losing change.
const QRegularExpression
    kSyncthing(QStringLiteral(R"(^(.+)\.sync-conflict-\d{8}-\d{6}-[A-Z0-9]{7}(\.[^.]+)?$)"));
// Nextcloud desktop client, "Conflicts"
// (docs.nextcloud.com/server/latest/user_manual/en/desktop/conflicts.html):
//   "mydata (conflicted copy 2018-04-10 093612).txt"; newer clients may put
//   the user's name before the date.
const QRegularExpression kNextcloud(
    QStringLiteral(R"(^(.+) \(conflicted copy (?:[^()]+ )?\d{4}-\d{2}-\d{2} \d{6}\)(\.[^.]+)?$)"));
// Dropbox, "What's a conflicted copy?"
// (help.dropbox.com/syncing-uploads/conflicted-copy): the editor's name,
//   "conflicted copy" and the date are added: "Muster_03_2017 (Erika's
//   conflicted copy 2026-12-09).tab"; a second one on the same day is
//   numbered ("… 2026-12-09 (1))").
const QRegularExpression kDropbox(QStringLiteral(
    R"(^(.+) \([^()]+ conflicted copy \d{4}-\d{2}-\d{2}(?: \(\d+\))?\)(\.[^.]+)?$)"));

// "<user>_<MM>_<YYYY>.tab" or ".txt", as the program names its files.
struct MonthName
{
    int month = 0;
    int year = 0;
    bool remark = false;
};

std::optional<MonthName> monthNameOf(const QString &fileName, const QString &user)
{
    static const QRegularExpression tail(QStringLiteral(R"(^_(\d{2})_(\d{4})\.(tab|txt)$)"));
    if (user.isEmpty() || !fileName.startsWith(user))
        return std::nullopt;
    const QRegularExpressionMatch match = tail.match(fileName.mid(user.size()));
    if (!match.hasMatch())
        return std::nullopt;
    const int month = match.captured(1).toInt();
    if (month < 1 || month > 12)
        return std::nullopt;
    return MonthName{month, match.captured(2).toInt(), match.captured(3) == QStringLiteral("txt")};
}

std::optional<QList<Reading>> readingsOf(const QString &path)
{
    const std::optional<MonthJournal> journal = MonthJournal::read(path);
    if (!journal)
        return std::nullopt;
    return journal->readings();
}

bool sameMonthFile(const Copy &a, const Copy &b)
{
    return std::tuple(a.year, a.month, a.remark, a.path) <
           std::tuple(b.year, b.month, b.remark, b.path);
}

} // namespace

std::optional<Name> parseName(const QString &fileName)
{
    const std::array<std::pair<const QRegularExpression *, Tool>, 3> rules = {{
        {&kSyncthing, Tool::Syncthing},
        {&kNextcloud, Tool::Nextcloud},
        {&kDropbox, Tool::Dropbox},
    }};
    for (const auto &[rule, tool] : rules) {
        const QRegularExpressionMatch match = rule->match(fileName);
        if (match.hasMatch())
            return Name{match.captured(1) + match.captured(2), tool};
    }
    return std::nullopt;
}

std::optional<Copy> copyOf(const QString &yearFolder, const QString &fileName, const QString &user)
{
    const std::optional<Name> name = parseName(fileName);
    if (!name)
        return std::nullopt;
    const std::optional<MonthName> month = monthNameOf(name->original, user);
    // A copy lies beside its file, in the folder of the year its name says.
    if (!month || QDir(yearFolder).dirName() != QString::number(month->year))
        return std::nullopt;
    return Copy{yearFolder + fileName,
                yearFolder + name->original,
                name->tool,
                month->remark,
                month->month,
                month->year};
}

QList<Copy> find(const QString &galleryFolder, const QString &user)
{
    static const QRegularExpression yearName(QStringLiteral(R"(^\d{4}$)"));
    QList<Copy> copies;
    const QDir gallery(galleryFolder);
    for (const QString &year : gallery.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!yearName.match(year).hasMatch())
            continue;
        const QString folder = DataFolders::withTrailingSlash(gallery.filePath(year));
        for (const QString &file : QDir(folder).entryList(QDir::Files)) {
            if (std::optional<Copy> copy = copyOf(folder, file, user))
                copies.append(std::move(*copy));
        }
    }
    std::sort(copies.begin(), copies.end(), sameMonthFile);
    return copies;
}

MonthPreview previewMonth(const Copy &copy, const QString &galleryFolder, const QString &user,
                          const std::array<QString, 4> &slotTimes)
{
    MonthPreview preview;
    preview.copy = copy;
    const std::optional<QList<Reading>> incoming = readingsOf(copy.path);
    if (!incoming) {
        preview.copyUnreadable = true;
        return preview;
    }
    // The copy is a month file of this program: each reading keeps its slot
    // where that is free.
    preview.plan = GalleryMerge::plan(galleryFolder, user, *incoming, slotTimes, true);
    // Each reading sorted as the plan placed it: one the month holds is
    // present; of the others, a day whose four slots are taken leaves the
    // rest unplaced, in the plan's order.
    QList<Reading> ordered = *incoming;
    std::stable_sort(ordered.begin(), ordered.end());
    const std::optional<MonthJournal> stored = MonthJournal::read(copy.originalPath);
    QHash<QDate, int> taken;
    if (stored) {
        for (const Reading &reading : stored->readings())
            ++taken[reading.date];
    }
    for (const Reading &reading : ordered) {
        const bool present =
            stored && std::any_of(stored->readings().cbegin(), stored->readings().cend(),
                                  [&reading](const Reading &other) {
                                      return GalleryMerge::sameReading(other, reading);
                                  });
        if (present) {
            preview.inBoth.append(reading);
        } else if (taken.value(reading.date) >= 4 ||
                   (!stored && QFileInfo::exists(copy.originalPath))) {
            preview.unplaced.append(reading);
        } else {
            ++taken[reading.date];
            preview.onlyInCopy.append(reading);
        }
    }
    return preview;
}

std::optional<QString> moveAway(const Copy &copy, const QString &galleryFolder, QString *problem)
{
    const QString folder = DataFolders::withTrailingSlash(galleryFolder) + Versions::kFolderName +
                           QLatin1Char('/') + QString::number(copy.year) + QLatin1Char('/');
    if (!DataFolders::ensureFolder(folder)) {
        if (problem)
            *problem = DataFolders::folderNotCreatedMessage(
                Versions::kFolderName + QLatin1Char('/') + QString::number(copy.year));
        return std::nullopt;
    }
    const QFileInfo info(copy.path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    // QFile::rename never replaces a file that is there: a clash takes the
    // next number.
    for (int number = 1; number < 1000; ++number) {
        QString name =
            number == 1 ? info.fileName() : stem + QStringLiteral("_") + QString::number(number);
        if (number > 1 && !suffix.isEmpty())
            name += QLatin1Char('.') + suffix;
        const QString target = folder + name;
        if (QFileInfo::exists(target))
            continue;
        if (QFile::rename(copy.path, target))
            return target;
        if (!QFileInfo::exists(target))
            break;
    }
    if (problem)
        *problem = QStringLiteral("Die Konfliktkopie %1 konnte nicht in den Ordner %2 "
                                  "verschoben werden; sie bleibt, wo sie ist.")
                       .arg(germanQuoted(info.fileName()), germanQuoted(folder));
    return std::nullopt;
}

QString mergeMonth(const MonthPreview &preview, const QString &galleryFolder, const QString &user,
                   QString *movedTo, QString *versionProblem)
{
    if (preview.copyUnreadable)
        return QStringLiteral("Die Konfliktkopie %1 konnte nicht gelesen werden.")
            .arg(germanQuoted(QFileInfo(preview.copy.path).fileName()));
    if (QString failure = GalleryMerge::apply(preview.plan, galleryFolder, user, versionProblem);
        !failure.isEmpty())
        return failure;
    // A reading that found no slot stays in the copy, which is kept.
    QString problem;
    const std::optional<QString> moved = moveAway(preview.copy, galleryFolder, &problem);
    if (moved && movedTo)
        *movedTo = *moved;
    return problem;
}

QStringList chosenRemark(const QStringList &original, const QStringList &copy, RemarkChoice choice)
{
    switch (choice) {
    case RemarkChoice::KeepOriginal:
        return original;
    case RemarkChoice::TakeCopy:
        return copy;
    case RemarkChoice::Both:
        break;
    }
    if (original.isEmpty())
        return copy;
    if (copy.isEmpty())
        return original;
    return original + QStringList{QString()} + copy;
}

QString mergeRemark(const Copy &copy, RemarkChoice choice, const QString &galleryFolder,
                    QString *movedTo, QString *versionProblem)
{
    const QString copyName = QFileInfo(copy.path).fileName();
    const std::optional<QStringList> theirs = TextFile::readLines(copy.path);
    if (!theirs)
        return QStringLiteral("Die Konfliktkopie %1 konnte nicht gelesen werden.")
            .arg(germanQuoted(copyName));
    std::optional<QStringList> ours = QStringList();
    if (QFileInfo::exists(copy.originalPath))
        ours = TextFile::readLines(copy.originalPath);
    if (!ours)
        return QStringLiteral("Die Bemerkung %1 konnte nicht gelesen werden.")
            .arg(germanQuoted(QFileInfo(copy.originalPath).fileName()));
    const QStringList lines = chosenRemark(*ours, *theirs, choice);
    if (lines != *ours) {
        const QString kept = Versions::keepBefore(galleryFolder, copy.originalPath, lines,
                                                  QDateTime::currentDateTime());
        if (versionProblem && versionProblem->isEmpty())
            *versionProblem = kept;
        QString error;
        if (!TextFile::writeLines(copy.originalPath, lines, &error))
            return QStringLiteral("Die Bemerkung %1 konnte nicht geschrieben werden: %2")
                .arg(germanQuoted(QFileInfo(copy.originalPath).fileName()), error);
    }
    QString problem;
    const std::optional<QString> moved = moveAway(copy, galleryFolder, &problem);
    if (moved && movedTo)
        *movedTo = *moved;
    return problem;
}

QString foundMessage(qsizetype count)
{
    return (count == 1 ? QStringLiteral("1 Konfliktkopie gefunden")
                       : QStringLiteral("%1 Konfliktkopien gefunden").arg(count)) +
           QStringLiteral(" – Datei → Konflikte zusammenführen …");
}

} // namespace ConflictCopies
