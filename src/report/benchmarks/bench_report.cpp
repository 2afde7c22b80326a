// A doctor's report of twelve full months (four readings on every day): the
// months read from the gallery, the figures, the PDF set and written. It must
// take at most 150 ms.
#include "base/text_file.h"
#include "journal/month_journal.h"
#include "report/gui/write_report.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Muster's year 2025, every day with Morgens, Messung2, Messung3 and Abends.
bool writeFullYear(const QString &gallery)
{
    for (int month = 1; month <= 12; ++month) {
        QStringList lines;
        const QDate first(2025, month, 1);
        for (int day = 1; day <= first.daysInMonth(); ++day) {
            const QDate date(2025, month, day);
            int n = 0;
            for (Slot slot : kAllSlots) {
                lines << Reading::format(slot, date, QStringLiteral("07:30"), 120 + (day + n) % 30,
                                         75 + (day * 3 + n) % 20, 60 + n * 3,
                                         slot == Slot::Morning ? QStringLiteral("80,5")
                                                               : QStringLiteral("0"));
                ++n;
            }
        }
        const QString monthText = QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
        const QString path =
            gallery + QStringLiteral("2025/Muster_") + monthText + QStringLiteral("_2025.tab");
        if (!TextFile::writeLines(path, MonthJournal::fromFileLines(lines).fileLines(
                                            QStringLiteral("Muster"), month, 2025)))
            return false;
    }
    return true;
}

void BM_TwelveMonthReport(benchmark::State &state)
{
    QTemporaryDir home;
    const QString gallery = home.path() + QStringLiteral("/Blutdruck-Daten-Galerie/");
    QDir().mkpath(gallery + QStringLiteral("2025"));
    if (!writeFullYear(gallery)) {
        state.SkipWithError("cannot write the months");
        return;
    }
    const ReportRequest request{gallery,
                                home.path() + QStringLiteral("/Blutdruck-Arztberichte/"),
                                QStringLiteral("Muster"),
                                ReportPeriod{QDate(2025, 1, 1), QDate(2025, 12, 1)},
                                QDate(2026, 1, 10),
                                {}};
    for (auto _ : state) {
        const ReportOutcome outcome = writeDoctorsReport(request);
        if (!outcome.error.isEmpty()) {
            state.SkipWithError(qPrintable(outcome.error));
            return;
        }
    }
}
BENCHMARK(BM_TwelveMonthReport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
