#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "base/text_file.h"
#include "journal/entry_line.h"
#include "stats/day_means.h"
#include "stats/evaluation.h"
#include "stats/month_means.h"
#include "stats/weight_stats.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <map>

namespace {

const QString kMonths = QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/");

struct LoadedMonth
{
    QStringList shown;
    MonthMeans monthMeans;
    DayMeans dayMeans;
    WeightStats weights;
};

// The statistics part of a month load: every entry line goes to the three
// collectors in their order, then the day table is built.
LoadedMonth load(const QString &fileName)
{
    LoadedMonth month;
    const auto lines = TextFile::readLines(kMonths + fileName);
    if (!lines)
        return month;
    for (const QString &line : *lines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        if (const auto display = EntryLine::toDisplayLine(line))
            month.shown << *display;
        month.monthMeans.EstelleMonatsMittelwert(line);
        month.dayMeans.EstelleTagesMittelwert(line);
        month.weights.ErstelleGewichtsListe(line);
    }
    month.dayMeans.GibDieTagesMittelwerte();
    return month;
}

} // namespace

class TestMonthStatistics : public QObject
{
    Q_OBJECT

private slots:
    void handWrittenMarch();
    void fullMonthAgainstIntegerArithmetic();
    void arbitraryLinesOnlyRaiseConversionErrors();
};

void TestMonthStatistics::handWrittenMarch()
{
    const LoadedMonth month = load("Muster_03_2017.tab");
    QCOMPARE(month.shown.size(), 6);
    const DayMeanTable &t = month.dayMeans.table();
    // Day 05: 134/84/72, 128/80/64, 135/86/0 (the pulse of 0 counts).
    QCOMPARE(t.text(Quantity::Systolic, 5), QStringLiteral("132"));
    QCOMPARE(t.text(Quantity::Diastolic, 5), QStringLiteral("83"));
    QCOMPARE(t.text(Quantity::Pulse, 5), QStringLiteral("45"));
    QCOMPARE(t.text(Quantity::Systolic, 1), QStringLiteral("138"));
    QCOMPARE(t.text(Quantity::Pulse, 7), QStringLiteral("70"));
    QCOMPARE(t.text(Quantity::Systolic, 2), QStringLiteral("0"));

    QCOMPARE(month.monthMeans.systolic(), QStringLiteral("132,00"));
    QCOMPARE(month.monthMeans.diastolic(), QStringLiteral("84,17"));
    QCOMPARE(month.monthMeans.pulse(), QStringLiteral("57,00"));
    QCOMPARE(month.monthMeans.labelText(), QStringLiteral("Systole=132  Diastole=84"));

    QCOMPARE(month.weights.weightList(), (QStringList{"70,5", "71"}));
    QCOMPARE(month.weights.mean(), 70.75L);

    const QStringList last = ZeigAuswertung(month.shown.last());
    QVERIFY(last.at(1).contains("Systole= 120 mmHg, Diastole= 80 mmHg, Puls= 70\t (HF)"));
}

void TestMonthStatistics::fullMonthAgainstIntegerArithmetic()
{
    const auto lines = TextFile::readLines(kMonths + "Muster_01_2024.tab");
    QVERIFY(lines);
    const LoadedMonth month = load("Muster_01_2024.tab");
    QCOMPARE(month.shown.size(), 124);

    // Sums per day and over the month, straight from the values.
    const QRegularExpression pattern(
        R"(den (\d\d)\.01\.2024 Z=\S+ s=(\d+), d=(\d+), p=(\d+), Gewicht=(\S+))");
    std::map<int, std::array<qint64, 4>> days; // s, d, p sums and count
    std::array<qint64, 3> total = {0, 0, 0};
    qint64 readings = 0;
    long double weightSum = 0;
    int weightCount = 0;
    for (const QString &line : *lines) {
        const auto m = pattern.match(line);
        if (!m.hasMatch())
            continue;
        auto &day = days[m.captured(1).toInt()];
        for (int q = 0; q < 3; ++q) {
            day[q] += m.captured(q + 2).toInt();
            total[q] += m.captured(q + 2).toInt();
        }
        ++day[3];
        ++readings;
        const long double weight = GermanNumbers::toFloat(m.captured(5));
        if (weight > 0) {
            weightSum += weight;
            ++weightCount;
        }
    }
    QCOMPARE(readings, 124);
    QCOMPARE(int(days.size()), 31);

    // Whole numbers over at most four readings: the two-decimal pass never
    // moves a half, so halves-up integer rounding must agree.
    for (const auto &[day, sums] : days) {
        for (int q = 0; q < 3; ++q) {
            const qint64 rounded = (2 * sums[q] + sums[3]) / (2 * sums[3]);
            QCOMPARE(month.dayMeans.table().text(Quantity(q), day), QString::number(rounded));
        }
    }
    QCOMPARE(month.monthMeans.systolic(), GermanNumbers::formatFixed2(total[0] / 124.0L));
    QCOMPARE(month.monthMeans.diastolic(), GermanNumbers::formatFixed2(total[1] / 124.0L));
    QCOMPARE(month.monthMeans.pulse(), GermanNumbers::formatFixed2(total[2] / 124.0L));
    QCOMPARE(month.weights.weightList().size(), weightCount);
    QVERIFY(qAbs(double(month.weights.mean() - weightSum / weightCount)) < 1e-12);
}

void TestMonthStatistics::arbitraryLinesOnlyRaiseConversionErrors()
{
    // Fragments of the grammar mixed with any byte of the code page: every
    // collector either takes the line or refuses it with a conversion error.
    QStringList parts = {
        "Morgens den ", "Abends den ", "Messung2 den ", ".", "05", "1", " Z=", " s=",
        ", d=",         ", p=",        ", Gewicht=",    ",", "_",  " ", "\t"};
    QRandomGenerator random(20240105);
    int taken = 0, refused = 0;
    for (int round = 0; round < 5000; ++round) {
        QString line = round % 2 ? "M" : "A";
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i) {
            if (random.bounded(4) == 0)
                line += QChar(char16_t(random.bounded(1, 256)));
            else
                line += parts.at(random.bounded(parts.size()));
        }
        MonthMeans monthMeans;
        DayMeans dayMeans;
        WeightStats weights;
        try {
            monthMeans.EstelleMonatsMittelwert(line);
            (void)monthMeans.labelText();
            dayMeans.EstelleTagesMittelwert(line);
            dayMeans.GibDieTagesMittelwerte();
            weights.ErstelleGewichtsListe(line);
            (void)weights.mean();
            if (const auto display = EntryLine::toDisplayLine(line))
                ZeigAuswertung(*display);
            ++taken;
        } catch (const ConversionError &error) {
            QVERIFY(error.message().contains(QString::fromUtf8(" ist kein gültiger ")));
            ++refused;
        }
        for (int q = 0; q < 3; ++q) {
            for (int day = 1; day <= 31; ++day) {
                const QString text = dayMeans.table().text(Quantity(q), day);
                QVERIFY2(!text.isEmpty() && !text.contains(QLatin1Char(',')), qPrintable(text));
            }
        }
    }
    QVERIFY(taken > 0 && refused > 0);
}

QTEST_GUILESS_MAIN(TestMonthStatistics)
#include "tst_month_statistics.moc"
