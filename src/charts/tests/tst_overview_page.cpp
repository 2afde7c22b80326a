// The overview page of several months: its exact lines for a small period,
// the trend sentence, the grade of each month, and user text kept out of
// the markup.
#include "charts/overview_page.h"
#include "journal/month_journal.h"

#include <QTest>

namespace {

QString entry(const char *slot, const char *date, int s, int d, int p, const char *weight = "0")
{
    return QStringLiteral("%1 den %2 Z=07:30 s=%3, d=%4, p=%5, Gewicht=%6")
        .arg(QLatin1String(slot), QLatin1String(date))
        .arg(s)
        .arg(d)
        .arg(p)
        .arg(QLatin1String(weight));
}

PeriodMonth readMonth(int month, int year, const QStringList &entries)
{
    const MonthJournal journal =
        MonthJournal::fromFileLines(QStringList{QStringLiteral("[Personendaten]"),
                                                QStringLiteral("BenutzerName=Muster"), QString()} +
                                    entries);
    return {month, year, PeriodMonth::State::Read, journal.readings(),
            journal.unreadLines().size()};
}

// Morgens readings of these systolic values, one a day, all /80/70.
PeriodMonth systolicMonth(int month, int year, const QList<int> &values)
{
    QStringList entries;
    for (int day = 1; day <= values.size(); ++day) {
        const QString date = QDate(year, month, day).toString(QStringLiteral("dd.MM.yyyy"));
        entries << entry("Morgens", qPrintable(date), values.at(day - 1), 80, 70);
    }
    return readMonth(month, year, entries);
}

// November 2025 with three readings and weights, December without a file,
// January unreadable, February a file of one line that cannot be read.
OverviewInputs smallPeriod()
{
    OverviewInputs in;
    in.userName = QStringLiteral("Muster");
    in.months = monthFigures(
        {readMonth(11, 2025,
                   {entry("Morgens", "01.11.2025", 140, 90, 70, "80,5"),
                    entry("Abends", "01.11.2025", 150, 95, 80),
                    entry("Morgens", "02.11.2025", 131, 84, 66, "81,0")}),
         PeriodMonth{12, 2025, PeriodMonth::State::Missing, {}, 0},
         PeriodMonth{1, 2026, PeriodMonth::State::Unreadable, {}, 0},
         readMonth(2, 2026, {QStringLiteral("Morgens den 03.02.2026 Z=07:30 s=1x0, d=80, p=60")})});
    in.systolicColour = 255;    // red
    in.diastolicColour = 32768; // green
    in.pulseColour = 0xFF0000;  // blue
    return in;
}

QString lineStarting(const QStringList &lines, const QString &start)
{
    for (const QString &line : lines) {
        if (line.startsWith(start))
            return line;
    }
    return {};
}

QList<MonthFigures> monthsOfMeans(const QList<int> &systolic)
{
    QList<PeriodMonth> months;
    for (int i = 0; i < systolic.size(); ++i)
        months << (systolic.at(i) == 0
                       ? PeriodMonth{i + 1, 2024, PeriodMonth::State::Missing, {}, 0}
                       : systolicMonth(i + 1, 2024, {systolic.at(i)}));
    return monthFigures(months);
}

} // namespace

class TestOverviewPage : public QObject
{
    Q_OBJECT

private slots:
    void smallPeriodLines();
    void tableRowsOfEveryKindOfMonth();
    void monthWithoutWeightsDrawsNoWeightChart();
    void userNameIsEscaped();
    void trendSentence_data();
    void trendSentence();
    void gradeAsTheBarPageFindsIt_data();
    void gradeAsTheBarPageFindsIt();
    void pageName();
};

