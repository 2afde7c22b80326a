// The whole gallery in one ZIP file and back: byte for byte into an empty
// gallery, merged into a gallery that already holds months, and refused
// whole when the file is damaged.
#include "storage/backup_restore.h"
#include "storage/gallery_archive.h"
#include "storage/versions.h"
#include "support/temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTest>

namespace {

QByteArray month(const char *user, const char *datum, const char *switches,
                 std::initializer_list<const char *> lines)
{
    QByteArray text =
        QByteArray("[Personendaten]\r\nBenutzerName=") + user + "\r\nDatum=" + datum + "\r\n";
    for (int slot = 0; slot < 4; ++slot)
        text += QByteArray::number(slot + 1) + "M=" + switches[slot] + "\r\n";
    text += "\r\n";
    for (const char *line : lines)
        text += QByteArray(line) + "\r\n";
    return text;
}

const char *const kMorning = "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=80,5";
const char *const kEvening = "Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0";
const char *const kSecondDay = "Morgens den 02.03.2017 Z=07:30 s=128, d=80, p=64, Gewicht=0";

struct Home
{
    TempHome home;
    QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    std::array<QString, 4> slotTimes{QStringLiteral("07:30"), QStringLiteral("13:00"),
                                     QStringLiteral("15:30"), QStringLiteral("20:40")};

    QString backup(const QString &name = QStringLiteral("sicherung.zip")) const
    {
        QString problem;
        const auto entries = GalleryArchive::collect(gallery, home.settingsFile(), &problem);
        if (!entries)
            qFatal("collect: %s", qPrintable(problem));
        const QString path = home.root() + QLatin1Char('/') + name;
        problem = GalleryArchive::write(path, *entries);
        if (!problem.isEmpty())
            qFatal("write: %s", qPrintable(problem));
        return path;
    }

    BackupRestore::Plan planFrom(const QString &zip) const
    {
        QString problem;
        const auto entries = GalleryArchive::read(zip, &problem);
        if (!entries)
            qFatal("read: %s", qPrintable(problem));
        return BackupRestore::plan(*entries, gallery, slotTimes);
    }
};

} // namespace

class TestGalleryArchive : public QObject
{
    Q_OBJECT

private slots:
    void roundTripIntoAnEmptyGalleryIsByteIdentical();
    void mergeKeepsWhatTheGalleryHolds();
    void damagedArchivesAreRefusedWhole();
};

void TestGalleryArchive::roundTripIntoAnEmptyGalleryIsByteIdentical()
{
    Home source;
    // A switched-off slot and a line no reading can be read from must
    // survive, and so must a user name with an umlaut.
    TempHome::writeFile(source.gallery + "2017/Muster_03_2017.tab",
                        month("Muster", "M\xe4rz 2017", "1101",
                              {kMorning, kEvening, "Abends den 02.03.2017 Z=20:40 s=1x0"}));
    TempHome::writeFile(source.gallery + "2017/Muster_03_2017.txt", "Urlaub\r\nam Meer\r\n");
    TempHome::writeFile(source.gallery + QString::fromUtf8("2016/Jürgen_12_2016.tab"),
                        month("J\xfcrgen", "Dezember 2016", "1111",
                              {"Abends den 31.12.2016 Z=20:40 s=150, d=95, p=70, Gewicht=0"}));
    TempHome::writeFile(source.gallery + "Sicherungen/2017/Muster_03_2017.tab.2017-03-01_08-00-00",
                        "a version");
    TempHome::writeFile(source.home.settingsFile(), "settings of the source\r\n");

    Home target;
    TempHome::writeFile(target.home.settingsFile(), "settings of the target\r\n");
    const BackupRestore::Plan plan = target.planFrom(source.backup());
    QCOMPARE(plan.added(), 3);
    QVERIFY(plan.hasSettings);
    const BackupRestore::Result result = BackupRestore::apply(plan, target.gallery);
    QCOMPARE(result.problem, QString());
    QCOMPARE(result.written.size(), 3);

    QMap<QString, QByteArray> expected = TempHome::filesBelow(source.gallery);
    expected.remove(QStringLiteral("Sicherungen/2017/Muster_03_2017.tab.2017-03-01_08-00-00"));
    QCOMPARE(TempHome::filesBelow(target.gallery), expected);
    QCOMPARE(TempHome::readFile(target.home.settingsFile()),
             QByteArray("settings of the target\r\n"));
    QCOMPARE(BackupRestore::summaryText(plan),
             QStringLiteral("3 Messungen übernommen, 0 schon vorhanden, 0 ohne freien Platz.\r\n"
                            "Bemerkungen: 1 übernommen.\r\n"
                            "Die Einstellungen der Sicherungskopie wurden nicht übernommen; Ihre "
                            "jetzigen Einstellungen gelten weiter."));
}

