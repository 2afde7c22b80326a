// Versions of the month and remark files: when one is kept, how the pruning
// thins them out as the clock moves on, and a restore with its undo.
#include "base/text_file.h"
#include "storage/month_versions.h"
#include "storage/version_pruning.h"
#include "storage/versions.h"
#include "support/temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTest>

namespace {

const QString kMonth = QStringLiteral("Muster_03_2017.tab");

QStringList monthLines(std::initializer_list<const char *> entries, const char *switches = "1111")
{
    QStringList lines{QStringLiteral("[Personendaten]"), QStringLiteral("BenutzerName=Muster"),
                      QStringLiteral("Datum=März 2017")};
    for (int slot = 0; slot < 4; ++slot)
        lines << QStringLiteral("%1M=%2").arg(slot + 1).arg(QLatin1Char(switches[slot]));
    lines << QString();
    for (const char *entry : entries)
        lines << QString::fromUtf8(entry);
    return lines;
}

const char *const kFirst = "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0";
const char *const kSecond = "Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0";
const char *const kThird = "Morgens den 02.03.2017 Z=07:30 s=128, d=80, p=64, Gewicht=0";

QDateTime at(int day, int hour, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2017, 3, 1).addDays(day - 1), QTime(hour, minute, second));
}

// Two versions the same day, and a third later that month, so that only
// the age of the first one decides its fate.
QList<QDateTime> sameDayPair()
{
    return {at(10, 8), at(10, 9), at(20, 9)};
}

struct Gallery
{
    TempHome home;
    QString folder = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    QString file = folder + QStringLiteral("2017/") + kMonth;

    void write(const QStringList &lines) const
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(TextFile::writeLines(file, lines));
    }
    QStringList versionNames() const
    {
        QStringList names;
        for (const Versions::Version &version : Versions::of(folder, file))
            names << QFileInfo(version.path).fileName();
        return names;
    }
};

} // namespace

class TestVersions : public QObject
{
    Q_OBJECT

private slots:
    void pruningKeepsEveryVersionOfTheLastSevenDays();
    void pruningKeepsTheNewestOfEachDayForNinetyDays();
    void pruningKeepsTheNewestOfEachMonthForever();
    void aVersionIsKeptOnlyWhenSomethingWouldBeLost();
    void versionsOfOneSecondGetTheirOwnNames();
    void keepingPrunesOldVersionsAndLeftovers();
    void aFolderThatCannotBeMadeIsReportedAndTouchesNothing();
    void filesOutsideTheGalleryGetNoVersions();
    void restoreAndUndo();
    void summariesCountReadingsAndDifferences();
    void aYearOfDailyUseStaysSmall();
};

void TestVersions::pruningKeepsEveryVersionOfTheLastSevenDays()
{
    const QList<QDateTime> times = sameDayPair();
    const QDateTime sevenDays = times.at(0).addDays(VersionPruning::kAllKeptDays);
    QCOMPARE(VersionPruning::toRemove(times, sevenDays.addSecs(-1)), QList<qsizetype>());
    QCOMPARE(VersionPruning::toRemove(times, sevenDays), QList<qsizetype>());
    QCOMPARE(VersionPruning::toRemove(times, sevenDays.addSecs(1)), QList<qsizetype>{0});
}

void TestVersions::pruningKeepsTheNewestOfEachDayForNinetyDays()
{
    const QList<QDateTime> times = sameDayPair();
    // The second of the pair is the newest of its day, not of its month.
    const QDateTime ninetyDays = times.at(1).addDays(VersionPruning::kDailyKeptDays);
    QCOMPARE(VersionPruning::toRemove(times, ninetyDays.addSecs(-1)), QList<qsizetype>{0});
    QCOMPARE(VersionPruning::toRemove(times, ninetyDays), QList<qsizetype>{0});
    QCOMPARE(VersionPruning::toRemove(times, ninetyDays.addSecs(1)), (QList<qsizetype>{0, 1}));
}

