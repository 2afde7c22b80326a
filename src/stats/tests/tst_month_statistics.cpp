#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "base/text_file.h"
#include "journal/entry_line.h"
#include "stats/day_means.h"
#include "stats/evaluation.h"
#include "stats/month_means.h"
#include "stats/month_statistics.h"
#include "stats/weight_stats.h"
#include "support/statistics_by_markers.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <map>

namespace {

const QString kMonths = QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/");

struct LoadedMonth
{
    QStringList shown;
    MonthStatistics statistics;
};

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
    }
    month.statistics.recollect(*lines);
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
    void writtenLinesGiveWhatTheMarkersGive();
    void aFailureStopsAtItsLine();
    void linesReadOnceGiveTheSameStatistics();
};

void TestMonthStatistics::handWrittenMarch()
{
    const LoadedMonth month = load("Muster_03_2017.tab");
    QCOMPARE(month.shown.size(), 6);
    const DayMeanTable &t = month.statistics.dayTable();
    // Day 05: 134/84/72, 128/80/64, 135/86/0 (the pulse of 0 counts).
    QCOMPARE(t.text(Quantity::Systolic, 5), QStringLiteral("132"));
    QCOMPARE(t.text(Quantity::Diastolic, 5), QStringLiteral("83"));
    QCOMPARE(t.text(Quantity::Pulse, 5), QStringLiteral("45"));
    QCOMPARE(t.text(Quantity::Systolic, 1), QStringLiteral("138"));
    QCOMPARE(t.text(Quantity::Pulse, 7), QStringLiteral("70"));
    QCOMPARE(t.text(Quantity::Systolic, 2), QStringLiteral("0"));

    QCOMPARE(month.statistics.monthMeans().systolic(), QStringLiteral("132,00"));
    QCOMPARE(month.statistics.monthMeans().diastolic(), QStringLiteral("84,17"));
    QCOMPARE(month.statistics.monthMeans().pulse(), QStringLiteral("57,00"));
    QCOMPARE(month.statistics.monthMeans().labelText(), QStringLiteral("Systole=132  Diastole=84"));

    QCOMPARE(month.statistics.weights().weightList(), (QStringList{"70,5", "71"}));
    QCOMPARE(month.statistics.weights().mean(), 70.75L);

    const QStringList last = evaluationItems(month.shown.last());
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
            QCOMPARE(month.statistics.dayTable().text(Quantity(q), day), QString::number(rounded));
        }
    }
    QCOMPARE(month.statistics.monthMeans().systolic(),
             GermanNumbers::formatFixed2(total[0] / 124.0L));
    QCOMPARE(month.statistics.monthMeans().diastolic(),
             GermanNumbers::formatFixed2(total[1] / 124.0L));
    QCOMPARE(month.statistics.monthMeans().pulse(), GermanNumbers::formatFixed2(total[2] / 124.0L));
    QCOMPARE(month.statistics.weights().weightList().size(), weightCount);
    QVERIFY(qAbs(double(month.statistics.weights().mean() - weightSum / weightCount)) < 1e-12);
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
            monthMeans.collect(line);
            (void)monthMeans.labelText();
            dayMeans.collect(line);
            dayMeans.buildTable();
            weights.collect(line);
            (void)weights.mean();
            if (const auto display = EntryLine::toDisplayLine(line))
                evaluationItems(*display);
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

namespace {

// A month of lines in the written form and near it, in any order: days
// repeated and out of order, long runs, values at 0 and 999, weights with
// odd texts, and lines that only look written.
QStringList randomMonth(QRandomGenerator &random)
{
    const QStringList prefixes = {"Morgens den ", "Messung2 den ", "Messung3 den ", "Abends den "};
    const QStringList weights = {"0", "0", "79,1", "80,50", "310", "1e2", "0,0", "-5", "7,"};
    const QStringList odd = {"Morgens den  5.03.2024 Z=07:30 s=120, d=80, p=70, Gewicht=0",
                             "Abends den 31.02.2024 Z=20:40 s=110, d=70, p=60, Gewicht=0",
                             "Morgens den 05.03.2024 Z=7:30 s=099, d=80, p=70, Gewicht=0",
                             "Abends den 06.03.2024 Z=20:40 s=130, d=80, Gewicht=0",
                             "Morgens den 07.03.2024 Z=08:00 s= 125, d=80, p=70, Gewicht=0"};
    QStringList lines = {"[Personendaten]", "BenutzerName=Muster", ""};
    const int count = random.bounded(1, 40);
    for (int i = 0; i < count; ++i) {
        if (random.bounded(10) == 0) {
            lines << odd.at(random.bounded(odd.size()));
            continue;
        }
        const int day = random.bounded(1, 32);
        lines << prefixes.at(random.bounded(4)) +
                     QStringLiteral("%1.03.2024 Z=%2:15 s=%3, "
                                    "d=%4, p=%5, Gewicht=%6")
                         .arg(day, 2, 10, QLatin1Char('0'))
                         .arg(random.bounded(24), 2, 10, QLatin1Char('0'))
                         .arg(random.bounded(1000))
                         .arg(random.bounded(1000))
                         .arg(random.bounded(4) ? random.bounded(40, 130) : 0)
                         .arg(weights.at(random.bounded(weights.size())));
    }
    return lines;
}

void compareDayTables(const DayMeanTable &actual, const DayMeanTable &expected)
{
    for (int q = 0; q < 3; ++q) {
        for (int day = 1; day <= 31; ++day)
            QCOMPARE(actual.text(Quantity(q), day), expected.text(Quantity(q), day));
    }
}

} // namespace

