#include "remind/autostart_entry.h"

#include "base/german_quotes.h"
#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The Exec key's quoting: a path with blanks or reserved characters is put
// in double quotes, and inside them ", `, $ and \ get a backslash.
QString execArgument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : path)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString escaped = path;
    escaped.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (!needsQuotes)
        return escaped;
    QString quoted;
    for (const QChar c : std::as_const(escaped)) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

namespace AutostartEntry {

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/vantoria-erinnerungen.desktop");
}

QString text(const QString &programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vantoria-Erinnerungen\n"
                          "Comment=Erinnert an die Blutdruckmessungen\n"
                          "Exec=%1 --erinnerungen\n"
                          "Icon=vantoria\n"
                          "Terminal=false\n"
                          "NoDisplay=true\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(programPath));
}

QString write(const QString &entryPath, const QString &programPath)
{
    const QString folder = QFileInfo(entryPath).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("Der Ordner %1 für den Autostart konnte nicht angelegt werden.")
            .arg(germanQuoted(folder));
    QString reason;
    if (!TextFile::writeBytes(entryPath, text(programPath).toUtf8(), &reason))
        return QStringLiteral("Der Autostart-Eintrag %1 konnte nicht geschrieben werden: %2")
            .arg(germanQuoted(entryPath), reason);
    return QString();
}

QString remove(const QString &entryPath)
{
    if (!QFileInfo::exists(entryPath) || QFile::remove(entryPath))
        return QString();
    return QStringLiteral("Der Autostart-Eintrag %1 konnte nicht entfernt werden.")
        .arg(germanQuoted(entryPath));
}

} // namespace AutostartEntry
