// The texts and figures of a report from the fixture gallery, against values
// worked out by hand (see the comments), and the period and file names.
#include "base/text_file.h"
#include "journal/month_journal.h"
#include "report/report_content.h"
#include "report_fixture.h"
#include "storage/data_folders.h"

#include <QTest>

namespace {

ReportContent fixtureReport(const ReportGallery &g, const QDate &first, const QDate &last)
{
    const ReportPeriod period{first, last};
    return buildReportContent(
        QStringLiteral("Muster"), period, QDate(2026, 4, 2),
        Gallery::readPeriod(g.gallery, QStringLiteral("Muster"), first, last));
}

// March 2026 with a Morgens and an Abends reading every day but the morning
// of the 12th: day d reads (100 + d)/(60 + d).
QList<Gallery::Month> marchWithOneGap(const TempHome &home)
{
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    MonthJournal march;
    for (int d = 1; d <= 31; ++d) {
        for (const Slot slot : {Slot::Morning, Slot::Evening}) {
            if (d == 12 && slot == Slot::Morning)
                continue;
            march.add(
                *Reading::parse(Reading::format(slot, QDate(2026, 3, d), QStringLiteral("08:00"),
                                                100 + d, 60 + d, 70, QStringLiteral("0"))));
        }
    }
    DataFolders::ensureFolder(gallery + QStringLiteral("2026"));
    TextFile::writeLines(DataFolders::monthFilePath(gallery, QStringLiteral("2026"),
                                                    QStringLiteral("Muster"), QStringLiteral("03"),
                                                    QStringLiteral("2026")),
                         march.fileLines(QStringLiteral("Muster"), 3, 2026));
    return Gallery::readPeriod(gallery, QStringLiteral("Muster"), QDate(2026, 3, 1),
                               QDate(2026, 3, 1));
}

} // namespace

class TestReportContent : public QObject
{
    Q_OBJECT

private slots:
    void figuresOfAPeriodAcrossAYearEnd();
    void monthsWithoutFileDamagedOrWithBadLines();
    void readingsTableAndRemarks();
    void weightChangeBetweenTheShownMonthMeans();
    void emptyPeriod();
    void plannedWeekInThePeriodIsPreferred();
    void periodChoices();
    void fileName();
};

void TestReportContent::figuresOfAPeriodAcrossAYearEnd()
{
    ReportGallery g;
    g.damageMarch();
    const ReportContent c = fixtureReport(g, QDate(2025, 12, 1), QDate(2026, 3, 1));
    QCOMPARE(c.title, QStringLiteral("Blutdruckbericht"));
    QCOMPARE(c.name, QStringLiteral("Name: Muster"));
    QCOMPARE(c.period, QStringLiteral("Zeitraum: Dezember 2025 bis März 2026"));
    QCOMPARE(c.printed, QStringLiteral("Erstellt am 02.04.2026"));
    // Six readings; Erika's 200/120 and 210/125 never count.
    // All: 799/6 = 133,17; 509/6 = 84,83; 400/6 = 66,67.
    // Morgens 140, 130, 120 / 90, 80, 78 / 70, 65, 60; Abends 150, 134 / 95, 84 / 75, 68.
    QCOMPARE(c.meansRows, (QList<QStringList>{{"Alle Messungen", "6", "133,2", "84,8", "66,7"},
                                              {"Morgens", "3", "130,0", "82,7", "65,0"},
                                              {"Abends", "2", "142,0", "89,5", "71,5"}}));
    QCOMPARE(c.facts,
             (QStringList{
                 "Niedrigster systolischer Wert: 120 mmHg am 01.01.2026",
                 "Höchster systolischer Wert: 150 mmHg am 30.12.2025",
                 "Niedrigster diastolischer Wert: 78 mmHg am 01.01.2026",
                 "Höchster diastolischer Wert: 95 mmHg am 30.12.2025",
                 // 140/90 and 150/95; 134/84 stays below both limits.
                 "Messungen ab 135 mmHg systolisch oder ab 85 mmHg diastolisch: 2 von 6 (33,3 %)",
                 // (82 + 81 + 80) / 3; December 81,5, January 80,0.
                 "Mittleres Gewicht: 81,0 kg",
                 "Gewicht von Dezember 2025 (81,5 kg) bis Januar 2026 (80,0 kg): gesunken um "
                 "1,5 kg",
             }));
    QCOMPARE(c.measuringWeek, QStringLiteral("Keine vollständige Messwoche im Zeitraum"));
    QCOMPARE(c.chartFirst, QDate(2025, 12, 1));
    QCOMPARE(c.chartLast, QDate(2026, 3, 31));
    QCOMPARE(c.chartDays.size(), 4);
    QCOMPARE(c.chartDays.at(0).date, QDate(2025, 12, 30));
    QCOMPARE(c.chartDays.at(0).systolic, 145.0);
    QCOMPARE(c.chartDays.at(2).diastolic, 80.0); // 01.01.: 78 and 82
}

