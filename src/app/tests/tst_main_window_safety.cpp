// No command loses a stored reading or writes outside its folders: the
// stories of empty lists, cancelled dialogs, hand-edited files and
// impossible values, each checked against the files on disk.
#include "journal/entry_line.h"
#include "main_form_fixture.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QTest>

namespace {

const QString kLine1 =
    QStringLiteral("Morgens den 03.04.2017 Z=07:30 s=131, d=81, p=61, Gewicht=0");
const QString kLine2 = QStringLiteral("Abends den 03.04.2017 Z=20:40 s=132, d=82, p=62, Gewicht=0");

QPushButton *addButton(FormFixture &f)
{
    return f.get<QPushButton>("BitBtn1");
}

void clickAdd(FormFixture &f)
{
    QTest::mouseClick(addButton(f), Qt::LeftButton);
}

// "Datei" → "öffnen" with the file chosen in the dialog.
void openMonth(FormFixture &f, const QString &path)
{
    f.seam.openFileAnswers = {path};
    f.form->findChild<QAction *>(QStringLiteral("oeffnen"))->trigger();
}

} // namespace

class TestMainWindowSafety : public QObject
{
    Q_OBJECT

private slots:
    void addToEmptyListJoinsTheGalleryMonth();
    void unreadableMonthIsNeverReplaced();
    void cancelledOpenKeepsTheMonthRefusal();
    void oversizedFileIsRefusedAtOnce();
    void yearComesFromTheMonthNotFromTheName();
    void fileChangedBehindTheProgramIsNotOverwritten();
    void linesWithoutMarkerStayInTheFile();
    void linesWithoutMarkerKeepTheirPlace();
    void editRefusesValuesNoFieldCanShow_data();
    void editRefusesValuesNoFieldCanShow();
    void weightLimitHoldsForTheFirstWeight_data();
    void weightLimitHoldsForTheFirstWeight();
    void timeMustBeAClockTime_data();
    void timeMustBeAClockTime();
    void systolicNotAboveDiastolicAsks_data();
    void systolicNotAboveDiastolicAsks();
    void datesOfAFileNeverBecomePaths();
    void leftoverTemporaryFilesGoAtStart();
    void conversionMessagesQuoteAtMostSixtyCharacters();
    void remarkStaysWithItsMonthAndName();
    void remarkSurvivesACancelledOpen();
    void filesNamingEachOthersUserAreNotOverwritten();
    void longRemarkIsShownWholeAndKeptUntilEdited();
};

void TestMainWindowSafety::addToEmptyListJoinsTheGalleryMonth()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.fill(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    clickAdd(f);
    f.fill(3, 4, 2017, Slot::Evening, "20:40", 132, 82, 62);
    clickAdd(f);
    const QString april = f.monthFile("Muster", "04", "2017");
    QCOMPARE(TempHome::readFile(april),
             monthFileBytes("Muster", "April 2017", "1111", {kLine1, kLine2}));

    // "neu erstellen" empties the list; April's file still holds two readings.
    f.menu("neuerstellen1");
    QCOMPARE(f.list()->count(), 0);
    f.fill(4, 4, 2017, Slot::Morning, "07:35", 140, 90, 70);
    clickAdd(f);
    QCOMPARE(TempHome::readFile(april),
             monthFileBytes(
                 "Muster", "April 2017", "1111",
                 {kLine1, kLine2, "Morgens den 04.04.2017 Z=07:35 s=140, d=90, p=70, Gewicht=0"}));
    QCOMPARE(f.list()->count(), 3);

    // The same after a new month: a slot already taken is refused.
    f.menu("neuerstellen1");
    f.seam.clear();
    f.fill(3, 4, 2017, Slot::Evening, "20:45", 150, 95, 75);
    clickAdd(f);
    QCOMPARE(f.seam.texts("information").size(), 1);
    QVERIFY(f.seam.texts("information").constFirst().contains("03.04.2017"));
    QCOMPARE(TempHome::readFile(april).count("\r\n"), 8 + 3);
}

void TestMainWindowSafety::unreadableMonthIsNeverReplaced()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    f.menu("neuerstellen1");
    // A month "file" that cannot be read, whoever runs the test: a folder.
    const QString april = f.monthFile("Muster", "04", "2017");
    QVERIFY(QFile::remove(april));
    QVERIFY(QDir().mkpath(april + "/inside"));
    f.seam.clear();
    f.fill(4, 4, 2017, Slot::Morning, "07:35", 140, 90, 70);
    clickAdd(f);
    QCOMPARE(f.seam.texts("warning"), QStringList{"Fehler beim Lesen der Datei: " + april});
    QVERIFY(QFileInfo(april + "/inside").isDir());
}

