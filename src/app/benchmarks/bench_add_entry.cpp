// Adding one entry to a full month through the real main window: the checks,
// the sort, two writes, two loads and every statistic.
#include "app/entry_list.h"
#include "app/main_window.h"
#include "base/text_file.h"
#include "storage/settings_store.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

struct FullMonth
{
    TempHome home;
    FakeSeam seam;
    std::unique_ptr<TMainForm> form;
    EntryListView *list = nullptr;

    FullMonth()
    {
        const QString year = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/2024/");
        QDir().mkpath(year);
        QFile::copy(QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/Muster_01_2024.tab"),
                    year + QStringLiteral("Muster_01_2024.tab"));
        const SettingsStore settings(home.settingsFile());
        settings.writeFirstRunValues(home.workFolder());
        settings.write(SettingKey::UserName, QStringLiteral("Muster"));
        settings.write(SettingKey::LastMonthFile, year + QStringLiteral("Muster_01_2024.tab"));
        form = std::make_unique<TMainForm>(
            seam, MainFormEnvironment{home.workFolder(), home.settingsFile(), {}});
        form->FormPaint();
        list = form->findChild<EntryListView *>(QStringLiteral("ListBox1"));
        // The weights come back with the entries they were taken from.
        auto *weightSwitch =
            form->findChild<QCheckBox *>(QStringLiteral("GewichtsEingabeCheckBox"));
        weightSwitch->click();
    }

    void click(const char *button) const
    {
        form->findChild<QAbstractButton *>(QLatin1StringView(button))->click();
    }

    bool whole() const { return list->count() == 124 && seam.messages().isEmpty(); }
    std::string why() const
    {
        return QStringLiteral("%1 entries; %2")
            .arg(list->count())
            .arg(seam.messages().join(QLatin1Char('|')))
            .toStdString();
    }
};

// Only the add is timed; the entry is taken out beforehand by the edit command.
void BM_AddEntryToFullMonth(benchmark::State &state)
{
    FullMonth month;
    if (!month.whole()) {
        state.SkipWithError("the month did not load whole");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        month.list->setCurrentRow(60);
        month.click("BtnEintragBearbeiten");
        month.seam.clear(); // the question of the edit command
        // Versions made within one second pile up under numbered names, which
        // no user reaches: each add starts with the versions of a fresh day,
        // in the folders a user's first save made.
        QDirIterator versions(month.home.workFolder() +
                                  QStringLiteral("Blutdruck-Daten-Galerie/Sicherungen"),
                              QDir::Files, QDirIterator::Subdirectories);
        while (versions.hasNext())
            QFile::remove(versions.next());
        state.ResumeTiming();
        month.click("BitBtn1");
        if (!month.whole())
            break;
    }
    if (!month.whole())
        state.SkipWithError(month.why().c_str());
}
BENCHMARK(BM_AddEntryToFullMonth)->Unit(benchmark::kMillisecond);

// Taking an entry out and adding it back: the whole correction of one entry.
void BM_EditAndAddBack(benchmark::State &state)
{
    FullMonth month;
    for (auto _ : state) {
        month.list->setCurrentRow(60);
        month.click("BtnEintragBearbeiten");
        month.seam.clear();
        month.click("BitBtn1");
        if (!month.whole())
            break;
    }
    if (!month.whole())
        state.SkipWithError(month.why().c_str());
}
BENCHMARK(BM_EditAndAddBack)->Unit(benchmark::kMillisecond);

// The floor of an add: the month file replaced safely twice (temporary file,
// flush to disk, rename), as the add's own two writes do, on the same disk.
void BM_TwoSafeWritesOfTheMonth(benchmark::State &state)
{
    FullMonth month;
    const QString path = month.form->openMonth().path();
    const std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines) {
        state.SkipWithError("the month did not read");
        return;
    }
    for (auto _ : state) {
        if (!TextFile::writeLines(path, *lines) || !TextFile::writeLines(path, *lines)) {
            state.SkipWithError("a write failed");
            break;
        }
    }
}
BENCHMARK(BM_TwoSafeWritesOfTheMonth)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
