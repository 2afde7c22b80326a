#include "app/main_window.h"
#include "app/settings_store.h"
#include "app/seam.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The data installed with the program: <prefix>/share/vantoria/ beside
// <prefix>/bin/vantoria.
QString installedDataFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vantoria"))
           + QLatin1Char('/');
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoria"));
    QApplication::setOrganizationName(QStringLiteral("Quenlor"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vantoria")));

    // The standard buttons of message boxes and dialogs in German.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    DesktopSeam seam;
    MainFormEnvironment environment;
    environment.startFolder = QDir::currentPath();
    environment.settingsFile = SettingsStore::defaultFilePath();
    environment.installedDataFolder = installedDataFolder();
    TMainForm form(seam, environment);
    if (form.endedAtStart())
        return 0;
    form.show();
    return QApplication::exec();
}
