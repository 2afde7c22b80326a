#include "storage/data_folders.h"

#include "base/windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

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

QString reportFolderName()
{
    return QStringLiteral("Blutdruck-Arztberichte/");
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

QString lastMonthFilePath(const QString &stored, const QString &dataFolder)
{
    if (stored.contains(dataFolder))
        return stored;
    const QString below = dataFolder + stored;
    return QFileInfo::exists(below) ? below : stored;
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
        return QStringLiteral("Der Name darf keinen Schrägstrich „/“ enthalten, "
                              "weil er Teil der Dateinamen Ihrer Tabellen wird.");
    if (name.contains(QChar(u'\0')))
        return QStringLiteral("Der Name enthält ein Zeichen, das in Dateinamen nicht erlaubt ist.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Der Name „%1“ kann nicht für Dateinamen benutzt werden.").arg(name);
    return QString();
}

QString monthPlaceProblem(const QString &user, const QString &month, const QString &year)
{
    const auto digits = [](const QString &text, qsizetype count) {
        return text.size() == count && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
                   return c >= QLatin1Char('0') && c <= QLatin1Char('9');
               });
    };
    if (!digits(month, 2) || month < QLatin1String("01") || month > QLatin1String("12"))
        return QStringLiteral("Der Monat „%1“ ist kein Monat von 01 bis 12.").arg(month);
    if (!digits(year, 4))
        return QStringLiteral("Das Jahr „%1“ besteht nicht aus vier Ziffern.").arg(year);
    // UTF-8 read as Windows-1252 turns "Jürgen" into "JÃ¼rgen": such a
    // name would start a second, garbled gallery of the same person.
    const QByteArray bytes = Windows1252::encode(user);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (Windows1252::decode(bytes) == user && !utf8.hasError() && asUtf8 != user)
        return QStringLiteral("Der Name „%1“ ist falsch kodiert; die Datei ist offenbar in "
                              "UTF-8 statt Windows-1252 geschrieben.")
            .arg(user);
    return userNameProblem(user);
}

} // namespace DataFolders
