#include "settings/browser_start.h"

#include "settings/browser_places.h"
#include "settings/exec_line.h"

#include <QStandardPaths>

namespace {

bool onPath(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// The first of the programs that PATH knows, or the first name when none.
QString firstOnPath(const QStringList &programs)
{
    for (const QString &program : programs) {
        if (onPath(program))
            return program;
    }
    return programs.constFirst();
}

std::optional<BrowserStart> startFromEntries(const QList<DesktopBrowser> &entries,
                                             const QString &pagePath)
{
    std::optional<BrowserStart> first;
    for (const DesktopBrowser &entry : entries) {
        const std::optional<QStringList> line = ExecLine::split(entry.exec);
        if (!line)
            continue;
        const QStringList expanded =
            ExecLine::expand(*line, {pagePath, entry.name, entry.icon, entry.path});
        BrowserStart start{BrowserStart::Kind::Program, expanded.constFirst(), expanded.mid(1)};
        if (onPath(start.program))
            return start;
        if (!first)
            first = start; // tried all the same, so that its failure is told
    }
    return first;
}

BrowserStart programStart(const QList<DesktopBrowser> &installed, BrowserPlace place,
                          const QStringList &fixedPrograms, const QString &pagePath)
{
    if (const auto start = startFromEntries(browsersForPlace(installed, place), pagePath))
        return *start;
    return {BrowserStart::Kind::Program, firstOnPath(fixedPrograms), {pagePath}};
}

} // namespace

BrowserStart browserStartFor(const QString &storedBrowser, const QList<DesktopBrowser> &installed,
                             const QString &pagePath)
{
    const auto has = [&storedBrowser](const char *text) {
        return storedBrowser.contains(QLatin1String(text), Qt::CaseSensitive);
    };
    if (has("standard"))
        return {};
    if (has("firefox"))
        return programStart(installed, BrowserPlace::Firefox, {QStringLiteral("firefox")},
                            pagePath);
    if (has("internet explorer"))
        return {BrowserStart::Kind::Unavailable, QStringLiteral("iexplore.exe"), {}};
    if (has("edge"))
        return programStart(
            installed, BrowserPlace::Edge,
            {QStringLiteral("microsoft-edge"), QStringLiteral("microsoft-edge-stable")}, pagePath);
    if (has("chrome"))
        return programStart(installed, BrowserPlace::Chrome,
                            {QStringLiteral("google-chrome-stable"),
                             QStringLiteral("google-chrome"), QStringLiteral("chromium"),
                             QStringLiteral("chromium-browser")},
                            pagePath);
    if (has("opera")) {
        // Without an Opera the page goes to the default browser, as before.
        if (!browsersForPlace(installed, BrowserPlace::Opera).isEmpty() ||
            onPath(QStringLiteral("opera")))
            return programStart(installed, BrowserPlace::Opera, {QStringLiteral("opera")},
                                pagePath);
    }
    return {};
}