void TestMainWindowSafety::cancelledOpenKeepsTheMonthRefusal()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    f.spin(2)->setValue(5);
    QVERIFY(form.MonthMismatch());
    f.seam.openFileAnswers = {QString()}; // "Abbrechen"
    f.menu("oeffnen");
    QVERIFY(form.MonthMismatch());
    f.seam.clear();
    f.fill(4, 5, 2017, Slot::Evening, "20:40", 132, 82, 62);
    clickAdd(f);
    QCOMPARE(f.seam.texts("information").size(), 1);
    QCOMPARE(TempHome::filesBelow(f.gallery(), "Sicherungen").keys(),
             QStringList{"2017/Muster_04_2017.tab"});
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "04", "2017")),
             monthFileBytes("Muster", "April 2017", "1111", {kLine1}));
}

void TestMainWindowSafety::oversizedFileIsRefusedAtOnce()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    const QString april = f.monthFile("Muster", "04", "2017");
    const QByteArray aprilBytes = TempHome::readFile(april);
    // 50 MB of junk lines that look like entries, made by hand.
    const QString junk = f.home.root() + "/Muster_05_2017.tab";
    {
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray line = "Morgens den 1.05.2017 Z=x s=9, d=9, p=9\r\n";
        const QByteArray block = line.repeated(1000 * 1000 / line.size() + 1);
        while (file.size() < 50 * 1000 * 1000)
            QVERIFY(file.write(block) == block.size());
        QVERIFY(file.resize(50 * 1000 * 1000));
    }
    f.seam.clear();
    f.seam.openFileAnswers = {junk};
    f.menu("oeffnen");
    QCOMPARE(f.seam.texts("warning"),
             QStringList{"Die Datei „Muster_05_2017.tab“ ist mit 50,0 MB zu groß für eine "
                         "Monatstabelle (höchstens 1 MB) und wird nicht geöffnet."});
    // April stays open, whole, and takes the next reading.
    QCOMPARE(form.openMonth().path(), april);
    QCOMPARE(f.list()->count(), 1);
    QCOMPARE(TempHome::readFile(april), aprilBytes);
    f.add(4, 4, 2017, Slot::Morning, "07:35", 140, 90, 70);
    QCOMPARE(f.list()->count(), 2);
}

void TestMainWindowSafety::yearComesFromTheMonthNotFromTheName()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster 2025"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    f.add(3, 4, 2017, Slot::Evening, "20:40", 132, 82, 62);
    form.FormPaint();
    QCOMPARE(TempHome::filesBelow(f.gallery(), "Sicherungen").keys(),
             QStringList{"2017/Muster 2025_04_2017.tab"});
    QVERIFY(!QFileInfo::exists(f.gallery() + "2025"));
}

void TestMainWindowSafety::fileChangedBehindTheProgramIsNotOverwritten()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    // Another program adds a reading while the month is open.
    const QString april = f.monthFile("Muster", "04", "2017");
    const QByteArray changed = monthFileBytes("Muster", "April 2017", "1111", {kLine1, kLine2});
    TempHome::writeFile(april, changed);
    f.seam.clear();
    f.fill(5, 4, 2017, Slot::Morning, "07:30", 140, 90, 70);
    clickAdd(f);
    QCOMPARE(f.seam.texts("warning").size(), 1);
    QVERIFY(f.seam.texts("warning").constFirst().contains(kLine2));
    QCOMPARE(TempHome::readFile(april), changed);
}

void TestMainWindowSafety::linesWithoutMarkerStayInTheFile()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString april = f.monthFile("Muster", "04", "2017");
    const QString noMarker = QStringLiteral("Abends den 02.04.2017 Z=20:40 s=132, p=62, Gewicht=0");
    TempHome::writeFile(april, monthFileBytes("Muster", "April 2017", "1111", {kLine1, noMarker}));
    openMonth(f, april);
    QCOMPARE(f.list()->count(), 1);
    f.fill(5, 4, 2017, Slot::Morning, "07:30", 140, 90, 70);
    clickAdd(f);
    QCOMPARE(TempHome::readFile(april),
             monthFileBytes("Muster", "April 2017", "1111",
                            {kLine1, noMarker,
                             "Morgens den 05.04.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0"}));
}

