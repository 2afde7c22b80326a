#include "base/conversion_error.h"
#include "stats/day_means.h"
#include "stats/number_texts.h"

#include <QTest>

namespace {

QString line(const char *slot, const QString &day, const QString &s, const QString &d,
             const QString &p)
{
    return QStringLiteral("%1 den %2.03.2024 Z=08:15 s=%3, d=%4, p=%5, Gewicht=80,5")
        .arg(QLatin1String(slot), day, s, d, p);
}

// Day means of systolic values all read on day 05.
QString systolicMeanOf(const QStringList &values)
{
    DayMeans means;
    const char *slotLabels[] = {"Morgens", "Messung2", "Messung3", "Abends"};
    int i = 0;
    for (const QString &value : values)
        means.collect(line(slotLabels[i++ % 4], "05", value, "80", "60"));
    means.buildTable();
    return means.table().text(Quantity::Systolic, 5);
}

int nonZeroTexts(const DayMeanTable &table)
{
    int count = 0;
    for (int q = 0; q < 3; ++q)
        for (int day = 1; day <= 31; ++day)
            count += table.text(Quantity(q), day) != QLatin1String("0");
    return count;
}

} // namespace

class TestDayMeans : public QObject
{
    Q_OBJECT

private slots:
    void noEntriesGiveZeroEverywhere();
    void collectsTaggedValueTexts();
    void singleReading();
    void wholeValuesAtTheEndsOfTheSharedTexts();

    void rounding_data();
    void rounding();

    void lineWithoutPulse();
    void secondRunOfADayWins();
    void daysOutsideTheRangeCountForNoDay();
    void clearStartsAfresh();
    void valueThatDoesNotConvert();
};

void TestDayMeans::noEntriesGiveZeroEverywhere()
{
    DayMeans means;
    means.buildTable();
    for (int q = 0; q < 3; ++q)
        for (int day = 1; day <= 31; ++day)
            QCOMPARE(means.table().text(Quantity(q), day), QStringLiteral("0"));
    QCOMPARE(means.table().text(Quantity::Pulse, 0), QString());
    QCOMPARE(means.table().text(Quantity::Pulse, 32), QString());
}

void TestDayMeans::collectsTaggedValueTexts()
{
    DayMeans means;
    means.collect("Morgens den 05.03.2024 Z=08:15 s=135, d=85, p=70, Gewicht=80,5");
    means.collect("Abends den  17.03.2024 Z=20:40 s=128, d=80, p= 64 ");
    QCOMPARE(means.valueList(Quantity::Systolic), (QStringList{"05_135", "17_128"}));
    QCOMPARE(means.valueList(Quantity::Diastolic), (QStringList{"05_85", "17_80"}));
    QCOMPARE(means.valueList(Quantity::Pulse), (QStringList{"05_70", "17_64"}));
}

void TestDayMeans::singleReading()
{
    DayMeans means;
    means.collect(line("Abends", "05", "135", "85", "70"));
    means.buildTable();
    QCOMPARE(means.table().text(Quantity::Systolic, 5), QStringLiteral("135"));
    QCOMPARE(means.table().text(Quantity::Diastolic, 5), QStringLiteral("85"));
    QCOMPARE(means.table().text(Quantity::Pulse, 5), QStringLiteral("70"));
    QCOMPARE(nonZeroTexts(means.table()), 3);
}

// Whole means take shared texts for 0..999 and make any other; both ends
// and one step beyond read as QString::number writes them.
void TestDayMeans::wholeValuesAtTheEndsOfTheSharedTexts()
{
    DayMeans means;
    means.collectWhole(5, 999, 0, 1);
    means.collectWhole(6, 998, 0, 0);
    means.collectWhole(6, 999, 1, 1);
    means.buildTable();
    QCOMPARE(means.table().text(Quantity::Systolic, 5), QStringLiteral("999"));
    QCOMPARE(means.table().text(Quantity::Diastolic, 5), QStringLiteral("0"));
    QCOMPARE(means.table().text(Quantity::Pulse, 5), QStringLiteral("1"));
    // 998,5 and 0,5 and 0,5 round half up.
    QCOMPARE(means.table().text(Quantity::Systolic, 6), QStringLiteral("999"));
    QCOMPARE(means.table().text(Quantity::Diastolic, 6), QStringLiteral("1"));
    QCOMPARE(means.table().text(Quantity::Pulse, 6), QStringLiteral("1"));

    QCOMPARE(wholeNumberText(-1), QStringLiteral("-1"));
    QCOMPARE(wholeNumberText(0), QStringLiteral("0"));
    QCOMPARE(wholeNumberText(999), QStringLiteral("999"));
    QCOMPARE(wholeNumberText(1000), QStringLiteral("1000"));
}

