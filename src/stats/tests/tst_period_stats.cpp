// The figures of a report period and its measuring week, against values
// worked out by hand.
#include "stats/measuring_week.h"
#include "stats/period_stats.h"

#include <QTest>

namespace {

Reading reading(const QDate &date, Slot slot, int systolic, int diastolic, int pulse = 70,
                const char *weight = "0")
{
    const QString line = Reading::format(slot, date, QStringLiteral("07:30"), systolic, diastolic,
                                         pulse, QString::fromLatin1(weight));
    return *Reading::parse(line);
}

// Seven days from `first`, each with a Morgens and an Abends reading; the
// morning of day n reads 130+n/80+n, the evening 140+n/90+n (n from 1).
QList<Reading> week(const QDate &first)
{
    QList<Reading> readings;
    for (int n = 1; n <= 7; ++n) {
        readings << reading(first.addDays(n - 1), Slot::Morning, 130 + n, 80 + n)
                 << reading(first.addDays(n - 1), Slot::Evening, 140 + n, 90 + n);
    }
    return readings;
}

// Twelve readings of days 2..7 with these means, day 1 far off.
QList<Reading> weekWithMeans(int systolic, int diastolic)
{
    const QDate first(2026, 3, 3);
    QList<Reading> readings{reading(first, Slot::Morning, 200, 120),
                            reading(first, Slot::Evening, 200, 120)};
    for (int n = 1; n < 7; ++n) {
        readings << reading(first.addDays(n), Slot::Morning, systolic, diastolic)
                 << reading(first.addDays(n), Slot::Evening, systolic, diastolic);
    }
    return readings;
}

QList<Reading> without(QList<Reading> readings, const QDate &date, Slot slot)
{
    readings.removeIf([&](const Reading &r) { return r.date == date && r.slot == slot; });
    return readings;
}

} // namespace

class TestPeriodStats : public QObject
{
    Q_OBJECT

private slots:
    void meansBySlotAndExtremes();
    void thresholdCountsAtTheLimitAndNotBelow();
    void weightMeanAndChangeFromFirstToLastMonthWithWeights();
    void dailyMeansAcrossAYearEnd();
    void emptyPeriod();

    void measuringWeekDropsDayOne();
    void missingEveningBreaksTheRun();
    void sixDaysAreNotEnough();
    void latestCompleteWeekWins();
    void weekAcrossAYearEnd();
    void thresholdWording_data();
    void thresholdWording();
    void weekNeedsTwelveUsableReadings_data();
    void weekNeedsTwelveUsableReadings();
    void sentenceNeedsTwelveReadings_data();
    void sentenceNeedsTwelveReadings();
};

void TestPeriodStats::meansBySlotAndExtremes()
{
    const QDate d1(2026, 1, 5), d2(2026, 1, 6);
    // Given out of order: the statistics must not depend on it.
    const PeriodStats stats = periodStats({
        reading(d2, Slot::Evening, 150, 95, 80),
        reading(d1, Slot::Morning, 120, 80, 60),
        reading(d1, Slot::Second, 110, 70, 65),
        reading(d1, Slot::Evening, 130, 84, 70),
        reading(d2, Slot::Morning, 125, 70, 62),
        reading(d2, Slot::Third, 150, 70, 90),
    });
    QCOMPARE(stats.all.count, 6);
    QCOMPARE(double(stats.all.systolic()), (120 + 110 + 130 + 150 + 125 + 150) / 6.0);
    QCOMPARE(double(stats.all.pulse()), (60 + 65 + 70 + 80 + 62 + 90) / 6.0);
    QCOMPARE(stats.morning.count, 2);
    QCOMPARE(double(stats.morning.systolic()), 122.5);
    QCOMPARE(double(stats.morning.diastolic()), 75.0);
    QCOMPARE(stats.evening.count, 2);
    QCOMPARE(double(stats.evening.systolic()), 140.0);
    QCOMPARE(double(stats.evening.pulse()), 75.0);
    // Messung2 and Messung3 count for the whole period only.
    QCOMPARE(stats.lowestSystolic->value, 110);
    QCOMPARE(stats.lowestSystolic->date, d1);
    QCOMPARE(stats.highestSystolic->value, 150);
    QCOMPARE(stats.highestSystolic->date, d2);
    // 70 on both days: the first day it was measured.
    QCOMPARE(stats.lowestDiastolic->value, 70);
    QCOMPARE(stats.lowestDiastolic->date, d1);
    QCOMPARE(stats.highestDiastolic->value, 95);
}

