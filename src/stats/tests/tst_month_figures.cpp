// The figures of each month of a period and the trend over the months,
// against values worked out by hand; the month means against those the
// month pages show.
#include "journal/month_journal.h"
#include "stats/mean.h"
#include "stats/month_figures.h"
#include "stats/month_statistics.h"

#include <QTest>

namespace {

QString line(const char *slot, const char *date, int s, int d, int p = 70, const char *weight = "0")
{
    return QStringLiteral("%1 den %2 Z=07:30 s=%3, d=%4, p=%5, Gewicht=%6")
        .arg(QLatin1String(slot), QLatin1String(date))
        .arg(s)
        .arg(d)
        .arg(p)
        .arg(QLatin1String(weight));
}

QStringList fileLines(const QStringList &entries)
{
    return QStringList{QStringLiteral("[Personendaten]"), QStringLiteral("BenutzerName=Muster"),
                       QStringLiteral("Datum=Test"), QStringLiteral("1M=1"), QString()} +
           entries;
}

// A month whose file holds these entry lines.
PeriodMonth readMonth(int month, int year, const QStringList &entries)
{
    const MonthJournal journal = MonthJournal::fromFileLines(fileLines(entries));
    return {month, year, PeriodMonth::State::Read, journal.readings(),
            journal.unreadLines().size()};
}

PeriodMonth missing(int month, int year)
{
    return {month, year, PeriodMonth::State::Missing, {}, 0};
}

// A month of readings with these systolic values, four a day.
PeriodMonth systolicMonth(int month, int year, const QList<int> &values)
{
    static const char *const slotNames[] = {"Morgens", "Messung2", "Messung3", "Abends"};
    QStringList entries;
    for (int i = 0; i < values.size(); ++i)
        entries << line(slotNames[i % 4],
                        qPrintable(QStringLiteral("%1.%2.%3")
                                       .arg(i / 4 + 1, 2, 10, QLatin1Char('0'))
                                       .arg(month, 2, 10, QLatin1Char('0'))
                                       .arg(year)),
                        values.at(i), 80);
    return readMonth(month, year, entries);
}

// A month of `count` readings of `s`.
PeriodMonth uniformMonth(int month, int year, int count, int s)
{
    return systolicMonth(month, year, QList<int>(count, s));
}

} // namespace

class TestMonthFigures : public QObject
{
    Q_OBJECT

private slots:
    void monthsWithAndWithoutFilesKeepTheirOrderAndState();
    void partlyReadableMonthCountsItsReadingsAndNamesTheRest();
    void meansEqualThoseOfTheMonthPages();
    void rangeAcrossAYearEndKeepsEachMonthToItself();
    void leapFebruary();
    void thresholdAtTheLimits_data();
    void thresholdAtTheLimits();
    void morningEveningAndWeightOfAMonth();
    void trendNeedsSixMonthsWithReadings();
    void trendWeighsEveryReadingAndSkipsEmptyMonths();
    void trendRoundsHalfUp_data();
    void trendRoundsHalfUp();
};

void TestMonthFigures::monthsWithAndWithoutFilesKeepTheirOrderAndState()
{
    const QList<MonthFigures> figures = monthFigures(
        {readMonth(3, 2024,
                   {line("Morgens", "04.03.2024", 130, 80), line("Abends", "04.03.2024", 140, 90)}),
         missing(4, 2024), PeriodMonth{5, 2024, PeriodMonth::State::Unreadable, {}, 0},
         readMonth(6, 2024, {})});
    QCOMPARE(figures.size(), 4);
    QCOMPARE(figures.at(0).month, 3);
    QCOMPARE(figures.at(3).month, 6);
    QCOMPARE(figures.at(0).state, PeriodMonth::State::Read);
    QCOMPARE(figures.at(1).state, PeriodMonth::State::Missing);
    QCOMPARE(figures.at(2).state, PeriodMonth::State::Unreadable);
    QCOMPARE(figures.at(3).state, PeriodMonth::State::Read);
    QCOMPARE(figures.at(0).stats.all.count, 2);
    QCOMPARE(double(figures.at(0).stats.all.systolic()), 135.0);
    for (int i : {1, 2, 3}) {
        QVERIFY(!figures.at(i).hasReadings());
        QCOMPARE(double(figures.at(i).shareAtOrAboveThreshold()), 0.0);
        QVERIFY(!figures.at(i).stats.lowestSystolic);
    }
    QVERIFY(!shownMean(0, 0));
}

