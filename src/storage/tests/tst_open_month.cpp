// The open month's commands on real files: what each writes, what it tells,
// and that every change of the month is announced once.
#include "base/text_file.h"
#include "storage/data_folders.h"
#include "storage/gallery_month_file.h"
#include "storage/open_month.h"
#include "storage/versions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

namespace {

using Kind = OpenMonth::Notice::Kind;
using Outcome = OpenMonth::SaveResult::Outcome;

const std::array<bool, 4> kEverySlot = {true, true, true, true};

const char kMarch[] = "[Personendaten]\r\nBenutzerName=Muster\r\nDatum=März 2017\r\n1M=1\r\n"
                      "2M=1\r\n3M=1\r\n4M=1\r\n\r\n"
                      "Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, Gewicht=80,5\r\n"
                      "Abends den 05.03.2017 Z=20:40 s=141, d=91, p=70, Gewicht=0\r\n";

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

EntryLine::Fields reading(const QString &day, const QString &systolic)
{
    return {QStringLiteral("Morgens den "),
            day,
            QStringLiteral("03"),
            QStringLiteral("2017"),
            QStringLiteral("07:30"),
            systolic,
            QStringLiteral("80"),
            QStringLiteral("64"),
            QStringLiteral("0")};
}

// Every write fails as on a full disk while it lives.
struct FullDisk
{
    FullDisk()
    {
        TextFile::setWriteFaultForTesting([](const QString &) { return false; });
    }
    ~FullDisk() { TextFile::setWriteFaultForTesting({}); }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;
};

// A gallery in a temporary folder with Muster's month of March 2017.
struct Gallery
{
    QTemporaryDir dir;
    QString gallery = dir.path() + QStringLiteral("/Galerie/");
    QString html = dir.path() + QStringLiteral("/html/");
    QString march = gallery + QStringLiteral("2017/Muster_03_2017.tab");
    OpenMonth month;
    QSignalSpy changes{&month, &OpenMonth::changed};

    Gallery()
    {
        QDir().mkpath(gallery);
        QDir().mkpath(html);
        month.setGalleryFolder(gallery);
        month.setHtmlFolder(html);
        month.setUserName(QStringLiteral("Muster"));
    }
    // The number of changed() signals since the last call.
    int changesSinceLast()
    {
        const auto count = int(changes.count());
        changes.clear();
        return count;
    }
};

} // namespace

class TestOpenMonth : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsTheGallerysMonth();
    void unreadableFileIsToldAndShowsNothing();
    void fileFromElsewhereIsCopiedIntoTheGallery();
    void fileBesideOtherReadingsIsOnlyShown();
    void addWritesTheMonthIntoItsYearFolder();
    void addTellsTheFoldersItCannotMake();
    void gallerysMonthIsJoinedByTheFirstAdd();
    void takenOutLineIsDroppedOnlyOnPurpose();
    void saveOfTheLinesJustWrittenWritesNothing();
    void failedWriteLeavesTheOldFileWhole();
    void versionIsKeptBeforeEverySave();
    void remarkIsSavedWithItsVersion();
    void failedRemarkIsTold();
    void otherProgramsChangesAreToldOwnWritesNever();
    void replacedAndAppearingFilesStayWatched();
    void commandsOwnWritesAreNoNews();
};

void TestOpenMonth::loadShowsTheGallerysMonth()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    QStringList seen;
    const OpenMonth::LoadResult loaded =
        g.month.load(g.march, [&seen](const QString &line) { seen.append(line); });
    QCOMPARE(g.changesSinceLast(), 1);
    QVERIFY(loaded.read);
    QCOMPARE(loaded.notices, OpenMonth::Notices());
    QCOMPARE(loaded.header.userName, QStringLiteral("Muster"));
    QVERIFY(loaded.hasWeights);
    QVERIFY(!loaded.collectFailure && !loaded.tableFailure);
    QCOMPARE(g.month.lines().size(), 2);
    QCOMPARE(seen, g.month.lines());
    QCOMPARE(
        g.month.lines().constLast(),
        QStringLiteral("Abends den \t05.03.2017 \tZ=20:40 \ts=141, \td=91, \tp=70, \tGewicht=0"));
    QCOMPARE(g.month.path(), g.march);
    QCOMPARE(g.month.month(), QStringLiteral("03"));
    QCOMPARE(g.month.year(), QStringLiteral("2017"));
    QCOMPARE(g.month.lastWeightText(), QStringLiteral("80,5"));
    QVERIFY(g.month.placeProblem().isEmpty());
    // Loading touches no file.
    QCOMPARE(readBytes(g.march), QByteArray(kMarch));
    QVERIFY(!QFileInfo::exists(g.gallery + Versions::kFolderName));
}

