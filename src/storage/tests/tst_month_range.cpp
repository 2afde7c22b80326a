// The months each period choice covers under the report's and the export's
// rules, and the texts a reading's row is made of.
#include "storage/month_range.h"
#include "storage/reading_row.h"

#include <QTest>

#include <utility>

namespace {

using Kind = PeriodChoice::Kind;
using PeriodChoice::RecentUpTo;
using PeriodChoice::ReversedRange;

constexpr PeriodChoice::Rules kFromOpen{RecentUpTo::OpenMonth, ReversedRange::Invalid};
constexpr PeriodChoice::Rules kFromToday{RecentUpTo::Today, ReversedRange::TurnedRound};

MonthRange months(int firstYear, int firstMonth, int lastYear, int lastMonth)
{
    return {QDate(firstYear, firstMonth, 1), QDate(lastYear, lastMonth, 1)};
}

QStringList row(const QByteArray &line, ReadingRow::Form form)
{
    return ReadingRow::cells(*Reading::parse(QString::fromUtf8(line)), form);
}

} // namespace

Q_DECLARE_METATYPE(MonthRange)

namespace QTest {
template <> char *toString(const MonthRange &range)
{
    return toString(range.first.toString(Qt::ISODate) + QStringLiteral(" … ") +
                    range.last.toString(Qt::ISODate));
}
} // namespace QTest

class TestMonthRange : public QObject
{
    Q_OBJECT

private slots:
    void openMonthIgnoresTodayAndTheRange();
    void lastMonthsEndWhereTheRulesSay();
    void lastMonthsAcrossTheYearEnd_data();
    void lastMonthsAcrossTheYearEnd();
    void rangeTakesWholeMonths();
    void openYearAndAllMonths();
    void reversedRangeByTheRules();
    void lastDayAndValidity();
    void describedInGerman();
    void rowTexts();
    void yearBeforeAThousand();
    void weightToOneDecimal();
};

void TestMonthRange::openYearAndAllMonths()
{
    for (const PeriodChoice::Rules rules : {kFromOpen, kFromToday}) {
        for (const QDate &open : {QDate(2026, 1, 1), QDate(2026, 12, 31)}) {
            QCOMPARE(PeriodChoice::resolve(Kind::OpenYear, rules, open, QDate(2030, 7, 1),
                                           QDate(2020, 1, 1), QDate(2021, 1, 1)),
                     months(2026, 1, 2026, 12));
        }
        const MonthRange user = months(2014, 11, 2026, 2);
        QCOMPARE(PeriodChoice::resolve(Kind::AllMonths, rules, QDate(2026, 5, 1), QDate(2030, 7, 1),
                                       QDate(2020, 1, 1), QDate(2021, 1, 1), user),
                 user);
        QVERIFY(!PeriodChoice::resolve(Kind::AllMonths, rules, QDate(2026, 5, 1), {}).isValid());
    }
}

void TestMonthRange::openMonthIgnoresTodayAndTheRange()
{
    for (const PeriodChoice::Rules rules : {kFromOpen, kFromToday}) {
        QCOMPARE(PeriodChoice::resolve(Kind::OpenMonth, rules, QDate(2026, 2, 28),
                                       QDate(2030, 7, 1), QDate(2020, 1, 1), QDate(2021, 1, 1)),
                 months(2026, 2, 2026, 2));
    }
}

void TestMonthRange::lastMonthsEndWhereTheRulesSay()
{
    const QDate open(2016, 11, 30);
    const QDate today(2017, 2, 15);
    QCOMPARE(PeriodChoice::resolve(Kind::LastThreeMonths, kFromOpen, open, today),
             months(2016, 9, 2016, 11));
    QCOMPARE(PeriodChoice::resolve(Kind::LastThreeMonths, kFromToday, open, today),
             months(2016, 12, 2017, 2));
    QCOMPARE(PeriodChoice::resolve(Kind::LastTwelveMonths, kFromOpen, open, today),
             months(2015, 12, 2016, 11));
    QCOMPARE(PeriodChoice::resolve(Kind::LastTwelveMonths, kFromToday, open, today),
             months(2016, 3, 2017, 2));
}

void TestMonthRange::lastMonthsAcrossTheYearEnd_data()
{
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("kind");
    QTest::addColumn<MonthRange>("expected");
    const auto three = int(Kind::LastThreeMonths);
    const auto twelve = int(Kind::LastTwelveMonths);
    // Three months stay in the year from March on; twelve only in December.
    QTest::newRow("three from April") << 4 << three << months(2026, 2, 2026, 4);
    QTest::newRow("three from March") << 3 << three << months(2026, 1, 2026, 3);
    QTest::newRow("three from February") << 2 << three << months(2025, 12, 2026, 2);
    QTest::newRow("three from January") << 1 << three << months(2025, 11, 2026, 1);
    QTest::newRow("twelve from December") << 12 << twelve << months(2026, 1, 2026, 12);
    QTest::newRow("twelve from November") << 11 << twelve << months(2025, 12, 2026, 11);
    QTest::newRow("twelve from January") << 1 << twelve << months(2025, 2, 2026, 1);
}

void TestMonthRange::lastMonthsAcrossTheYearEnd()
{
    QFETCH(int, end);
    QFETCH(int, kind);
    QFETCH(MonthRange, expected);
    const QDate lastDay = QDate(2026, end, 1).addMonths(1).addDays(-1);
    QCOMPARE(PeriodChoice::resolve(Kind(kind), kFromOpen, lastDay, {}), expected);
    QCOMPARE(PeriodChoice::resolve(Kind(kind), kFromToday, {}, lastDay), expected);
}

