#include "journal/entry_line.h"
#include "journal/month_file.h"
#include "journal/month_journal.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Lines of a file that was never a month table, a third of them looking like
// entries that hold no reading: each goes through the display split and the
// reading parser, the most a foreign line costs.
QByteArray junkOfSize(qint64 size)
{
    const QByteArray lines = "Morgens den 3x.01.2024 Z=07:3O s=12O, d=, p=\xE4, Notiz\r\n"
                             "Am 5. war der Wert hoch, siehe Zettel im Ordner\r\n"
                             "\x81\x8D\x8F;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;;\r\n";
    QByteArray bytes;
    bytes.reserve(size + lines.size());
    while (bytes.size() < size)
        bytes += lines;
    bytes.truncate(size);
    return bytes;
}

struct Files
{
    QTemporaryDir dir;
    QString atLimit = dir.filePath(QStringLiteral("Muster_01_2024.tab"));
    QString fiftyMegabytes = dir.filePath(QStringLiteral("Muster_02_2024.tab"));

    Files()
    {
        QFile junk(atLimit);
        const QByteArray bytes = junkOfSize(MonthFile::kMaxFileBytes);
        ok = junk.open(QIODevice::WriteOnly) && junk.write(bytes) == bytes.size();
        junk.close();
        QFile big(fiftyMegabytes);
        ok = ok && big.open(QIODevice::WriteOnly) && big.write(junkOfSize(50'000'000)) > 0;
    }
    bool ok = false;
};

const Files &files()
{
    static const Files made;
    return made;
}

// The core of a load: read, header, readings and unread lines, the list in
// its order.
void BM_LoadJunkAtLimit(benchmark::State &state)
{
    if (!files().ok) {
        state.SkipWithError("temporary files not written");
        return;
    }
    for (auto _ : state) {
        const MonthFile::ReadResult read = MonthFile::readLines(files().atLimit);
        if (!read.lines) {
            state.SkipWithError("a file at the limit was refused");
            return;
        }
        const MonthJournal journal = MonthJournal::fromFileLines(*read.lines);
        QStringList shown;
        for (const QString &line : *read.lines) {
            if (!EntryLine::isEntryLine(line))
                continue;
            if (const auto display = EntryLine::toDisplayLine(line))
                shown << *display;
        }
        benchmark::DoNotOptimize(journal.unreadLines().size());
        benchmark::DoNotOptimize(EntryLine::sortLines(shown));
    }
}
BENCHMARK(BM_LoadJunkAtLimit)->Unit(benchmark::kMillisecond);

// The 50 MB file: refused from its size, none of its bytes read.
void BM_RefuseFiftyMegabytes(benchmark::State &state)
{
    if (!files().ok) {
        state.SkipWithError("temporary files not written");
        return;
    }
    for (auto _ : state) {
        const MonthFile::ReadResult read = MonthFile::readLines(files().fiftyMegabytes);
        if (read.lines || read.refusal.isEmpty()) {
            state.SkipWithError("the 50 MB file was not refused");
            return;
        }
        benchmark::DoNotOptimize(read.refusal);
    }
}
BENCHMARK(BM_RefuseFiftyMegabytes)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
