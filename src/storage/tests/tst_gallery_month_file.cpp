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
    void aCharacterTheCodePageCannotHoldIsNeverWritten_data();
    void aCharacterTheCodePageCannotHoldIsNeverWritten();
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
             QStringLiteral("Die Tabelle „Muster_04_2017.tab“ wird nicht überschrieben, weil "
                            "dabei diese gespeicherte Messung verloren ginge:\r\n") +
                 kSecond + QStringLiteral("\r\nBitte öffnen Sie die Tabelle neu."));
    // A "file" that cannot be read is never replaced either.
    const QString folder = dir.filePath(QStringLiteral("Muster_05_2017.tab"));
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(GalleryMonthFile::lossRefusal(folder, month({kFirst})),
             QStringLiteral("Die Tabelle „Muster_05_2017.tab“ lässt sich nicht lesen und wird "
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

void TestGalleryMonthFile::aCharacterTheCodePageCannotHoldIsNeverWritten_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("umlauts and the euro")
        << QString::fromUtf8("Jürgen") << kFirst + QString::fromUtf8(" €") << QString();
    QTest::newRow("name") << QString::fromUtf8("Łukasz") << kFirst
                          << QString::fromUtf8("Die Zeile „BenutzerName=Łukasz“ enthält das "
                                               "Zeichen „Ł“");
    QTest::newRow("reading") << QStringLiteral("Muster") << kFirst + QString::fromUtf8(" ✓")
                             << QString::fromUtf8("Die Zeile „") + kFirst +
                                    QString::fromUtf8(" ✓“ enthält das Zeichen „✓“");
}

void TestGalleryMonthFile::aCharacterTheCodePageCannotHoldIsNeverWritten()
{
    QFETCH(QString, user);
    QFETCH(QString, entry);
    QFETCH(QString, refusal);
    // Such lines come from a month file with a byte-order mark; written, each
    // of their characters would silently become '?'.
    const QStringList content{QStringLiteral("[Personendaten]"),
                              QStringLiteral("BenutzerName=") + user, QString(), entry};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Muster_04_2017.tab"));
    for (bool exists : {false, true}) {
        if (exists)
            QVERIFY(TextFile::writeBytes(path, "[Personendaten]\r\n"));
        const QString text = GalleryMonthFile::lossRefusal(path, content);
        if (refusal.isEmpty()) {
            QCOMPARE(text, QString());
            continue;
        }
        QCOMPARE(text, QStringLiteral("Die Tabelle „Muster_04_2017.tab“ wird nicht gespeichert: ") +
                           refusal +
                           QStringLiteral(", das eine Monatstabelle im Zeichensatz Windows-1252 "
                                          "nicht speichern kann; es ginge beim Speichern "
                                          "verloren."));
    }
}

QTEST_GUILESS_MAIN(TestGalleryMonthFile)
#include "tst_gallery_month_file.moc"
