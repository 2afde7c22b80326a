// Conflict copies of sync tools: the names each tool gives them, the names
// that only look alike, and the merge and the move on real files.
#include "storage/conflict_copies.h"
#include "storage/versions.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

using ConflictCopies::Tool;

const std::array<QString, 4> kSlotTimes = {QStringLiteral("07:30"), QStringLiteral("12:00"),
                                           QStringLiteral("17:00"), QStringLiteral("20:40")};

QByteArray month(const char *user, const char *datum, std::initializer_list<const char *> lines)
{
    QByteArray text = QByteArray("[Personendaten]\r\nBenutzerName=") + user + "\r\nDatum=" + datum +
                      "\r\n1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n";
    for (const char *line : lines)
        text += QByteArray(line) + "\r\n";
    return text;
}

const char kMorning5[] = "Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, Gewicht=80,5";
const char kEvening5[] = "Abends den 05.03.2017 Z=20:40 s=141, d=91, p=70, Gewicht=0";
const char kMorning6Desk[] = "Morgens den 06.03.2017 Z=07:35 s=130, d=82, p=66, Gewicht=0";
const char kMorning6Laptop[] = "Morgens den 06.03.2017 Z=07:10 s=125, d=79, p=61, Gewicht=0";
const char kEvening7Laptop[] = "Abends den 07.03.2017 Z=21:00 s=133, d=84, p=70, Gewicht=0";

struct Home
{
    TempHome home;
    QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    QString year = gallery + QStringLiteral("2017/");
    QString march = year + QStringLiteral("Muster_03_2017.tab");
};

QStringList linesOf(const QString &path)
{
    return QString::fromLatin1(TempHome::readFile(path)).split(QStringLiteral("\r\n"));
}

} // namespace

class TestConflictCopies : public QObject
{
    Q_OBJECT

private slots:
    void namesOfEachTool_data();
    void namesOfEachTool();
    void namesThatOnlyLookAlike_data();
    void namesThatOnlyLookAlike();
    void monthAndYearAtTheirLimits_data();
    void monthAndYearAtTheirLimits();
    void findTakesOnlyTheUsersCopiesInTheirYearFolders();
    void previewSortsTheCopysReadings();
    void mergeAddsOnlyWhatTheCopyHoldsAndMovesItAway();
    void fullDayLeavesReadingsUnplacedButKeptInTheCopy();
    void moveNeverOverwrites();
    void remarkChoices();
    void foundMessageCountsCopies();
};

void TestConflictCopies::namesOfEachTool_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("original");
    QTest::addColumn<int>("tool");
    // The tools' own examples, then the diary's files.
    QTest::newRow("syncthing docs") << "example.sync-conflict-20240101-123456-ABCDEFG.txt"
                                    << "example.txt" << int(Tool::Syncthing);
    QTest::newRow("syncthing month") << "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab"
                                     << "Muster_03_2017.tab" << int(Tool::Syncthing);
    QTest::newRow("syncthing digits in device")
        << "Muster_03_2017.sync-conflict-20261209-101500-7Q2ZK4M.txt"
        << "Muster_03_2017.txt" << int(Tool::Syncthing);
    QTest::newRow("nextcloud docs") << "mydata (conflicted copy 2018-04-10 093612).txt"
                                    << "mydata.txt" << int(Tool::Nextcloud);
    QTest::newRow("nextcloud month") << "Muster_03_2017 (conflicted copy 2026-12-09 101500).tab"
                                     << "Muster_03_2017.tab" << int(Tool::Nextcloud);
    QTest::newRow("nextcloud with user")
        << "Muster_03_2017 (conflicted copy Erika 2026-12-09 101500).tab"
        << "Muster_03_2017.tab" << int(Tool::Nextcloud);
    QTest::newRow("dropbox apostrophe") << "Muster_03_2017 (Erika's conflicted copy 2026-12-09).tab"
                                        << "Muster_03_2017.tab" << int(Tool::Dropbox);
    QTest::newRow("dropbox german genitive")
        << "Muster_03_2017 (Erikas conflicted copy 2026-12-09).tab"
        << "Muster_03_2017.tab" << int(Tool::Dropbox);
    QTest::newRow("dropbox second of the day")
        << "Muster_03_2017 (Laptop's conflicted copy 2026-12-09 (1)).txt"
        << "Muster_03_2017.txt" << int(Tool::Dropbox);
}

