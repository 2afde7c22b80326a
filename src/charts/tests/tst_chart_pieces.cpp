// The small building blocks of the chart pages, at their edges.
#include "base/conversion_error.h"
#include "charts/chart_page.h"
#include "charts/grade.h"
#include "charts/marker_filler.h"
#include "support/temp_home.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

// The message a check throws, or "passed" with its value.
template <typename Check> QString outcome(Check &&check)
{
    try {
        return QStringLiteral("passed ") + QString::number(check());
    } catch (const ConversionError &error) {
        return error.message();
    }
}

const QString kRefused = QStringLiteral("Die Diagrammseite wird nicht erstellt: ");

} // namespace

class TstChartPieces : public QObject
{
    Q_OBJECT

private slots:
    void medicationMarksOnlyAddTheirScript();
    void colourToHtml_data();
    void colourToHtml();
    void weekdayPrefixes();
    void axisMaximum_data();
    void axisMaximum();
    void replaceAllRescans();
    void markerFillerTakesTheLongestMarker();
    void zeroGapReplacesOnlyZeros();
    void restArrayHasFourteenValues();
    void labelsCarryFullYearsOnDays1_15_29();
    void summaryWeightFormats();
    void classification_data();
    void classification();
    void gradeTextsDependOnThePage();
    void missingGroupsNotice();
    void remarkBlockEdges();
    void pageNameFromMonthFile();
    void scriptNumbers_data();
    void scriptNumbers();
    void shownMonthMeans_data();
    void shownMonthMeans();
    void weightOfTheSummary();
    void htmlTextOfAnyCharacter();
};

void TstChartPieces::scriptNumbers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *kind, const QString &text, const QString &expected) {
        QTest::addRow("%s \"%s\"", kind, qPrintable(text))
            << QString::fromLatin1(kind) << text << expected;
    };
    const QString month = kRefused + QStringLiteral("Der Monat „%1“ ist keine Zahl von 1 bis 12.");
    for (const QString text : {"0", "13", "003", "0'3", " 3", "+3", ""})
        row("month", text, month.arg(text));
    row("month", QString::fromUtf8("٠٣"), month.arg(QString::fromUtf8("٠٣")));
    row("month", "1", "passed 1");
    row("month", "01", "passed 1");
    row("month", "12", "passed 12");

    const QString year = kRefused + QStringLiteral("Das Jahr „%1“ besteht nicht aus vier Ziffern.");
    for (const QString text : {"201", "20170", "201}", "-201"})
        row("year", text, year.arg(text));
    row("year", "0000", "passed 0");
    row("year", "2017", "passed 2017");
    row("year", "9999", "passed 9999");

    const QString day =
        kRefused + QStringLiteral("Der Tagesmittelwert „%1“ ist keine ganze Zahl von 0 bis 999.");
    for (const QString text : {"1000", "-1", "1.234", "12,5", "nan", "", "1]}"})
        row("day", text, day.arg(text));
    row("day", "0", "passed 0");
    row("day", "998", "passed 998");
    row("day", "999", "passed 999");

    const QString mean =
        kRefused + QStringLiteral("Der Monatsmittelwert „%1“ ist keine Zahl von 0 bis 999.");
    row("mean", "-0,01", mean.arg("-0,01"));
    row("mean", "999,50", mean.arg("999,50"));
    row("mean", "0,00", "passed 0");
    row("mean", "128,50", "passed 129");
    row("mean", "999,49", "passed 999");
    row("mean", "", "'' ist kein gültiger Gleitkommawert");
}

void TstChartPieces::scriptNumbers()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString result =
        kind == QLatin1String("month")  ? outcome([&] { return checkedMonth(text); })
        : kind == QLatin1String("year") ? outcome([&] { return checkedYear(text); })
        : kind == QLatin1String("day")  ? outcome([&] { return checkedDayValue(text); })
                                        : outcome([&] { return checkedMonthMean(text); });
    QCOMPARE(result, expected);
}

