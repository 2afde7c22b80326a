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
#include <QSet>
#include <QTest>

#include <zip.h>

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

// A month of 28 readings, enough for its compressed data to have a middle.
QByteArray fullMonth(int monthNumber)
{
    const QString datum =
        monthNumber == 3 ? QStringLiteral("M\u00e4rz 2017") : QStringLiteral("April 2017");
    QByteArray text = month("Muster", datum.toLatin1().constData(), "1111", {});
    for (int day = 1; day <= 28; ++day)
        text += QStringLiteral("Morgens den %1.%2.2017 Z=07:30 s=1%1, d=80, p=60, Gewicht=0\r\n")
                    .arg(day, 2, 10, QLatin1Char('0'))
                    .arg(monthNumber, 2, 10, QLatin1Char('0'))
                    .toLatin1();
    return text;
}

// Where an entry's compressed data lies, found through its local header.
struct StoredData
{
    qsizetype start = -1;
    qsizetype size = 0;
};

StoredData storedDataOf(const QByteArray &zip, const QByteArray &name)
{
    const auto number = [&zip](qsizetype at, int size) {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | quint8(zip.at(at + i));
        return qsizetype(value);
    };
    qsizetype at = 0;
    while (zip.mid(at, 4) == QByteArray("PK\x03\x04")) {
        const qsizetype nameSize = number(at + 26, 2);
        const qsizetype start = at + 30 + nameSize + number(at + 28, 2);
        const qsizetype size = number(at + 18, 4);
        if (zip.mid(at + 30, nameSize) == name)
            return {start, size};
        at = start + size;
    }
    return {};
}

} // namespace

class TestGalleryArchive : public QObject
{
    Q_OBJECT

private slots:
    void roundTripIntoAnEmptyGalleryIsByteIdentical();
    void mergeKeepsWhatTheGalleryHolds();
    void damagedArchivesAreRefusedWhole();
    void damagedMembersAreNamed();
    void cutArchives();
    void everyLibzipErrorReadsGerman();
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
    const QString noZip = QStringLiteral("Die Datei ist beschädigt oder keine ZIP-Datei: Das "
                                         "Inhaltsverzeichnis an ihrem Ende fehlt.");
    // The changed byte gives one of the reasons checked in
    // damagedMembersAreNamed; here only the frame of the message counts.
    const QList<std::tuple<const char *, QByteArray, QString>> damaged{
        {"cut off", zip.left(zip.size() / 2), noZip},
        {"one byte changed", flipped, QString()},
        {"no archive at all", QByteArray("[Personendaten]\r\n"), noZip},
        {"empty", QByteArray(), QStringLiteral("Die Datei ist leer.")},
    };
    for (const auto &[what, bytes, reason] : damaged) {
        const QString path = source.home.root() + QStringLiteral("/kaputt.zip");
        TempHome::writeFile(path, bytes);
        QString problem;
        QVERIFY2(!GalleryArchive::read(path, &problem), what);
        const QString start = QStringLiteral("Die Sicherungskopie „") + path +
                              QStringLiteral("“ lässt sich nicht einlesen. ");
        const QString end = QStringLiteral(" Es wurde nichts übernommen.");
        QVERIFY2(problem.startsWith(start) && problem.endsWith(end), qPrintable(problem));
        if (!reason.isEmpty())
            QCOMPARE(problem, start + reason + end);
    }
    QString problem;
    QVERIFY(!GalleryArchive::read(source.home.root() + QStringLiteral("/fehlt.zip"), &problem));
    QCOMPARE(problem, QStringLiteral("Die Datei „") + source.home.root() +
                          QStringLiteral("/fehlt.zip“ lässt sich nicht lesen."));
}

void TestGalleryArchive::damagedMembersAreNamed()
{
    Home source;
    TempHome::writeFile(source.gallery + "2017/Muster_03_2017.tab", fullMonth(3));
    TempHome::writeFile(source.gallery + "2017/Muster_04_2017.tab", fullMonth(4));
    const QByteArray zip = TempHome::readFile(source.backup());
    const QByteArray april = "Blutdruck-Daten-Galerie/2017/Muster_04_2017.tab";
    const StoredData data = storedDataOf(zip, april);
    QVERIFY(data.start > 0 && data.size > 100);
    QVERIFY(data.start + data.size < zip.size());

    const QString path = source.home.root() + QStringLiteral("/kaputt.zip");
    const QString start = QStringLiteral("Die Sicherungskopie „") + path +
                          QStringLiteral("“ lässt sich nicht einlesen. Die Datei ist "
                                         "beschädigt: ");
    const QString end = QStringLiteral(" Es wurde nichts übernommen.");
    const QString named = QStringLiteral("„Blutdruck-Daten-Galerie/2017/Muster_04_2017.tab“");
    const QString checksum = QStringLiteral("Der Inhalt von ") + named +
                             QStringLiteral(" passt nicht zu seiner Prüfsumme.");
    const QString inflate = QStringLiteral("Der gepackte Inhalt von ") + named +
                            QStringLiteral(" lässt sich nicht entpacken.");
    const QString length = QStringLiteral("Die Länge von ") + named +
                           QStringLiteral(" passt nicht zu den Angaben im Inhaltsverzeichnis.");
    // Every byte of April's compressed data changed in turn: the archive is
    // refused, and the message says in German what is wrong with April.
    QMap<QString, int> seen;
    for (qsizetype at = data.start; at < data.start + data.size; ++at) {
        QByteArray bytes = zip;
        bytes[at] = char(bytes.at(at) ^ 0xFF);
        TempHome::writeFile(path, bytes);
        QString problem;
        QVERIFY2(!GalleryArchive::read(path, &problem), qPrintable(QString::number(at)));
        const QString reason =
            problem.mid(start.size(), problem.size() - start.size() - end.size());
        QVERIFY2(problem == start + reason + end &&
                     (reason == checksum || reason == inflate || reason == length),
                 qPrintable(problem));
        ++seen[reason];
    }
    QVERIFY2(seen.value(checksum) > 0 && seen.value(inflate) > 0,
             qPrintable(QStringList(seen.keys()).join(u'\n')));
    // The whole file still reads.
    TempHome::writeFile(path, zip);
    QString problem;
    QCOMPARE(GalleryArchive::read(path, &problem)->size(), 2);
}

