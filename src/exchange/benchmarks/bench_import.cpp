// Importing 10,000 readings from a device's CSV file into an empty gallery:
// reading and decoding the file, finding the columns and date form, reading
// every line, planning the merge and writing about 84 month files.
#include "exchange/import_plan.h"
#include "support/temp_home.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kReadings = 10000;

const std::array<QString, 4> kTimes = {QStringLiteral("07:30"), QStringLiteral("13:00"),
                                       QStringLiteral("15:30"), QStringLiteral("20:40")};

// Four readings a day, as an English app writes them.
QByteArray deviceFile()
{
    QByteArray text = "Date,Time,Systolic (mmHg),Diastolic (mmHg),Pulse (bpm),Weight (kg)\r\n";
    QDate day(2017, 1, 1);
    for (int i = 0; i < kReadings; ++i) {
        if (i > 0 && i % 4 == 0)
            day = day.addDays(1);
        const char *time = std::array{"7:10 AM", "12:45 PM", "4:00 PM", "9:05 PM"}[i % 4];
        text += day.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + ',' + time + ',' +
                QByteArray::number(120 + i % 40) + ',' + QByteArray::number(75 + i % 20) + ',' +
                QByteArray::number(60 + i % 25) + ',' + (i % 4 == 0 ? "80.5" : "") + "\r\n";
    }
    return text;
}

void BM_Import10000Readings(benchmark::State &state)
{
    TempHome home;
    const QString file = home.workFolder() + QStringLiteral("device.csv");
    TempHome::writeFile(file, deviceFile());
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(gallery).removeRecursively();
        state.ResumeTiming();
        const CsvImport::Opened opened = CsvImport::readFile(file);
        const ColumnMapping mapping = ImportColumns::guess(opened.table->header);
        const QList<ImportValues::DateForm> forms =
            ImportValues::fittingDateForms(CsvImport::dateTexts(*opened.table, mapping));
        const ImportPreview preview =
            ImportPlan::preview(*opened.table, mapping, forms.constFirst(),
                                {gallery, QStringLiteral("Muster"), kTimes});
        if (!GalleryMerge::apply(preview.plan, gallery, QStringLiteral("Muster")).isEmpty())
            break;
        added = preview.plan.added();
    }
    if (added != kReadings)
        state.SkipWithError("not every reading was imported");
    state.counters["readings"] = added;
}
BENCHMARK(BM_Import10000Readings)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
