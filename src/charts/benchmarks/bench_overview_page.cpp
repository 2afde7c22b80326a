// The overview page of 20 years of full months (four readings a day, about
// 29,000 readings in 240 month files) against one month's page, in the same
// run: each reads its month files from a gallery on disk, builds the page
// and writes it, as the commands do.
#include "base/text_file.h"
#include "charts/chart_page.h"
#include "charts/overview_page.h"
#include "stats/mean.h"
#include "stats/month_statistics.h"
#include "storage/gallery.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QDate kFirst(2006, 1, 1);
const QDate kLast(2025, 12, 1);

// Written once for all benchmarks of the run.
const QString &gallery()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString root = dir.path() + QStringLiteral("/Galerie/");
        const QString times[] = {QStringLiteral("07:30"), QStringLiteral("12:00"),
                                 QStringLiteral("17:00"), QStringLiteral("21:00")};
        for (QDate month = kFirst; month <= kLast; month = month.addMonths(1)) {
            QStringList lines{QStringLiteral("[Personendaten]"),
                              QStringLiteral("BenutzerName=Muster"),
                              QStringLiteral("Datum=-"),
                              QStringLiteral("1M=1"),
                              QStringLiteral("2M=1"),
                              QStringLiteral("3M=1"),
                              QStringLiteral("4M=1"),
                              QString()};
            for (int day = 1; day <= month.daysInMonth(); ++day) {
                for (int slot = 0; slot < 4; ++slot) {
                    lines << Reading::format(
                        Slot(slot), QDate(month.year(), month.month(), day), times[slot],
                        120 + (day * 7 + slot * 5) % 40, 75 + (day * 3 + slot) % 20, 60 + day % 15,
                        slot == 0 ? QStringLiteral("80,5") : QStringLiteral("0"));
                }
            }
            const QString year = QString::number(month.year());
            QDir().mkpath(root + year);
            TextFile::writeLines(root + year +
                                     QStringLiteral("/Muster_%1_%2.tab")
                                         .arg(month.month(), 2, 10, QLatin1Char('0'))
                                         .arg(year),
                                 lines);
        }
        return root;
    }();
    return folder;
}

void BM_OverviewOfTwentyYears(benchmark::State &state)
{
    const QString root = gallery();
    QTemporaryDir out;
    const QString path = out.filePath(overviewPageName(QStringLiteral("Muster"), kFirst, kLast));
    qsizetype readings = 0;
    for (auto _ : state) {
        OverviewInputs in;
        in.userName = QStringLiteral("Muster");
        in.months = monthFigures(
            Gallery::periodMonths(Gallery::readPeriod(root, in.userName, kFirst, kLast)));
        benchmark::DoNotOptimize(TextFile::writeLines(path, buildOverviewPage(in)));
        readings = 0;
        for (const MonthFigures &month : in.months)
            readings += month.stats.all.count;
    }
    state.counters["readings"] = double(readings);
}
BENCHMARK(BM_OverviewOfTwentyYears)->Unit(benchmark::kMillisecond);

// The line page of the last month, from its file as the window reads it.
void BM_OneMonthPage(benchmark::State &state)
{
    const QString root = gallery();
    const QString file = root + QStringLiteral("2025/Muster_12_2025.tab");
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("Muster_12_2025.html"));
    for (auto _ : state) {
        MonthStatistics statistics;
        statistics.recollect(*TextFile::readLines(file));
        ChartInputs in;
        in.dayMeans = statistics.dayTable();
        in.monthMeanSystolic = twoDecimalValue(*statistics.monthMeans().systolicMean());
        in.monthMeanDiastolic = twoDecimalValue(*statistics.monthMeans().diastolicMean());
        in.monthMeanPulse = twoDecimalValue(*statistics.monthMeans().pulseMean());
        in.openMonth = QStringLiteral("12");
        in.openYear = QStringLiteral("2025");
        in.monthName = QStringLiteral("Dezember");
        in.userName = QStringLiteral("Muster");
        benchmark::DoNotOptimize(TextFile::writeLines(path, buildLinePage(in)));
    }
}
BENCHMARK(BM_OneMonthPage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