void TestOpenMonth::unreadableFileIsToldAndShowsNothing()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    g.month.load(g.march);
    const QString missing = g.gallery + QStringLiteral("2017/Muster_04_2017.tab");
    const OpenMonth::LoadResult loaded = g.month.load(missing);
    QCOMPARE(g.changesSinceLast(), 2);
    QVERIFY(!loaded.read);
    QCOMPARE(loaded.notices,
             OpenMonth::Notices(
                 {{Kind::Warning, QStringLiteral("Fehler beim Lesen der Datei: ") + missing}}));
    // The title names the month that failed, never another user.
    QVERIFY(loaded.header.userName.isEmpty());
    QCOMPARE(g.month.lines(), QStringList());
    QCOMPARE(g.month.userName(), QStringLiteral("Muster"));
}

void TestOpenMonth::fileFromElsewhereIsCopiedIntoTheGallery()
{
    Gallery g;
    const QString stick = g.dir.path() + QStringLiteral("/Stick/März.tab");
    QVERIFY(writeBytes(stick, kMarch));
    const OpenMonth::LoadResult loaded = g.month.load(stick);
    QCOMPARE(g.changesSinceLast(), 1);
    QCOMPARE(loaded.notices, OpenMonth::Notices());
    QCOMPARE(g.month.path(), g.march);
    QCOMPARE(readBytes(g.march), QByteArray(kMarch));
    QCOMPARE(g.month.save(kEverySlot).outcome, Outcome::Written);
    // Saving is no change of the month: the window loads it again.
    QCOMPARE(g.changesSinceLast(), 0);
    QCOMPARE(readBytes(stick), QByteArray(kMarch));
}

void TestOpenMonth::fileBesideOtherReadingsIsOnlyShown()
{
    Gallery g;
    const QByteArray other = QByteArray(kMarch).replace("s=128", "s=129");
    QVERIFY(writeBytes(g.march, other));
    const QString stick = g.dir.path() + QStringLiteral("/Stick/März.tab");
    QVERIFY(writeBytes(stick, kMarch));
    const OpenMonth::LoadResult loaded = g.month.load(stick);
    QCOMPARE(loaded.notices.size(), 1);
    QCOMPARE(loaded.notices.constFirst().kind, Kind::Warning);
    QVERIFY(loaded.notices.constFirst().text.contains(QStringLiteral("März.tab")));
    QVERIFY(!g.month.placeProblem().isEmpty());

    // Neither the save nor an add writes either file.
    const OpenMonth::SaveResult saved = g.month.save(kEverySlot);
    QCOMPARE(saved.outcome, Outcome::ShownOnly);
    QCOMPARE(saved.notices.size(), 1);
    QCOMPARE(saved.notices.constFirst().text,
             GalleryMonthFile::shownOnlyMessage(g.march, g.month.placeProblem()));
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(!g.month.placeProblem().isEmpty());
    QCOMPARE(readBytes(g.march), other);
    QCOMPARE(readBytes(stick), QByteArray(kMarch));
    QCOMPARE(g.changesSinceLast(), 1);
}