void TestConflictCopies::namesOfEachTool()
{
    QFETCH(QString, name);
    QFETCH(QString, original);
    QFETCH(int, tool);
    const std::optional<ConflictCopies::Name> parsed = ConflictCopies::parseName(name);
    QVERIFY(parsed);
    QCOMPARE(parsed->original, original);
    QCOMPARE(int(parsed->tool), tool);
}

void TestConflictCopies::namesThatOnlyLookAlike_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("name");
    QTest::newRow("user called sync-conflict") << "sync-conflict"
                                               << "sync-conflict_03_2017.tab";
    QTest::newRow("user called sync-conflict, remark") << "sync-conflict"
                                                       << "sync-conflict_03_2017.txt";
    QTest::newRow("copy of the file manager") << "Muster"
                                              << "Muster_03_2017 (copy).tab";
    QTest::newRow("german copy") << "Muster"
                                 << "Muster_03_2017 (Kopie).tab";
    QTest::newRow("another user's copy")
        << "Muster"
        << "Erika_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab";
    QTest::newRow("user whose name starts the other's")
        << "Must"
        << "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab";
    QTest::newRow("another user's nextcloud copy")
        << "Muster"
        << "Erika_03_2017 (conflicted copy 2026-12-09 101500).tab";
    QTest::newRow("syncthing time one digit short")
        << "Muster"
        << "Muster_03_2017.sync-conflict-20261209-10150-ABCDEFG.tab";
    QTest::newRow("syncthing device six characters")
        << "Muster"
        << "Muster_03_2017.sync-conflict-20261209-101500-ABCDEF.tab";
    QTest::newRow("syncthing device lower case")
        << "Muster"
        << "Muster_03_2017.sync-conflict-20261209-101500-abcdefg.tab";
    QTest::newRow("nextcloud without time") << "Muster"
                                            << "Muster_03_2017 (conflicted copy 2026-12-09).tab";
    QTest::newRow("dropbox without name") << "Muster"
                                          << "Muster_03_2017 ( conflicted copy 2026-12-09).tab";
    QTest::newRow("version of the diary") << "Muster"
                                          << "Muster_03_2017.tab.2026-12-09_10-15-00";
    QTest::newRow("temporary file of a write") << "Muster"
                                               << "Muster_03_2017.tab.AbC123";
    QTest::newRow("other extension") << "Muster"
                                     << "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.htm";
    QTest::newRow("the month file itself") << "Muster"
                                           << "Muster_03_2017.tab";
}

void TestConflictCopies::namesThatOnlyLookAlike()
{
    QFETCH(QString, user);
    QFETCH(QString, name);
    QVERIFY(!ConflictCopies::copyOf(QStringLiteral("/g/2017/"), name, user));
}

void TestConflictCopies::monthAndYearAtTheirLimits_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("taken");
    QTest::newRow("month 00") << "00"
                              << "2017" << false;
    QTest::newRow("month 01") << "01"
                              << "2017" << true;
    QTest::newRow("month 12") << "12"
                              << "2017" << true;
    QTest::newRow("month 13") << "13"
                              << "2017" << false;
    QTest::newRow("one digit") << "3"
                               << "2017" << false;
    QTest::newRow("year folder of another year") << "03"
                                                 << "2016" << false;
}

void TestConflictCopies::monthAndYearAtTheirLimits()
{
    QFETCH(QString, month);
    QFETCH(QString, folder);
    QFETCH(bool, taken);
    const QString name =
        QStringLiteral("Muster_%1_2017.sync-conflict-20261209-101500-ABCDEFG.tab").arg(month);
    const std::optional<ConflictCopies::Copy> copy = ConflictCopies::copyOf(
        QStringLiteral("/g/%1/").arg(folder), name, QStringLiteral("Muster"));
    QCOMPARE(bool(copy), taken);
    if (copy) {
        QCOMPARE(copy->month, month.toInt());
        QCOMPARE(copy->year, 2017);
        QCOMPARE(copy->originalPath, QStringLiteral("/g/2017/Muster_%1_2017.tab").arg(month));
        QVERIFY(!copy->remark);
    }
}

