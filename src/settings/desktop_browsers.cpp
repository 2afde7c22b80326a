#include "settings/desktop_browsers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>

#include <optional>

namespace {

struct DesktopEntry
{
    QString type;
    QString name;
    QString icon;
    QString tryExec;
    QString exec;
    QStringList categories;
    QStringList mimeTypes;
    bool hidden = false;
};

QString unescape(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case u's':
            out += u' ';
            break;
        case u'n':
            out += u'\n';
            break;
        case u't':
            out += u'\t';
            break;
        case u'r':
            out += u'\r';
            break;
        default:
            out += next;
            break; // "\\" and "\;"
        }
    }
    return out;
}

// The string escapes of an Exec= value; other backslashes belong to its
// quoting and stay for ExecLine::split.
QString unescapeExec(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        const QChar next = i + 1 < value.size() ? value[i + 1] : QChar();
        if (c != u'\\' || !QStringView(u"sntr\\").contains(next)) {
            out += c;
            continue;
        }
        ++i;
        out += next == u's'   ? QChar(u' ')
               : next == u'n' ? QChar(u'\n')
               : next == u't' ? QChar(u'\t')
               : next == u'r' ? QChar(u'\r')
                              : QChar(u'\\');
    }
    return out;
}

QStringList splitList(QStringView value)
{
    QStringList items;
    for (QStringView item : value.split(u';', Qt::SkipEmptyParts)) {
        const QString text = unescape(item.trimmed());
        if (!text.isEmpty())
            items << text;
    }
    return items;
}

// Only the [Desktop Entry] group counts; action groups carry their own Name=.
std::optional<DesktopEntry> readEntry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    DesktopEntry entry;
    // Most entries are no browsers; only those that could be are parsed.
    if (!bytes.contains("WebBrowser") && !bytes.contains("x-scheme-handler/http"))
        return entry;
    const QString text = QString::fromUtf8(bytes);

    QStringList seenKeys;
    bool inMainGroup = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toString();
        if (seenKeys.contains(key))
            continue; // the first occurrence counts
        seenKeys << key;
        const QStringView value = line.mid(eq + 1).trimmed();
        if (key == u"Type")
            entry.type = unescape(value);
        else if (key == u"Name")
            entry.name = unescape(value);
        else if (key == u"Icon")
            entry.icon = unescape(value);
        else if (key == u"TryExec")
            entry.tryExec = unescape(value);
        else if (key == u"Exec")
            entry.exec = unescapeExec(value);
        else if (key == u"Categories")
            entry.categories = splitList(value);
        else if (key == u"MimeType")
            entry.mimeTypes = splitList(value);
        else if (key == u"Hidden")
            entry.hidden = value == u"true";
    }
    return entry;
}

bool programExists(const QString &program)
{
    if (QDir::isAbsolutePath(program)) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

bool isBrowser(const DesktopEntry &entry)
{
    if (entry.hidden || entry.type != u"Application" || entry.name.isEmpty())
        return false;
    if (!entry.categories.contains(QStringLiteral("WebBrowser")) &&
        !entry.mimeTypes.contains(QStringLiteral("x-scheme-handler/http")))
        return false;
    // An entry whose program is gone is left over from an uninstalled browser.
    return entry.tryExec.isEmpty() || programExists(entry.tryExec);
}

QStringList absoluteFolders(const QString &list)
{
    QStringList folders;
    for (const QString &dir : list.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            folders << QDir::cleanPath(dir) + QStringLiteral("/applications/");
    }
    return folders;
}

} // namespace

QStringList applicationFolders()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (absoluteFolders(dataDirs).isEmpty())
        dataDirs = QStringLiteral("/usr/local/share/:/usr/share/");
    return absoluteFolders(dataHome) + absoluteFolders(dataDirs);
}

QList<DesktopBrowser> readDesktopBrowsers(const QStringList &folders)
{
    QMap<QString, std::optional<DesktopBrowser>> byId;
    for (const QString &folder : folders) {
        const QString base = QDir(folder).absolutePath() + QLatin1Char('/');
        QDirIterator it(base, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext()) {
            const QString path = it.next();
            QString id = path.mid(base.size());
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (byId.contains(id))
                continue;
            const std::optional<DesktopEntry> entry = readEntry(path);
            if (entry && isBrowser(*entry))
                byId.insert(id, DesktopBrowser{id, entry->name, entry->icon, entry->exec, path});
            else
                byId.insert(id, std::nullopt);
        }
    }
    QList<DesktopBrowser> browsers;
    for (const std::optional<DesktopBrowser> &browser : std::as_const(byId)) {
        if (browser)
            browsers << *browser;
    }
    return browsers;
}

void readBrowserList(QStringList &names)
{
    for (const DesktopBrowser &browser : readDesktopBrowsers(applicationFolders()))
        names << browser.name;
}

bool edgeInstalled()
{
    return programExists(QStringLiteral("microsoft-edge")) ||
           programExists(QStringLiteral("microsoft-edge-stable"));
}