void TestMainWindowSafety::linesWithoutMarkerKeepTheirPlace()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString april = f.monthFile("Muster", "04", "2017");
    // Hand-written lines the list cannot show, before, between and after
    // the entries.
    const QString lead = QStringLiteral("Morgens 01.04.2017 Z=07:00 s=120, d=80, p=60, Gewicht=0");
    const QString afterFirst =
        QStringLiteral("Abends den 03.04.2017 Z=20:40 s=132, p=62, Gewicht=0");
    const QString seventh =
        QStringLiteral("Morgens den 07.04.2017 Z=07:10 s=135, d=85, p=65, Gewicht=0");
    const QString afterSeventh =
        QStringLiteral("Messung2 07.04.2017 Z=13:00 s=150, d=90, p=70, Gewicht=0");
    const QString alsoAfterSeventh =
        QStringLiteral("Abends 07.04.2017 Z=21:00 s=140, d=88, p=71, Gewicht=0");
    const QString ninth =
        QStringLiteral("Morgens den 09.04.2017 Z=07:00 s=128, d=80, p=64, Gewicht=0");
    TempHome::writeFile(april, monthFileBytes("Muster", "April 2017", "1111",
                                              {lead, kLine1, afterFirst, seventh, afterSeventh,
                                               alsoAfterSeventh, ninth}));
    openMonth(f, april);
    QCOMPARE(f.list()->count(), 3);

    // An entry sorted in among them moves none of them.
    f.fill(5, 4, 2017, Slot::Morning, "07:30", 140, 90, 70);
    clickAdd(f);
    const QString fifth =
        QStringLiteral("Morgens den 05.04.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0");
    QCOMPARE(TempHome::readFile(april), monthFileBytes("Muster", "April 2017", "1111",
                                                       {lead, kLine1, afterFirst, fifth, seventh,
                                                        afterSeventh, alsoAfterSeventh, ninth}));

    // The entry they followed is taken out: they follow the one before it.
    f.clickRow(2);
    QCOMPARE(EntryLine::fromDisplayLine(f.line(f.list()->currentRow())), seventh);
    f.click("BtnEintragBearbeiten");
    QCOMPARE(TempHome::readFile(april), monthFileBytes("Muster", "April 2017", "1111",
                                                       {lead, kLine1, afterFirst, fifth,
                                                        afterSeventh, alsoAfterSeventh, ninth}));
}

void TestMainWindowSafety::editRefusesValuesNoFieldCanShow_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("refusal"); // empty: the edit goes ahead
    // What the add then says when the entry goes back unchanged; empty: it
    // is taken and the file is as before.
    QTest::addColumn<QString>("addRefusal");
    const QString head = QStringLiteral("Dieser Eintrag lässt sich nicht in die Eingabefelder "
                                        "übernehmen: Der Wert ");
    const QString tail = QStringLiteral(". Die Tabelle bleibt unverändert.");
    const auto timeRefusal = [](const QString &time) {
        return "Die Uhrzeit „" + time +
               "“ ist ungültig. Bitte geben Sie im Feld Uhrzeit eine Zeit von 00:00 bis 24:00 "
               "in der Form HH:MM ein.";
    };
    QTest::newRow("systolic 280") << "Morgens den 03.04.2017 Z=07:30 s=280, d=81, p=61, Gewicht=0"
                                  << QString() << QString();
    QTest::newRow("systolic 281")
        << "Morgens den 03.04.2017 Z=07:30 s=281, d=81, p=61, Gewicht=0"
        << head + "„281“ für den systolischen Wert liegt nicht zwischen 0 und 280" + tail
        << QString();
    QTest::newRow("pulse abc") << "Morgens den 03.04.2017 Z=07:30 s=131, d=81, p=x7, Gewicht=0"
                               << head + "„x7“ für den Puls liegt nicht zwischen 0 und 280" + tail
                               << QString();
    QTest::newRow("day 32") << "Morgens den 32.04.2017 Z=07:30 s=131, d=81, p=61, Gewicht=0"
                            << head + "„32“ für den Tag liegt nicht zwischen 1 und 31" + tail
                            << QString();
    // Text fields show any text: the time and the weight go in as they
    // stand, and the add's own checks decide.
    QTest::newRow("time 24:00") << "Morgens den 03.04.2017 Z=24:00 s=131, d=81, p=61, Gewicht=0"
                                << QString() << QString();
    QTest::newRow("time 24:01") << "Morgens den 03.04.2017 Z=24:01 s=131, d=81, p=61, Gewicht=0"
                                << QString() << timeRefusal("24:01");
    // "7.30" and "0730" would be stored as "07:30"; these give no time.
    QTest::newRow("time 7:3") << "Morgens den 03.04.2017 Z=7:3 s=131, d=81, p=61, Gewicht=0"
                              << QString() << timeRefusal("7:3");
    QTest::newRow("time 2430") << "Morgens den 03.04.2017 Z=2430 s=131, d=81, p=61, Gewicht=0"
                               << QString() << timeRefusal("2430");
    QTest::newRow("weight 310") << "Morgens den 03.04.2017 Z=07:30 s=131, d=81, p=61, Gewicht=310"
                                << QString() << QString();
    // What the down step writes from 5 kg.
    QTest::newRow("weight -5") << "Morgens den 03.04.2017 Z=07:30 s=131, d=81, p=61, Gewicht=-5"
                               << QString() << QString();
}