// A mean given as a number is refused, or rounded, exactly as its text is.
void TstChartPieces::shownMonthMeans_data()
{
    QTest::addColumn<std::optional<long double>>("mean");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, std::optional<long double> mean, const char *text) {
        QTest::newRow(name) << mean << QString::fromUtf8(text);
    };
    row("none", std::nullopt, "");
    row("below 0", -0.01L, "-0,01");
    row("0", 0.0L, "0,00");
    row("0,01", 0.01L, "0,01");
    row("just below half", 128.49L, "128,49");
    row("half", 128.5L, "128,50");
    row("999,49", 999.49L, "999,49");
    row("999,50", 999.5L, "999,50");
    row("1000", 1000.0L, "1000,00");
    row("not finite", std::numeric_limits<long double>::infinity(), "0,00");
}

void TstChartPieces::shownMonthMeans()
{
    QFETCH(std::optional<long double>, mean);
    QFETCH(QString, text);
    QCOMPARE(outcome([&] { return roundedMonthMean(mean); }),
             outcome([&] { return roundedMonthMean(text); }));
}

void TstChartPieces::weightOfTheSummary()
{
    const QString refused =
        kRefused + QStringLiteral("Das mittlere Gewicht des Monats ist keine Zahl.");
    const auto weight = [&](long double value) {
        return outcome([&] { return double(checkedWeight(value).value_or(-1)); });
    };
    QCOMPARE(weight(-1), QStringLiteral("passed -1"));
    QCOMPARE(weight(0), QStringLiteral("passed -1"));
    QCOMPARE(weight(0.1L), QStringLiteral("passed 0.1"));
    QCOMPARE(weight(1002), QStringLiteral("passed 1002"));
    QCOMPARE(weight(1e30L), QStringLiteral("passed 1e+30"));
    QCOMPARE(weight(std::numeric_limits<long double>::infinity()), refused);
    QCOMPARE(weight(std::numeric_limits<long double>::quiet_NaN()), refused);
    QCOMPARE(weight(-std::numeric_limits<long double>::infinity()), refused);
}

void TstChartPieces::htmlTextOfAnyCharacter()
{
    QCOMPARE(escapeHtmlText(QString::fromUtf8("Jürgen <b> & \"Co\" € ÿ")),
             QString::fromUtf8("Jürgen &lt;b&gt; &amp; \"Co\" € ÿ"));
    // Just above Latin-1, beside the euro and beyond the basic plane.
    QCOMPARE(escapeHtmlText(QString::fromUtf8("Łukasz<₫\U0001F600")),
             QStringLiteral("&#321;ukasz&lt;&#8363;&#128512;"));
    QCOMPARE(escapeHtmlText(QString()), QString());
}

void TstChartPieces::colourToHtml_data()
{
    QTest::addColumn<qint32>("colour");
    QTest::addColumn<QString>("html");
    QTest::newRow("blue") << 16711680 << "#0000FF";
    QTest::newRow("green") << 32768 << "#008000";
    QTest::newRow("mixed") << 8388863 << "#FF0080";
    QTest::newRow("dark red") << 128 << "#800000";
    QTest::newRow("grid") << 14671845 << "#E5DFDF";
    QTest::newRow("black") << 0 << "#000000";
}

void TstChartPieces::colourToHtml()
{
    QFETCH(qint32, colour);
    QFETCH(QString, html);
    QCOMPARE(::colourToHtml(colour), html);
}

void TstChartPieces::weekdayPrefixes()
{
    QCOMPARE(weekdayPrefix(1, 1, 2017), QStringLiteral("So."));
    QCOMPARE(weekdayPrefix(2, 1, 2017), QStringLiteral("Mo."));
    QCOMPARE(weekdayPrefix(29, 2, 2020), QStringLiteral("Sa."));
    QCOMPARE(weekdayPrefix(31, 12, 2024), QStringLiteral("Di."));
    QCOMPARE(weekdayPrefix(4, 1, 2017), QStringLiteral("Mi."));
    QCOMPARE(weekdayPrefix(5, 1, 2017), QStringLiteral("Do."));
    QCOMPARE(weekdayPrefix(6, 1, 2017), QStringLiteral("Fr."));
}

