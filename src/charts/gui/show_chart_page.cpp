#include "charts/gui/show_chart_page.h"

#include "base/german_quotes.h"
#include "base/text_file.h"
#include "charts/chart_page.h"
#include "settings/browser_start.h"
#include "settings/desktop_browsers.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

void copyScript(const QString &source, const QString &target)
{
    // QFile::copy refuses an existing target and writes through a temporary
    // file, so a half-copied library never stands beside a page.
    if (QFile::copy(source, target)) {
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
    }
}

void openInDefaultBrowser(UiSeam &seam, QWidget *parent, const QString &pagePath)
{
    if (!seam.openDocument(pagePath)) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Die Diagrammseite konnte nicht im Standardbrowser "
                                        "geöffnet werden. Sie liegt hier:\r\n") +
                             pagePath);
    }
}

} // namespace

bool LaunchProgram(UiSeam &seam, QWidget *parent, const QString &program,
                   const QStringList &arguments)
{
    const bool started =
        !QStandardPaths::findExecutable(program).isEmpty() && seam.startProgram(program, arguments);
    if (!started) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Datei: ") + program +
                             QStringLiteral(" kann nicht geöffnet werden"));
    }
    return started;
}

namespace {

// What the user is told when the page cannot be written; the month pages
// have always told the reason alone.
enum class WriteFailure { Reason, NamedPage };

void showPage(UiSeam &seam, QWidget *parent, const ChartPublishContext &context,
              const QString &pageName, const QStringList &pageLines, WriteFailure failure)
{
    const QString yearFolder = context.htmlFolder + context.openYear;
    if (!QFileInfo(yearFolder).isDir() && !QDir().mkpath(yearFolder)) {
        seam.showMessage(parent, UiSeam::MessageKind::Plain,
                         QStringLiteral("Ordner \"") + context.htmlFolder + context.openYear +
                             QStringLiteral("\" konnte nicht erstellt werden! "));
    }

    const QString pagePath = yearFolder + QLatin1Char('/') + pageName;
    QString error;
    if (!TextFile::writeLines(pagePath, pageLines, &error)) {
        if (failure == WriteFailure::NamedPage) {
            error = QStringLiteral("Die Seite ") + germanQuoted(pageName) +
                    QStringLiteral(" konnte nicht im Ordner ") + germanQuoted(yearFolder) +
                    QStringLiteral(" gespeichert werden.\r\n") + error;
        }
        seam.showMessage(parent, UiSeam::MessageKind::Warning, error);
        return;
    }

    const QString scriptTarget = yearFolder + QStringLiteral("/Chart.min.js");
    if (!QFileInfo::exists(scriptTarget)) {
        const QString scriptSource = context.dataFolder + QStringLiteral("scripts/Chart.min.js");
        if (QFileInfo(scriptSource).isFile()) {
            copyScript(scriptSource, scriptTarget);
        } else if (!context.installedScriptPath.isEmpty() &&
                   QFileInfo(context.installedScriptPath).isFile()) {
            copyScript(context.installedScriptPath, scriptTarget);
        } else {
            seam.showMessage(parent, UiSeam::MessageKind::Plain,
                             QStringLiteral("Datei \"") + scriptSource +
                                 QStringLiteral("\" konnte nicht in den Ordner:\"JahrPfad\" "
                                                "kopiert werden! "));
        }
    }

    QString browser = context.settings.read(SettingKey::Browser);
    if (browser.isEmpty()) {
        browser = QStringLiteral("standard");
        context.settings.write(SettingKey::Browser, browser);
    }

    const BrowserStart start =
        browserStartFor(browser, readDesktopBrowsers(applicationFolders()), pagePath);
    bool started = false;
    switch (start.kind) {
    case BrowserStart::Kind::DefaultBrowser:
        break;
    case BrowserStart::Kind::Program:
        started = LaunchProgram(seam, parent, start.program, start.arguments);
        break;
    case BrowserStart::Kind::Unavailable:
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Datei: ") + start.program +
                             QStringLiteral(" kann nicht geöffnet werden"));
        break;
    }
    // The user asked to see the page; a browser that would not start is told
    // above, and the default browser shows it all the same.
    if (!started)
        openInDefaultBrowser(seam, parent, pagePath);
}

} // namespace

void ShowChartPage(UiSeam &seam, QWidget *parent, const ChartPublishContext &context,
                   const QStringList &pageLines)
{
    showPage(seam, parent, context, chartPageName(context.monthFilePath), pageLines,
             WriteFailure::Reason);
}

void ShowNamedChartPage(UiSeam &seam, QWidget *parent, const ChartPublishContext &context,
                        const QString &pageName, const QStringList &pageLines)
{
    showPage(seam, parent, context, pageName, pageLines, WriteFailure::NamedPage);
}