void TestPeriodStats::thresholdCountsAtTheLimitAndNotBelow()
{
    const QDate day(2026, 2, 1);
    const PeriodStats stats = periodStats({
        reading(day, Slot::Morning, 135, 70),            // systolic at the limit
        reading(day, Slot::Second, 134, 84),             // one below each
        reading(day, Slot::Third, 120, 85),              // diastolic at the limit
        reading(day.addDays(1), Slot::Evening, 136, 86), // both above
        reading(day.addDays(1), Slot::Morning, 134, 80),
    });
    QCOMPARE(stats.atOrAboveThreshold, 3);
    QCOMPARE(stats.all.count, 5);
}

void TestPeriodStats::weightMeanAndChangeFromFirstToLastMonthWithWeights()
{
    const PeriodStats stats = periodStats({
        reading(QDate(2025, 12, 30), Slot::Morning, 130, 80, 70, "80,5"),
        reading(QDate(2025, 12, 31), Slot::Morning, 130, 80, 70, "81"),
        reading(QDate(2026, 1, 10), Slot::Morning, 130, 80, 70, "0"),
        reading(QDate(2026, 2, 2), Slot::Morning, 130, 80, 70, "79,5"),
        reading(QDate(2026, 2, 3), Slot::Evening, 130, 80, 70, "0"),
    });
    // (80,5 + 81 + 79,5) / 3; January has no weight and is no month of the change.
    QCOMPARE(double(*stats.weightMean), 80.3333333333333333);
    QCOMPARE(stats.monthWeights.size(), 2);
    QCOMPARE(double(stats.monthWeights.at(0).mean), 80.75);
    QCOMPARE(stats.monthWeights.at(1).month, 2);
    QCOMPARE(double(*stats.weightChange()), 79.5 - 80.75);

    const PeriodStats oneMonth =
        periodStats({reading(QDate(2026, 1, 1), Slot::Morning, 130, 80, 70, "80")});
    QCOMPARE(double(*oneMonth.weightMean), 80.0);
    QVERIFY(!oneMonth.weightChange());
    QVERIFY(!periodStats({reading(QDate(2026, 1, 1), Slot::Morning, 130, 80)}).weightMean);
}

void TestPeriodStats::dailyMeansAcrossAYearEnd()
{
    const PeriodStats stats = periodStats({
        reading(QDate(2026, 1, 1), Slot::Morning, 134, 80, 60),
        reading(QDate(2025, 12, 31), Slot::Evening, 140, 90, 70),
        reading(QDate(2026, 1, 1), Slot::Evening, 135, 81, 63),
    });
    QCOMPARE(stats.days.size(), 2);
    QCOMPARE(stats.days.at(0).date, QDate(2025, 12, 31));
    QCOMPARE(stats.days.at(1).means.count, 2);
    QCOMPARE(double(stats.days.at(1).means.systolic()), 134.5);
    QCOMPARE(double(stats.days.at(1).means.pulse()), 61.5);
}

void TestPeriodStats::emptyPeriod()
{
    const PeriodStats stats = periodStats({});
    QCOMPARE(stats.all.count, 0);
    QCOMPARE(double(stats.all.systolic()), 0.0);
    QVERIFY(!stats.lowestSystolic);
    QVERIFY(stats.days.isEmpty());
    QVERIFY(!stats.weightMean);
    QCOMPARE(measuringWeekText(latestMeasuringWeek({})),
             QStringLiteral("Keine vollständige Messwoche im Zeitraum"));
}

