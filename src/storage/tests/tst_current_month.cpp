// Where the open month is saved, and where a loaded file belongs.
#include "base/text_file.h"
#include "storage/gallery.h"
#include "storage/gallery_month_file.h"
#include "storage/open_month.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A month as an editor on Windows saves it: a byte-order mark, then the text.
QByteArray marked(const QByteArray &mark, const QString &text)
{
    QByteArray bytes = mark;
    if (mark == "\xEF\xBB\xBF")
        return bytes + text.toUtf8();
    const bool bigEndian = mark == "\xFE\xFF";
    for (const QChar c : text) {
        const auto high = char(c.unicode() >> 8);
        const auto low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

const char kMarch[] = "[Personendaten]\r\nBenutzerName=Jürgen\r\nDatum=März 2017\r\n1M=1\r\n"
                      "2M=0\r\n3M=0\r\n4M=1\r\n\r\n"
                      "Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, Gewicht=80,5\r\n"
                      "Abends den 05.03.2017 Z=20:40 s=141, d=91, p=70, Gewicht=0\r\n";

} // namespace

class TestOpenMonth : public QObject
{
    Q_OBJECT

private slots:
    void pathsFollowTheOpenMonth();
    void loadedFileFindsItsPlaceInTheGallery();
    void fileKeptApartIsNeverSavedNorReopened();
    void markedMonthFileShowsItsReadings_data();
    void markedMonthFileShowsItsReadings();
};

void TestOpenMonth::pathsFollowTheOpenMonth()
{
    OpenMonth month;
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

void TestOpenMonth::loadedFileFindsItsPlaceInTheGallery()
{
    const QStringList march = {QStringLiteral("[Personendaten]"),
                               QStringLiteral("BenutzerName=Muster"),
                               QStringLiteral("Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, "
                                              "Gewicht=0"),
                               QStringLiteral("Morgens 06.03.2017 Z=07:30 s=1, d=1, p=1")};
    const QString inGallery = QStringLiteral("/g/2017/Muster_03_2017.tab");
    const auto loaded = [&](const QString &path, const QStringList &lines) {
        auto month = std::make_unique<OpenMonth>();
        month->setGalleryFolder(QStringLiteral("/g/"));
        month->setUserName(QStringLiteral("Muster"));
        month->startLoad(path);
        month->takeEntryLines(lines, [](const QString &) {});
        return month;
    };

    auto own = loaded(inGallery, march);
    QCOMPARE(own->placeInGallery(inGallery, true), OpenMonth::Place::InGallery);
    QCOMPARE(own->path(), inGallery);
    // The line the list cannot show is written back after the one it followed.
    QCOMPARE(own->fileContent({true, true, true, true}, {}).constLast(), march.constLast());

    auto copied = loaded(QStringLiteral("/usb/März.tab"), march);
    QCOMPARE(copied->placeInGallery(QStringLiteral("/usb/März.tab"), true),
             OpenMonth::Place::OpenedFromElsewhere);
    QCOMPARE(copied->path(), inGallery);

    // Without a line the list shows, the other file's odd lines stay there.
    auto unshown = loaded(QStringLiteral("/usb/März.tab"), {march.at(0), march.at(3)});
    QCOMPARE(unshown->placeInGallery(QStringLiteral("/usb/März.tab"), false),
             OpenMonth::Place::InGallery);
    QCOMPARE(unshown->fileContent({true, true, true, true}, {}).constLast(), QString());

    auto foreign = loaded(QStringLiteral("/usb/x.tab"), march);
    foreign->setUserName(QStringLiteral("a/b"));
    QCOMPARE(foreign->placeInGallery(QStringLiteral("/usb/x.tab"), true),
             OpenMonth::Place::ShownOnly);
    QVERIFY(!foreign->placeProblem().isEmpty());
    QCOMPARE(foreign->path(), QStringLiteral("/usb/x.tab"));
}

void TestOpenMonth::markedMonthFileShowsItsReadings_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFE");
    QTest::newRow("UTF-16BE") << QByteArray("\xFE\xFF");
    QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF");
}

void TestOpenMonth::markedMonthFileShowsItsReadings()
{
    QFETCH(QByteArray, mark);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString gallery = dir.path() + QLatin1Char('/');
    const QString path = gallery + QStringLiteral("2017/Jürgen_03_2017.tab");
    QVERIFY(QDir().mkpath(gallery + QStringLiteral("2017")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(marked(mark, QString::fromUtf8(kMarch)));
    file.close();

    // The main window's load: header, list, statistics.
    OpenMonth month;
    month.setGalleryFolder(gallery);
    month.setUserName(QStringLiteral("Muster"));
    const MonthFile::ReadResult read = month.startLoad(path);
    QVERIFY(read.lines);
    const MonthFile::Header header = MonthFile::readHeader(*read.lines);
    QCOMPARE(header.dateText, QString::fromUtf8("März 2017"));
    QCOMPARE(header.applySwitches({true, true, true, true}),
             (std::array<bool, 4>{true, false, false, true}));
    month.takeUserName(header);
    QCOMPARE(month.userName(), QString::fromUtf8("Jürgen"));
    const QStringList shown = month.takeEntryLines(*read.lines, [](const QString &) {});
    QCOMPARE(shown.size(), 2);
    QCOMPARE(month.month(), QStringLiteral("03"));
    QCOMPARE(month.year(), QStringLiteral("2017"));
    QCOMPARE(month.statistics().monthMeans().systolic(), QStringLiteral("134,50"));
    QVERIFY(month.takeWeights());
    QCOMPARE(month.lastWeightText(), QStringLiteral("80,5"));
    QCOMPARE(month.placeInGallery(path, true), OpenMonth::Place::InGallery);

    // The report's and the table's reader of a period.
    const QList<Gallery::Month> period = Gallery::readPeriod(gallery, QString::fromUtf8("Jürgen"),
                                                             QDate(2017, 3, 1), QDate(2017, 3, 31));
    QCOMPARE(period.size(), 1);
    QCOMPARE(Gallery::readingsOf(period).size(), 2);
    QCOMPARE(Gallery::readingsOf(period).at(1).systolic, 141);

    // The next save writes the program's own form, and nothing is lost.
    const QStringList content = month.fileContent({true, false, false, true}, shown);
    QCOMPARE(GalleryMonthFile::lossRefusal(path, content), QString());
    QVERIFY(TextFile::writeLines(path, content));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QString::fromUtf8(kMarch).toLatin1());
}

void TestOpenMonth::fileKeptApartIsNeverSavedNorReopened()
{
    const QStringList march = {QStringLiteral("[Personendaten]"),
                               QStringLiteral("BenutzerName=Muster"),
                               QStringLiteral("Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, "
                                              "Gewicht=0")};
    const QString february = QStringLiteral("/g/2017/Muster_02_2017.tab");
    OpenMonth month;
    month.setGalleryFolder(QStringLiteral("/g/"));
    month.setUserName(QStringLiteral("Muster"));
    month.startLoad(february);
    QCOMPARE(month.lastFileToReopen(), february);

    // The gallery's March holds other readings: the chosen file is only shown.
    month.startLoad(QStringLiteral("/usb/Muster_03_2017.tab"));
    month.takeEntryLines(march, [](const QString &) {});
    QCOMPARE(month.placeInGallery(QStringLiteral("/usb/Muster_03_2017.tab"), true),
             OpenMonth::Place::OpenedFromElsewhere);
    month.keepApartFromGallery();
    QVERIFY(month.placeProblem().contains(QStringLiteral("„Muster_03_2017.tab“")));
    QCOMPARE(month.lastFileToReopen(), february);
    // A typed entry of the same month gives it no place either ...
    month.takeTypedMonth(QStringLiteral("03"), QStringLiteral("2017"));
    QVERIFY(!month.placeProblem().isEmpty());
    // ... but the first entry of a new month is free of it.
    month.startNewMonth();
    month.takeTypedMonth(QStringLiteral("04"), QStringLiteral("2017"));
    QVERIFY(month.placeProblem().isEmpty());
}

QTEST_GUILESS_MAIN(TestOpenMonth)
#include "tst_current_month.moc"