void TestGalleryArchive::mergeKeepsWhatTheGalleryHolds()
{
    Home source;
    TempHome::writeFile(source.gallery + "2017/Muster_03_2017.tab",
                        month("Muster", "M\xe4rz 2017", "1111", {kMorning, kEvening, kSecondDay}));
    TempHome::writeFile(source.gallery + "2017/Muster_03_2017.txt", "alt\r\n");
    TempHome::writeFile(source.gallery + "2017/Muster_04_2017.txt", "April\r\n");
    TempHome::writeFile(source.gallery + "2017/Muster_05_2017.txt", "Mai\r\n");
    const QString zip = source.backup();

    Home target;
    // The evening slot of the first day holds another reading now: the
    // backup's evening reading goes to the nearest free slot of that day.
    const QByteArray march =
        month("Muster", "M\xe4rz 2017", "1111",
              {kMorning, "Abends den 01.03.2017 Z=21:00 s=150, d=95, p=72, Gewicht=0"});
    TempHome::writeFile(target.gallery + "2017/Muster_03_2017.tab", march);
    TempHome::writeFile(target.gallery + "2017/Muster_03_2017.txt", "neu\r\n");
    TempHome::writeFile(target.gallery + "2017/Muster_04_2017.txt", "April\r\n");
    const BackupRestore::Plan plan = target.planFrom(zip);
    QCOMPARE(plan.added(), 2);
    QCOMPARE(plan.present(), 1);
    QCOMPARE(BackupRestore::previewText(plan),
             QStringLiteral("Die Sicherungskopie enthält:\r\n"
                            "März 2017 (Muster): 2 neu, 1 schon vorhanden\r\n"
                            "Bemerkungen: 1 neu, 1 schon vorhanden, 1 nicht übernommen, weil der "
                            "Monat schon eine andere hat\r\n\r\n"
                            "Vorhandene Messungen, Bemerkungen und Ihre Einstellungen werden nicht "
                            "überschrieben. Jetzt übernehmen?"));

    const BackupRestore::Result result = BackupRestore::apply(plan, target.gallery);
    QCOMPARE(result.problem, QString());
    const QByteArray merged = TempHome::readFile(target.gallery + "2017/Muster_03_2017.tab");
    QVERIFY(merged.contains("Abends den 01.03.2017 Z=21:00 s=150"));
    QVERIFY(merged.contains("Messung3 den 01.03.2017 Z=20:40 s=135, d=85, p=66"));
    QVERIFY(merged.contains(kSecondDay));
    QCOMPARE(TempHome::readFile(target.gallery + "2017/Muster_03_2017.txt"), QByteArray("neu\r\n"));
    QCOMPARE(TempHome::readFile(target.gallery + "2017/Muster_05_2017.txt"), QByteArray("Mai\r\n"));
    // The month the merge replaced was kept as a version first.
    const QList<Versions::Version> versions =
        Versions::of(target.gallery, target.gallery + "2017/Muster_03_2017.tab");
    QCOMPARE(versions.size(), 1);
    QCOMPARE(TempHome::readFile(versions.constFirst().path), march);

    // A second time, nothing is new.
    const BackupRestore::Plan again = target.planFrom(zip);
    QCOMPARE(again.added(), 0);
    QCOMPARE(again.present(), 3);
    QVERIFY(again.newRemarks.isEmpty());
}

void TestGalleryArchive::damagedArchivesAreRefusedWhole()
{
    Home source;
    QByteArray full = month("Muster", "M\xe4rz 2017", "1111", {kMorning, kEvening, kSecondDay});
    for (int day = 3; day <= 28; ++day)
        full += QStringLiteral("Morgens den %1.03.2017 Z=07:30 s=1%1, d=80, p=60, Gewicht=0\r\n")
                    .arg(day, 2, 10, QLatin1Char('0'))
                    .toLatin1();
    TempHome::writeFile(source.gallery + "2017/Muster_03_2017.tab", full);
    const QByteArray zip = TempHome::readFile(source.backup());

    // A byte in the middle of the month's compressed data, found through
    // the first local header: the checksum no longer matches.
    const auto number = [&zip](int at, int size) {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | quint8(zip.at(at + i));
        return int(value);
    };
    QVERIFY(zip.startsWith("PK\x03\x04"));
    const int middle = 30 + number(26, 2) + number(28, 2) + number(18, 4) / 2;
    QByteArray flipped = zip;
    flipped[middle] = char(flipped.at(middle) ^ 0x55);
    const QList<std::pair<const char *, QByteArray>> damaged{
        {"cut off", zip.left(zip.size() / 2)},
        {"one byte changed", flipped},
        {"no archive at all", QByteArray("[Personendaten]\r\n")},
        {"empty", QByteArray()},
    };
    for (const auto &[what, bytes] : damaged) {
        const QString path = source.home.root() + QStringLiteral("/kaputt.zip");
        TempHome::writeFile(path, bytes);
        QString problem;
        QVERIFY2(!GalleryArchive::read(path, &problem), what);
        QVERIFY2(problem.startsWith(QStringLiteral("Die Datei \"") + path +
                                    QStringLiteral("\" ist keine lesbare Sicherungskopie (")),
                 qPrintable(problem));
        QVERIFY(problem.endsWith(QStringLiteral("). Es wurde nichts übernommen.")));
    }
    QString problem;
    QVERIFY(!GalleryArchive::read(source.home.root() + QStringLiteral("/fehlt.zip"), &problem));
    QCOMPARE(problem, QStringLiteral("Die Datei \"") + source.home.root() +
                          QStringLiteral("/fehlt.zip\" lässt sich nicht lesen."));
}

QTEST_GUILESS_MAIN(TestGalleryArchive)
#include "tst_gallery_archive.moc"