void TestPeriodStats::measuringWeekDropsDayOne()
{
    const std::optional<MeasuringWeek> found = latestMeasuringWeek(week(QDate(2026, 3, 3)));
    QVERIFY(found);
    QCOMPARE(found->firstDay, QDate(2026, 3, 3));
    QCOMPARE(found->lastDay, QDate(2026, 3, 9));
    QCOMPARE(found->count, 12);
    // Days 2..7: mornings 132..137, evenings 142..147; mean 139,5 -> 140.
    // Diastolic 82..87 and 92..97: 89,5 -> 90. With day 1 it would be 139/89.
    QCOMPARE(double(found->systolic), 139.5);
    QCOMPARE(double(found->diastolic), 89.5);
    QCOMPARE(measuringWeekText(found),
             QStringLiteral("Messwoche 03.03.–09.03.2026: Mittelwert 140/90 mmHg aus 12 "
                            "Messungen – über dem Grenzwert von 135/85 mmHg"));
}

void TestPeriodStats::missingEveningBreaksTheRun()
{
    const QDate first(2026, 3, 3);
    // Day 4 without its evening: neither days 1..7 nor any seven days around it.
    QList<Reading> readings = without(week(first), first.addDays(3), Slot::Evening);
    readings << reading(first.addDays(3), Slot::Third, 130, 80); // not an evening
    readings += week(first.addDays(7)).mid(0, 4);                // days 8 and 9
    QVERIFY(!latestMeasuringWeek(readings));
    // A morning missing breaks it the same way.
    QVERIFY(!latestMeasuringWeek(without(week(first), first.addDays(6), Slot::Morning)));
}

void TestPeriodStats::sixDaysAreNotEnough()
{
    const QList<Reading> six = week(QDate(2026, 3, 3)).mid(2); // days 2..7
    QCOMPARE(six.size(), 12);                                  // twelve readings, yet only six days
    QVERIFY(!latestMeasuringWeek(six));
    QCOMPARE(measuringWeekText(latestMeasuringWeek(six)),
             QStringLiteral("Keine vollständige Messwoche im Zeitraum"));
    // A day between that is not the next calendar day breaks the run.
    QList<Reading> gap = six;
    gap += week(QDate(2026, 3, 11)).mid(0, 2); // 11.03., 10.03. is missing
    QVERIFY(!latestMeasuringWeek(gap));
}

void TestPeriodStats::latestCompleteWeekWins()
{
    QList<Reading> readings = week(QDate(2026, 1, 5));
    // A second, later week of lower values, and a run of nine days before it
    // ends: the last seven days of the latest run count.
    for (int n = 0; n < 9; ++n) {
        const QDate day = QDate(2026, 2, 1).addDays(n);
        readings << reading(day, Slot::Morning, 118 + n, 76)
                 << reading(day, Slot::Evening, 118 + n, 78);
    }
    readings << reading(QDate(2026, 2, 20), Slot::Morning, 200, 120); // a lone morning later on
    const std::optional<MeasuringWeek> found = latestMeasuringWeek(readings);
    QVERIFY(found);
    QCOMPARE(found->firstDay, QDate(2026, 2, 3));
    QCOMPARE(found->lastDay, QDate(2026, 2, 9));
    // Days 04.02.–09.02.: systolic 121..126, mean 123,5 -> 124; diastolic 77.
    QCOMPARE(measuringWeekText(found),
             QStringLiteral("Messwoche 03.02.–09.02.2026: Mittelwert 124/77 mmHg aus 12 "
                            "Messungen – unter dem Grenzwert von 135/85 mmHg"));
}

void TestPeriodStats::weekAcrossAYearEnd()
{
    const std::optional<MeasuringWeek> found = latestMeasuringWeek(week(QDate(2025, 12, 29)));
    QVERIFY(found);
    QVERIFY(measuringWeekText(found).startsWith(
        QStringLiteral("Messwoche 29.12.2025–04.01.2026: Mittelwert ")));
}