void TestVersions::pruningKeepsTheNewestOfEachMonthForever()
{
    const QList<QDateTime> times{at(1, 8), at(31, 23, 59, 59), at(32, 0), at(10, 9), at(10, 9)};
    // The order of the list does not matter, but of two equal times the
    // later in the list is the newer one.
    QCOMPARE(VersionPruning::toRemove(times, at(1, 8).addYears(5)), (QList<qsizetype>{0, 3, 4}));
    // Within 90 days only the newest of a day counts: the first at 09:00.
    QCOMPARE(VersionPruning::toRemove(times, at(20, 0)), QList<qsizetype>{3});
    QCOMPARE(VersionPruning::toRemove({at(10, 9), at(10, 9)}, at(10, 9).addDays(8)),
             QList<qsizetype>{0});
}

void TestVersions::aVersionIsKeptOnlyWhenSomethingWouldBeLost()
{
    Gallery gallery;
    const QDateTime now = at(5, 20, 41, 5);
    QVERIFY(
        Versions::keepBefore(gallery.folder, gallery.file, monthLines({kFirst}), now).isEmpty());
    QVERIFY(gallery.versionNames().isEmpty()); // nothing to keep before the first save

    gallery.write(monthLines({"Morgens den  01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0"}));
    const QByteArray twoBlanks = TempHome::readFile(gallery.file);
    // The same reading written with one blank after "den": nothing is lost.
    QVERIFY(
        Versions::keepBefore(gallery.folder, gallery.file, monthLines({kFirst}), now).isEmpty());
    QVERIFY(gallery.versionNames().isEmpty());

    QVERIFY(Versions::keepBefore(gallery.folder, gallery.file, monthLines({kFirst, kSecond}), now)
                .isEmpty());
    QCOMPARE(gallery.versionNames(), QStringList{kMonth + QStringLiteral(".2017-03-05_20-41-05")});
    QCOMPARE(TempHome::readFile(Versions::of(gallery.folder, gallery.file).constFirst().path),
             twoBlanks);

    // A slot switched off is kept too: it is part of the month.
    Versions::keepBefore(gallery.folder, gallery.file, monthLines({kFirst}, "1101"),
                         now.addSecs(1));
    QCOMPARE(gallery.versionNames().size(), 2);

    const QString remark = gallery.folder + QStringLiteral("2017/Muster_03_2017.txt");
    QVERIFY(TextFile::writeLines(remark, {QStringLiteral("Urlaub")}));
    Versions::keepBefore(gallery.folder, remark, {QStringLiteral("Urlaub")}, now);
    QVERIFY(Versions::of(gallery.folder, remark).isEmpty());
    Versions::keepBefore(gallery.folder, remark, {QStringLiteral("Urlaub am Meer")}, now);
    QCOMPARE(Versions::of(gallery.folder, remark).size(), 1);
    QCOMPARE(TempHome::readFile(Versions::of(gallery.folder, remark).constFirst().path),
             QByteArray("Urlaub\r\n"));
}

void TestVersions::versionsOfOneSecondGetTheirOwnNames()
{
    Gallery gallery;
    const QDateTime now = at(7, 20, 41, 5);
    for (const auto &next : {monthLines({kFirst}), monthLines({kSecond}), monthLines({kThird})}) {
        gallery.write(next == monthLines({kFirst}) ? monthLines({kThird}) : monthLines({kFirst}));
        QVERIFY(Versions::keepBefore(gallery.folder, gallery.file, next, now).isEmpty());
    }
    const QString stamp = kMonth + QStringLiteral(".2017-03-07_20-41-05");
    QCOMPARE(gallery.versionNames(),
             (QStringList{stamp, stamp + QStringLiteral("_2"), stamp + QStringLiteral("_3")}));
}