void TestMonthFigures::partlyReadableMonthCountsItsReadingsAndNamesTheRest()
{
    const MonthFigures month =
        monthFigures(
            {readMonth(
                5, 2023,
                {line("Morgens", "05.05.2023", 128, 80), line("Abends", "05.05.2023", 140, 90),
                 QStringLiteral("Messung2 den 09.05.2023 Z=13:00 s=120, p=60, Gewicht=0"),
                 line("Morgens", "17.05.2023", 131, 85),
                 QStringLiteral("Abends den 31.05.2023 Z=20:40 s=1x2, d=78, p=66, Gewicht=0")})})
            .constFirst();
    QCOMPARE(month.stats.all.count, 3);
    QCOMPARE(month.unreadLines, 2);
    QCOMPARE(month.stats.all.systolicSum, 128.0L + 140 + 131);
    QCOMPARE(month.stats.highestSystolic->value, 140);
    QCOMPARE(month.stats.lowestSystolic->date, QDate(2023, 5, 5));
}

// The month pages take their means from MonthStatistics over the file's lines.
void TestMonthFigures::meansEqualThoseOfTheMonthPages()
{
    const QStringList entries{
        line("Morgens", "01.01.2021", 131, 83, 61), line("Messung2", "01.01.2021", 140, 91, 77),
        line("Abends", "01.01.2021", 127, 80, 66),  line("Morgens", "02.01.2021", 129, 86, 70),
        line("Morgens", "15.01.2021", 151, 95, 73), line("Abends", "31.01.2021", 118, 74, 59)};
    MonthStatistics page;
    page.recollect(fileLines(entries));
    const MonthMeans &shown = page.monthMeans();
    const QList<MonthFigures> figures = monthFigures({readMonth(1, 2021, entries)});
    const ReadingMeans &all = figures.constFirst().stats.all;
    QCOMPARE(all.systolic(), *shown.systolicMean());
    QCOMPARE(all.diastolic(), *shown.diastolicMean());
    QCOMPARE(all.pulse(), *shown.pulseMean());
    QCOMPARE(twoDecimalText(all.systolic()), shown.systolic());
    QCOMPARE(twoDecimalText(all.diastolic()), shown.diastolic());
    QCOMPARE(twoDecimalText(all.pulse()), QStringLiteral("67,67"));
    QCOMPARE(*shownMean(all.count, all.pulse()), twoDecimalValue(*shown.pulseMean()));
    QCOMPARE(double(*shownMean(all.count, all.pulse())), 67.67);
}

void TestMonthFigures::rangeAcrossAYearEndKeepsEachMonthToItself()
{
    const QList<MonthFigures> figures = monthFigures(
        {readMonth(12, 2025,
                   {line("Morgens", "30.12.2025", 150, 95), line("Abends", "31.12.2025", 120, 75)}),
         readMonth(1, 2026,
                   {line("Morgens", "01.01.2026", 119, 70), line("Abends", "01.01.2026", 160, 99),
                    line("Morgens", "02.01.2026", 160, 99)})});
    QCOMPARE(figures.at(0).year, 2025);
    QCOMPARE(figures.at(1).year, 2026);
    QCOMPARE(figures.at(0).stats.all.count, 2);
    QCOMPARE(figures.at(0).stats.highestSystolic->date, QDate(2025, 12, 30));
    QCOMPARE(figures.at(0).stats.lowestSystolic->date, QDate(2025, 12, 31));
    QCOMPARE(figures.at(1).stats.all.count, 3);
    QCOMPARE(figures.at(1).stats.lowestSystolic->value, 119);
    // A tie keeps the first day it was measured on.
    QCOMPARE(figures.at(1).stats.highestSystolic->value, 160);
    QCOMPARE(figures.at(1).stats.highestSystolic->date, QDate(2026, 1, 1));
}

