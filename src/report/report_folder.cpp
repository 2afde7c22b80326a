#include "report/report_folder.h"

#include "base/german_quotes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace {

// Made one level at a time, so that the system's own error for the level that
// failed tells the user why (QDir::mkpath only answers yes or no).
QString whyNotMade(const QString &folder)
{
    QString path;
    const QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString parent = path.isEmpty() ? QStringLiteral("/") : path;
        path += QLatin1Char('/') + part;
        const QFileInfo info(path);
        if (info.isDir())
            continue;
        if (info.exists() || info.isSymLink()) {
            return path == folder
                       ? QStringLiteral("An dieser Stelle liegt bereits eine Datei mit demselben "
                                        "Namen.")
                       : germanQuoted(path) + QStringLiteral(" ist eine Datei und kein Ordner.");
        }
        if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
            continue;
        switch (errno) {
        case EEXIST:
            if (QFileInfo(path).isDir())
                continue; // made by someone else meanwhile
            return QStringLiteral("An dieser Stelle liegt bereits etwas, das kein Ordner ist.");
        case EACCES:
        case EPERM:
            return QStringLiteral("Sie haben keine Berechtigung, im Ordner ") +
                   germanQuoted(parent) + QStringLiteral(" etwas anzulegen.");
        case EROFS:
            return QStringLiteral("Der Datenträger ist schreibgeschützt.");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz.");
        case ENAMETOOLONG:
            return QStringLiteral("Der Name des Ordners ist zu lang.");
        default:
            return QStringLiteral("Das System hat das Anlegen abgelehnt.");
        }
    }
    return QString();
}

} // namespace

QString makeReportFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return QString();
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    const QString reason = whyNotMade(clean);
    if (reason.isEmpty())
        return QString();
    return QStringLiteral("Der Ordner ") + germanQuoted(clean) +
           QStringLiteral(" für die Arztberichte konnte nicht angelegt werden: ") + reason;
}