void TestVersions::keepingPrunesOldVersionsAndLeftovers()
{
    Gallery gallery;
    // Three changes on March 1st, then one a day up to June 8th (day 100).
    gallery.write(monthLines({kFirst}));
    for (int change = 0; change < 102; ++change) {
        const QDateTime now = at(1, 8).addDays(std::max(0, change - 2)).addSecs(change);
        const QStringList next = change % 2 ? monthLines({kFirst}) : monthLines({kSecond});
        Versions::keepBefore(gallery.folder, gallery.file, next, now);
        gallery.write(next);
    }
    const QString folder = Versions::folderOf(gallery.folder, gallery.file);
    const QString leftover = folder + kMonth + QStringLiteral(".2017-03-01_08-00-00.Ab3xY9");
    TempHome::writeFile(leftover, "half");
    TempHome::writeFile(folder + QStringLiteral("Notiz.txt"), "not ours");
    // Another month's version is pruned by the same clock.
    TempHome::writeFile(folder + QStringLiteral("Muster_02_2017.tab.2017-02-27_08-00-00"), "x");
    TempHome::writeFile(folder + QStringLiteral("Muster_02_2017.tab.2017-02-28_08-00-00"), "y");
    Versions::keepBefore(gallery.folder, gallery.file, monthLines({kThird}), at(101, 8));
    // Days 94 to 101 all (within 7 days), the only version of each of the
    // days 11 to 93 (within 90 days); March's newest version lies within
    // those, so its first ten days go.
    const QStringList names = gallery.versionNames();
    QCOMPARE(names.size(), 8 + 83);
    QCOMPARE(names.constFirst(), kMonth + QStringLiteral(".2017-03-11_08-00-12"));
    QCOMPARE(names.constLast(), kMonth + QStringLiteral(".2017-06-09_08-00-00"));
    QVERIFY(!QFileInfo::exists(leftover));
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("Notiz.txt")));
    QCOMPARE(QDir(folder).entryList({QStringLiteral("Muster_02_2017.tab.*")}),
             QStringList{QStringLiteral("Muster_02_2017.tab.2017-02-28_08-00-00")});
}

void TestVersions::aFolderThatCannotBeMadeIsReportedAndTouchesNothing()
{
    Gallery gallery;
    gallery.write(monthLines({kFirst}));
    const QByteArray before = TempHome::readFile(gallery.file);
    TempHome::writeFile(gallery.folder + QStringLiteral("Sicherungen"), "a file in the way");
    const QString problem =
        Versions::keepBefore(gallery.folder, gallery.file, monthLines({kSecond}), at(3, 9));
    QVERIFY(problem.startsWith(QStringLiteral("Der Ordner „")));
    QVERIFY(problem.endsWith(QStringLiteral("Sicherungen/2017/“ lässt sich nicht anlegen.")));
    QCOMPARE(TempHome::readFile(gallery.file), before);
}

void TestVersions::filesOutsideTheGalleryGetNoVersions()
{
    Gallery gallery;
    const QString outside = gallery.home.workFolder() + QStringLiteral("2017/") + kMonth;
    const QString noYear = gallery.folder + QStringLiteral("Archiv/") + kMonth;
    for (const QString &file : {outside, noYear}) {
        TempHome::writeFile(file, "[Personendaten]\r\n");
        QVERIFY(
            Versions::keepBefore(gallery.folder, file, monthLines({kSecond}), at(3, 9)).isEmpty());
        QVERIFY(Versions::folderOf(gallery.folder, file).isEmpty());
    }
    QVERIFY(!QFileInfo::exists(gallery.folder + QStringLiteral("Sicherungen")));
}

void TestVersions::restoreAndUndo()
{
    Gallery gallery;
    gallery.write(monthLines({kFirst, kSecond}));
    const QByteArray before = TempHome::readFile(gallery.file);
    Versions::keepBefore(gallery.folder, gallery.file, monthLines({kThird}), at(4, 9));
    gallery.write(monthLines({kThird}));
    const QByteArray wrong = TempHome::readFile(gallery.file);

    const QString kept = Versions::of(gallery.folder, gallery.file).constFirst().path;
    QVERIFY(Versions::restore(gallery.folder, gallery.file, kept, at(4, 10)).isEmpty());
    QCOMPARE(TempHome::readFile(gallery.file), before);
    const QList<Versions::Version> versions = Versions::of(gallery.folder, gallery.file);
    QCOMPARE(versions.size(), 2);
    QCOMPARE(TempHome::readFile(versions.constLast().path), wrong);

    // The undo is a restore of the version the restore kept.
    QVERIFY(Versions::restore(gallery.folder, gallery.file, versions.constLast().path, at(4, 11))
                .isEmpty());
    QCOMPARE(TempHome::readFile(gallery.file), wrong);
    QCOMPARE(Versions::of(gallery.folder, gallery.file).size(), 3);

    // When the present file cannot become a version, it stays as it is.
    TextFile::setWriteFaultForTesting(
        [](const QString &path) { return !path.contains(QStringLiteral("Sicherungen")); });
    const QString problem =
        Versions::restore(gallery.folder, gallery.file, versions.constFirst().path, at(4, 12));
    TextFile::setWriteFaultForTesting({});
    QVERIFY(problem.contains(QStringLiteral("lässt sich nicht schreiben")));
    QCOMPARE(TempHome::readFile(gallery.file), wrong);
}