void TestMonthStatistics::writtenLinesGiveWhatTheMarkersGive()
{
    // Lines in the written form are read by their pieces, which must give
    // every text exactly as the markers would, whatever the mix.
    QRandomGenerator random(20261208);
    for (int round = 0; round < 3000; ++round) {
        const QStringList lines = randomMonth(random);
        MonthStatistics statistics;
        statistics.recollect(lines);
        const StatisticsByMarkers expected(lines);
        const auto failure =
            statistics.collectFailure() ? statistics.collectFailure() : statistics.tableFailure();
        QCOMPARE(failure ? std::optional<QString>(failure->message()) : std::nullopt,
                 expected.failure);
        if (expected.failure)
            continue;
        compareDayTables(statistics.dayTable(), expected.dayMeans.table());
        const MonthMeans &means = statistics.monthMeans();
        QCOMPARE(means.systolic(), expected.monthMeans.systolic());
        QCOMPARE(means.diastolic(), expected.monthMeans.diastolic());
        QCOMPARE(means.pulse(), expected.monthMeans.pulse());
        QCOMPARE(means.labelText(), expected.monthMeans.labelText());
        for (int q = 0; q < 3; ++q)
            QCOMPARE(means.valueList(q), expected.monthMeans.valueList(q));
        QCOMPARE(statistics.weights().weightList(), expected.weights.weightList());
        QCOMPARE(statistics.weights().mean(), expected.weights.mean());
    }
}

void TestMonthStatistics::aFailureStopsAtItsLine()
{
    const QStringList lines = {"Morgens den 01.03.2024 Z=07:30 s=120, d=80, p=70, Gewicht=80,5",
                               "Abends den 01.03.2024 Z=20:30 s=12O, d=80, p=70, Gewicht=0",
                               "Morgens den 02.03.2024 Z=07:30 s=140, d=90, p=60, Gewicht=81,5"};
    MonthStatistics statistics;
    statistics.recollect({"Morgens den 05.02.2024 Z=07:30 s=150, d=95, p=70, Gewicht=0"});
    QCOMPARE(statistics.dayTable().text(Quantity::Systolic, 5), QStringLiteral("150"));
    statistics.recollect(lines);
    QVERIFY(statistics.collectFailure());
    QVERIFY(!statistics.tableFailure());
    // The label keeps the means before the bad line; the weights of the lines
    // before it stay, and the day table of the month before is not rebuilt.
    QCOMPARE(statistics.monthMeans().labelText(), QStringLiteral("Systole=120  Diastole=80"));
    QCOMPARE(statistics.weights().weightList(), QStringList{"80,5"});
    QCOMPARE(statistics.dayTable().text(Quantity::Systolic, 5), QStringLiteral("150"));
    statistics.recollect(lines.mid(0, 1) + lines.mid(2));
    QVERIFY(!statistics.collectFailure());
    QCOMPARE(statistics.dayTable().text(Quantity::Systolic, 5), QStringLiteral("0"));
    QCOMPARE(statistics.dayTable().text(Quantity::Systolic, 2), QStringLiteral("140"));
}

// A load that reads every entry line once, for the list and the statistics,
// gets what the file's lines give, failures and all.
void TestMonthStatistics::linesReadOnceGiveTheSameStatistics()
{
    QRandomGenerator random(20261210);
    for (int round = 0; round < 1000; ++round) {
        const QStringList lines = randomMonth(random);
        QList<EntryLine::Parsed> entries;
        for (const QString &line : lines) {
            if (EntryLine::isEntryLine(line))
                entries.append(EntryLine::Parsed(line));
        }
        MonthStatistics fromLines;
        fromLines.recollect(lines);
        MonthStatistics fromEntries;
        fromEntries.recollect(entries);
        const auto message = [](const std::optional<ConversionError> &failure) {
            return failure ? std::optional<QString>(failure->message()) : std::nullopt;
        };
        QCOMPARE(message(fromEntries.collectFailure()), message(fromLines.collectFailure()));
        QCOMPARE(message(fromEntries.tableFailure()), message(fromLines.tableFailure()));
        compareDayTables(fromEntries.dayTable(), fromLines.dayTable());
        QCOMPARE(fromEntries.monthMeans().systolic(), fromLines.monthMeans().systolic());
        QCOMPARE(fromEntries.monthMeans().pulse(), fromLines.monthMeans().pulse());
        QCOMPARE(fromEntries.monthMeans().labelText(), fromLines.monthMeans().labelText());
        QCOMPARE(fromEntries.weights().weightList(), fromLines.weights().weightList());
        for (const EntryLine::Parsed &entry : std::as_const(entries))
            QCOMPARE(entry.displayLine(), EntryLine::toDisplayLine(entry.line()));
    }
}

QTEST_GUILESS_MAIN(TestMonthStatistics)
#include "tst_month_statistics.moc"
