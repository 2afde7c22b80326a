#include "base/text_file.h"
#include "storage/gallery_month_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kFirst =
    QStringLiteral("Morgens den 03.04.2017 Z=07:30 s=131, d=81, p=61, Gewicht=0");
const QString kSecond =
    QStringLiteral("Abends den 03.04.2017 Z=20:40 s=132, d=82, p=62, Gewicht=0");

QStringList month(const QStringList &entries)
{
    return QStringList{QStringLiteral("[Personendaten]"), QStringLiteral("BenutzerName=Muster"),
                       QString()} +
           entries;
}

} // namespace

class TestGalleryMonthFile : public QObject
{
    Q_OBJECT

private slots:
    void aWriteNeverDropsAStoredReading();
    void aCopyNeverReplacesTheGallerysFile();
};

void TestGalleryMonthFile::aWriteNeverDropsAStoredReading()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Muster_04_2017.tab"));
    QCOMPARE(GalleryMonthFile::lossRefusal(path, month({kFirst})), QString()); // a new file
    QVERIFY(TextFile::writeLines(path, month({kFirst, kSecond})));
    QCOMPARE(GalleryMonthFile::lossRefusal(path, month({kFirst, kSecond})), QString());
    QCOMPARE(GalleryMonthFile::lossRefusal(path, month({kFirst}), kSecond), QString());
    QCOMPARE(GalleryMonthFile::lossRefusal(path, month({kFirst})),
             QStringLiteral("Die Tabelle \"Muster_04_2017.tab\" wird nicht überschrieben, weil "
                            "dabei diese gespeicherte Messung verloren ginge:\r\n") +
                 kSecond + QStringLiteral("\r\nBitte öffnen Sie die Tabelle neu."));
    // A "file" that cannot be read is never replaced either.
    const QString folder = dir.filePath(QStringLiteral("Muster_05_2017.tab"));
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(GalleryMonthFile::lossRefusal(folder, month({kFirst})),
             QStringLiteral("Die Tabelle \"Muster_05_2017.tab\" lässt sich nicht lesen und wird "
                            "darum nicht überschrieben."));
}

void TestGalleryMonthFile::aCopyNeverReplacesTheGallerysFile()
{
    QTemporaryDir dir;
    const QString opened = dir.filePath(QStringLiteral("mitgebracht.tab"));
    const QString gallery = dir.filePath(QStringLiteral("Muster_04_2017.tab"));
    QVERIFY(TextFile::writeLines(opened, month({kFirst})));
    QCOMPARE(GalleryMonthFile::copyInto(opened, gallery), GalleryMonthFile::Copy::Made);
    QCOMPARE(TextFile::readLines(gallery), TextFile::readLines(opened));
    QCOMPARE(GalleryMonthFile::copyInto(opened, gallery), GalleryMonthFile::Copy::AlreadyThere);
    QVERIFY(TextFile::writeLines(gallery, month({kFirst, kSecond})));
    QCOMPARE(GalleryMonthFile::copyInto(opened, gallery), GalleryMonthFile::Copy::Differs);
    QCOMPARE(TextFile::readLines(gallery), std::optional<QStringList>(month({kFirst, kSecond})));
}

QTEST_GUILESS_MAIN(TestGalleryMonthFile)
#include "tst_gallery_month_file.moc"
