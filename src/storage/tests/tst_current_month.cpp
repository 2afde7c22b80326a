// Where the open month is saved, and where a loaded file belongs.
#include "storage/current_month.h"

#include <QTest>

class TestCurrentMonth : public QObject
{
    Q_OBJECT

private slots:
    void pathsFollowTheOpenMonth();
    void loadedFileFindsItsPlaceInTheGallery();
    void fileKeptApartIsNeverSavedNorReopened();
};

void TestCurrentMonth::pathsFollowTheOpenMonth()
{
    CurrentMonth month;
    month.setGalleryFolder(QStringLiteral("/g/"));
    month.setUserName(QStringLiteral("Muster"));
    month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(month.placeProblem().isEmpty());
    month.settleInYearFolder();
    QCOMPARE(month.path(), QStringLiteral("/g/2017/Muster_03_2017.tab"));
    QCOMPARE(month.remarkSavePath(), QStringLiteral("/g/2017/Muster_03_2017.txt"));
    // A name that climbs out of the gallery gives the month no place.
    month.setUserName(QStringLiteral("../x"));
    month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(!month.placeProblem().isEmpty());
}

void TestCurrentMonth::loadedFileFindsItsPlaceInTheGallery()
{
    const QStringList march = {QStringLiteral("[Personendaten]"),
                               QStringLiteral("BenutzerName=Muster"),
                               QStringLiteral("Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, "
                                              "Gewicht=0"),
                               QStringLiteral("Morgens 06.03.2017 Z=07:30 s=1, d=1, p=1")};
    const QString inGallery = QStringLiteral("/g/2017/Muster_03_2017.tab");
    const auto loaded = [&](const QString &path, const QStringList &lines) {
        auto month = std::make_unique<CurrentMonth>();
        month->setGalleryFolder(QStringLiteral("/g/"));
        month->setUserName(QStringLiteral("Muster"));
        month->startLoad(path);
        month->takeEntryLines(lines, [](const QString &) {});
        return month;
    };

    auto own = loaded(inGallery, march);
    QCOMPARE(own->placeInGallery(inGallery, true), CurrentMonth::Place::InGallery);
    QCOMPARE(own->path(), inGallery);
    // The line the list cannot show is written back after the one it followed.
    QCOMPARE(own->fileContent({true, true, true, true}, {}).constLast(), march.constLast());

    auto copied = loaded(QStringLiteral("/usb/März.tab"), march);
    QCOMPARE(copied->placeInGallery(QStringLiteral("/usb/März.tab"), true),
             CurrentMonth::Place::OpenedFromElsewhere);
    QCOMPARE(copied->path(), inGallery);

    // Without a line the list shows, the other file's odd lines stay there.
    auto unshown = loaded(QStringLiteral("/usb/März.tab"), {march.at(0), march.at(3)});
    QCOMPARE(unshown->placeInGallery(QStringLiteral("/usb/März.tab"), false),
             CurrentMonth::Place::InGallery);
    QCOMPARE(unshown->fileContent({true, true, true, true}, {}).constLast(), QString());

    auto foreign = loaded(QStringLiteral("/usb/x.tab"), march);
    foreign->setUserName(QStringLiteral("a/b"));
    QCOMPARE(foreign->placeInGallery(QStringLiteral("/usb/x.tab"), true),
             CurrentMonth::Place::ShownOnly);
    QVERIFY(!foreign->placeProblem().isEmpty());
    QCOMPARE(foreign->path(), QStringLiteral("/usb/x.tab"));
}

QTEST_GUILESS_MAIN(TestCurrentMonth)
#include "tst_current_month.moc"

void TestCurrentMonth::fileKeptApartIsNeverSavedNorReopened()
{
    const QStringList march = {QStringLiteral("[Personendaten]"),
                               QStringLiteral("BenutzerName=Muster"),
                               QStringLiteral("Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, "
                                              "Gewicht=0")};
    const QString february = QStringLiteral("/g/2017/Muster_02_2017.tab");
    CurrentMonth month;
    month.setGalleryFolder(QStringLiteral("/g/"));
    month.setUserName(QStringLiteral("Muster"));
    month.startLoad(february);
    QCOMPARE(month.lastFileToReopen(), february);

    // The gallery's March holds other readings: the chosen file is only shown.
    month.startLoad(QStringLiteral("/usb/Muster_03_2017.tab"));
    month.takeEntryLines(march, [](const QString &) {});
    QCOMPARE(month.placeInGallery(QStringLiteral("/usb/Muster_03_2017.tab"), true),
             CurrentMonth::Place::OpenedFromElsewhere);
    month.keepApartFromGallery();
    QVERIFY(month.placeProblem().contains(QStringLiteral("\"Muster_03_2017.tab\"")));
    QCOMPARE(month.lastFileToReopen(), february);
    // A typed entry of the same month gives it no place either ...
    month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(!month.placeProblem().isEmpty());
    // ... but the first entry of a new month is free of it.
    month.startNewMonth();
    month.takeTypedMonth(QStringLiteral("04"), QStringLiteral("2017"));
    QVERIFY(month.placeProblem().isEmpty());
}
