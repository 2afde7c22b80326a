// A desktop entry with any content, found by the browser detection.
#include "fuzz_support.h"
#include "settings/desktop_browsers.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = Fuzz::scratchFolder() + QStringLiteral("applications/");
    static const bool made = QDir().mkpath(folder);
    Fuzz::check(made, "scratch folder");
    {
        QFile file(folder + QStringLiteral("browser.desktop"));
        Fuzz::check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file");
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QList<DesktopBrowser> browsers = readDesktopBrowsers({folder});
    Fuzz::check(browsers.size() <= 1, "one file gives at most one browser");
    for (const DesktopBrowser &browser : browsers)
        Fuzz::check(browser.id == QLatin1String("browser.desktop") && !browser.name.isEmpty(),
                    "a browser has its id and a name");
    return 0;
}
