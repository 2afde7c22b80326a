#include "table/month_table_grid.h"
#include "table/table_text_copy.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

// A full month: four readings with weights on each of 31 days, in display form.
QStringList fullMonth()
{
    static const char *const prefixes[] = {"Morgens den ", "Messung2 den ", "Messung3 den ",
                                           "Abends den "};
    QStringList lines;
    for (int day = 1; day <= 31; ++day) {
        for (int slot = 0; slot < 4; ++slot) {
            lines.append(QStringLiteral("%1\t%2.03.2017 \tZ=%3:15 \ts=%4, \td=%5, \tp=%6, \t"
                                        "Gewicht=%7,%8")
                             .arg(QLatin1String(prefixes[slot]))
                             .arg(day, 2, 10, QLatin1Char('0'))
                             .arg(7 + 4 * slot, 2, 10, QLatin1Char('0'))
                             .arg(120 + day)
                             .arg(75 + slot)
                             .arg(60 + slot * 2)
                             .arg(80 + slot)
                             .arg(day % 10));
        }
    }
    return lines;
}

void BM_BuildFullMonth(benchmark::State &state)
{
    const QStringList lines = fullMonth();
    MonthTableGrid grid;
    for (auto _ : state) {
        grid.build(lines);
        benchmark::DoNotOptimize(grid.cell(21, 31));
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_BuildFullMonth)->Unit(benchmark::kMicrosecond);

void BM_CopyWholeTableAsText(benchmark::State &state)
{
    MonthTableGrid grid;
    grid.build(fullMonth());
    for (auto _ : state)
        benchmark::DoNotOptimize(TableTextCopy::selectionText(grid, {0, 0, 21, 31}));
}
BENCHMARK(BM_CopyWholeTableAsText)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
