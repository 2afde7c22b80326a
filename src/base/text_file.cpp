#include "base/text_file.h"

#include "base/windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>

namespace TextFile {

namespace {

std::function<bool(const QString &)> &writeFault()
{
    static std::function<bool(const QString &)> fault;
    return fault;
}

} // namespace

QStringList splitLines(const QString &text)
{
    // The next CR and the next LF are each found by the fast search for one
    // character; a CR right before an LF ends one line only.
    QStringList lines;
    const qsizetype size = text.size();
    qsizetype start = 0;
    qsizetype cr = text.indexOf(u'\r');
    qsizetype lf = text.indexOf(u'\n');
    while (cr >= 0 || lf >= 0) {
        const qsizetype end = cr < 0 || (lf >= 0 && lf < cr) ? lf : cr;
        lines.append(text.mid(start, end - start));
        start = end == cr && lf == end + 1 ? end + 2 : end + 1;
        if (cr >= 0 && cr < start)
            cr = text.indexOf(u'\r', start);
        if (lf >= 0 && lf < start)
            lf = text.indexOf(u'\n', start);
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

QString decode(const QByteArray &bytes)
{
    const auto decoded = [&bytes](QStringConverter::Encoding encoding, qsizetype markSize) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
        return QString(decoder.decode(QByteArrayView(bytes).sliced(markSize)));
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decoded(QStringConverter::Utf8, 3);
    if (bytes.startsWith("\xFF\xFE"))
        return decoded(QStringConverter::Utf16LE, 2);
    if (bytes.startsWith("\xFE\xFF"))
        return decoded(QStringConverter::Utf16BE, 2);
    return Windows1252::decode(bytes);
}

QStringList decodeLines(const QByteArray &bytes)
{
    return splitLines(decode(bytes));
}

QByteArray encodeLines(const QStringList &lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return Windows1252::encode(text);
}

std::optional<QStringList> readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeLines(bytes);
}

bool writeBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    if (writeFault() && !writeFault()(path)) {
        if (error)
            *error = QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz.");
        return false;
    }
    errno = 0;
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && file.write(bytes) != bytes.size()) {
        written = false;
        file.cancelWriting();
    }
    if (written && !file.commit())
        written = false;
    if (!written && error) {
        int code = errno;
        // Qt refuses these itself, without a number of the system's.
        if (QFileInfo(path).isDir())
            code = EISDIR;
        else if (code == 0 && file.error() == QFileDevice::ResourceError)
            code = ENOSPC;
        *error = writeFailureReason(code);
    }
    return written;
}

QString writeFailureReason(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Sie haben keine Berechtigung, in diesem Ordner zu schreiben.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz.");
    case ENOENT:
        return QStringLiteral("Der Ordner existiert nicht.");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist eine Datei und kein Ordner.");
    case EISDIR:
        return QStringLiteral("An dieser Stelle liegt ein Ordner.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Name ist zu lang.");
    case EIO:
        return QStringLiteral("Der Datenträger meldet einen Fehler beim Schreiben.");
    default:
        return QStringLiteral("Das System hat das Schreiben abgelehnt.");
    }
}

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    return writeBytes(path, encodeLines(lines), error);
}

int removeLeftoverTemporaries(const QString &folder)
{
    QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    const QSet<QString> present(names.cbegin(), names.cend());
    int removed = 0;
    for (const QString &name : names) {
        // QSaveFile names its temporary file "<target>.XXXXXX".
        const qsizetype dot = name.size() - 7;
        if (dot <= 0 || name.at(dot) != QLatin1Char('.'))
            continue;
        const QStringView suffix = QStringView(name).mid(dot + 1);
        const bool generated = std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
            return c.unicode() < 128 && c.isLetterOrNumber();
        });
        // Only the program's own kinds of file: month, remark, settings.
        const QString target = name.left(dot);
        const bool ours = target.endsWith(QLatin1String(".tab"), Qt::CaseInsensitive) ||
                          target.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) ||
                          target.endsWith(QLatin1String(".conf"));
        if (generated && ours && present.contains(target) && dir.remove(name))
            ++removed;
    }
    return removed;
}

void setWriteFaultForTesting(std::function<bool(const QString &path)> allowWrite)
{
    writeFault() = std::move(allowWrite);
}

} // namespace TextFile