void TestOverviewPage::smallPeriodLines()
{
    const QStringList page = buildOverviewPage(smallPeriod());
    QCOMPARE(page.constFirst(),
             QStringLiteral("<!doctype html><html><head><meta charset=\"windows-1252\"><title>"
                            "Blutdruck-Übersicht</title><script src=\"Chart.min.js\"></script>"));
    QCOMPARE(page.constLast(), QStringLiteral("</body></html>"));
    QVERIFY(page.contains(
        QStringLiteral("<h0><b>Blutdruck-Übersicht von Muster: November 2025 bis Februar "
                       "2026</b></h0>")));
    QVERIFY(page.contains(QStringLiteral("<p>Für eine Aussage über den Verlauf sind mindestens "
                                         "sechs Monate mit Messungen nötig.</p>")));
    QVERIFY(page.contains(QStringLiteral("<p class=\"hinweis\"></p></center>")));
    QCOMPARE(lineStarting(page, QStringLiteral("var monate")),
             QStringLiteral("var monate = ['November 2025', 'Dezember 2025', 'Januar 2026', "
                            "'Februar 2026'];"));
    // (140 + 150 + 131) / 3, (90 + 95 + 84) / 3, (70 + 80 + 66) / 3; grade 1 by 89,67.
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Systole'")),
             QStringLiteral("linie('Systole', '#FF0000', [140.33, null, null, null], "
                            "{pointRadius: 5, pointBorderColor: '#FF0000', pointBackgroundColor: "
                            "['#FF925F', '#FFFFFF', '#FFFFFF', '#FFFFFF']}),"));
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Diastole'")),
             QStringLiteral("linie('Diastole', '#008000', [89.67, null, null, null], "
                            "{pointRadius: 5, pointBorderColor: '#008000', pointBackgroundColor: "
                            "['#FF925F', '#FFFFFF', '#FFFFFF', '#FFFFFF']}),"));
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Puls'")),
             QStringLiteral("linie('Puls', '#0000FF', [72.00, null, null, null], {}),"));
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Grenzwert 135")),
             QStringLiteral("linie('Grenzwert 135 mmHg', '#FF0000', [135, 135, 135, 135], "
                            "{borderDash: [6, 4], borderWidth: 1, pointRadius: 0}),"));
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Grenzwert 85")),
             QStringLiteral("linie('Grenzwert 85 mmHg', '#008000', [85, 85, 85, 85], "
                            "{borderDash: [6, 4], borderWidth: 1, pointRadius: 0})"));
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Morgens systolisch'")),
             QStringLiteral("linie('Morgens systolisch', '#FF0000', [135.50, null, null, null], "
                            "{}),"));
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Abends systolisch'")),
             QStringLiteral("linie('Abends systolisch', '#FF0000', [150.00, null, null, null], "
                            "{borderDash: [3, 3], pointStyle: 'triangle'}),"));
    QCOMPARE(lineStarting(page, QStringLiteral("linie('Morgens diastolisch'")),
             QStringLiteral("linie('Morgens diastolisch', '#008000', [87.00, null, null, null], "
                            "{}),"));
    QCOMPARE(lineStarting(page, QStringLiteral("zeichne('gewicht'")),
             QStringLiteral("zeichne('gewicht', [linie('Gewicht', '#0000FF', [80.75, null, null, "
                            "null], {})], 'Monatliches mittleres Gewicht', 'kg');"));
    QVERIFY(page.contains(
        QStringLiteral("<div class=\"chart-container\"><canvas id=\"gewicht\"></canvas></div>")));
}

void TestOverviewPage::tableRowsOfEveryKindOfMonth()
{
    const QStringList page = buildOverviewPage(smallPeriod());
    const qsizetype header = page.indexOf(lineStarting(page, QStringLiteral("<tr><th>Monat")));
    QVERIFY(header > 0);
    QCOMPARE(page.at(header + 1),
             QStringLiteral("<tr><td>November 2025</td><td class=\"zahl\">3</td><td "
                            "class=\"zahl\">140,3</td><td class=\"zahl\">89,7</td><td "
                            "class=\"zahl\">72,0</td><td>131 am 02.11.2025</td><td>150 am "
                            "01.11.2025</td><td class=\"grad\" style=\"background: #FF925F\">Grad "
                            "1 Hypertonie (leichter Bluthochdruck)</td><td class=\"zahl\">66,7 "
                            "%</td><td></td></tr>"));
    QCOMPARE(page.at(header + 2),
             QStringLiteral("<tr><td>Dezember 2025</td><td colspan=\"9\">keine Daten</td></tr>"));
    QCOMPARE(page.at(header + 3), QStringLiteral("<tr><td>Januar 2026</td><td colspan=\"9\">Datei "
                                                 "nicht lesbar</td></tr>"));
    QCOMPARE(page.at(header + 4),
             QStringLiteral("<tr><td>Februar 2026</td><td class=\"zahl\">0</td><td "
                            "colspan=\"7\">keine Messungen</td><td>1 Eintrag nicht lesbar, nicht "
                            "berücksichtigt</td></tr>"));
    QCOMPARE(page.at(header + 5), QStringLiteral("</table>"));
}

void TestOverviewPage::monthWithoutWeightsDrawsNoWeightChart()
{
    OverviewInputs in = smallPeriod();
    in.months = monthFigures({systolicMonth(3, 2024, {120, 130})});
    const QStringList page = buildOverviewPage(in);
    QVERIFY(lineStarting(page, QStringLiteral("zeichne('gewicht'")).isEmpty());
    QVERIFY(!page.join(QLatin1Char('\n')).contains(QStringLiteral("id=\"gewicht\"")));
    QVERIFY(page.contains(QStringLiteral("<p class=\"hinweis\" style=\"text-align: center\">Im "
                                         "Zeitraum wurde kein Gewicht eingetragen.</p>")));
    QVERIFY(
        page.contains(QStringLiteral("<h0><b>Blutdruck-Übersicht von Muster: März 2024</b></h0>")));
}