void TstChartPieces::axisMaximum_data()
{
    QTest::addColumn<QString>("highest");
    QTest::addColumn<QString>("expected");
    QTest::newRow("125 half to even") << "125"
                                      << "130";
    QTest::newRow("126") << "126"
                         << "140";
    QTest::newRow("135 half to even") << "135"
                                      << "150";
    QTest::newRow("105") << "105"
                         << "110";
    QTest::newRow("145") << "145"
                         << "150";
    QTest::newRow("155") << "155"
                         << "170";
    QTest::newRow("138") << "138"
                         << "150";
    QTest::newRow("no readings") << "0"
                                 << "10";
}

void TstChartPieces::axisMaximum()
{
    QFETCH(QString, highest);
    QFETCH(QString, expected);
    DayMeanTable table;
    table.setText(Quantity::Systolic, 3, QStringLiteral("99"));
    table.setText(Quantity::Systolic, 5, highest);
    // Diastolic and pulse values never raise the axis.
    table.setText(Quantity::Diastolic, 4, QStringLiteral("250"));
    table.setText(Quantity::Pulse, 6, QStringLiteral("260"));
    // A higher value outside the chart's days does not count either.
    table.setText(Quantity::Systolic, 8, QStringLiteral("199"));
    const QString axis = axisMax(table, 1, 7);
    QCOMPARE(axis, highest == QLatin1String("0") ? QStringLiteral("110") : expected);
    table.setText(Quantity::Systolic, 3, QStringLiteral("0"));
    QCOMPARE(axisMax(table, 1, 7), expected);
}

void TstChartPieces::replaceAllRescans()
{
    QCOMPARE(
        replaceAll(QStringLiteral("[0,0,0,0]"), QStringLiteral(",0,"), QStringLiteral(",NaN,")),
        QStringLiteral("[0,NaN,NaN,0]"));
    QCOMPARE(replaceAll(QStringLiteral("aaa"), QStringLiteral("a"), QStringLiteral("b")),
             QStringLiteral("bbb"));
    QCOMPARE(replaceAll(QStringLiteral("xyz"), QStringLiteral("q"), QStringLiteral("r")),
             QStringLiteral("xyz"));
}

void TstChartPieces::markerFillerTakesTheLongestMarker()
{
    ChartInputs in;
    in.monthMeanSystolic = 128.33L;
    in.monthMeanDiastolic = 83.50L;
    in.monthMeanPulse = 70.49L;
    in.monthWeightMean = 80.5L;
    in.systolicColour = 16711680;
    in.diastolicColour = 32768;
    in.pulseColour = 128;
    in.openMonth = QStringLiteral("01");
    in.openYear = QStringLiteral("2017");
    // "Dz17" is not "Dz1", "Dz7__" is neither "Dz7" nor "Dz7_".
    QCOMPARE(
        fillMarkerLine(QStringLiteral("Dz17 sample"), in, ChartPage::Line),
        QStringLiteral("Systole: 128 mmHg - Diastole: 84 mmHg - Puls: 70 (HF) - Gewicht: 80,5 kg"));
    QCOMPARE(
        fillMarkerLine(QStringLiteral("Dz7__"), in, ChartPage::Line),
        QStringLiteral(
            "backgroundColor: '#800000',borderColor: '#800000' ,borderWidth: 2,fill: false, "));
    QCOMPARE(
        fillMarkerLine(QStringLiteral("Dz7_ x"), in, ChartPage::Bar),
        QStringLiteral(
            "backgroundColor: '#008000',borderColor: '#008000' ,borderWidth: 2,fill: false, "));
    QCOMPARE(
        fillMarkerLine(QStringLiteral("Dz7 x"), in, ChartPage::Bar),
        QStringLiteral(
            "backgroundColor: '#0000FF',borderColor: '#0000FF' , borderWidth: 2, fill: false, "));
    QVERIFY(fillMarkerLine(QStringLiteral("Dz1 x"), in, ChartPage::Bar)
                .startsWith(QStringLiteral("<h0>")));
    // The sample after the marker is never written; no marker, no text.
    QCOMPARE(fillMarkerLine(QStringLiteral("Dz2_1 data: [100,120,NaN] , },  "), in, ChartPage::Bar),
             QStringLiteral("data: [NaN,NaN,NaN,NaN,NaN,NaN,NaN] , }, "));
    QCOMPARE(fillMarkerLine(QStringLiteral("function createConfig()"), in, ChartPage::Bar),
             QString());
    QCOMPARE(fillMarkerLine(QString(), in, ChartPage::Bar), QString());
}

