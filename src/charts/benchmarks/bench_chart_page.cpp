// Building and writing the chart page of a full month.
#include "base/text_file.h"
#include "charts/chart_page.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

ChartInputs fullMonth()
{
    ChartInputs in;
    for (int day = 1; day <= 31; ++day) {
        in.dayMeans.setText(Quantity::Systolic, day, QString::number(120 + day));
        in.dayMeans.setText(Quantity::Diastolic, day, QString::number(75 + day % 9));
        in.dayMeans.setText(Quantity::Pulse, day, QString::number(60 + day % 11));
    }
    in.openMonth = QStringLiteral("01");
    in.openYear = QStringLiteral("2020");
    in.monthName = QStringLiteral("Januar");
    in.userName = QStringLiteral("Muster");
    in.monthMeanSystolic = 136.00L;
    in.monthMeanDiastolic = 79.00L;
    in.monthMeanPulse = 65.00L;
    in.monthWeightMean = 80.75L;
    return in;
}

using PageBuilder = QStringList (*)(const ChartInputs &);

void BM_BuildAndWritePage(benchmark::State &state, PageBuilder build)
{
    const ChartInputs in = fullMonth();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Muster_01_2020.html"));
    for (auto _ : state) {
        const QStringList lines = build(in);
        benchmark::DoNotOptimize(TextFile::writeLines(path, lines));
    }
}
BENCHMARK_CAPTURE(BM_BuildAndWritePage, bar, &buildBarPage)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildAndWritePage, line, &buildLinePage)->Unit(benchmark::kMicrosecond);

void BM_BuildPage(benchmark::State &state, PageBuilder build)
{
    const ChartInputs in = fullMonth();
    for (auto _ : state)
        benchmark::DoNotOptimize(build(in));
}
BENCHMARK_CAPTURE(BM_BuildPage, bar, &buildBarPage)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuildPage, line, &buildLinePage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
