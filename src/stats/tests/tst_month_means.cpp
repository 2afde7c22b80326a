#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "stats/mean.h"
#include "stats/month_means.h"
#include "stats/weight_stats.h"

#include <QTest>

namespace {

QString line(const char *slot, int day, int s, int d, int p, const char *weight = "0")
{
    return QStringLiteral("%1 den %2.03.2024 Z=12:30 s=%3, d=%4, p=%5, Gewicht=%6")
        .arg(QLatin1String(slot))
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(s)
        .arg(d)
        .arg(p)
        .arg(QLatin1String(weight));
}

template <typename F> QString conversionMessage(F &&f)
{
    try {
        f();
    } catch (const ConversionError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TestMonthMeans : public QObject
{
    Q_OBJECT

private slots:
    void threeReadings();
    void meansFollowEveryLine();
    void labelRoundsHalfUp();
    void everySlotCounts();
    void missingValues();
    void valueThatDoesNotConvert();
    void clearKeepsTextsUntilNextLine();
    void meansAsNumbers();
    void wholeMeansGiveTheDecimalTexts();
    void hundredthsTexts_data();
    void hundredthsTexts();

    void weights();
    void weightLinesThatDoNotConvert();
};

void TestMonthMeans::threeReadings()
{
    MonthMeans means;
    means.collect(line("Morgens", 1, 120, 80, 70, "80,5"));
    means.collect(line("Messung2", 1, 130, 85, 72));
    means.collect(line("Abends", 2, 135, 90, 77));
    QCOMPARE(means.systolic(), QStringLiteral("128,33"));
    QCOMPARE(means.diastolic(), QStringLiteral("85,00"));
    QCOMPARE(means.pulse(), QStringLiteral("73,00"));
    QCOMPARE(means.labelText(), QStringLiteral("Systole=128  Diastole=85"));
    QCOMPARE(means.valueList(0), (QStringList{"120", "130", "135"}));
}

void TestMonthMeans::meansFollowEveryLine()
{
    MonthMeans means;
    means.collect(line("Morgens", 1, 127, 80, 0));
    QCOMPARE(means.systolic(), QStringLiteral("127,00"));
    QCOMPARE(means.pulse(), QStringLiteral("0,00"));
    means.collect(line("Abends", 1, 128, 83, 70));
    // 127.5 rounds up in the label; pressures and pulses of 0 count.
    QCOMPARE(means.systolic(), QStringLiteral("127,50"));
    QCOMPARE(means.pulse(), QStringLiteral("35,00"));
    QCOMPARE(means.labelText(), QStringLiteral("Systole=128  Diastole=82"));
    means.collect(line("Abends", 2, 0, 0, 0));
    QCOMPARE(means.systolic(), QStringLiteral("85,00"));
    QCOMPARE(means.diastolic(), QStringLiteral("54,33"));
}

void TestMonthMeans::labelRoundsHalfUp()
{
    QCOMPARE(monthMeansLabel("127,50", "83,49"), QStringLiteral("Systole=128  Diastole=83"));
    QCOMPARE(monthMeansLabel("127,49", "82,50"), QStringLiteral("Systole=127  Diastole=83"));
    QCOMPARE(monthMeansLabel("0,00", "0,50"), QStringLiteral("Systole=0  Diastole=1"));
    QVERIFY(!conversionMessage([] { monthMeansLabel("", "85,00"); }).isEmpty());
}

void TestMonthMeans::everySlotCounts()
{
    MonthMeans means;
    means.collect(line("Messung3", 4, 140, 90, 61));
    means.collect(line("Messung3", 5, 141, 91, 62));
    QCOMPARE(means.systolic(), QStringLiteral("140,50"));
    QCOMPARE(means.diastolic(), QStringLiteral("90,50"));
    QCOMPARE(means.pulse(), QStringLiteral("61,50"));
    QCOMPARE(means.labelText(), QStringLiteral("Systole=141  Diastole=91"));
}

void TestMonthMeans::missingValues()
{
    MonthMeans means;
    // A line without any value neither fails nor shows a mean.
    means.collect("Morgens den 01.03.2024 Z=07:30");
    QCOMPARE(means.systolic(), QString());
    QCOMPARE(means.labelText(), QString());
    // Lines without "p=" give no pulse mean rather than a division by zero.
    means.collect("Morgens den 02.03.2024 Z=07:30 s=120, d=80, Gewicht=0");
    QCOMPARE(means.systolic(), QStringLiteral("120,00"));
    QCOMPARE(means.diastolic(), QStringLiteral("80,00"));
    QCOMPARE(means.pulse(), QString());
    QCOMPARE(means.labelText(), QStringLiteral("Systole=120  Diastole=80"));
    means.collect("Abends den 02.03.2024 Z=20:30 s=130, d=84, p=66");
    QCOMPARE(means.systolic(), QStringLiteral("125,00"));
    QCOMPARE(means.pulse(), QStringLiteral("66,00"));
}

void TestMonthMeans::valueThatDoesNotConvert()
{
    MonthMeans means;
    means.collect(line("Morgens", 1, 120, 80, 70));
    means.collect(line("Abends", 1, 130, 90, 70));
    QCOMPARE(
        conversionMessage([&] { means.collect("Abends den 02.03.2024 Z=1 s=130, d=8x5, p=70"); }),
        QString::fromUtf8("'8x5' ist kein gültiger Gleitkommawert"));
    // The label keeps the means before the bad line; the texts are empty.
    QCOMPARE(means.labelText(), QStringLiteral("Systole=125  Diastole=85"));
    QCOMPARE(means.systolic(), QString());
    QCOMPARE(means.pulse(), QString());
    // The bad value stays collected, so every later line fails the same way.
    QVERIFY(!conversionMessage([&] { means.collect(line("Abends", 2, 1, 1, 1)); }).isEmpty());
}

void TestMonthMeans::clearKeepsTextsUntilNextLine()
{
    MonthMeans means;
    means.collect(line("Morgens", 1, 120, 80, 70));
    means.clear();
    QCOMPARE(means.systolic(), QStringLiteral("120,00"));
    QCOMPARE(means.valueList(0), QStringList());
    means.collect(line("Morgens", 1, 140, 90, 60));
    QCOMPARE(means.systolic(), QStringLiteral("140,00"));
    QCOMPARE(means.labelText(), QStringLiteral("Systole=140  Diastole=90"));
}

// The texts are formatted from these numbers; where a text is empty there
// is no number.
void TestMonthMeans::meansAsNumbers()
{
    MonthMeans means;
    QCOMPARE(means.systolicMean(), std::nullopt);
    means.collect(line("Morgens", 1, 120, 80, 70));
    means.collect(line("Abends", 1, 125, 81, 71));
    means.collect(line("Abends", 2, 130, 85, 75));
    QCOMPARE(double(*means.systolicMean()), 125.0);
    QCOMPARE(double(*means.diastolicMean()), 82.0);
    QCOMPARE(double(*means.pulseMean()), 72.0);
    QCOMPARE(twoDecimalText(*means.systolicMean()), means.systolic());

    // A hand-edited value takes the decimal way; the text still follows the number.
    means.collect(QStringLiteral("Morgens den 03.03.2024 Z=07:00 s= 121 , d=80, p=70, Gewicht=0"));
    QCOMPARE(double(*means.systolicMean()), (120 + 125 + 130 + 121) / 4.0);
    QCOMPARE(means.systolic(), QStringLiteral("124,00"));

    // A value that does not convert leaves no mean.
    QVERIFY(!conversionMessage([&] {
                 means.collect(
                     QStringLiteral("Morgens den 04.03.2024 Z=07:00 s=abc, d=80, p=70, Gewicht=0"));
             }).isEmpty());
    QCOMPARE(means.systolicMean(), std::nullopt);
    QCOMPARE(means.systolic(), QString());
}

// Whole values take integer hundredths; every sum and count gives the text
// the decimal way gives, ties included.
void TestMonthMeans::wholeMeansGiveTheDecimalTexts()
{
    int checked = 0;
    for (qint64 count = 1; count <= 48; ++count) {
        const qint64 highest = 999 * count;
        for (qint64 sum = 0; sum <= highest; sum += (sum < 300 || sum > highest - 300) ? 1 : 7) {
            const long double mean = static_cast<long double>(sum) / count;
            const qint64 hundredths = wholeMeanHundredths(sum, count);
            const QString text = hundredthsText(hundredths);
            if (text != twoDecimalText(mean))
                QFAIL(qPrintable(QStringLiteral("%1 / %2 gives %3").arg(sum).arg(count).arg(text)));
            if (wholeOfHundredths(hundredths) != qint64(roundToDigits(twoDecimalValue(mean), 0)))
                QFAIL(qPrintable(QStringLiteral("%1 / %2 rounds otherwise").arg(sum).arg(count)));
            ++checked;
        }
    }
    QVERIFY(checked > 100000);
}

void TestMonthMeans::hundredthsTexts_data()
{
    QTest::addColumn<qint64>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0,00";
    QTest::newRow("9") << qint64(9) << "0,09";
    QTest::newRow("10") << qint64(10) << "0,10";
    QTest::newRow("99") << qint64(99) << "0,99";
    QTest::newRow("100") << qint64(100) << "1,00";
    QTest::newRow("12833") << qint64(12833) << "128,33";
    QTest::newRow("99999") << qint64(99999) << "999,99";
    QTest::newRow("100000") << qint64(100000) << "1000,00";
}

void TestMonthMeans::hundredthsTexts()
{
    QFETCH(qint64, hundredths);
    QFETCH(QString, text);
    QCOMPARE(hundredthsText(hundredths), text);
    QCOMPARE(twoDecimalText(static_cast<long double>(hundredths) / 100), text);
}

void TestMonthMeans::weights()
{
    WeightStats weights;
    QCOMPARE(weights.mean(), 0.0L);
    weights.collect(line("Morgens", 1, 120, 80, 70, "80,5"));
    weights.collect(line("Abends", 1, 120, 80, 70, "0"));
    weights.collect("Messung3 den 02.03.2024 Z=07:30 s=120, d=80, p=70");
    weights.collect(line("Messung2", 3, 120, 80, 70, " 81,00 "));
    QCOMPARE(weights.weightList(), (QStringList{"80,5", "81"}));
    QCOMPARE(weights.mean(), 80.75L);
    QCOMPARE(GermanNumbers::formatGrouped1(weights.mean()), QStringLiteral("80,8"));

    // Hand-written leftovers: a one-digit day and a second blank still read.
    weights.collect("Morgens den  4.03.2024 Z=07:30 s=1, d=1, p=1, Gewicht=79,3");
    QCOMPARE(weights.weightList().last(), QStringLiteral("79,3"));

    weights.clear();
    QCOMPARE(weights.weightList(), QStringList());
    QCOMPARE(weights.mean(), 0.0L);
}

void TestMonthMeans::weightLinesThatDoNotConvert()
{
    WeightStats weights;
    QCOMPARE(conversionMessage(
                 [&] { weights.collect("Morgens den x5.03.2024 Z=1 s=1, d=1, p=1, Gewicht=80"); }),
             QString::fromUtf8("'x5' ist kein gültiger Integerwert"));
    QCOMPARE(conversionMessage([&] { weights.collect(line("Morgens", 5, 1, 1, 1, "80.5")); }),
             QString::fromUtf8("'80.5' ist kein gültiger Gleitkommawert"));
    QCOMPARE(weights.weightList(), QStringList());
}

QTEST_GUILESS_MAIN(TestMonthMeans)
#include "tst_month_means.moc"