void TstChartPieces::zeroGapReplacesOnlyZeros()
{
    ChartInputs in;
    const char *values[] = {"0", "10", "0", "0", "100", "101", "0"};
    for (int day = 1; day <= 7; ++day)
        in.dayMeans.setText(Quantity::Systolic, day, QLatin1String(values[day - 1]));
    in.zeroGap = true;
    QCOMPARE(fillMarkerLine(QStringLiteral("Dz2_1"), in, ChartPage::Bar),
             QStringLiteral("data: [NaN,10,NaN,NaN,100,101,NaN] , }, "));
    in.zeroGap = false;
    QCOMPARE(fillMarkerLine(QStringLiteral("Dz2_1"), in, ChartPage::Bar),
             QStringLiteral("data: [0,10,0,0,100,101,0] , }, "));
    // The pulse array closes the chart's data sets.
    QCOMPARE(fillMarkerLine(QStringLiteral("Dz2_3"), in, ChartPage::Bar),
             QStringLiteral("data: [0,0,0,0,0,0,0] , } "));
    // On the line page the same marker spans two weeks.
    QCOMPARE(fillMarkerLine(QStringLiteral("Dz3_3"), in, ChartPage::Line),
             QStringLiteral("data: [0,0,0,0,0,0,0,0,0,0,0,0,0,0] , } "));
}

void TstChartPieces::restArrayHasFourteenValues()
{
    ChartInputs in;
    in.dayMeans.setText(Quantity::Pulse, 29, QStringLiteral("71"));
    in.dayMeans.setText(Quantity::Pulse, 30, QStringLiteral("70"));
    in.zeroGap = true;
    QCOMPARE(fillMarkerLine(QStringLiteral("DzRest3"), in, ChartPage::Line),
             QStringLiteral("data: [71,70,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN] , }, "));
    in.zeroGap = false;
    QCOMPARE(fillMarkerLine(QStringLiteral("DzRest1"), in, ChartPage::Bar),
             QStringLiteral("data: [0,0,0,0,0,0,0,0,0,0,0,0,0,0] , }, "));
}