void TestReportContent::monthsWithoutFileDamagedOrWithBadLines()
{
    ReportGallery g;
    g.damageMarch();
    const QMap<QString, QByteArray> before = g.snapshot();
    const ReportContent c = fixtureReport(g, QDate(2025, 12, 1), QDate(2026, 3, 1));
    QCOMPARE(c.months.size(), 4);
    // December 420/3 = 140, 265/3 = 88,33: grade 1 by the systolic mean.
    QCOMPARE(c.months.at(0).month, QStringLiteral("Dezember 2025"));
    QCOMPARE(c.months.at(0).means, QStringLiteral("140/88 mmHg"));
    QCOMPARE(c.months.at(0).grade, QStringLiteral("Grad 1 Hypertonie (leichter Bluthochdruck)"));
    QCOMPARE(c.months.at(0).colour, QStringLiteral("#FF925F"));
    // January 379/3 = 126,33, 244/3 = 81,33; the unreadable line does not count.
    QCOMPARE(c.months.at(1).means, QStringLiteral("126/81 mmHg"));
    QCOMPARE(c.months.at(1).grade, QStringLiteral("Monatliche Mittelwerte: Normal/Optimal"));
    QCOMPARE(c.months.at(1).colour, QStringLiteral("#B5E51D"));
    QCOMPARE(c.months.at(2).means, QStringLiteral("keine Messungen"));
    QVERIFY(c.months.at(2).colour.isEmpty());
    QCOMPARE(c.months.at(3).means, QStringLiteral("Datei nicht lesbar"));
    QCOMPARE(c.notes, (QStringList{"Januar 2026: 1 Eintrag nicht lesbar, nicht berücksichtigt",
                                   "März 2026: Datei nicht lesbar"}));
    QCOMPARE(g.snapshot(), before);
}

void TestReportContent::readingsTableAndRemarks()
{
    ReportGallery g;
    const ReportContent c = fixtureReport(g, QDate(2025, 12, 1), QDate(2026, 2, 1));
    QCOMPARE(c.readingsHeader.size(), 8);
    QCOMPARE(c.readingRows.size(), 6);
    QCOMPARE(c.readingRows.at(0), (QStringList{"30.12.2025", "Dienstag", "Morgens", "07:00", "140",
                                               "90", "70", "82,0"}));
    QCOMPARE(c.readingRows.at(1).at(2), QStringLiteral("Abends"));
    QCOMPARE(c.readingRows.at(1).at(7), QString()); // "Gewicht=0": no weight
    QCOMPARE(c.readingRows.at(4), (QStringList{"01.01.2026", "Donnerstag", "Messung 2", "12:00",
                                               "125", "82", "62", ""}));
    // Erika's remark lies in the same year folder and is not hers.
    QCOMPARE(c.remarks, QStringList{"Dezember 2025: Neue Tabletten ab 30.12."});
    QVERIFY(c.notes.contains("Januar 2026: 1 Eintrag nicht lesbar, nicht berücksichtigt"));
}

void TestReportContent::weightChangeBetweenTheShownMonthMeans()
{
    const auto month = [](int number, const QStringList &weights) {
        Gallery::Month m{number, 2026, QString(), Gallery::Month::State::Read, {}, {}};
        QStringList lines;
        for (int day = 1; day <= weights.size(); ++day)
            lines << Reading::format(Slot::Morning, QDate(2026, number, day), "07:00", 130, 80, 60,
                                     weights.at(day - 1));
        m.journal = MonthJournal::fromFileLines(lines);
        return m;
    };
    const auto lastFact = [&month](const QStringList &first, const QStringList &last) {
        return buildReportContent("Muster", {QDate(2026, 1, 1), QDate(2026, 2, 1)},
                                  QDate(2026, 3, 1), {month(1, first), month(2, last)})
            .facts.constLast();
    };
    // 80,25 shows 80,3; 80,34 shows 80,3 too: no change between the shown means.
    QCOMPARE(lastFact({"80", "80,5"}, {"80,34"}),
             QStringLiteral("Gewicht von Januar 2026 (80,3 kg) bis Februar 2026 (80,3 kg): "
                            "gleich geblieben"));
    QCOMPARE(lastFact({"80"}, {"80,05"}),
             QStringLiteral("Gewicht von Januar 2026 (80,0 kg) bis Februar 2026 (80,1 kg): "
                            "gestiegen um 0,1 kg"));
    // A month without weights is no end of the change.
    QCOMPARE(lastFact({"0"}, {"80"}), QStringLiteral("Mittleres Gewicht: 80,0 kg"));
}