void TestDayMeans::rounding_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("mean");
    QTest::newRow("134.5 up") << QStringList{"134", "135"} << "135";
    QTest::newRow("135.5 up") << QStringList{"135", "136"} << "136";
    QTest::newRow("135.67") << QStringList{"135", "136", "136"} << "136";
    QTest::newRow("135.33") << QStringList{"135", "135", "136"} << "135";
    QTest::newRow("120.75") << QStringList{"120", "121", "121", "121"} << "121";
    QTest::newRow("120.25") << QStringList{"120", "120", "120", "121"} << "120";
    QTest::newRow("zero counts") << QStringList{"70", "0"} << "35";
    QTest::newRow("only zero") << QStringList{"0"} << "0";
    // A hand-made day of 101 readings: 135 + 50/101 = 135.495 first becomes
    // "135,50", which then rounds up; 135 + 49/99 = 135.4949 stays below.
    QStringList many;
    for (int i = 0; i < 101; ++i)
        many << (i < 50 ? "136" : "135");
    QTest::newRow("two-decimal pass") << many << "136";
    QTest::newRow("below the pass") << many.mid(1, 99) << "135";
}

void TestDayMeans::rounding()
{
    QFETCH(QStringList, values);
    QFETCH(QString, mean);
    QCOMPARE(systolicMeanOf(values), mean);
}

void TestDayMeans::lineWithoutPulse()
{
    DayMeans means;
    means.collect("Morgens den 05.03.2024 Z=08:15 s=130, d=80, Gewicht=80,5");
    means.collect(line("Abends", "05", "140", "90", "70"));
    means.collect("Morgens den 06.03.2024 Z=08:15 s=120, d=70");
    means.buildTable();
    const DayMeanTable &t = means.table();
    QCOMPARE(t.text(Quantity::Systolic, 5), QStringLiteral("135"));
    QCOMPARE(t.text(Quantity::Diastolic, 5), QStringLiteral("85"));
    QCOMPARE(t.text(Quantity::Pulse, 5), QStringLiteral("70"));
    QCOMPARE(t.text(Quantity::Systolic, 6), QStringLiteral("120"));
    QCOMPARE(t.text(Quantity::Pulse, 6), QStringLiteral("0"));
    QCOMPARE(means.valueList(Quantity::Pulse), QStringList{"05_70"});
}

void TestDayMeans::secondRunOfADayWins()
{
    DayMeans means;
    means.collect(line("Morgens", "07", "120", "80", "60"));
    means.collect(line("Abends", "07", "124", "82", "62"));
    means.collect(line("Morgens", "08", "150", "95", "90"));
    means.collect(line("Messung2", "07", "140", "90", "80"));
    means.buildTable();
    QCOMPARE(means.table().text(Quantity::Systolic, 7), QStringLiteral("140"));
    QCOMPARE(means.table().text(Quantity::Diastolic, 7), QStringLiteral("90"));
    QCOMPARE(means.table().text(Quantity::Pulse, 7), QStringLiteral("80"));
    QCOMPARE(means.table().text(Quantity::Systolic, 8), QStringLiteral("150"));
}

void TestDayMeans::daysOutsideTheRangeCountForNoDay()
{
    DayMeans means;
    means.collect("Morgens den 5.03.2024 Z=08:15 s=135, d=85, p=70, Gewicht=0");
    means.collect(line("Morgens", "00", "135", "85", "70"));
    means.collect(line("Morgens", "32", "135", "85", "70"));
    means.collect("Morgens den xx.03.2024 Z=08:15 s=abc, d=85, p=70");
    means.collect("Morgens ohne Datum Z=08:15 s=135, d=85, p=70");
    // Day numbers are never checked against the month: 31 February counts.
    means.collect("Abends den 31.02.2024 Z=20:40 s=110, d=70, p=60, Gewicht=0");
    means.buildTable();
    QCOMPARE(means.valueList(Quantity::Systolic).first(), QStringLiteral(" 5_135"));
    QCOMPARE(means.valueList(Quantity::Systolic).last(), QStringLiteral("31_110"));
    QCOMPARE(means.table().text(Quantity::Systolic, 5), QStringLiteral("0"));
    QCOMPARE(means.table().text(Quantity::Systolic, 31), QStringLiteral("110"));
    QCOMPARE(nonZeroTexts(means.table()), 3);
}

void TestDayMeans::clearStartsAfresh()
{
    DayMeans means;
    means.collect(line("Morgens", "03", "120", "80", "60"));
    means.buildTable();
    means.clear();
    means.collect(line("Morgens", "04", "130", "85", "65"));
    means.buildTable();
    QCOMPARE(means.table().text(Quantity::Systolic, 3), QStringLiteral("0"));
    QCOMPARE(means.table().text(Quantity::Systolic, 4), QStringLiteral("130"));
    QCOMPARE(nonZeroTexts(means.table()), 3);
}

void TestDayMeans::valueThatDoesNotConvert()
{
    DayMeans means;
    means.collect(line("Morgens", "01", "120", "80", "60"));
    means.collect(line("Morgens", "02", "12O", "80", "60"));
    means.collect(line("Morgens", "03", "130", "80", "60"));
    try {
        means.buildTable();
        QFAIL("no conversion error");
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), QString::fromUtf8("'12O' ist kein gültiger Gleitkommawert"));
    }
    // What was written before stays; the rest is still "0".
    QCOMPARE(means.table().text(Quantity::Systolic, 1), QStringLiteral("120"));
    QCOMPARE(means.table().text(Quantity::Systolic, 3), QStringLiteral("0"));
    QCOMPARE(means.table().text(Quantity::Diastolic, 1), QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestDayMeans)
#include "tst_day_means.moc"