void TestMainWindowSafety::editRefusesValuesNoFieldCanShow()
{
    QFETCH(QString, line);
    QFETCH(QString, refusal);
    QFETCH(QString, addRefusal);
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString april = f.monthFile("Muster", "04", "2017");
    const QByteArray before = monthFileBytes("Muster", "April 2017", "1111", {line, kLine2});
    TempHome::writeFile(april, before);
    openMonth(f, april);
    f.seam.clear();
    f.clickRow(0);
    QTest::mouseClick(f.get<QPushButton>("BtnEintragBearbeiten"), Qt::LeftButton);
    if (!refusal.isEmpty()) {
        QCOMPARE(f.seam.texts("information"), QStringList{refusal});
        QCOMPARE(f.list()->count(), 2);
        QCOMPARE(TempHome::readFile(april), before);
        return;
    }
    QCOMPARE(f.seam.texts("information"), QStringList());
    QCOMPARE(f.list()->count(), 1);
    // The time and the weight stand in their fields as the line has them.
    const QString time = line.section(" Z=", 1).section(' ', 0, 0);
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), time);
    QCOMPARE(f.weight()->text(), line.section("Gewicht=", 1));
    // Added back unchanged, the line is the same as before.
    if (!line.endsWith("Gewicht=0"))
        f.setWeightSwitch(true);
    f.seam.clear();
    clickAdd(f);
    if (addRefusal.isEmpty()) {
        QCOMPARE(f.seam.messages(), QStringList());
        QCOMPARE(TempHome::readFile(april), before);
    } else {
        QCOMPARE(f.seam.messages(), QStringList{addRefusal});
        QCOMPARE(f.list()->count(), 1);
    }
}

void TestMainWindowSafety::weightLimitHoldsForTheFirstWeight_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("taken");
    QTest::newRow("309,9") << "309,9" << true;
    QTest::newRow("310") << "310" << true;
    QTest::newRow("310,1") << "310,1" << false;
    QTest::newRow("784") << "784" << false;
}

void TestMainWindowSafety::weightLimitHoldsForTheFirstWeight()
{
    QFETCH(QString, weight);
    QFETCH(bool, taken);
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.fill(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61, weight);
    f.weight()->setText(weight); // the field's own rule may have capped it already
    f.seam.clear();
    clickAdd(f);
    const QString april = f.monthFile("Muster", "04", "2017");
    if (taken) {
        QVERIFY(TempHome::readFile(april).contains("Gewicht=" + weight.toLatin1() + "\r\n"));
    } else {
        QVERIFY(!QFileInfo::exists(april));
        QVERIFY(f.seam.texts("information")
                    .contains("Die Eingabe von mehr als 310 Kilogramm ist nicht möglich!"));
    }
}

void TestMainWindowSafety::timeMustBeAClockTime_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("taken");
    QTest::newRow("00:00") << "00:00" << true;
    QTest::newRow("23:59") << "23:59" << true;
    QTest::newRow("24:00") << "24:00" << true;
    QTest::newRow("24:01") << "24:01" << false;
    QTest::newRow("12:60") << "12:60" << false;
    QTest::newRow("2099:40") << "2099:40" << false;
    // "7:30" is stored as "07:30"; a minute of one digit says no time.
    QTest::newRow("7:3") << "7:3" << false;
}