void TestGalleryArchive::cutArchives()
{
    Home source;
    TempHome::writeFile(source.gallery + "2017/Muster_03_2017.tab", fullMonth(3));
    TempHome::writeFile(source.gallery + "2017/Muster_04_2017.tab", fullMonth(4));
    const QByteArray zip = TempHome::readFile(source.backup());
    const QString path = source.home.root() + QStringLiteral("/kaputt.zip");
    const auto reasonFor = [&path](const QByteArray &bytes) {
        TempHome::writeFile(path, bytes);
        QString problem;
        if (GalleryArchive::read(path, &problem))
            return QStringLiteral("read");
        return problem;
    };
    const auto refused = [&path](const char *reason) {
        return QStringLiteral("Die Sicherungskopie „") + path +
               QStringLiteral("“ lässt sich nicht einlesen. ") + QString::fromUtf8(reason) +
               QStringLiteral(" Es wurde nichts übernommen.");
    };
    // The directory at the end is missing or cut.
    const char *const noZip = "Die Datei ist beschädigt oder keine ZIP-Datei: Das "
                              "Inhaltsverzeichnis an ihrem Ende fehlt.";
    for (const qsizetype kept : {zip.size() - 1, zip.size() - 22, zip.size() / 2, qsizetype(1)})
        QCOMPARE(reasonFor(zip.left(kept)), refused(noZip));
    // The directory is whole but the start is missing: its places are wrong.
    const char *const inconsistent = "Die Datei ist beschädigt: Die Angaben ihres "
                                     "Inhaltsverzeichnisses widersprechen sich.";
    QCOMPARE(reasonFor(zip.mid(1)), refused(inconsistent));
    const StoredData april = storedDataOf(zip, "Blutdruck-Daten-Galerie/2017/Muster_04_2017.tab");
    QCOMPARE(reasonFor(zip.left(april.start) + zip.mid(april.start + april.size / 2)),
             refused(inconsistent));
    QCOMPARE(reasonFor(zip), QStringLiteral("read"));
}

void TestGalleryArchive::everyLibzipErrorReadsGerman()
{
    // Never libzip's English text; what names a member names it in quotes.
    const QString member = QStringLiteral("Blutdruck-Daten-Galerie/2017/Muster_03_2017.tab");
    const QSet<int> ofAMember = {ZIP_ER_CRC,         ZIP_ER_ZLIB,     ZIP_ER_COMPRESSED_DATA,
                                 ZIP_ER_INCONS,      ZIP_ER_EOF,      ZIP_ER_COMPNOTSUPP,
                                 ZIP_ER_ENCRNOTSUPP, ZIP_ER_NOPASSWD, ZIP_ER_WRONGPASSWD,
                                 ZIP_ER_READ,        ZIP_ER_MEMORY,   ZIP_ER_INTERNAL};
    const QSet<int> damage = {ZIP_ER_CRC,    ZIP_ER_ZLIB, ZIP_ER_COMPRESSED_DATA,
                              ZIP_ER_INCONS, ZIP_ER_EOF,  ZIP_ER_NOZIP};
    for (int code = ZIP_ER_OK + 1; code <= ZIP_ER_CANCELLED + 2; ++code) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString english =
            QString::fromLocal8Bit(zip_error_strerror(&error)).section(u':', 0, 0);
        zip_error_fini(&error);
        for (const QString &name : {member, QString()}) {
            const QString text = GalleryArchive::readReason(code, name);
            const QString row = QStringLiteral("%1 %2: %3").arg(code).arg(name, text);
            QVERIFY2(!text.contains(english, Qt::CaseInsensitive), qPrintable(row));
            QVERIFY2(text.endsWith(u'.'), qPrintable(row));
            QVERIFY2(text.startsWith(QStringLiteral("Die Datei ist beschädigt")) ==
                         damage.contains(code),
                     qPrintable(row));
            if (!name.isEmpty() && ofAMember.contains(code))
                QVERIFY2(text.contains(u'„' + member + u'“'), qPrintable(row));
            if (name.isEmpty())
                QVERIFY2(!text.contains(u'„'), qPrintable(row));
        }
    }
}

QTEST_GUILESS_MAIN(TestGalleryArchive)
#include "tst_gallery_archive.moc"
