// A save killed at any moment leaves the old or the new file, whole.
#include "save_contents.h"

#include <QDir>
#include <QFile>
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
    const int rounds = qEnvironmentVariableIntValue("VANTORIA_KILL_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("VANTORIA_KILL_ROUNDS")
                           : 200;
    const quint32 seed = QRandomGenerator::system()->generate();
    QRandomGenerator random(seed);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(VANTORIA_SAVE_LOOP), {mode, path});
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