void TestOpenMonth::addWritesTheMonthIntoItsYearFolder()
{
    Gallery g;
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(g.month.placeProblem().isEmpty());
    const OpenMonth::AddResult added =
        g.month.add(reading(QStringLiteral("07"), QStringLiteral("130")), kEverySlot);
    QCOMPARE(g.changesSinceLast(), 1);
    QCOMPARE(added.notices, OpenMonth::Notices());
    QVERIFY(added.written);
    QCOMPARE(g.month.path(), g.march);
    QCOMPARE(TextFile::readLines(g.march), added.written);
    QCOMPARE(g.month.lines(),
             QStringList{QStringLiteral(
                 "Morgens den \t07.03.2017 \tZ=07:30 \ts=130, \td=80, \tp=64, \tGewicht=0")});
    QVERIFY(QFileInfo(g.html + QStringLiteral("2017")).isDir());

    // A second reading of an earlier day takes its place in date order.
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    const OpenMonth::AddResult second =
        g.month.add(reading(QStringLiteral("02"), QStringLiteral("125")), kEverySlot);
    QCOMPARE(g.changesSinceLast(), 1);
    QVERIFY(second.written);
    QCOMPARE(g.month.lines().size(), 2);
    QVERIFY(g.month.lines().constFirst().contains(QStringLiteral("02.03.2017")));
    QCOMPARE(TextFile::readLines(g.march), second.written);
}

void TestOpenMonth::addTellsTheFoldersItCannotMake()
{
    Gallery g;
    // A file where the year folders of the charts belong.
    QVERIFY(writeBytes(g.html + QStringLiteral("2017"), "kein Ordner"));
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    const OpenMonth::AddResult added =
        g.month.add(reading(QStringLiteral("07"), QStringLiteral("130")), kEverySlot);
    QCOMPARE(added.notices,
             OpenMonth::Notices({{Kind::Plain, DataFolders::htmlYearFolderNotCreatedMessage(
                                                   QStringLiteral("2017"))}}));
    // The month is written all the same.
    QVERIFY(added.written);
    QCOMPARE(g.changesSinceLast(), 1);
}