void TstChartPieces::labelsCarryFullYearsOnDays1_15_29()
{
    ChartInputs in;
    in.openMonth = QStringLiteral("01");
    in.openYear = QStringLiteral("2017");
    QCOMPARE(fillMarkerLine(QStringLiteral("DzErsteWoche"), in, ChartPage::Bar),
             QStringLiteral("labels: ['So.01.01.2017' ,'Mo.02.01.17' ,'Di.03.01.17' ,'Mi.04.01.17' "
                            ",'Do.05.01.17' ,'Fr.06.01.17' ,'Sa.07.01.17' ,], "));
    QCOMPARE(fillMarkerLine(QStringLiteral("DzZweiteWoche"), in, ChartPage::Bar),
             QStringLiteral("labels: ['So.08.01.17' ,'Mo.09.01.17' ,'Di.10.01.17' ,'Mi.11.01.17' "
                            ",'Do.12.01.17' ,'Fr.13.01.17' ,'Sa.14.01.17' ], "));
    in.openYear = QStringLiteral("2020");
    QCOMPARE(fillMarkerLine(QStringLiteral("DzRestWochen"), in, ChartPage::Bar),
             QStringLiteral("labels: ['Mi.29.01.2020' ,'Do.30.01.20' ,'Fr.31.01.20' ,'-' ,'-' ,'-' "
                            ",'-' ,], "));
    // A leap February has one rest day.
    in.openMonth = QStringLiteral("02");
    QCOMPARE(fillMarkerLine(QStringLiteral("DzRestWochen"), in, ChartPage::Line),
             QStringLiteral("labels: ['Sa.29.02.2020' ,], "));
    QCOMPARE(fillMarkerLine(QStringLiteral("DzRestWochen"), in, ChartPage::Bar),
             QStringLiteral("labels: ['Sa.29.02.2020' ,'-' ,'-' ,'-' ,'-' ,'-' ,'-' ,], "));
    QVERIFY(fillMarkerLine(QStringLiteral("DzZweiten2Wochen"), in, ChartPage::Line)
                .startsWith(QStringLiteral("labels: ['Sa.15.02.2020' ,'So.16.02.20' ,")));
}

void TstChartPieces::summaryWeightFormats()
{
    ChartInputs in;
    in.monthMeanSystolic = 131.5L;
    in.monthMeanDiastolic = 84.49L;
    in.monthMeanPulse = 70.00L;
    in.monthWeightMean = 1002;
    QCOMPARE(monthlySummary(in, ChartPage::Bar),
             QStringLiteral("Monatliche Mittelwerte: ',' Systole: 132 mmHg - Diastole: 84 mmHg - "
                            "Puls: 70 (HF) ',' Gewicht: 1.002,0 kg"));
    in.monthWeightMean = -1;
    QCOMPARE(
        monthlySummary(in, ChartPage::Line),
        QStringLiteral("Systole: 132 mmHg - Diastole: 84 mmHg - Puls: 70 (HF) - Gewicht: Keine "
                       "Angabe!"));
}

void TstChartPieces::classification_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("d");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("warning");
    using L = MonthGrade::Level;
    const QString low = QStringLiteral(
        "Überprüfen Sie Ihre Eingaben der systolischen Werte! Die Werte sind sehr niedrig!");
    const QString high = QStringLiteral(
        "Überprüfen Sie Ihre Eingaben der diastolischen Werte! Die Werte sind viel zu hoch!");
    const QString dlow = QStringLiteral(
        "Überprüfen Sie Ihre Eingaben der diastolischen Werte! Die Werte sind viel zu niedrig!");
    QTest::newRow("179.5 rounds to grade 3") << "179,5"
                                             << "80,00" << int(L::Grade3) << "#ED1B24"
                                             << "";
    QTest::newRow("179.49 stays grade 2") << "179,49"
                                          << "80,00" << int(L::Grade2) << "#FA572E"
                                          << "";
    QTest::newRow("diastolic grade 1") << "135,00"
                                       << "95,00" << int(L::Grade1) << "#FF925F"
                                       << "";
    QTest::newRow("systolic grade 2") << "165,00"
                                      << "70,00" << int(L::Grade2) << "#FA572E"
                                      << "";
    QTest::newRow("diastolic grade 2") << "120,00"
                                       << "100,00" << int(L::Grade2) << "#FA572E"
                                       << "";
    QTest::newRow("high normal by D") << "120,00"
                                      << "85,00" << int(L::HighNormal) << "#FEF200"
                                      << "";
    QTest::newRow("high normal by S") << "139,00"
                                      << "60,00" << int(L::HighNormal) << "#FEF200"
                                      << "";
    QTest::newRow("normal") << "120,00"
                            << "80,00" << int(L::Normal) << "#B5E51D"
                            << "";
    QTest::newRow("normal lower edge") << "105,00"
                                       << "50,00" << int(L::Normal) << "#B5E51D"
                                       << "";
    QTest::newRow("systolic low") << "100,00"
                                  << "70,00" << int(L::None) << "#FFFFFF" << low;
    QTest::newRow("diastolic low") << "120,00"
                                   << "45,00" << int(L::None) << "#FFFFFF" << dlow;
    QTest::newRow("diastolic wins over systolic") << "100,00"
                                                  << "45,00" << int(L::None) << "#FFFFFF" << dlow;
    QTest::newRow("D 140 grade 3 and too high") << "125,00"
                                                << "140,00" << int(L::Grade3) << "#ED1B24" << high;
    QTest::newRow("D 205 is not graded") << "125,00"
                                         << "205,00" << int(L::None) << "#FFFFFF" << high;
    QTest::newRow("D 210 graded by S") << "150,00"
                                       << "210,00" << int(L::Grade1) << "#FF925F" << high;
}

