#include "base/text_file.h"
#include "journal/entry_line.h"
#include "journal/month_file.h"
#include "stats/evaluation.h"
#include "stats/month_statistics.h"

#include <benchmark/benchmark.h>

namespace {

const QString kFullMonth = QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/Muster_01_2024.tab");

// Everything a month load computes, as the open month does it: read the
// file from disk, read the header, read every entry line once for the list
// and all statistics, evaluate the last.
void BM_LoadFullMonth(benchmark::State &state)
{
    MonthStatistics statistics;
    for (auto _ : state) {
        const auto lines = TextFile::readLines(kFullMonth);
        if (!lines) {
            state.SkipWithError("month file missing");
            return;
        }
        const MonthFile::Header header = MonthFile::readHeader(*lines);
        benchmark::DoNotOptimize(header.applySwitches({true, true, true, true}));
        QList<EntryLine::Parsed> entries;
        entries.reserve(lines->size());
        QStringList shown;
        for (const QString &line : *lines) {
            if (!EntryLine::isEntryLine(line))
                continue;
            entries.append(EntryLine::Parsed(line));
            if (const auto display = entries.constLast().displayLine())
                shown << *display;
        }
        statistics.recollect(entries);
        benchmark::DoNotOptimize(statistics.weights().mean());
        benchmark::DoNotOptimize(statistics.monthMeans().labelText());
        benchmark::DoNotOptimize(evaluationItems(shown.last()));
        if (shown.size() != 124) {
            state.SkipWithError("expected 124 entries");
            return;
        }
    }
}
BENCHMARK(BM_LoadFullMonth)->Unit(benchmark::kMicrosecond);

// Adding an entry: the new line joins the full list, which is sorted again.
void BM_SortFullMonth(benchmark::State &state)
{
    const auto lines = TextFile::readLines(kFullMonth);
    if (!lines) {
        state.SkipWithError("month file missing");
        return;
    }
    QStringList shown;
    // Reversed, so that every line has to move.
    for (const QString &line : *lines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        if (const auto display = EntryLine::toDisplayLine(line))
            shown.prepend(*display);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(EntryLine::sortLines(shown));
}
BENCHMARK(BM_SortFullMonth)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