void TestPeriodStats::thresholdWording_data()
{
    QTest::addColumn<int>("systolic");
    QTest::addColumn<int>("diastolic");
    QTest::addColumn<QString>("ending");
    const QString above = QStringLiteral("über dem Grenzwert von 135/85 mmHg");
    const QString at = QStringLiteral("erreicht den Grenzwert von 135/85 mmHg");
    const QString below = QStringLiteral("unter dem Grenzwert von 135/85 mmHg");
    QTest::newRow("138/86") << 138 << 86 << above;
    QTest::newRow("136/80") << 136 << 80 << above;
    QTest::newRow("120/86") << 120 << 86 << above;
    QTest::newRow("135/85") << 135 << 85 << at;
    QTest::newRow("135/84") << 135 << 84 << at;
    QTest::newRow("134/85") << 134 << 85 << at;
    QTest::newRow("134/84") << 134 << 84 << below;
}

void TestPeriodStats::thresholdWording()
{
    QFETCH(int, systolic);
    QFETCH(int, diastolic);
    QFETCH(QString, ending);
    const QString text = measuringWeekText(latestMeasuringWeek(weekWithMeans(systolic, diastolic)));
    QCOMPARE(text, QStringLiteral("Messwoche 03.03.–09.03.2026: Mittelwert %1/%2 mmHg aus 12 "
                                  "Messungen – %3")
                       .arg(systolic)
                       .arg(diastolic)
                       .arg(ending));
}

void TestPeriodStats::weekNeedsTwelveUsableReadings_data()
{
    QTest::addColumn<QList<Reading>>("readings");
    QTest::addColumn<QString>("text");
    const QDate first(2026, 3, 3);
    const QString none = QStringLiteral("Keine vollständige Messwoche im Zeitraum");
    const QString found = QStringLiteral("Messwoche 03.03.–09.03.2026: Mittelwert 140/90 mmHg aus "
                                         "12 Messungen – über dem Grenzwert von 135/85 mmHg");
    // Days 2..7 with their mornings and evenings are the usable readings.
    QTest::newRow("11: an evening missing")
        << without(week(first), first.addDays(6), Slot::Evening) << none;
    QTest::newRow("11: a morning missing")
        << without(week(first), first.addDays(1), Slot::Morning) << none;
    QTest::newRow("12") << week(first) << found;
    // A thirteenth reading of the week is no morning or evening: it does not count.
    QTest::newRow("13") << week(first) +
                               QList<Reading>{reading(first.addDays(3), Slot::Second, 200, 120)}
                        << found;
    QTest::newRow("12 without day 1's evening")
        << without(week(first), first, Slot::Evening) << none;
}

void TestPeriodStats::weekNeedsTwelveUsableReadings()
{
    QFETCH(QList<Reading>, readings);
    QFETCH(QString, text);
    QCOMPARE(measuringWeekText(latestMeasuringWeek(readings)), text);
}

void TestPeriodStats::sentenceNeedsTwelveReadings_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("11") << 11 << QStringLiteral("Keine vollständige Messwoche im Zeitraum");
    QTest::newRow("12") << 12
                        << QStringLiteral("Messwoche 03.03.–09.03.2026: Mittelwert 130/80 mmHg aus "
                                          "12 Messungen – unter dem Grenzwert von 135/85 mmHg");
    QTest::newRow("13") << 13
                        << QStringLiteral("Messwoche 03.03.–09.03.2026: Mittelwert 130/80 mmHg aus "
                                          "13 Messungen – unter dem Grenzwert von 135/85 mmHg");
}

void TestPeriodStats::sentenceNeedsTwelveReadings()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    // The sentence judges the week it is given by its own count of readings.
    MeasuringWeek week;
    week.firstDay = QDate(2026, 3, 3);
    week.lastDay = QDate(2026, 3, 9);
    week.count = count;
    week.systolic = 130;
    week.diastolic = 80;
    QCOMPARE(measuringWeekText(week), text);
}

QTEST_GUILESS_MAIN(TestPeriodStats)
#include "tst_period_stats.moc"