void TestOverviewPage::userNameIsEscaped()
{
    OverviewInputs in = smallPeriod();
    in.userName = QStringLiteral("Anna <script>window.x=1</script> & 'Co'");
    const QString page = buildOverviewPage(in).join(QLatin1Char('\n'));
    QVERIFY(!page.contains(QStringLiteral("<script>window.x")));
    QVERIFY(page.contains(QStringLiteral("Anna &lt;script&gt;window.x=1&lt;/script&gt; &amp;")));
}

void TestOverviewPage::trendSentence_data()
{
    QTest::addColumn<QList<int>>("systolic"); // a month each, 0 for one without a file
    QTest::addColumn<QString>("sentence");
    QTest::newRow("falling")
        << QList<int>{146, 150, 142, 0, 140, 138, 130}
        << QString::fromUtf8(
               "Der systolische Mittelwert ist von 146 auf 136 mmHg gesunken (−10 mmHg).");
    QTest::newRow("rising") << QList<int>{120, 121, 122, 130, 131, 132}
                            << QStringLiteral("Der systolische Mittelwert ist von 121 auf 131 "
                                              "mmHg gestiegen (+10 mmHg).");
    QTest::newRow("one up") << QList<int>{120, 120, 120, 121, 121, 121}
                            << QStringLiteral("Der systolische Mittelwert ist von 120 auf 121 "
                                              "mmHg gestiegen (+1 mmHg).");
    QTest::newRow("unchanged") << QList<int>{140, 141, 139, 150, 130, 140}
                               << QStringLiteral(
                                      "Der systolische Mittelwert ist mit 140 mmHg gleich "
                                      "geblieben.");
    QTest::newRow("five months") << QList<int>{140, 141, 0, 139, 150, 130}
                                 << QStringLiteral("Für eine Aussage über den Verlauf sind "
                                                   "mindestens sechs Monate mit Messungen nötig.");
}

void TestOverviewPage::trendSentence()
{
    QFETCH(QList<int>, systolic);
    QFETCH(QString, sentence);
    const QList<MonthFigures> months = monthsOfMeans(systolic);
    QCOMPARE(::trendSentence(months), sentence);
    // On the page the minus sign is a character reference, as the code page
    // of the page has none.
    OverviewInputs in;
    in.userName = QStringLiteral("Muster");
    in.months = months;
    const QStringList page = buildOverviewPage(in);
    QVERIFY(
        page.contains(QStringLiteral("<p>") +
                      QString(sentence).replace(QString::fromUtf8("−"), QStringLiteral("&#8722;")) +
                      QStringLiteral("</p>")));
}

void TestOverviewPage::gradeAsTheBarPageFindsIt_data()
{
    QTest::addColumn<QList<int>>("systolic");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    // The diastolic values are 80 throughout.
    QTest::newRow("129,5 rounds to 130")
        << QList<int>{129, 130} << QStringLiteral("Hochnormal") << QStringLiteral("#FEF200");
    QTest::newRow("129,33 stays 129")
        << QList<int>{129, 129, 130} << QStringLiteral("Normal/Optimal")
        << QStringLiteral("#B5E51D");
    QTest::newRow("139,67 is 140")
        << QList<int>{139, 140, 140} << QStringLiteral("Grad 1 Hypertonie (leichter Bluthochdruck)")
        << QStringLiteral("#FF925F");
    QTest::newRow("180") << QList<int>{180}
                         << QStringLiteral("Grad 3 Hypertonie (schwerer Bluthochdruck)")
                         << QStringLiteral("#ED1B24");
    QTest::newRow("104 none") << QList<int>{104} << QStringLiteral("keine Einstufung")
                              << QStringLiteral("#FFFFFF");
}

void TestOverviewPage::gradeAsTheBarPageFindsIt()
{
    QFETCH(QList<int>, systolic);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    const QList<MonthFigures> months = monthFigures({systolicMonth(5, 2024, systolic)});
    const OverviewGrade grade = overviewGrade(months.constFirst());
    QCOMPARE(grade.text, text);
    QCOMPARE(grade.colour, colour);
    QVERIFY(overviewGrade(monthsOfMeans({0}).constFirst()).text.isEmpty());
}

void TestOverviewPage::pageName()
{
    QCOMPARE(overviewPageName(QStringLiteral("Muster"), QDate(2020, 1, 1), QDate(2021, 12, 1)),
             QStringLiteral("Muster_Übersicht_01_2020-12_2021.html"));
    QCOMPARE(
        overviewPageName(QStringLiteral("Anna Maria"), QDate(2024, 10, 15), QDate(2024, 10, 1)),
        QStringLiteral("Anna Maria_Übersicht_10_2024-10_2024.html"));
}

QTEST_GUILESS_MAIN(TestOverviewPage)
#include "tst_overview_page.moc"