void TestOpenMonth::gallerysMonthIsJoinedByTheFirstAdd()
{
    Gallery g;
    QCOMPARE(g.month.monthToJoin(QStringLiteral("03"), QStringLiteral("2017")), std::nullopt);
    QVERIFY(writeBytes(g.march, kMarch));
    const std::optional<OpenMonth::Joined> joined =
        g.month.monthToJoin(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(joined);
    QCOMPARE(joined->path, g.march);
    QVERIFY(joined->refusal.isEmpty());
    // Another month of the gallery has no file to join.
    QCOMPARE(g.month.monthToJoin(QStringLiteral("04"), QStringLiteral("2017")), std::nullopt);
    // A month that shows readings joins none.
    g.month.load(g.march);
    QCOMPARE(g.month.monthToJoin(QStringLiteral("03"), QStringLiteral("2017")), std::nullopt);

    // A file the program cannot read is never replaced.
    Gallery h;
    const QString march = h.gallery + QStringLiteral("2017/Muster_03_2017.tab");
    QDir().mkpath(march);
    const std::optional<OpenMonth::Joined> unreadable =
        h.month.monthToJoin(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(unreadable);
    QCOMPARE(unreadable->refusal, QStringLiteral("Fehler beim Lesen der Datei: ") + march);
    QCOMPARE(h.changesSinceLast(), 0);
}

void TestOpenMonth::takenOutLineIsDroppedOnlyOnPurpose()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    g.month.load(g.march);
    g.changesSinceLast();
    const QString taken = g.month.takeOut(0);
    QCOMPARE(g.changesSinceLast(), 1);
    QCOMPARE(taken,
             QStringLiteral(
                 "Morgens den \t05.03.2017 \tZ=07:30 \ts=128, \td=80, \tp=64, \tGewicht=80,5"));
    QCOMPARE(g.month.lines().size(), 1);

    // Without naming the line, the save would lose a reading: refused.
    const OpenMonth::SaveResult refused = g.month.save(kEverySlot);
    QCOMPARE(refused.outcome, Outcome::Refused);
    QCOMPARE(refused.notices.size(), 1);
    QCOMPARE(refused.notices.constFirst().kind, Kind::Warning);
    QCOMPARE(readBytes(g.march), QByteArray(kMarch));

    const OpenMonth::SaveResult saved = g.month.save(kEverySlot, EntryLine::fromDisplayLine(taken));
    QCOMPARE(saved.outcome, Outcome::Written);
    QCOMPARE(saved.notices, OpenMonth::Notices());
    const std::optional<QStringList> lines = TextFile::readLines(g.march);
    QVERIFY(lines);
    QVERIFY(!lines->join(QLatin1Char('\n')).contains(QStringLiteral("s=128")));
    QVERIFY(lines->join(QLatin1Char('\n')).contains(QStringLiteral("s=141")));
    QCOMPARE(g.changesSinceLast(), 0);
}

void TestOpenMonth::saveOfTheLinesJustWrittenWritesNothing()
{
    Gallery g;
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    const OpenMonth::AddResult added =
        g.month.add(reading(QStringLiteral("07"), QStringLiteral("130")), kEverySlot);
    QVERIFY(added.written);
    const QStringList written = *added.written;
    // Even a full disk does not stop the save that finds its lines written.
    const FullDisk full;
    QCOMPARE(g.month.save(kEverySlot, QString(), &written).outcome, Outcome::Written);
    QCOMPARE(g.month.save(kEverySlot).outcome, Outcome::Refused);
}

void TestOpenMonth::failedWriteLeavesTheOldFileWhole()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    g.month.load(g.march);
    g.changesSinceLast();
    const QStringList before = g.month.lines();
    {
        const FullDisk full;
        g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
        const OpenMonth::AddResult added =
            g.month.add(reading(QStringLiteral("07"), QStringLiteral("130")), kEverySlot);
        QCOMPARE(added.written, std::nullopt);
        QCOMPARE(
            added.notices,
            OpenMonth::Notices(
                {{Kind::Warning, QStringLiteral("Fehler beim Erzeugen der Datei ") + g.march}}));
        // The list keeps the reading, so that the user can save it later.
        QCOMPARE(g.month.lines().size(), before.size() + 1);
        QCOMPARE(g.changesSinceLast(), 1);

        const OpenMonth::SaveResult saved = g.month.save(kEverySlot);
        QCOMPARE(saved.outcome, Outcome::Refused);
        QCOMPARE(
            saved.notices,
            OpenMonth::Notices({{Kind::Warning, QStringLiteral("Fehler beim Erzeugen der "
                                                               "Datei Muster_03_2017.tab!")}}));
        QCOMPARE(readBytes(g.march), QByteArray(kMarch));
    }
    // Once the disk has room, the save writes the reading kept in the list.
    QCOMPARE(g.month.save(kEverySlot).outcome, Outcome::Written);
    QVERIFY(readBytes(g.march).contains("s=130"));
}

void TestOpenMonth::versionIsKeptBeforeEverySave()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    g.month.load(g.march);
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(g.month.add(reading(QStringLiteral("07"), QStringLiteral("130")), kEverySlot).written);
    const QDir versions(g.gallery + Versions::kFolderName + QStringLiteral("/2017"));
    const QStringList kept = versions.entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(readBytes(versions.filePath(kept.constFirst())), QByteArray(kMarch));

    // A version that cannot be kept is told, and the save goes through.
    QDir(g.gallery + Versions::kFolderName).removeRecursively();
    QVERIFY(writeBytes(g.gallery + Versions::kFolderName, "kein Ordner"));
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    const OpenMonth::AddResult added =
        g.month.add(reading(QStringLiteral("08"), QStringLiteral("131")), kEverySlot);
    QVERIFY(added.written);
    QCOMPARE(added.notices.size(), 1);
    QCOMPARE(added.notices.constFirst().kind, Kind::VersionProblem);
    QVERIFY(!added.notices.constFirst().text.isEmpty());
}