void TestConflictCopies::findTakesOnlyTheUsersCopiesInTheirYearFolders()
{
    Home h;
    const QByteArray any = "x\r\n";
    TempHome::writeFile(h.year + "Muster_03_2017 (conflicted copy 2026-12-09 101500).txt", any);
    TempHome::writeFile(h.year + "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab", any);
    TempHome::writeFile(h.gallery + "2016/Muster_12_2016 (Erikas conflicted copy 2026-12-09).tab",
                        any);
    TempHome::writeFile(h.year + "Erika_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab", any);
    TempHome::writeFile(h.year + "Muster_03_2017 (copy).tab", any);
    // Copies kept after a merge, and a folder that is no year.
    TempHome::writeFile(h.gallery + "Sicherungen/2017/"
                                    "Muster_04_2017.sync-conflict-20261209-101500-ABCDEFG.tab",
                        any);
    TempHome::writeFile(h.gallery + "alt/Muster_05_2017.sync-conflict-20261209-101500-ABCDEFG.tab",
                        any);
    QDir().mkpath(h.year + "Muster_06_2017.sync-conflict-20261209-101500-ABCDEFG.tab");

    const QList<ConflictCopies::Copy> copies =
        ConflictCopies::find(h.gallery, QStringLiteral("Muster"));
    QStringList names;
    for (const ConflictCopies::Copy &copy : copies)
        names.append(QFileInfo(copy.path).fileName());
    QCOMPARE(names, QStringList({"Muster_12_2016 (Erikas conflicted copy 2026-12-09).tab",
                                 "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab",
                                 "Muster_03_2017 (conflicted copy 2026-12-09 101500).txt"}));
    QCOMPARE(copies.at(1).originalPath, h.march);
    QVERIFY(copies.at(2).remark);
    QCOMPARE(int(copies.at(2).tool), int(Tool::Nextcloud));
    QVERIFY(ConflictCopies::find(h.gallery, QStringLiteral("Niemand")).isEmpty());
    QVERIFY(ConflictCopies::find(h.gallery + "fehlt/", QStringLiteral("Muster")).isEmpty());
}

void TestConflictCopies::previewSortsTheCopysReadings()
{
    Home h;
    TempHome::writeFile(h.march,
                        month("Muster", "März 2017", {kMorning5, kEvening5, kMorning6Desk}));
    const QString copyPath = h.year + "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab";
    TempHome::writeFile(copyPath, month("Muster", "März 2017",
                                        {kMorning5, kEvening5, kMorning6Laptop, kEvening7Laptop}));
    const std::optional<ConflictCopies::Copy> copy =
        ConflictCopies::copyOf(h.year, QFileInfo(copyPath).fileName(), QStringLiteral("Muster"));
    QVERIFY(copy);

    const ConflictCopies::MonthPreview preview =
        ConflictCopies::previewMonth(*copy, h.gallery, QStringLiteral("Muster"), kSlotTimes);
    QVERIFY(!preview.copyUnreadable);
    QCOMPARE(preview.inBoth.size(), 2);
    QCOMPARE(preview.inBoth.at(0).line, QString::fromLatin1(kMorning5));
    QCOMPARE(preview.inBoth.at(1).line, QString::fromLatin1(kEvening5));
    QCOMPARE(preview.onlyInCopy.size(), 2);
    QCOMPARE(preview.onlyInCopy.at(0).line, QString::fromLatin1(kMorning6Laptop));
    QCOMPARE(preview.onlyInCopy.at(1).line, QString::fromLatin1(kEvening7Laptop));
    QVERIFY(preview.unplaced.isEmpty());
    // The lists say what the merge will do.
    QCOMPARE(preview.plan.added(), 2);
    QCOMPARE(preview.plan.present(), 2);
    QCOMPARE(preview.plan.unplaced(), 0);

    // A copy that cannot be read offers nothing.
    QDir().mkpath(h.year + "Muster_04_2017.sync-conflict-20261209-101500-ABCDEFG.tab");
    ConflictCopies::Copy folder = *copy;
    folder.path = h.year + "Muster_04_2017.sync-conflict-20261209-101500-ABCDEFG.tab";
    const ConflictCopies::MonthPreview unreadable =
        ConflictCopies::previewMonth(folder, h.gallery, QStringLiteral("Muster"), kSlotTimes);
    QVERIFY(unreadable.copyUnreadable);
    QVERIFY(!ConflictCopies::mergeMonth(unreadable, h.gallery, QStringLiteral("Muster")).isEmpty());
    QVERIFY(QFileInfo(folder.path).isDir());
}

