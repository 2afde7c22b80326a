// Months of one user read for a period, as the report and the export need
// them: across a year end, with missing and unreadable months, and with
// other users' files beside them.
#include "base/text_file.h"
#include "storage/gallery.h"
#include "storage/gallery_merge.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

QByteArray month(const char *user, const char *datum, std::initializer_list<const char *> lines)
{
    QByteArray text = QByteArray("[Personendaten]\r\nBenutzerName=") + user + "\r\nDatum=" + datum +
                      "\r\n1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n";
    for (const char *line : lines)
        text += QByteArray(line) + "\r\n";
    return text;
}

} // namespace

class TestGallery : public QObject
{
    Q_OBJECT

private slots:
    void periodAcrossAYearEnd();
    void emptyPeriod();
    void periodMonthsForTheStatistics();
    void userMonthsSpanTheUsersOwnFiles();
    void mergeSkipsKnownReadingsAndFindsFreeSlots();
    void mergeIntoAnEmptyGalleryGivesTheSameFile();
    void aWeightOnOneSideOnlyIsTheSameReading();
};

void TestGallery::periodAcrossAYearEnd()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    TempHome::writeFile(gallery + "2016/Muster_12_2016.tab",
                        month("Muster", "Dezember 2016",
                              {"Abends den 31.12.2016 Z=20:40 s=150, d=95, p=70, Gewicht=0",
                               "Morgens den 31.12.2016 Z=07:30 s=140, d=90, p=70, Gewicht=80,5"}));
    TempHome::writeFile(gallery + "2016/Muster_12_2016.txt", "Silvester\r\n");
    TempHome::writeFile(gallery + "2017/Erika_01_2017.tab",
                        month("Erika", "Januar 2017",
                              {"Morgens den 01.01.2017 Z=07:30 s=120, d=80, p=60, Gewicht=0"}));
    QDir().mkpath(gallery + "2017/Muster_02_2017.tab"); // cannot be read as a file
    TempHome::writeFile(gallery + "2017/Muster_03_2017.tab",
                        month("Muster", "März 2017",
                              {"Morgens den 01.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=0",
                               "Abends den 02.03.2017 Z=20:40 s=abc, d=85, p=65, Gewicht=0"}));

    const QList<Gallery::Month> months = Gallery::readPeriod(
        gallery, QStringLiteral("Muster"), QDate(2016, 12, 15), QDate(2017, 3, 1));
    QCOMPARE(months.size(), 4);
    using State = Gallery::Month::State;
    QCOMPARE(months.at(0).state, State::Read);
    QCOMPARE(months.at(0).remark, QStringLiteral("Silvester"));
    QCOMPARE(months.at(1).state, State::Missing); // Erika's January is not Muster's
    QCOMPARE(months.at(2).state, State::Unreadable);
    QCOMPARE(months.at(3).state, State::Read);
    QCOMPARE(months.at(3).journal->unreadLines().size(), 1);

    const QList<Reading> readings = Gallery::readingsOf(months);
    QCOMPARE(readings.size(), 3);
    QCOMPARE(readings.at(0).slot, Slot::Morning); // day and slot order, not file order
    QCOMPARE(readings.at(1).slot, Slot::Evening);
    QCOMPARE(readings.at(2).date, QDate(2017, 3, 1));
}

void TestGallery::emptyPeriod()
{
    TempHome home;
    QVERIFY(Gallery::readPeriod(home.workFolder(), QStringLiteral("Muster"), QDate(2017, 3, 1),
                                QDate(2017, 2, 28))
                .isEmpty());
}

void TestGallery::periodMonthsForTheStatistics()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    TempHome::writeFile(gallery + "2017/Muster_01_2017.tab",
                        month("Muster", "Januar 2017",
                              {"Morgens den 01.01.2017 Z=07:30 s=130, d=85, p=65, Gewicht=0",
                               "Abends den 02.01.2017 Z=20:40 s=abc, d=85, p=65, Gewicht=0",
                               "Abends den 03.01.2017 Z=20:40 s=140, d=85"}));
    QDir().mkpath(gallery + "2017/Muster_03_2017.tab");
    const QList<PeriodMonth> months = Gallery::periodMonths(Gallery::readPeriod(
        gallery, QStringLiteral("Muster"), QDate(2017, 1, 1), QDate(2017, 3, 1)));
    QCOMPARE(months.size(), 3);
    QCOMPARE(months.at(0).state, PeriodMonth::State::Read);
    QCOMPARE(months.at(0).readings.size(), 1);
    QCOMPARE(months.at(0).unreadLines, 2);
    QCOMPARE(months.at(1).state, PeriodMonth::State::Missing);
    QCOMPARE(months.at(1).month, 2);
    QCOMPARE(months.at(2).state, PeriodMonth::State::Unreadable);
    QCOMPARE(months.at(2).year, 2017);
}

void TestGallery::userMonthsSpanTheUsersOwnFiles()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    QVERIFY(!Gallery::userMonths(gallery, QStringLiteral("Muster")));
    const QByteArray any = month("Muster", "-", {});
    TempHome::writeFile(gallery + "2016/Muster_11_2016.tab", any);
    TempHome::writeFile(gallery + "2018/Muster_02_2018.tab", any);
    // Other users, names that begin alike, and what is no month file.
    TempHome::writeFile(gallery + "2015/Erika_01_2015.tab", any);
    TempHome::writeFile(gallery + "2019/Muster2_05_2019.tab", any);
    TempHome::writeFile(gallery + "2019/Muster_05_2019.txt", any);
    TempHome::writeFile(gallery + "2020/Muster_13_2020.tab", any);
    TempHome::writeFile(gallery + "backup/Muster_01_2021.tab", any);
    TempHome::writeFile(gallery + "202x/Muster_01_202x.tab", any);
    const std::optional<MonthRange> range = Gallery::userMonths(gallery, QStringLiteral("Muster"));
    QVERIFY(range);
    QCOMPARE(range->first, QDate(2016, 11, 1));
    QCOMPARE(range->last, QDate(2018, 2, 1));
    QCOMPARE(Gallery::userMonths(gallery, QStringLiteral("Muster2"))->first, QDate(2019, 5, 1));
    QVERIFY(!Gallery::userMonths(gallery, QStringLiteral("Must")));
}

