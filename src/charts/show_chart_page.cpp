#include "charts/show_chart_page.h"

#include "storage/settings_store.h"
#include "ui/seam.h"
#include "base/text_file.h"
#include "charts/chart_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The first of the programs that PATH knows, or the first name when none.
QString firstOnPath(const QStringList &programs)
{
    for (const QString &program : programs) {
        if (!QStandardPaths::findExecutable(program).isEmpty())
            return program;
    }
    return programs.constFirst();
}

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

void ShowChartPage(UiSeam &seam, QWidget *parent, const ChartPublishContext &context,
                   const QStringList &pageLines)
{
    const QString pageName = chartPageName(context.monthFilePath);
    const QString yearFolder = context.htmlFolder + context.openYear;
    if (!QFileInfo(yearFolder).isDir() && !QDir().mkpath(yearFolder)) {
        seam.showMessage(parent, UiSeam::MessageKind::Plain,
                         QStringLiteral("Ordner \"") + context.htmlFolder + context.openYear +
                             QStringLiteral("\" konnte nicht erstellt werden! "));
    }

    const QString pagePath = yearFolder + QLatin1Char('/') + pageName;
    QString error;
    if (!TextFile::writeLines(pagePath, pageLines, &error)) {
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

    QString browser = context.settings.Lies_String_aus_Registry(QStringLiteral("Browser"));
    if (browser.isEmpty()) {
        browser = QStringLiteral("standard");
        context.settings.Schreib_String_in_Registry(QStringLiteral("Browser"), browser);
    }

    // The page path goes as one argument, so blanks in folder names need no quotes.
    if (browser.contains(QLatin1String("standard"))) {
        openInDefaultBrowser(seam, parent, pagePath);
    } else if (browser.contains(QLatin1String("firefox"))) {
        LaunchProgram(seam, parent, QStringLiteral("firefox"), {pagePath});
    } else if (browser.contains(QLatin1String("internet explorer"))) {
        // There is no such browser here; the user learns that it cannot start.
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Datei: iexplore.exe kann nicht geöffnet werden"));
    } else if (browser.contains(QLatin1String("edge"))) {
        LaunchProgram(seam, parent,
                      firstOnPath({QStringLiteral("microsoft-edge"),
                                   QStringLiteral("microsoft-edge-stable")}),
                      {pagePath});
    } else if (browser.contains(QLatin1String("chrome"))) {
        LaunchProgram(
            seam, parent,
            firstOnPath({QStringLiteral("google-chrome-stable"), QStringLiteral("google-chrome"),
                         QStringLiteral("chromium"), QStringLiteral("chromium-browser")}),
            {pagePath});
    } else {
        openInDefaultBrowser(seam, parent, pagePath);
    }
}
