// Whole chart pages against pages written by hand for a few months.
#include "base/conversion_error.h"
#include "base/windows1252.h"
#include "charts/chart_page.h"
#include "support/temp_home.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(ChartInputs)

namespace {

struct Day
{
    int day;
    const char *systolic;
    const char *diastolic;
    const char *pulse;
};

ChartInputs month(const char *openMonth, const char *openYear, const char *monthName,
                  std::initializer_list<Day> days)
{
    ChartInputs in;
    for (const Day &d : days) {
        in.dayMeans.setText(Quantity::Systolic, d.day, QLatin1String(d.systolic));
        in.dayMeans.setText(Quantity::Diastolic, d.day, QLatin1String(d.diastolic));
        in.dayMeans.setText(Quantity::Pulse, d.day, QLatin1String(d.pulse));
    }
    in.openMonth = QLatin1String(openMonth);
    in.openYear = QLatin1String(openYear);
    in.monthName = QString::fromUtf8(monthName);
    in.userName = QStringLiteral("Muster");
    in.systolicColour = 16711680;
    in.diastolicColour = 32768;
    in.pulseColour = 8388863;
    in.valueColour = 0;
    return in;
}

QStringList expectedPage(const QString &name)
{
    QFile file(QStringLiteral(VANTORIA_TEST_DATA_DIR "/charts/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("missing fixture ") + name};
    const QString text = Windows1252::decode(file.readAll());
    // Every line of a page ends in CRLF, the last one too.
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void comparePages(const QStringList &actual, const QStringList &expected)
{
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual.at(i) != expected.at(i)) {
            QFAIL(qPrintable(QStringLiteral("line %1 differs:\n  actual:   [%2]\n  expected: [%3]")
                                 .arg(i + 1)
                                 .arg(actual.at(i), expected.at(i))));
        }
    }
    QCOMPARE(actual.size(), expected.size());
}

} // namespace

class TstChartPages : public QObject
{
    Q_OBJECT

private slots:
    void fullJanuaryWithRemarkAndEscapedName();
    void februaryOf28Days();
    void thirtyDayMonthWithReadingsOn29And30();
    void readingsOnlyInWeekThree();
    void monthWithoutAnyDayReadings();
    void readingsOnlyAtTheEndOfTheMonth();
    void valueDisplayAndZeroGapOnlyChangeTheirLines();
    void emptyMonthMeansEndTheBuild();
    void damagedValuesBuildNoPage_data();
    void damagedValuesBuildNoPage();
    void valuesAtTheirLimitsBuildBothPages();
};

void TstChartPages::fullJanuaryWithRemarkAndEscapedName()
{
    QTemporaryDir dir;
    const QString remark = dir.filePath(QStringLiteral("Anna_01_2020.txt"));
    TempHome::writeFile(remark, "Wert < 120 & Puls > 80\r\n\tmit\tTabs\r\n   \r\n"
                                "<script>alert(1)</script>\r\n");
    ChartInputs in = month("01", "2020", "Januar",
                           {{2, "128", "84", "70"},
                            {5, "131", "86", "72"},
                            {9, "142", "91", "75"},
                            {16, "150", "95", "80"},
                            {23, "125", "80", "68"},
                            {29, "138", "88", "71"},
                            {31, "100", "65", "60"}});
    in.userName = QStringLiteral("Anna <B> & Co");
    in.monthMeanSystolic = 136.29L;
    in.monthMeanDiastolic = 84.14L;
    in.monthMeanPulse = 70.86L;
    in.monthWeightMean = 80.75L;
    in.zeroGap = true;
    in.showValues = true;
    in.remarkFilePath = remark;
    comparePages(buildBarPage(in), expectedPage(QStringLiteral("bar_jan2020.html")));
    comparePages(buildLinePage(in), expectedPage(QStringLiteral("line_jan2020.html")));
}

void TstChartPages::februaryOf28Days()
{
    QTemporaryDir dir;
    const QString emptyRemark = dir.filePath(QStringLiteral("Muster_02_2021.txt"));
    TempHome::writeFile(emptyRemark, QByteArray());
    ChartInputs in =
        month("02", "2021", "Februar",
              {{1, "120", "80", "70"}, {20, "122", "78", "66"}, {28, "118", "76", "64"}});
    in.monthMeanSystolic = 120.00L;
    in.monthMeanDiastolic = 78.00L;
    in.monthMeanPulse = 66.67L;
    in.monthWeightMean = 0;
    in.zeroGap = false;
    in.showValues = false;
    in.remarkFilePath = emptyRemark;
    comparePages(buildBarPage(in), expectedPage(QStringLiteral("bar_feb2021.html")));
    comparePages(buildLinePage(in), expectedPage(QStringLiteral("line_feb2021.html")));
}

void TstChartPages::thirtyDayMonthWithReadingsOn29And30()
{
    ChartInputs in =
        month("04", "2020", "April",
              {{3, "190", "135", "90"}, {29, "185", "140", "95"}, {30, "180", "132", "88"}});
    in.monthMeanSystolic = 185.00L;
    in.monthMeanDiastolic = 135.67L;
    in.monthMeanPulse = 91.00L;
    in.monthWeightMean = 71.5L;
    in.zeroGap = true;
    in.showValues = false;
    in.remarkFilePath = QStringLiteral("/nonexistent/Muster_04_2020.txt");
    comparePages(buildBarPage(in), expectedPage(QStringLiteral("bar_apr2020.html")));
    comparePages(buildLinePage(in), expectedPage(QStringLiteral("line_apr2020.html")));
}

void TstChartPages::readingsOnlyInWeekThree()
{
    ChartInputs in =
        month("03", "2021", "März", {{16, "165", "70", "80"}, {18, "165", "70", "78"}});
    in.monthMeanSystolic = 165.00L;
    in.monthMeanDiastolic = 70.00L;
    in.monthMeanPulse = 79.00L;
    in.monthWeightMean = 68.4L;
    in.zeroGap = false;
    in.showValues = true;
    comparePages(buildBarPage(in), expectedPage(QStringLiteral("bar_mar2021.html")));
    comparePages(buildLinePage(in), expectedPage(QStringLiteral("line_mar2021.html")));
}

void TstChartPages::monthWithoutAnyDayReadings()
{
    ChartInputs in = month("01", "2017", "Januar", {});
    in.monthMeanSystolic = 100.00L;
    in.monthMeanDiastolic = 70.00L;
    in.monthMeanPulse = 60.00L;
    in.zeroGap = true;
    in.showValues = false;
    comparePages(buildLinePage(in), expectedPage(QStringLiteral("line_jan2017_empty.html")));
}

void TstChartPages::readingsOnlyAtTheEndOfTheMonth()
{
    ChartInputs in =
        month("01", "2017", "Januar",
              {{29, "120", "45", "60"}, {30, "121", "44", "62"}, {31, "119", "46", "61"}});
    in.monthMeanSystolic = 120.00L;
    in.monthMeanDiastolic = 45.00L;
    in.monthMeanPulse = 61.00L;
    in.monthWeightMean = 75;
    in.zeroGap = false;
    in.showValues = true;
    comparePages(buildBarPage(in), expectedPage(QStringLiteral("bar_jan2017_rest.html")));
}

void TstChartPages::valueDisplayAndZeroGapOnlyChangeTheirLines()
{
    ChartInputs in =
        month("03", "2021", "März", {{16, "165", "70", "80"}, {18, "165", "70", "78"}});
    in.monthMeanSystolic = 165.00L;
    in.monthMeanDiastolic = 70.00L;
    in.monthMeanPulse = 79.00L;
    in.zeroGap = false;
    in.showValues = true;
    const QStringList on = buildBarPage(in);
    in.showValues = false;
    const QStringList off = buildBarPage(in);
    // Four interaction lines per chart become one: five charts, 15 lines fewer.
    QCOMPARE(on.size() - off.size(), 15);
    QVERIFY(on.join(QLatin1Char('\n')).contains(QStringLiteral("drawValue(this, 1)")));
    QVERIFY(!off.join(QLatin1Char('\n')).contains(QStringLiteral("drawValue(this, 1)")));

    in.zeroGap = true;
    const QStringList gaps = buildBarPage(in);
    QCOMPARE(gaps.size(), off.size());
    qsizetype changed = 0;
    for (qsizetype i = 0; i < gaps.size(); ++i) {
        if (gaps.at(i) != off.at(i)) {
            ++changed;
            QVERIFY2(gaps.at(i).startsWith(QStringLiteral("data: [")), qPrintable(gaps.at(i)));
            QVERIFY(!gaps.at(i).contains(QStringLiteral(",0,")));
        }
    }
    QCOMPARE(changed, 15); // three arrays in each of five charts
}

void TstChartPages::emptyMonthMeansEndTheBuild()
{
    ChartInputs in = month("01", "2017", "Januar", {{2, "120", "80", "70"}});
    QVERIFY_THROWS_EXCEPTION(ConversionError, buildBarPage(in));
    QVERIFY_THROWS_EXCEPTION(ConversionError, buildLinePage(in));
    try {
        buildLinePage(in);
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), QStringLiteral("'' ist kein gültiger Gleitkommawert"));
    }
}

