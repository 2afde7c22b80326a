#include "app/Machpaus.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

class TestMachPause : public QObject
{
    Q_OBJECT

private slots:
    void timersRunWhileWaiting();
    void pauseChangesTheInterval();
    void nestedPauseEndsTheOuterOne();
};

void TestMachPause::timersRunWhileWaiting()
{
    TMachPause pause;
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start();
    bool posted = false;
    QTimer::singleShot(0, [&posted] { posted = true; });

    QElapsedTimer clock;
    clock.start();
    pause.Pause(100);
    QVERIFY(clock.elapsed() >= 95);
    QVERIFY(posted);
    QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
}

void TestMachPause::pauseChangesTheInterval()
{
    TMachPause pause;
    pause.setInterval(1000);
    QCOMPARE(pause.property("Interval").toInt(), 1000);
    pause.Pause(100);
    QCOMPARE(pause.Interval(), 100);
    QElapsedTimer clock;
    clock.start();
    pause.Pause(200);
    QCOMPARE(pause.Interval(), 200);
    QVERIFY(clock.elapsed() >= 195);
    QVERIFY2(clock.elapsed() < 900, "the designed 1000 ms were used");
}

void TestMachPause::nestedPauseEndsTheOuterOne()
{
    TMachPause pause;
    bool innerDone = false;
    // An event handled during the outer wait starts a pause of its own.
    QTimer::singleShot(20, [&] {
        pause.Pause(50);
        innerDone = true;
    });
    QElapsedTimer clock;
    clock.start();
    pause.Pause(300);
    QVERIFY(innerDone);
    // The inner pause restarted the one timer; its end ends the outer wait.
    QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestMachPause)
#include "tst_machpause.moc"