void TestMonthRange::rangeTakesWholeMonths()
{
    for (const PeriodChoice::Rules rules : {kFromOpen, kFromToday}) {
        const MonthRange range = PeriodChoice::resolve(Kind::Range, rules, QDate(2026, 2, 1), {},
                                                       QDate(2024, 11, 30), QDate(2025, 1, 2));
        QCOMPARE(range, months(2024, 11, 2025, 1));
        QVERIFY(range.isValid());
    }
}

void TestMonthRange::reversedRangeByTheRules()
{
    struct Case
    {
        QDate from, to;
        MonthRange report, exported;
        bool reportable;
    };
    // Days do not count: later in the same month is still one month.
    const QList<Case> cases{{QDate(2025, 2, 28), QDate(2025, 3, 1), months(2025, 2, 2025, 3),
                             months(2025, 2, 2025, 3), true},
                            {QDate(2025, 3, 31), QDate(2025, 3, 1), months(2025, 3, 2025, 3),
                             months(2025, 3, 2025, 3), true},
                            {QDate(2025, 3, 1), QDate(2025, 2, 28), months(2025, 3, 2025, 2),
                             months(2025, 2, 2025, 3), false},
                            {QDate(2026, 1, 1), QDate(2025, 12, 31), months(2026, 1, 2025, 12),
                             months(2025, 12, 2026, 1), false}};
    for (const Case &c : cases) {
        const MonthRange refused =
            PeriodChoice::resolve(Kind::Range, kFromOpen, {}, {}, c.from, c.to);
        QCOMPARE(refused, c.report);
        QCOMPARE(refused.isValid(), c.reportable);
        const MonthRange turned =
            PeriodChoice::resolve(Kind::Range, kFromToday, {}, {}, c.from, c.to);
        QCOMPARE(turned, c.exported);
        QVERIFY(turned.isValid());
    }
}

void TestMonthRange::lastDayAndValidity()
{
    QCOMPARE(months(2024, 2, 2024, 2).lastDay(), QDate(2024, 2, 29));
    QCOMPARE(months(2025, 2, 2025, 2).lastDay(), QDate(2025, 2, 28));
    QCOMPARE(months(2100, 2, 2100, 2).lastDay(), QDate(2100, 2, 28));
    QCOMPARE(months(2025, 11, 2025, 12).lastDay(), QDate(2025, 12, 31));
    QCOMPARE(months(2025, 11, 2025, 12).firstDay(), QDate(2025, 11, 1));
    QVERIFY(!(MonthRange{QDate(), QDate(2025, 1, 1)}.isValid()));
    QVERIFY(!(MonthRange{QDate(2025, 1, 1), QDate()}.isValid()));
}

void TestMonthRange::describedInGerman()
{
    QCOMPARE(monthAndYear(QDate(2026, 3, 31)), QStringLiteral("März 2026"));
    QCOMPARE(describeMonths(months(2026, 3, 2026, 3)), QStringLiteral("März 2026"));
    QCOMPARE(describeMonths(months(2025, 12, 2026, 1)),
             QStringLiteral("Dezember 2025 bis Januar 2026"));
}

void TestMonthRange::rowTexts()
{
    using ReadingRow::Weight;
    using ReadingRow::Year;
    const char line[] = "Messung2 den 01.03.2017 Z=12:05 s=140, d=90, p=70, Gewicht=70,55";
    QCOMPARE(
        row(line, {Year::FourDigits, Weight::AsWritten}),
        (QStringList{"01.03.2017", "Mittwoch", "Messung 2", "12:05", "140", "90", "70", "70,55"}));
    QCOMPARE(row(line, {Year::AsNumber, Weight::OneDecimal}).constLast(), QStringLiteral("70,6"));
    // No weight: an empty cell in either form, never "0".
    for (const Weight weight : {Weight::AsWritten, Weight::OneDecimal}) {
        QCOMPARE(row("Abends den 31.12.2016 Z=20:00 s=128, d=82, p=66, Gewicht=0",
                     {Year::FourDigits, weight}),
                 (QStringList{"31.12.2016", "Samstag", "Abends", "20:00", "128", "82", "66", ""}));
    }
}

void TestMonthRange::yearBeforeAThousand()
{
    using ReadingRow::Weight;
    using ReadingRow::Year;
    // The year as written; the date with four digits and as a number.
    const QList<QStringList> years{{"0999", "01.03.0999", "01.03.999"},
                                   {"1000", "01.03.1000", "01.03.1000"},
                                   {"1001", "01.03.1001", "01.03.1001"}};
    for (const QStringList &year : years) {
        const QByteArray line =
            ("Morgens den 01.03." + year.at(0) + " Z=07:30 s=140, d=90, p=70, Gewicht=0").toUtf8();
        QCOMPARE(row(line, {Year::FourDigits, Weight::AsWritten}).constFirst(), year.at(1));
        QCOMPARE(row(line, {Year::AsNumber, Weight::AsWritten}).constFirst(), year.at(2));
    }
}

// Rounded half up, as the report shows every mean.
void TestMonthRange::weightToOneDecimal()
{
    using ReadingRow::Weight;
    using ReadingRow::Year;
    const QList<std::pair<QString, QString>> weights{{"70,44", "70,4"},
                                                     {"70,45", "70,5"},
                                                     {"70,46", "70,5"},
                                                     {"71", "71,0"},
                                                     {"1234,5", "1.234,5"}};
    for (const auto &[written, shown] : weights) {
        const QByteArray line =
            ("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=" + written).toUtf8();
        QCOMPARE(row(line, {Year::AsNumber, Weight::OneDecimal}).constLast(), shown);
        QCOMPARE(row(line, {Year::FourDigits, Weight::AsWritten}).constLast(), written);
    }
}

QTEST_GUILESS_MAIN(TestMonthRange)
#include "tst_month_range.moc"