void TestVersions::summariesCountReadingsAndDifferences()
{
    Gallery gallery;
    gallery.write(monthLines({kFirst, kSecond, kThird}));
    Versions::keepBefore(gallery.folder, gallery.file, monthLines({kThird}), at(4, 9));
    gallery.write(monthLines({kThird}));
    Versions::keepBefore(gallery.folder, gallery.file, monthLines({kSecond}), at(4, 10));
    gallery.write(monthLines({kSecond}));

    const QList<MonthVersions::Summary> summaries = MonthVersions::of(gallery.folder, gallery.file);
    QCOMPARE(summaries.size(), 2);
    QCOMPARE(summaries.at(0).version.time, at(4, 10)); // newest first
    QCOMPARE(summaries.at(0).readings, 1);
    QCOMPARE(MonthVersions::differenceText(summaries.at(0).gained, summaries.at(0).lost),
             QStringLiteral("+1 / \u22121 Messungen"));
    QCOMPARE(summaries.at(1).readings, 3);
    QCOMPARE(MonthVersions::differenceText(summaries.at(1).gained, summaries.at(1).lost),
             QStringLiteral("+2 / \u22120 Messungen"));
    QCOMPARE(MonthVersions::readingsText(1), QStringLiteral("1 Messung"));
    QCOMPARE(MonthVersions::readingsText(3), QStringLiteral("3 Messungen"));
}

void TestVersions::aYearOfDailyUseStaysSmall()
{
    // Two readings a day, each added with one save, for a year: the figure
    // the README gives for the space the versions take.
    Gallery gallery;
    const QDate first(2017, 1, 1);
    for (QDate day = first; day < first.addYears(1); day = day.addDays(1)) {
        const QString file = gallery.folder + QString::number(day.year()) +
                             QStringLiteral("/Muster_%1_%2.tab")
                                 .arg(day.month(), 2, 10, QLatin1Char('0'))
                                 .arg(day.year());
        for (const auto &[slot, time] :
             {std::pair("Morgens", QTime(7, 30)), std::pair("Abends", QTime(20, 40))}) {
            QDir().mkpath(QFileInfo(file).absolutePath());
            QStringList lines = TextFile::readLines(file).value_or(monthLines({}));
            lines << QStringLiteral("%1 den %2 Z=%3 s=135, d=85, p=66, Gewicht=78,4")
                         .arg(QLatin1String(slot), day.toString(QStringLiteral("dd.MM.yyyy")),
                              time.toString(QStringLiteral("HH:mm")));
            QVERIFY(
                Versions::keepBefore(gallery.folder, file, lines, QDateTime(day, time)).isEmpty());
            QVERIFY(TextFile::writeLines(file, lines));
        }
    }
    qint64 bytes = 0;
    int count = 0;
    QDirIterator it(gallery.folder + QStringLiteral("Sicherungen"), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        bytes += QFileInfo(it.next()).size();
        ++count;
    }
    qInfo("a year of daily use: %d versions, %lld bytes", count, bytes);
    // On December 31st at 20:40: December 24th 20:40 and the 14 later ones
    // (7 days), the evening of each day from October 2nd to December 23rd
    // (90 days; October 2nd exactly), and the newest of January to September.
    QCOMPARE(count, 15 + (30 + 30 + 23) + 9);
    QVERIFY(bytes < 300 * 1024);
}

QTEST_GUILESS_MAIN(TestVersions)
#include "tst_versions.moc"
