#include "app/data_folders.h"

#include <QDir>
#include <QFileInfo>

namespace DataFolders {

namespace {
const QChar kQuote = QLatin1Char('"');
}

QString withTrailingSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString galleryFolderName(const QString &setting)
{
    return setting.isEmpty() ? QStringLiteral("Blutdruck-Daten-Galerie/")
                             : withTrailingSlash(setting);
}

QString htmlFolderName(const QString &setting)
{
    return setting.isEmpty() ? QStringLiteral("Blutdruck-Daten im Browser/")
                             : withTrailingSlash(setting);
}

bool ensureFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    QDir().mkpath(path);
    return QFileInfo(path).isDir();
}

QString folderNotCreatedMessage(const QString &name)
{
    return QStringLiteral("Ordner ") + kQuote + name + kQuote +
           QStringLiteral(" konnte nicht erstellt werden! ");
}

QString htmlYearFolderNotCreatedMessage(const QString &year)
{
    return QStringLiteral("HtmlOrdner ") + kQuote + year + kQuote +
           QStringLiteral(" konnte nicht erstellt werden! ");
}

QString folderMissingMessage(const QString &folder)
{
    return QStringLiteral("Ordner: ") + folder + kQuote + QStringLiteral(" existiert nicht! ") +
           QStringLiteral(" Das Programm wird beendet.");
}

QString monthFileName(const QString &user, const QString &month, const QString &year)
{
    return user + QLatin1Char('_') + month + QLatin1Char('_') + year + QStringLiteral(".tab");
}

QString monthFilePath(const QString &galleryFolder, const QString &yearFolderName,
                      const QString &user, const QString &month, const QString &year)
{
    return galleryFolder + yearFolderName + QLatin1Char('/') + monthFileName(user, month, year);
}

QString remarkFilePath(const QString &galleryFolder, const QString &yearFolderName,
                       const QString &user, const QString &month, const QString &year)
{
    return galleryFolder + yearFolderName + QLatin1Char('/') + user + QLatin1Char('_') + month +
           QLatin1Char('_') + year + QStringLiteral(".txt");
}

QString userNameProblem(const QString &name)
{
    if (name.contains(QLatin1Char('/')))
        return QStringLiteral("Der Name darf keinen Schrägstrich \"/\" enthalten, "
                              "weil er Teil der Dateinamen Ihrer Tabellen wird.");
    if (name.contains(QChar(u'\0')))
        return QStringLiteral("Der Name enthält ein Zeichen, das in Dateinamen nicht erlaubt ist.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Der Name \"%1\" kann nicht für Dateinamen benutzt werden.")
            .arg(name);
    return QString();
}

} // namespace DataFolders