void TestOpenMonth::remarkIsSavedWithItsVersion()
{
    Gallery g;
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    g.month.settleInYearFolder();
    QDir().mkpath(g.gallery + QStringLiteral("2017"));
    const QString remark = g.month.remarkSavePath();
    const OpenMonth::RemarkResult first = g.month.saveRemark(remark, {QStringLiteral("Urlaub")});
    QVERIFY(first.written);
    QCOMPARE(first.notices, OpenMonth::Notices());
    QCOMPARE(g.changesSinceLast(), 1);
    QCOMPARE(readBytes(remark), QByteArray("Urlaub\r\n"));

    QVERIFY(g.month.saveRemark(remark, {QStringLiteral("Kur")}).written);
    QCOMPARE(g.changesSinceLast(), 1);
    QCOMPARE(readBytes(remark), QByteArray("Kur\r\n"));
    const QDir versions(g.gallery + Versions::kFolderName + QStringLiteral("/2017"));
    const QStringList kept = versions.entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(readBytes(versions.filePath(kept.constFirst())), QByteArray("Urlaub\r\n"));
}

void TestOpenMonth::failedRemarkIsTold()
{
    Gallery g;
    g.month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    g.month.settleInYearFolder();
    QDir().mkpath(g.gallery + QStringLiteral("2017"));
    const QString remark = g.month.remarkSavePath();
    QVERIFY(writeBytes(remark, "Urlaub\r\n"));
    const FullDisk full;
    const OpenMonth::RemarkResult saved = g.month.saveRemark(remark, {QStringLiteral("Kur")});
    QVERIFY(!saved.written);
    QCOMPARE(saved.notices.size(), 1);
    QCOMPARE(saved.notices.constFirst().kind, Kind::Warning);
    QVERIFY(saved.notices.constFirst().text.startsWith(
        QStringLiteral("Die Bemerkung konnte nicht gespeichert werden: ") + remark +
        QStringLiteral("\r\n")));
    QCOMPARE(g.changesSinceLast(), 0);
    QCOMPARE(readBytes(remark), QByteArray("Urlaub\r\n"));
}

namespace {

// As sync tools and the program's own safe writes do: the new content goes
// to another file that is renamed over the old one.
bool replaceByRename(const QString &path, const QByteArray &bytes)
{
    const QString temporary = path + QStringLiteral(".syncthing-tmp");
    return writeBytes(temporary, bytes) &&
           std::rename(qPrintable(temporary), qPrintable(path)) == 0;
}

// Lets the watcher's events arrive; none comes later than this on a local disk.
void settle()
{
    QTest::qWait(300);
}

} // namespace

void TestOpenMonth::otherProgramsChangesAreToldOwnWritesNever()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    QVERIFY(g.month.load(g.march).read);
    QSignalSpy onDisk(&g.month, &OpenMonth::changedOnDisk);

    // The month's own add, save and remark write nothing it would hear of.
    QVERIFY(g.month.add(reading(QStringLiteral("08"), QStringLiteral("131")), kEverySlot).written);
    QCOMPARE(g.month.save(kEverySlot).outcome, Outcome::Written);
    QVERIFY(g.month.saveRemark(g.month.remarkSavePath(), {QStringLiteral("Kur")}).written);
    settle();
    QCOMPARE(onDisk.count(), 0);

    // The same bytes written again by another program are no change.
    const QByteArray now = readBytes(g.march);
    QVERIFY(writeBytes(g.march, now));
    settle();
    QCOMPARE(onDisk.count(), 0);

    // Another program's change in place is told once, with the file's path.
    QByteArray changed = now;
    changed.append("Messung2 den 09.03.2017 Z=12:00 s=120, d=80, p=60, Gewicht=0\r\n");
    QVERIFY(writeBytes(g.march, changed));
    QTRY_COMPARE_WITH_TIMEOUT(onDisk.count(), 1, 5000);
    QCOMPARE(onDisk.constFirst().constFirst().toString(), g.march);
    settle();
    QCOMPARE(onDisk.count(), 1);
    QCOMPARE(g.month.knownOnDisk().value(g.march), std::optional<QByteArray>(changed));

    // A reload makes what is on disk the month's own again.
    QVERIFY(g.month.load(g.march).read);
    QCOMPARE(g.month.lines().size(), 4);
    settle();
    QCOMPARE(onDisk.count(), 1);
}