void TestMonthFigures::leapFebruary()
{
    const QList<MonthFigures> figures =
        monthFigures({readMonth(2, 2024,
                                {line("Morgens", "28.02.2024", 130, 80),
                                 line("Morgens", "29.02.2024", 150, 90)}),
                      readMonth(2, 2023,
                                {line("Morgens", "28.02.2023", 130, 80),
                                 // No such day: the line is named, not counted.
                                 line("Morgens", "29.02.2023", 150, 90)})});
    QCOMPARE(figures.at(0).stats.all.count, 2);
    QCOMPARE(figures.at(0).unreadLines, 0);
    QCOMPARE(figures.at(0).stats.highestSystolic->date, QDate(2024, 2, 29));
    QCOMPARE(figures.at(1).stats.all.count, 1);
    QCOMPARE(figures.at(1).unreadLines, 1);
    QCOMPARE(figures.at(1).stats.highestSystolic->value, 130);
}

void TestMonthFigures::thresholdAtTheLimits_data()
{
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("d");
    QTest::addColumn<bool>("counted");
    QTest::newRow("exactly 135/85") << 135 << 85 << true;
    QTest::newRow("135 alone") << 135 << 84 << true;
    QTest::newRow("85 alone") << 134 << 85 << true;
    QTest::newRow("one below both") << 134 << 84 << false;
    QTest::newRow("136 alone") << 136 << 60 << true;
    QTest::newRow("86 alone") << 110 << 86 << true;
}

void TestMonthFigures::thresholdAtTheLimits()
{
    QFETCH(int, s);
    QFETCH(int, d);
    QFETCH(bool, counted);
    // Three readings well below beside the one at the limit.
    const MonthFigures month = monthFigures({readMonth(7, 2022,
                                                       {line("Morgens", "01.07.2022", 120, 70),
                                                        line("Morgens", "02.07.2022", 120, 70),
                                                        line("Morgens", "03.07.2022", 120, 70),
                                                        line("Abends", "03.07.2022", s, d)})})
                                   .constFirst();
    QCOMPARE(month.stats.atOrAboveThreshold, counted ? 1 : 0);
    QCOMPARE(double(month.shareAtOrAboveThreshold()), counted ? 25.0 : 0.0);
}

void TestMonthFigures::morningEveningAndWeightOfAMonth()
{
    const QList<MonthFigures> figures =
        monthFigures({readMonth(8, 2022,
                                {line("Morgens", "01.08.2022", 130, 80, 60, "80,5"),
                                 line("Messung2", "01.08.2022", 200, 120, 90, "0"),
                                 line("Abends", "01.08.2022", 150, 95, 70, "0"),
                                 line("Morgens", "02.08.2022", 141, 85, 65, "81,0")}),
                      readMonth(9, 2022, {line("Abends", "01.09.2022", 150, 95)})});
    const PeriodStats &august = figures.at(0).stats;
    QCOMPARE(august.morning.count, 2);
    QCOMPARE(double(august.morning.systolic()), 135.5);
    QCOMPARE(double(august.morning.pulse()), 62.5);
    QCOMPARE(august.evening.count, 1);
    QCOMPARE(double(august.evening.diastolic()), 95.0);
    QCOMPARE(double(*august.weightMean), 80.75);
    const PeriodStats &september = figures.at(1).stats;
    QCOMPARE(september.morning.count, 0);
    QVERIFY(!shownMean(september.morning.count, september.morning.systolic()));
    QVERIFY(!september.weightMean);
}