void TstChartPieces::classification()
{
    QFETCH(QString, s);
    QFETCH(QString, d);
    QFETCH(int, level);
    QFETCH(QString, colour);
    QFETCH(QString, warning);
    const qint64 sys = roundedMonthMean(s);
    const qint64 dia = roundedMonthMean(d);
    const MonthGrade grade = classifyMonth(sys, dia, ChartPage::Line);
    QCOMPARE(int(grade.level), level);
    QCOMPARE(grade.colour, colour);
    QCOMPARE(plausibilityWarning(sys, dia), warning);
}

void TstChartPieces::gradeTextsDependOnThePage()
{
    QCOMPARE(classifyMonth(165, 70, ChartPage::Bar).text,
             QStringLiteral("Grad 2 Hypertonie (mittelschwerer Bluthochdruck)"));
    QCOMPARE(
        classifyMonth(165, 70, ChartPage::Line).text,
        QStringLiteral("Monatliche Mittelwerte: Grad 2 Hypertonie (mittelschwerer Bluthochdruck)"));
    QCOMPARE(classifyMonth(180, 70, ChartPage::Bar).text,
             QStringLiteral("Grad 3 Hypertonie (schwerer Bluthochdruck)"));
    QCOMPARE(classifyMonth(145, 70, ChartPage::Bar).text,
             QStringLiteral("Grad 1 Hypertonie (leichter Bluthochdruck)"));
    QCOMPARE(classifyMonth(135, 70, ChartPage::Bar).text,
             QStringLiteral("Monatliche Mittelwerte: Hochnormal"));
    QCOMPARE(classifyMonth(120, 80, ChartPage::Bar).text,
             QStringLiteral("Monatliche Mittelwerte: Normal/Optimal "));
    QCOMPARE(classifyMonth(100, 80, ChartPage::Bar).text,
             QStringLiteral("Monatliche Mittelwerte: "));
}

void TstChartPieces::missingGroupsNotice()
{
    DayMeanTable table;
    const QStringList weeks{QStringLiteral("Woche1"), QStringLiteral("Woche2"),
                            QStringLiteral("Woche3"), QStringLiteral("Woche4")};
    const QStringList ranges{QStringLiteral("1-7"), QStringLiteral(" , 8-14"),
                             QStringLiteral(" , 15-21"), QStringLiteral(" , 22-28")};
    table.setText(Quantity::Pulse, 3, QStringLiteral("70")); // a pulse alone counts
    table.setText(Quantity::Diastolic, 20, QStringLiteral("80"));
    QCOMPARE(
        ::missingGroupsNotice(table, weeks, ranges),
        (QStringList{QStringLiteral("<center><h1>[Es fehlen Daten der Tagesgruppe:   8-14 , 22-28"),
                     QStringLiteral("]</h1></center>")}));
    table.setText(Quantity::Systolic, 10, QStringLiteral("120"));
    table.setText(Quantity::Systolic, 28, QStringLiteral("120"));
    QVERIFY(::missingGroupsNotice(table, weeks, ranges).isEmpty());
    // Days 29-31 of a short month are "0" and never count.
    QVERIFY(!dayGroupHasData(QStringLiteral("RestdesMonats"), table));
    QVERIFY(!dayGroupHasData(QStringLiteral("Woche5"), table));
}