void TestConflictCopies::mergeAddsOnlyWhatTheCopyHoldsAndMovesItAway()
{
    Home h;
    const QByteArray desk = month("Muster", "März 2017", {kMorning5, kEvening5, kMorning6Desk});
    TempHome::writeFile(h.march, desk);
    const QString name = "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab";
    const QByteArray laptop =
        month("Muster", "März 2017", {kMorning5, kEvening5, kMorning6Laptop, kEvening7Laptop});
    TempHome::writeFile(h.year + name, laptop);
    const ConflictCopies::Copy copy =
        *ConflictCopies::copyOf(h.year, name, QStringLiteral("Muster"));
    const ConflictCopies::MonthPreview preview =
        ConflictCopies::previewMonth(copy, h.gallery, QStringLiteral("Muster"), kSlotTimes);

    QString movedTo;
    QString versionProblem;
    QCOMPARE(ConflictCopies::mergeMonth(preview, h.gallery, QStringLiteral("Muster"), &movedTo,
                                        &versionProblem),
             QString());
    QCOMPARE(versionProblem, QString());
    // Every reading of both once; the desk's morning of the 6th keeps its
    // slot, the laptop's goes to the free slot nearest its time.
    const QStringList lines = linesOf(h.march);
    for (const char *line : {kMorning5, kEvening5, kMorning6Desk, kEvening7Laptop})
        QCOMPARE(lines.count(QString::fromLatin1(line)), 1);
    QCOMPARE(lines.filter(QStringLiteral("06.03.2017 Z=07:10 s=125")).size(), 1);
    QCOMPARE(lines.filter(QStringLiteral("den ")).size(), 5);
    // The month before the merge is kept as a version; the copy lies beside
    // the versions, whole.
    const QString kept = h.gallery + Versions::kFolderName + QStringLiteral("/2017/");
    QCOMPARE(movedTo, kept + name);
    QVERIFY(!QFileInfo::exists(h.year + name));
    QCOMPARE(TempHome::readFile(movedTo), laptop);
    const QList<Versions::Version> versions = Versions::of(h.gallery, h.march);
    QCOMPARE(versions.size(), 1);
    QCOMPARE(TempHome::readFile(versions.constFirst().path), desk);
    QVERIFY(ConflictCopies::find(h.gallery, QStringLiteral("Muster")).isEmpty());
}

void TestConflictCopies::fullDayLeavesReadingsUnplacedButKeptInTheCopy()
{
    Home h;
    // Four slots of the 6th: three taken on the desk, a fourth and a fifth
    // reading of the day on the laptop.
    TempHome::writeFile(
        h.march,
        month("Muster", "März 2017",
              {kMorning6Desk, "Messung2 den 06.03.2017 Z=12:00 s=120, d=80, p=60, Gewicht=0",
               "Messung3 den 06.03.2017 Z=17:00 s=121, d=80, p=60, Gewicht=0"}));
    const QString name = "Muster_03_2017 (conflicted copy 2026-12-09 101500).tab";
    TempHome::writeFile(
        h.year + name,
        month("Muster", "März 2017",
              {kMorning6Laptop, "Abends den 06.03.2017 Z=20:40 s=140, d=90, p=70, Gewicht=0"}));
    const ConflictCopies::Copy copy =
        *ConflictCopies::copyOf(h.year, name, QStringLiteral("Muster"));
    const ConflictCopies::MonthPreview preview =
        ConflictCopies::previewMonth(copy, h.gallery, QStringLiteral("Muster"), kSlotTimes);
    QCOMPARE(preview.onlyInCopy.size(), 1);
    QCOMPARE(preview.unplaced.size(), 1);
    QCOMPARE(preview.inBoth.size(), 0);
    QCOMPARE(preview.plan.added(), 1);
    QCOMPARE(preview.plan.unplaced(), 1);

    QString movedTo;
    QCOMPARE(ConflictCopies::mergeMonth(preview, h.gallery, QStringLiteral("Muster"), &movedTo),
             QString());
    QCOMPARE(linesOf(h.march).filter(QStringLiteral("den 06.03.2017")).size(), 4);
    // The reading without a slot is still in the kept copy.
    QVERIFY(linesOf(movedTo).contains(QString::fromLatin1(kMorning6Laptop)));
}