void TestOpenMonth::replacedAndAppearingFilesStayWatched()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    QVERIFY(g.month.load(g.march).read);
    QSignalSpy onDisk(&g.month, &OpenMonth::changedOnDisk);

    // A rename over the file ends the watch of the old one; each of several
    // replacements in a row is still heard.
    QByteArray bytes = kMarch;
    for (int round = 1; round <= 3; ++round) {
        bytes.append(QStringLiteral("Messung2 den 1%1.03.2017 Z=12:00 s=120, d=80, p=60, "
                                    "Gewicht=0\r\n")
                         .arg(round)
                         .toLatin1());
        QVERIFY(replaceByRename(g.march, bytes));
        QTRY_COMPARE_WITH_TIMEOUT(onDisk.count(), round, 5000);
        QCOMPARE(onDisk.constLast().constFirst().toString(), g.march);
    }

    // The month had no remark: one that appears in the folder is heard.
    const QString remark = g.month.storedRemarkPath();
    QVERIFY(!QFileInfo::exists(remark));
    QVERIFY(replaceByRename(remark, "Vom Laptop\r\n"));
    QTRY_COMPARE_WITH_TIMEOUT(onDisk.count(), 4, 5000);
    QCOMPARE(onDisk.constLast().constFirst().toString(), remark);

    // A file missing for a moment is no change; its return with other
    // content is.
    QVERIFY(QFile::remove(g.march));
    settle();
    QCOMPARE(onDisk.count(), 4);
    QVERIFY(writeBytes(g.march, kMarch));
    QTRY_COMPARE_WITH_TIMEOUT(onDisk.count(), 5, 5000);
    QCOMPARE(onDisk.constLast().constFirst().toString(), g.march);

    // A new month forgets the files of the one before.
    g.month.startNewMonth();
    QVERIFY(replaceByRename(g.march, bytes));
    settle();
    QCOMPARE(onDisk.count(), 5);
}

void TestOpenMonth::commandsOwnWritesAreNoNews()
{
    Gallery g;
    QVERIFY(writeBytes(g.march, kMarch));
    QVERIFY(g.month.load(g.march).read);
    QSignalSpy onDisk(&g.month, &OpenMonth::changedOnDisk);
    const QString remark = g.month.storedRemarkPath();
    QByteArray bytes = kMarch;
    bytes.append("Messung2 den 09.03.2017 Z=12:00 s=120, d=80, p=60, Gewicht=0\r\n");
    {
        // A command writes the month through another service and names it.
        OpenMonth::OwnWrites own(g.month);
        QVERIFY(replaceByRename(g.march, bytes));
        QVERIFY(replaceByRename(remark, "Aus der Sicherung\r\n"));
        settle(); // a message box of the command lets the events in
        QCOMPARE(onDisk.count(), 0);
        own.wrote({g.march, remark});
    }
    QCOMPARE(onDisk.count(), 0);
    QCOMPARE(g.month.knownOnDisk().value(g.march), std::optional<QByteArray>(bytes));
    settle();
    QCOMPARE(onDisk.count(), 0);

    // What the command did not name is another program's, told when the
    // hold ends; so is a change after it.
    {
        OpenMonth::OwnWrites own(g.month);
        QVERIFY(replaceByRename(remark, "Vom Laptop\r\n"));
        settle();
        QCOMPARE(onDisk.count(), 0);
        own.wrote({g.march});
    }
    QCOMPARE(onDisk.count(), 1);
    QCOMPARE(onDisk.constLast().constFirst().toString(), remark);
    QVERIFY(replaceByRename(g.march, kMarch));
    QTRY_COMPARE_WITH_TIMEOUT(onDisk.count(), 2, 5000);
    QCOMPARE(onDisk.constLast().constFirst().toString(), g.march);
}

QTEST_GUILESS_MAIN(TestOpenMonth)
#include "tst_open_month.moc"