void TstChartPieces::remarkBlockEdges()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    TempHome::writeFile(path, "   \r\n\t\r\n\r\n");
    QCOMPARE(remarkBlock(path),
             QStringList{QStringLiteral("<h1><u>Meine Bemerkung:</u><br><h1><div>")});
    TempHome::writeFile(path, "a\t\tb \"x\" \xe4\r\n");
    QCOMPARE(remarkBlock(path),
             (QStringList{QStringLiteral("<h1><u>Meine Bemerkung:</u><br><h1><div>"),
                          QStringLiteral(
                              "a&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;b \"x\" ä <br>")}));
    TempHome::writeFile(path, QByteArray());
    QVERIFY(remarkBlock(path).isEmpty());
    QVERIFY(remarkBlock(dir.filePath(QStringLiteral("missing.txt"))).isEmpty());
}

void TstChartPieces::pageNameFromMonthFile()
{
    QCOMPARE(chartPageName(QStringLiteral("/d/Blutdruck-Daten-Galerie/2020/Muster_01_2020.tab")),
             QStringLiteral("Muster_01_2020.html"));
    QCOMPARE(chartPageName(QStringLiteral("/d/2020/Muster_01_2020.TAB")),
             QStringLiteral("Muster_01_2020.html"));
    // A folder whose name holds ".tab" does not change the page's name.
    QCOMPARE(chartPageName(QStringLiteral("/home/u/my.tables/2020/Muster_01_2020.tab")),
             QStringLiteral("Muster_01_2020.html"));
}

// The marks add their lines right before window.onload and change nothing
// else; a text cannot leave its string.
void TstChartPieces::medicationMarksOnlyAddTheirScript()
{
    ChartInputs inputs;
    inputs.dayMeans.setText(Quantity::Systolic, 3, QStringLiteral("131"));
    inputs.dayMeans.setText(Quantity::Diastolic, 3, QStringLiteral("84"));
    inputs.dayMeans.setText(Quantity::Pulse, 3, QStringLiteral("66"));
    inputs.monthMeanSystolic = 131;
    inputs.monthMeanDiastolic = 84;
    inputs.monthMeanPulse = 66;
    inputs.openMonth = QStringLiteral("03");
    inputs.openYear = QStringLiteral("2026");
    inputs.monthName = QStringLiteral("März");
    inputs.userName = QStringLiteral("Muster");
    const QStringList plain = buildLinePage(inputs);
    QVERIFY(medicationMarkScript({}).isEmpty());
    inputs.medicationMarks = {{QDate(2026, 3, 3), QStringLiteral("Ramipril 5 mg")},
                              {QDate(2026, 3, 31), QStringLiteral("O'Neil </script>\\\n")}};
    const QStringList marked = buildLinePage(inputs);
    const QStringList script = medicationMarkScript(inputs.medicationMarks);
    QCOMPARE(marked.size(), plain.size() + script.size());
    const qsizetype at = marked.indexOf(script.first());
    QVERIFY(at > 0);
    QVERIFY(marked.at(at + script.size()).startsWith(QStringLiteral("window.onload")));
    QStringList without = marked;
    without.remove(at, script.size());
    QCOMPARE(without, plain);
    QCOMPARE(script.first(),
             QStringLiteral("var medicationMarks = [{day: '03.03.', text: 'Ramipril 5 mg'}, "
                            "{day: '31.03.', text: 'O\\u0027Neil \\u003c/script\\u003e"
                            "\\u005c\\u000a'}];"));
    // Only the line page marks the changes.
    QCOMPARE(
        buildBarPage(inputs).join(QLatin1Char('\n')).contains(QStringLiteral("medicationMarks")),
        false);
}

QTEST_GUILESS_MAIN(TstChartPieces)
#include "tst_chart_pieces.moc"