void TestMainWindowSafety::timeMustBeAClockTime()
{
    QFETCH(QString, time);
    QFETCH(bool, taken);
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.fill(3, 4, 2017, Slot::Morning, time, 131, 81, 61);
    f.seam.clear();
    clickAdd(f);
    const QString april = f.monthFile("Muster", "04", "2017");
    QCOMPARE(QFileInfo::exists(april), taken);
    QCOMPARE(form.settings().read(SettingKey::MorningTime) == time, taken);
    if (!taken) {
        QCOMPARE(f.seam.texts("information"),
                 QStringList{"Die Uhrzeit „" + time +
                             "“ ist ungültig. Bitte geben Sie im Feld Uhrzeit eine Zeit von "
                             "00:00 bis 24:00 in der Form HH:MM ein."});
    }
}

void TestMainWindowSafety::systolicNotAboveDiastolicAsks_data()
{
    QTest::addColumn<int>("systolic");
    QTest::addColumn<int>("diastolic");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::newRow("91 over 90") << 91 << 90 << false << false;
    QTest::newRow("90 over 90, no") << 90 << 90 << false << true;
    QTest::newRow("70 over 120, no") << 70 << 120 << false << true;
    QTest::newRow("70 over 120, yes") << 70 << 120 << true << true;
}

void TestMainWindowSafety::systolicNotAboveDiastolicAsks()
{
    QFETCH(int, systolic);
    QFETCH(int, diastolic);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.fill(3, 4, 2017, Slot::Morning, "07:30", systolic, diastolic, 61);
    f.seam.clear();
    f.seam.yesNoAnswers = {answer};
    clickAdd(f);
    const QStringList questions = f.seam.texts("yesno-information");
    QCOMPARE(questions.contains("Der systolische Wert ist nicht höher als der diastolische. "
                                "Trotzdem in die Liste aufnehmen?"),
             asked);
    QCOMPARE(QFileInfo::exists(f.monthFile("Muster", "04", "2017")), !asked || answer);
}

void TestMainWindowSafety::datesOfAFileNeverBecomePaths()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    const QString downloads = f.home.root() + "/Downloads/";
    const QString path = downloads + "Muster_02_2017.tab";
    TempHome::writeFile(path, monthFileBytes("Muster", "Februar 2017", "1111",
                                             {"Abends den 28.02.2017/../../../../ausbruch-datum "
                                              "Z=20:40 s=131, d=81, p=61, Gewicht=0"}));
    const auto outside = [&f] {
        return TempHome::filesBelow(f.home.root()).keys().filter("ausbruch").size() +
               QDir(f.home.root()).entryList().filter("ausbruch").size();
    };
    const QMap<QString, QByteArray> before = TempHome::filesBelow(f.gallery(), "Sicherungen");
    openMonth(f, path);
    form.FormPaint();
    QCOMPARE(outside(), 0);
    QCOMPARE(TempHome::filesBelow(f.gallery(), "Sicherungen"), before);
    QCOMPARE(f.seam.texts("warning").size(), 1);
    QVERIFY(f.seam.texts("warning").constFirst().contains("besteht nicht aus vier Ziffern"));
}

void TestMainWindowSafety::leftoverTemporaryFilesGoAtStart()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    const QString year = f.gallery() + "2017/";
    TempHome::writeFile(year + "Muster_04_2017.tab.aB3xQz", "half");
    TempHome::writeFile(year + "Muster_04_2017.txt.Qw12er", "half"); // no remark beside it
    TempHome::writeFile(year + "Notizen.tab.aB3xQz", "half");        // no month beside it
    TempHome::writeFile(year + "Muster_04_2017.tab.alt", "a copy of the user's");
    TempHome::writeFile(f.home.settingsFile() + ".K9dd2a", "half");
    f.start();
    QCOMPARE(QDir(year).entryList(QDir::Files),
             (QStringList{"Muster_04_2017.tab", "Muster_04_2017.tab.alt",
                          "Muster_04_2017.txt.Qw12er", "Notizen.tab.aB3xQz"}));
    QVERIFY(!QFileInfo::exists(f.home.settingsFile() + ".K9dd2a"));
    QVERIFY(QFileInfo::exists(f.home.settingsFile()));
}