void TestReportContent::emptyPeriod()
{
    ReportGallery g;
    const ReportContent c = fixtureReport(g, QDate(2026, 2, 1), QDate(2026, 2, 1));
    QCOMPARE(c.meansRows.at(0), (QStringList{"Alle Messungen", "0", "–", "–", "–"}));
    QCOMPARE(c.facts, QStringList{"Gewicht: keine Angaben im Zeitraum"});
    QVERIFY(c.readingRows.isEmpty());
    QVERIFY(c.chartDays.isEmpty());
    QVERIFY(c.notes.isEmpty());
    QCOMPARE(c.period, QStringLiteral("Zeitraum: Februar 2026"));
}

void TestReportContent::plannedWeekInThePeriodIsPreferred()
{
    TempHome home;
    const QList<Gallery::Month> months = marchWithOneGap(home);
    const ReportPeriod march{QDate(2026, 3, 1), QDate(2026, 3, 1)};
    const auto weekText = [&](const std::optional<QDate> &plan) {
        return buildReportContent(QStringLiteral("Muster"), march, QDate(2026, 4, 2), months, plan)
            .measuringWeek;
    };
    // Days 26 to 31: 128,5/88,5 rounded half up.
    const QString latest = QStringLiteral("Messwoche 25.03.–31.03.2026: Mittelwert 129/89 mmHg "
                                          "aus 12 Messungen – über dem Grenzwert von 135/85 mmHg");
    QCOMPARE(weekText(std::nullopt), latest);
    // The period's first day may begin the plan; days 2 to 7: 104,5/64,5.
    QCOMPARE(weekText(QDate(2026, 3, 1)),
             QStringLiteral("Messwoche 01.03.–07.03.2026: Mittelwert 105/65 mmHg aus 12 "
                            "Messungen – unter dem Grenzwert von 135/85 mmHg"));
    QVERIFY(weekText(QDate(2026, 3, 5)).startsWith(QStringLiteral("Messwoche 05.03.–11.03.2026")));
    // The gap on the 12th: the plans that hold it give way to the latest week.
    QCOMPARE(weekText(QDate(2026, 3, 6)), latest);
    QCOMPARE(weekText(QDate(2026, 3, 12)), latest);
    QVERIFY(weekText(QDate(2026, 3, 13)).startsWith(QStringLiteral("Messwoche 13.03.–19.03.2026")));
    // A plan that does not lie wholly in the period is passed over.
    QCOMPARE(weekText(QDate(2026, 2, 28)), latest);
    QCOMPARE(weekText(QDate(2026, 3, 26)), latest);
    QCOMPARE(weekText(QDate(2026, 3, 25)), latest);
}

void TestReportContent::periodChoices()
{
    using Kind = PeriodChoice::Kind;
    const QDate open(2026, 2, 17);
    const auto choose = [&open](Kind kind, const QDate &from = {}, const QDate &to = {}) {
        // Today lies far away: the report counts from the open month.
        return PeriodChoice::resolve(kind, kReportPeriodRules, open, QDate(2030, 7, 1), from, to);
    };
    const ReportPeriod one = choose(Kind::OpenMonth);
    QCOMPARE(one.first, QDate(2026, 2, 1));
    QCOMPARE(one.lastDay(), QDate(2026, 2, 28));
    const ReportPeriod three = choose(Kind::LastThreeMonths);
    QCOMPARE(three.first, QDate(2025, 12, 1));
    QCOMPARE(three.last, QDate(2026, 2, 1));
    QCOMPARE(describeMonths(three), QStringLiteral("Dezember 2025 bis Februar 2026"));
    const ReportPeriod range = choose(Kind::Range, QDate(2024, 11, 30), QDate(2025, 1, 2));
    QCOMPARE(range.first, QDate(2024, 11, 1));
    QCOMPARE(range.lastDay(), QDate(2025, 1, 31));
    QVERIFY(range.isValid());
    // The same month is a range of one; a month earlier is none.
    QVERIFY(choose(Kind::Range, QDate(2025, 3, 9), QDate(2025, 3, 1)).isValid());
    QVERIFY(!choose(Kind::Range, QDate(2025, 3, 1), QDate(2025, 2, 28)).isValid());
}

void TestReportContent::fileName()
{
    QCOMPARE(reportFileName("Muster", {QDate(2026, 1, 1), QDate(2026, 3, 1)}),
             QStringLiteral("Muster_Bericht_01_2026-03_2026.pdf"));
    QCOMPARE(reportFileName("Anna Muster", {QDate(2025, 11, 1), QDate(2026, 1, 1)}),
             QStringLiteral("Anna Muster_Bericht_11_2025-01_2026.pdf"));
}

QTEST_GUILESS_MAIN(TestReportContent)
#include "tst_report_content.moc"