namespace {

ChartInputs goodMonth()
{
    ChartInputs in =
        month("03", "2017", "März",
              {{2, "128", "84", "70"}, {16, "150", "95", "80"}, {30, "138", "88", "71"}});
    in.monthMeanSystolic = 138.67L;
    in.monthMeanDiastolic = 89.00L;
    in.monthMeanPulse = 73.67L;
    in.monthWeightMean = 80.5L;
    return in;
}

} // namespace

void TstChartPages::damagedValuesBuildNoPage_data()
{
    QTest::addColumn<ChartInputs>("inputs");
    QTest::addColumn<QString>("message");
    const QString refused = QStringLiteral("Die Diagrammseite wird nicht erstellt: ");
    for (const char *value : {"nan", "1.234", "1000", "-5", "1]", ""}) {
        ChartInputs in = goodMonth();
        in.dayMeans.setText(Quantity::Pulse, 30, QString::fromLatin1(value));
        QTest::addRow("day value \"%s\"", value)
            << in
            << refused + QStringLiteral("Der Tagesmittelwert „%1“ ist keine ganze Zahl von 0 bis "
                                        "999.")
                             .arg(QString::fromLatin1(value));
    }
    for (const char *value : {"13", "0'3", "3.", "00"}) {
        ChartInputs in = goodMonth();
        in.openMonth = QString::fromLatin1(value);
        QTest::addRow("month \"%s\"", value)
            << in
            << refused + QStringLiteral("Der Monat „%1“ ist keine Zahl von 1 bis 12.")
                             .arg(QString::fromLatin1(value));
    }
    for (const char *value : {"17", "2017'", "2017}"}) {
        ChartInputs in = goodMonth();
        in.openYear = QString::fromLatin1(value);
        QTest::addRow("year \"%s\"", value)
            << in
            << refused + QStringLiteral("Das Jahr „%1“ besteht nicht aus vier Ziffern.")
                             .arg(QString::fromLatin1(value));
    }
    ChartInputs mean = goodMonth();
    mean.monthMeanPulse = 1000.00L;
    QTest::newRow("month mean") << mean
                                << refused +
                                       QStringLiteral(
                                           "Der Monatsmittelwert „1000,00“ ist keine Zahl von 0 "
                                           "bis 999.");
    ChartInputs weight = goodMonth();
    weight.monthWeightMean = std::numeric_limits<long double>::infinity();
    QTest::newRow("weight") << weight
                            << refused + QStringLiteral(
                                             "Das mittlere Gewicht des Monats ist keine Zahl.");
}

