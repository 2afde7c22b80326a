// A save killed at any moment leaves the old or the new file, whole.
#include "save_contents.h"
#include "storage/versions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

class TstKillWhileSaving : public QObject
{
    Q_OBJECT

private slots:
    void killedSaveLeavesOneWholeVersion_data();
    void killedSaveLeavesOneWholeVersion();
};

void TstKillWhileSaving::killedSaveLeavesOneWholeVersion_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("oldBytes");
    QTest::addColumn<QByteArray>("newBytes");
    QTest::newRow("month file") << QStringLiteral("month") << QStringLiteral("Muster_03_2017.tab")
                                << SaveContents::bytesOf(SaveContents::monthFile(false))
                                << SaveContents::bytesOf(SaveContents::monthFile(true));
    QTest::newRow("remark") << QStringLiteral("remark") << QStringLiteral("Muster_03_2017.txt")
                            << SaveContents::bytesOf(SaveContents::remark(false))
                            << SaveContents::bytesOf(SaveContents::remark(true));
    QTest::newRow("month file after its version")
        << QStringLiteral("version") << QStringLiteral("Galerie/2017/Muster_03_2017.tab")
        << SaveContents::bytesOf(SaveContents::monthFile(false))
        << SaveContents::bytesOf(SaveContents::monthFile(true));
}

// Each version of the month file holds one of the two contents whole; the
// number of them, or -1 after a failure.
static int wholeVersions(const QString &path, const QByteArray &oldBytes,
                         const QByteArray &newBytes)
{
    QDir gallery = QFileInfo(path).absoluteDir();
    gallery.cdUp();
    const QList<Versions::Version> versions = Versions::of(gallery.path() + '/', path);
    for (const Versions::Version &version : versions) {
        QFile file(version.path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = file.readAll();
        if (bytes != oldBytes && bytes != newBytes) {
            qWarning("%s: %lld bytes, neither content", qPrintable(version.path),
                     qlonglong(bytes.size()));
            return -1;
        }
    }
    return int(versions.size());
}

void TstKillWhileSaving::killedSaveLeavesOneWholeVersion()
{
    QFETCH(QString, mode);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, oldBytes);
    QFETCH(QByteArray, newBytes);
    QVERIFY(oldBytes != newBytes);
    QVERIFY(SaveContents::bytesOf(SaveContents::remark(true)).size() <= 252);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(fileName);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    const int rounds = qEnvironmentVariableIntValue("VANTORIA_KILL_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("VANTORIA_KILL_ROUNDS")
                           : 200;
    const quint32 seed = QRandomGenerator::system()->generate();
    QRandomGenerator random(seed);
    int sawOld = 0;
    int sawNew = 0;
    int keptVersions = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess writer;
        // Each round's clock starts 10000 hours after the last one's.
        writer.start(QStringLiteral(VANTORIA_SAVE_LOOP),
                     {mode, path, QString::number(qint64(round) * 10000)});
        QVERIFY2(writer.waitForReadyRead(10000), "the save loop did not start");
        // From at once to a few dozen saves later.
        QThread::usleep(random.bounded(30000));
        QCOMPARE(::kill(pid_t(writer.processId()), SIGKILL), 0);
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray onDisk = file.readAll();
        if (onDisk == oldBytes)
            ++sawOld;
        else if (onDisk == newBytes)
            ++sawNew;
        else
            QFAIL(qPrintable(QStringLiteral("round %1 (seed %2): %3 bytes on disk, neither version")
                                 .arg(round)
                                 .arg(seed)
                                 .arg(onDisk.size())));
        if (mode == QLatin1String("version")) {
            const int versions = wholeVersions(path, oldBytes, newBytes);
            QVERIFY2(versions >= 0, qPrintable(QStringLiteral("round %1 (seed %2): a damaged "
                                                              "version")
                                                   .arg(round)
                                                   .arg(seed)));
            keptVersions = std::max(keptVersions, versions);
        }
    }
    if (mode == QLatin1String("version")) {
        qInfo("version: up to %d whole versions kept at once", keptVersions);
        QVERIFY2(keptVersions > 0, "no version was ever kept");
    }
    // Killed saves may leave their unfinished temporary file behind; it never
    // takes the place of the journal.
    const QStringList leftovers = QDir(dir.path())
                                      .entryList(QDir::Files)
                                      .filter(QRegularExpression(QStringLiteral("\\.[^.]*\\.")));
    qInfo("%s: %d rounds, 0 damaged (%d old, %d new), %lld unfinished temporary files left",
          qPrintable(mode), rounds, sawOld, sawNew, qlonglong(leftovers.size()));
    QVERIFY2(sawOld > 0 && sawNew > 0, "the kills never fell between two saves");
}

QTEST_GUILESS_MAIN(TstKillWhileSaving)
#include "tst_kill_while_saving.moc"
