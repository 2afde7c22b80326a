#include "settings/desktop_browsers.h"
#include "settings/gui/einstell.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A desktop with many applications, a few of them browsers.
QTemporaryDir &applicationsTree()
{
    static QTemporaryDir dir;
    static bool filled = false;
    if (!filled) {
        QDir().mkpath(dir.path() + QStringLiteral("/share/applications"));
        for (int i = 0; i < 300; ++i) {
            QFile file(dir.path() + QStringLiteral("/share/applications/app%1.desktop").arg(i));
            if (!file.open(QIODevice::WriteOnly))
                continue;
            const QByteArray categories = i % 30 == 0 ? "Network;WebBrowser;" : "Utility;";
            file.write("[Desktop Entry]\nType=Application\nName=Application " +
                       QByteArray::number(i) + "\nExec=app\nIcon=app\nCategories=" + categories +
                       "\nMimeType=text/plain;image/png;\n\n[Desktop Action new]\nName=New\n");
        }
        filled = true;
    }
    return dir;
}

void BM_ReadDesktopBrowsers(benchmark::State &state)
{
    const QStringList folders = {applicationsTree().path() +
                                 QStringLiteral("/share/applications/")};
    for (auto _ : state)
        benchmark::DoNotOptimize(readDesktopBrowsers(folders));
}
BENCHMARK(BM_ReadDesktopBrowsers)->Unit(benchmark::kMillisecond);

void BM_ReadSystemBrowserList(benchmark::State &state)
{
    for (auto _ : state) {
        QStringList names;
        readBrowserList(names);
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(BM_ReadSystemBrowserList)->Unit(benchmark::kMillisecond);

// What the main window pays at start for the dialog.
void BM_CreateDialog(benchmark::State &state)
{
    QTemporaryDir home;
    SettingsStore store(home.path() + QStringLiteral("/Vantoria.conf"));
    store.writeFirstRunValues(home.path() + QLatin1Char('/'));
    DesktopSeam seam;
    for (auto _ : state) {
        TEinstellDlg dialog(seam, store);
        benchmark::DoNotOptimize(dialog.offeredBrowsers());
    }
}
BENCHMARK(BM_CreateDialog)->Unit(benchmark::kMillisecond);

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
