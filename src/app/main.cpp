#include "app/main_window.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The data installed with the program (help document, chart library):
// beside the program (<prefix>/share/vantoria/), in the prefix it was built
// for, or in the build tree during development.
QString installedDataFolder()
{
    const QStringList candidates = {
        QDir::cleanPath(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/../share/vantoria")) +
            QLatin1Char('/'),
        QStringLiteral(VANTORIA_INSTALLED_DATA_DIR),
        QStringLiteral(VANTORIA_BUILD_DATA_DIR),
    };
    for (const QString &folder : candidates) {
        if (QFileInfo::exists(folder + QStringLiteral("Blutdruckmesswerte-Hilfe.pdf")))
            return folder;
    }
    return candidates.constFirst();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantoria"));
    QApplication::setOrganizationName(QStringLiteral("Quenlor"));
    QIcon icon = QIcon::fromTheme(QStringLiteral("vantoria"));
    if (icon.isNull()) {
        for (int size : {32, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/vantoria-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);

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