void TestConflictCopies::moveNeverOverwrites()
{
    Home h;
    const QString name = "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab";
    const QString kept = h.gallery + QStringLiteral("Sicherungen/2017/");
    TempHome::writeFile(kept + name, "first\r\n");
    TempHome::writeFile(kept + "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG_2.tab",
                        "second\r\n");
    TempHome::writeFile(h.year + name, "third\r\n");
    const ConflictCopies::Copy copy =
        *ConflictCopies::copyOf(h.year, name, QStringLiteral("Muster"));
    const std::optional<QString> moved = ConflictCopies::moveAway(copy, h.gallery);
    QCOMPARE(moved, kept + "Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG_3.tab");
    QCOMPARE(TempHome::readFile(kept + name), QByteArray("first\r\n"));
    QCOMPARE(TempHome::readFile(*moved), QByteArray("third\r\n"));

    // A file in the way of the folder: the copy stays where it is, and the
    // user hears why.
    Home blocked;
    TempHome::writeFile(blocked.gallery + "Sicherungen", "a file in the way");
    TempHome::writeFile(blocked.year + name, "kept\r\n");
    const ConflictCopies::Copy stuck =
        *ConflictCopies::copyOf(blocked.year, name, QStringLiteral("Muster"));
    QString problem;
    QVERIFY(!ConflictCopies::moveAway(stuck, blocked.gallery, &problem));
    QVERIFY(problem.contains(QStringLiteral("Sicherungen/2017")));
    QCOMPARE(TempHome::readFile(blocked.year + name), QByteArray("kept\r\n"));
}

void TestConflictCopies::remarkChoices()
{
    using ConflictCopies::RemarkChoice;
    const QStringList ours = {QStringLiteral("Urlaub"), QStringLiteral("am Meer")};
    const QStringList theirs = {QStringLiteral("Kur")};
    QCOMPARE(ConflictCopies::chosenRemark(ours, theirs, RemarkChoice::KeepOriginal), ours);
    QCOMPARE(ConflictCopies::chosenRemark(ours, theirs, RemarkChoice::TakeCopy), theirs);
    QCOMPARE(ConflictCopies::chosenRemark(ours, theirs, RemarkChoice::Both),
             QStringList({"Urlaub", "am Meer", "", "Kur"}));
    // No blank line joins a text to nothing.
    QCOMPARE(ConflictCopies::chosenRemark({}, theirs, RemarkChoice::Both), theirs);
    QCOMPARE(ConflictCopies::chosenRemark(ours, {}, RemarkChoice::Both), ours);

    Home h;
    const QString remark = h.year + "Muster_03_2017.txt";
    TempHome::writeFile(remark, "Urlaub\r\n");
    const QString name = "Muster_03_2017 (Erikas conflicted copy 2026-12-09).txt";
    TempHome::writeFile(h.year + name, "Kur\r\n");
    const ConflictCopies::Copy copy =
        *ConflictCopies::copyOf(h.year, name, QStringLiteral("Muster"));
    QString movedTo;
    QCOMPARE(ConflictCopies::mergeRemark(copy, RemarkChoice::Both, h.gallery, &movedTo), QString());
    QCOMPARE(TempHome::readFile(remark), QByteArray("Urlaub\r\n\r\nKur\r\n"));
    QCOMPARE(TempHome::readFile(movedTo), QByteArray("Kur\r\n"));
    const QList<Versions::Version> versions = Versions::of(h.gallery, remark);
    QCOMPARE(versions.size(), 1);
    QCOMPARE(TempHome::readFile(versions.constFirst().path), QByteArray("Urlaub\r\n"));

    // Keeping one's own text writes nothing and only moves the copy.
    TempHome::writeFile(h.year + name, "Kur 2\r\n");
    QCOMPARE(ConflictCopies::mergeRemark(copy, RemarkChoice::KeepOriginal, h.gallery, &movedTo),
             QString());
    QCOMPARE(TempHome::readFile(remark), QByteArray("Urlaub\r\n\r\nKur\r\n"));
    QCOMPARE(Versions::of(h.gallery, remark).size(), 1);
    QVERIFY(movedTo.endsWith(QStringLiteral("conflicted copy 2026-12-09)_2.txt")));
}

void TestConflictCopies::foundMessageCountsCopies()
{
    QCOMPARE(ConflictCopies::foundMessage(1),
             QStringLiteral("1 Konfliktkopie gefunden – Datei → Konflikte zusammenführen …"));
    QCOMPARE(ConflictCopies::foundMessage(2),
             QStringLiteral("2 Konfliktkopien gefunden – Datei → Konflikte zusammenführen …"));
}

QTEST_GUILESS_MAIN(TestConflictCopies)
#include "tst_conflict_copies.moc"