void TstChartPages::damagedValuesBuildNoPage()
{
    QFETCH(ChartInputs, inputs);
    QFETCH(QString, message);
    for (const auto build : {&buildBarPage, &buildLinePage}) {
        try {
            build(inputs);
            QFAIL("a page was built");
        } catch (const ConversionError &error) {
            QCOMPARE(error.message(), message);
        }
    }
}

void TstChartPages::valuesAtTheirLimitsBuildBothPages()
{
    ChartInputs in = goodMonth();
    in.dayMeans.setText(Quantity::Systolic, 16, QStringLiteral("999"));
    in.monthMeanSystolic = 999.49L;
    in.monthWeightMean = 998.9L;
    in.openMonth = QStringLiteral("12");
    in.openYear = QStringLiteral("9999");
    in.zeroGap = false;
    const QStringList bar = buildBarPage(in);
    QVERIFY(bar.join(QLatin1Char('\n')).contains(QStringLiteral("data: [0,999,0,0,0,0,0] , }, ")));
    QVERIFY(bar.join(QLatin1Char('\n')).contains(QStringLiteral("Systole: 999 mmHg")));
    QVERIFY(bar.join(QLatin1Char('\n')).contains(QStringLiteral("Gewicht: 998,9 kg")));
    QVERIFY(bar.join(QLatin1Char('\n')).contains(QStringLiteral("'Mi.01.12.9999' ,")));
    QVERIFY(!buildLinePage(in).isEmpty());
}

QTEST_GUILESS_MAIN(TstChartPages)
#include "tst_chart_pages.moc"