void TestMonthFigures::trendNeedsSixMonthsWithReadings()
{
    QList<MonthFigures> five;
    for (int month = 1; month <= 5; ++month)
        five << monthFigures({uniformMonth(month, 2020, 2, 140)});
    five << monthFigures(
        {missing(6, 2020), PeriodMonth{7, 2020, PeriodMonth::State::Unreadable, {}, 0}});
    QVERIFY(!systolicTrend(five));
    QList<MonthFigures> six = five + monthFigures({uniformMonth(8, 2020, 1, 130)});
    const std::optional<SystolicTrend> trend = systolicTrend(six);
    QVERIFY(trend);
    QCOMPARE(trend->first, 140);
    // April, May and August: (280 + 280 + 130) / 5.
    QCOMPARE(trend->last, 138);
    QCOMPARE(trend->change(), -2);
}

// The mean of all readings of the three months, not the mean of their means.
void TestMonthFigures::trendWeighsEveryReadingAndSkipsEmptyMonths()
{
    const QList<MonthFigures> months = monthFigures({
        uniformMonth(11, 2019, 3, 150),
        missing(12, 2019),
        uniformMonth(1, 2020, 1, 120),
        readMonth(2, 2020, {}),
        uniformMonth(3, 2020, 2, 140),
        uniformMonth(4, 2020, 4, 130),
        uniformMonth(5, 2020, 1, 160),
        uniformMonth(6, 2020, 5, 124),
    });
    const std::optional<SystolicTrend> trend = systolicTrend(months);
    QVERIFY(trend);
    // (450 + 120 + 280) / 6 = 141,67; (520 + 160 + 620) / 10 = 130.
    QCOMPARE(trend->first, 142);
    QCOMPARE(trend->last, 130);
    QCOMPARE(trend->change(), -12);
}

void TestMonthFigures::trendRoundsHalfUp_data()
{
    QTest::addColumn<QList<int>>("april");
    QTest::addColumn<QList<int>>("may");
    QTest::addColumn<QList<int>>("june");
    QTest::addColumn<int>("expected");
    QTest::newRow("140,5 up") << QList<int>{140} << QList<int>{141} << QList<int>{140, 141} << 141;
    QTest::newRow("140,33 down") << QList<int>{140} << QList<int>{140} << QList<int>{141} << 140;
    QTest::newRow("140,67 up") << QList<int>{141} << QList<int>{141} << QList<int>{140} << 141;
    // 14049 / 100 and 14051 / 100: a hundredth either side of the half.
    QTest::newRow("140,49 down") << QList<int>(49, 141) << QList<int>(50, 140) << QList<int>{140}
                                 << 140;
    QTest::newRow("140,51 up") << QList<int>(51, 141) << QList<int>(48, 140) << QList<int>{140}
                               << 141;
}

void TestMonthFigures::trendRoundsHalfUp()
{
    QFETCH(QList<int>, april);
    QFETCH(QList<int>, may);
    QFETCH(QList<int>, june);
    QFETCH(int, expected);
    QList<MonthFigures> months;
    for (int month = 1; month <= 3; ++month)
        months << monthFigures({uniformMonth(month, 2021, 1, 100)});
    months << monthFigures({systolicMonth(4, 2021, april), systolicMonth(5, 2021, may),
                            systolicMonth(6, 2021, june), uniformMonth(7, 2021, 0, 0)});
    // July has no readings: the last three are April to June.
    const std::optional<SystolicTrend> trend = systolicTrend(months);
    QCOMPARE(trend->first, 100);
    QCOMPARE(trend->last, expected);
    QCOMPARE(months.at(4).stats.all.count, may.size());
}

QTEST_GUILESS_MAIN(TestMonthFigures)
#include "tst_month_figures.moc"