namespace {

const std::array<QString, 4> kTimes = {QStringLiteral("07:30"), QStringLiteral("13:00"),
                                       QStringLiteral("15:30"), QStringLiteral("20:40")};

Reading reading(const QDate &date, const char *time, int systolic)
{
    Reading r;
    r.date = date;
    r.time = QLatin1String(time);
    r.systolic = systolic;
    r.diastolic = 80;
    r.pulse = 60;
    r.weightText = QStringLiteral("0");
    return r;
}

} // namespace

void TestGallery::mergeSkipsKnownReadingsAndFindsFreeSlots()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    const QString march = gallery + "2017/Muster_03_2017.tab";
    const QByteArray before = month("Muster", "März 2017",
                                    {"Morgens den 01.03.2017 Z=07:30 s=130, d=80, p=60, Gewicht=0",
                                     "Abends den 02.03.2017 Z=20:40 s=140, d=80, p=60, Gewicht=0"});
    TempHome::writeFile(march, before);
    const QDate first(2017, 3, 1);
    const QDate second(2017, 3, 2);
    QList<Reading> incoming = {
        reading(first, "07:30", 130),             // stored already
        reading(first, "07:40", 131),             // its slot is taken: the next nearest, Messung2
        reading(second, "21:00", 150),            // Abends taken: Messung3 is nearest
        reading(QDate(2017, 4, 9), "12:00", 120), // a month without a file
    };
    for (const char *time : {"08:00", "09:00", "10:00"})
        incoming.append(reading(second, time, 160)); // two fit, the third does not
    const GalleryMerge::Plan plan =
        GalleryMerge::plan(gallery, QStringLiteral("Muster"), incoming, kTimes, false);
    QCOMPARE(plan.present(), 1);
    QCOMPARE(plan.added(), 5);
    QCOMPARE(plan.unplaced(), 1);
    QCOMPARE(plan.months.size(), 2);
    QVERIFY(!plan.months.at(1).exists);
    QCOMPARE(TempHome::readFile(march), before); // planning writes nothing

    QCOMPARE(GalleryMerge::apply(plan, gallery, QStringLiteral("Muster")), QString());
    const QStringList lines = *TextFile::readLines(march);
    QCOMPARE(lines.mid(8),
             (QStringList{"Morgens den 01.03.2017 Z=07:30 s=130, d=80, p=60, Gewicht=0",
                          "Messung2 den 01.03.2017 Z=07:40 s=131, d=80, p=60, Gewicht=0",
                          "Morgens den 02.03.2017 Z=08:00 s=160, d=80, p=60, Gewicht=0",
                          "Messung2 den 02.03.2017 Z=09:00 s=160, d=80, p=60, Gewicht=0",
                          "Messung3 den 02.03.2017 Z=21:00 s=150, d=80, p=60, Gewicht=0",
                          "Abends den 02.03.2017 Z=20:40 s=140, d=80, p=60, Gewicht=0"}));
    QVERIFY(QFileInfo::exists(gallery + "2017/Muster_04_2017.tab"));
}

void TestGallery::mergeIntoAnEmptyGalleryGivesTheSameFile()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    const QString source = QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/Muster_01_2024.tab");
    const QList<Reading> readings = MonthJournal::read(source)->readings();
    const GalleryMerge::Plan plan =
        GalleryMerge::plan(gallery, QStringLiteral("Muster"), readings, kTimes, true);
    QCOMPARE(plan.added(), readings.size());
    QCOMPARE(GalleryMerge::apply(plan, gallery, QStringLiteral("Muster")), QString());
    QCOMPARE(TempHome::readFile(gallery + "2024/Muster_01_2024.tab"), TempHome::readFile(source));
}

void TestGallery::aWeightOnOneSideOnlyIsTheSameReading()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    TempHome::writeFile(gallery + "2017/Muster_03_2017.tab",
                        month("Muster", "März 2017",
                              {"Morgens den 01.03.2017 Z=07:30 s=130, d=80, p=60, Gewicht=0",
                               "Abends den 01.03.2017 Z=20:40 s=140, d=80, p=60, Gewicht=80,5"}));
    const QDate first(2017, 3, 1);
    Reading withWeight = reading(first, "07:30", 130);
    withWeight.weightText = QStringLiteral("80,4");
    Reading withoutWeight = reading(first, "20:40", 140);
    Reading otherWeight = reading(first, "20:40", 140);
    otherWeight.weightText = QStringLiteral("80,6");
    Reading otherPulse = reading(first, "07:30", 130);
    otherPulse.pulse = 61;
    const GalleryMerge::Plan plan =
        GalleryMerge::plan(gallery, QStringLiteral("Muster"),
                           {withWeight, withoutWeight, otherWeight, otherPulse}, kTimes, false);
    QCOMPARE(plan.present(), 2);
    QCOMPARE(plan.added(), 2); // two weights that differ, and another pulse
}

QTEST_GUILESS_MAIN(TestGallery)
#include "tst_gallery.moc"