void TestMainWindowSafety::conversionMessagesQuoteAtMostSixtyCharacters()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString april = f.monthFile("Muster", "04", "2017");
    const QString junk = QString(100000, QLatin1Char('x'));
    TempHome::writeFile(april, monthFileBytes("Muster", "April 2017", "1111",
                                              {"Morgens den 03.04.2017 Z=07:30 s=" + junk +
                                               ", d=81, p=61, Gewicht=0"}));
    f.seam.clear();
    openMonth(f, april);
    const QStringList errors = f.seam.texts("error");
    QVERIFY(!errors.isEmpty());
    for (const QString &error : errors)
        QCOMPARE(error, "'" + QString(60, QLatin1Char('x')) + QChar(0x2026) +
                            "' ist kein gültiger Gleitkommawert");
}

void TestMainWindowSafety::remarkStaysWithItsMonthAndName()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    const QString aprilRemark = f.gallery() + "2017/Muster_04_2017.txt";

    // A new name while the remark is typed: the remark is Muster's April.
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Schwindel"));
    f.answerName(QStringLiteral("Erika"));
    f.menu("Namendern1");
    QCOMPARE(TempHome::readFile(aprilRemark), QByteArrayLiteral("Schwindel\r\n"));
    QCOMPARE(TempHome::filesBelow(f.gallery(), "Sicherungen").keys().filter(".txt"),
             QStringList{"2017/Muster_04_2017.txt"});

    // An add to another month ends remark mode: the remark stays April's.
    f.answerName(QStringLiteral("Muster"));
    f.menu("Namendern1");
    f.add(4, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral(" Kopfweh"));
    f.menu("neuerstellen1");
    QCOMPARE(TempHome::readFile(aprilRemark), QByteArrayLiteral("Schwindel Kopfweh\r\n"));
}

void TestMainWindowSafety::remarkSurvivesACancelledOpen()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Neue Tabletten"));
    openMonth(f, QString()); // "Abbrechen"
    QVERIFY(!f.memo()->isReadOnly());
    f.clickRow(0);
    QCOMPARE(TempHome::readFile(f.gallery() + "2017/Muster_04_2017.txt"),
             QByteArrayLiteral("Neue Tabletten\r\n"));
}

void TestMainWindowSafety::filesNamingEachOthersUserAreNotOverwritten()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString muster = f.monthFile("Muster", "04", "2017");
    const QString erika = f.monthFile("Erika", "04", "2017");
    // Each file's header names the other user.
    TempHome::writeFile(muster, monthFileBytes("Erika", "April 2017", "1111", {kLine1}));
    TempHome::writeFile(erika, monthFileBytes("Muster", "April 2017", "1111", {kLine2}));
    const QMap<QString, QByteArray> before = TempHome::filesBelow(f.gallery(), "Sicherungen");
    openMonth(f, muster);
    f.fill(5, 4, 2017, Slot::Morning, "07:30", 140, 90, 70);
    clickAdd(f);
    QMap<QString, QByteArray> after = TempHome::filesBelow(f.gallery(), "Sicherungen");
    // Whatever was added, neither file lost its reading.
    QVERIFY(after.value("2017/Muster_04_2017.tab").contains(kLine1.toLatin1()));
    QVERIFY(after.value("2017/Erika_04_2017.tab").contains(kLine2.toLatin1()));
    QCOMPARE(before.size(), 2);
}

void TestMainWindowSafety::longRemarkIsShownWholeAndKeptUntilEdited()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 4, 2017, Slot::Morning, "07:30", 131, 81, 61);
    const QString remark = f.gallery() + "2017/Muster_04_2017.txt";
    const QByteArray longText = QByteArray(400, 'r') + "\r\n";
    TempHome::writeFile(remark, longText);

    // Looked at and closed: shown whole, no message, the file untouched.
    f.seam.clear();
    f.menu("Bemerkungeingeben1");
    QCOMPARE(f.memo()->toPlainText(), QString(400, QLatin1Char('r')));
    f.form->close();
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(TempHome::readFile(remark), longText);

    // Edited: the limit applies and the cut text is what gets saved.
    f.start();
    f.form->FormPaint();
    f.seam.clear();
    f.menu("Bemerkungeingeben1");
    QTest::keyClick(f.memo(), Qt::Key_X);
    QCOMPARE(f.seam.messages(),
             QStringList{"Die Länge des Bemerkungstextes ist auf 250 Zeichen begrenzt!"});
    f.clickRow(0);
    QCOMPARE(TempHome::readFile(remark), QByteArray(250, 'r') + "\r\n");
}

QTEST_MAIN(TestMainWindowSafety)
#include "tst_main_window_safety.moc"
