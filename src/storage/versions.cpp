#include "storage/versions.h"

#include "base/german_quotes.h"
#include "base/text_file.h"
#include "base/windows1252.h"
#include "journal/month_file.h"
#include "storage/data_folders.h"
#include "storage/medication_store.h"
#include "storage/version_pruning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace Versions {

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

struct Named
{
    QString name;
    QString of;     // the name of the file it is a version of
    QDateTime time; // the stamp's wall-clock time, read as UTC
    int sequence = 1;
    bool leftover = false; // the temporary file of a version write that never finished
};

QDateTime wallClock(const QDateTime &time)
{
    return QDateTime(time.date(), time.time(), Qt::UTC);
}

QList<Named> namesIn(const QString &folder)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.+)\\.(\\d{4})-(\\d\\d)-(\\d\\d)_(\\d\\d)-(\\d\\d)-(\\d\\d)(?:_(\\d+))?"
                       "(\\.[A-Za-z0-9]{6})?$"));
    QList<Named> found;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (!match.hasMatch())
            continue;
        const auto number = [&match](int group) { return match.capturedView(group).toInt(); };
        // Read without a time zone: converting every stamp to local time
        // would cost more than the rest of a save.
        const QDateTime time(QDate(number(2), number(3), number(4)),
                             QTime(number(5), number(6), number(7)), Qt::UTC);
        if (time.isValid())
            found.append({name, match.captured(1), time, match.hasCaptured(8) ? number(8) : 1,
                          match.hasCaptured(9)});
    }
    std::sort(found.begin(), found.end(), [](const Named &a, const Named &b) {
        return std::pair(a.time, a.sequence) < std::pair(b.time, b.sequence);
    });
    return found;
}

void pruneFolder(const QString &folder, const QDateTime &now)
{
    QHash<QString, QList<Named>> byFile;
    QDir dir(folder);
    for (const Named &named : namesIn(folder)) {
        // Nothing else writes here while the program saves: a temporary
        // file is what a crash left behind.
        if (named.leftover)
            dir.remove(named.name);
        else
            byFile[named.of].append(named);
    }
    for (const QList<Named> &versions : std::as_const(byFile)) {
        QList<QDateTime> times;
        for (const Named &version : versions)
            times.append(version.time);
        for (const qsizetype index : VersionPruning::toRemove(times, wallClock(now)))
            dir.remove(versions.at(index).name);
    }
}

// Every year's versions, also of months that are no longer written.
void pruneAll(const QString &galleryFolder, const QDateTime &now)
{
    const QString root =
        DataFolders::withTrailingSlash(galleryFolder) + kFolderName + QLatin1Char('/');
    for (const QString &year : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        pruneFolder(root + year + QLatin1Char('/'), now);
}

QString freeName(const QString &folder, const QString &fileName, const QDateTime &now)
{
    QString base = fileName + QLatin1Char('.') + now.toString(kStampFormat);
    if (!QFileInfo::exists(folder + base))
        return base;
    int last = 1;
    const QString prefix = base + QLatin1Char('_');
    for (const QString &name : QDir(folder).entryList({prefix + QLatin1Char('*')}, QDir::Files))
        last = std::max(last, name.mid(prefix.size()).toInt());
    return prefix + QString::number(last + 1);
}

bool isMonthFile(const QString &file)
{
    return file.endsWith(QLatin1String(".tab"), Qt::CaseInsensitive);
}

// Whether replacing `present` by `next` could lose anything worth a version.
bool changes(const QString &file, const QByteArray &present, const QStringList &next)
{
    if (!isMonthFile(file))
        return present !=
               Windows1252::encode(next.join(QLatin1String("\r\n")) +
                                   (next.isEmpty() ? QString() : QStringLiteral("\r\n")));
    const QStringList lines = TextFile::decodeLines(present);
    const MonthFile::Header before = MonthFile::readHeader(lines);
    const MonthFile::Header after = MonthFile::readHeader(next);
    return before.userName != after.userName || before.dateText != after.dateText ||
           before.switchText != after.switchText ||
           !MonthFile::readingsLost(lines, next).isEmpty() ||
           !MonthFile::readingsLost(next, lines).isEmpty();
}

QString keepBytes(const QString &galleryFolder, const QString &folder, const QString &file,
                  const QByteArray &bytes, const QDateTime &now)
{
    if (!DataFolders::ensureFolder(folder))
        return QStringLiteral("Der Ordner ") + germanQuoted(QDir::toNativeSeparators(folder)) +
               QStringLiteral(" lässt sich nicht anlegen.");
    const QString fileName = QFileInfo(file).fileName();
    const QString path = folder + freeName(folder, fileName, now);
    QString error;
    if (!TextFile::writeBytes(path, bytes, &error))
        return QStringLiteral("Die Datei ") + germanQuoted(QDir::toNativeSeparators(path)) +
               QStringLiteral(" lässt sich nicht schreiben: ") + error;
    pruneAll(galleryFolder, now);
    return QString();
}

} // namespace

QString folderOf(const QString &galleryFolder, const QString &file)
{
    const QFileInfo info(file);
    const QString gallery = QDir::cleanPath(QFileInfo(galleryFolder).absoluteFilePath());
    // The medication files lie beside the year folders; their versions get
    // a folder of their own.
    if (MedicationStore::isMedicationFileName(info.fileName()) &&
        QDir::cleanPath(info.absolutePath()) == gallery)
        return DataFolders::withTrailingSlash(galleryFolder) + kFolderName + QLatin1Char('/') +
               kMedicationFolderName + QLatin1Char('/');
    const QString year = info.absoluteDir().dirName();
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    QDir parent = info.absoluteDir();
    if (!fourDigits.match(year).hasMatch() || !parent.cdUp() ||
        QDir::cleanPath(parent.absolutePath()) != gallery)
        return QString();
    return DataFolders::withTrailingSlash(galleryFolder) + kFolderName + QLatin1Char('/') + year +
           QLatin1Char('/');
}

QList<Version> of(const QString &galleryFolder, const QString &file)
{
    const QString folder = folderOf(galleryFolder, file);
    const QString fileName = QFileInfo(file).fileName();
    QList<Version> versions;
    if (folder.isEmpty())
        return versions;
    for (const Named &named : namesIn(folder)) {
        if (named.of == fileName && !named.leftover)
            versions.append({folder + named.name, QDateTime(named.time.date(), named.time.time())});
    }
    return versions;
}

QString keepBefore(const QString &galleryFolder, const QString &file, const QStringList &nextLines,
                   const QDateTime &now)
{
    const QString folder = folderOf(galleryFolder, file);
    QFile present(file);
    if (folder.isEmpty() || !present.exists())
        return QString();
    if (!present.open(QIODevice::ReadOnly))
        return QStringLiteral("Die Datei ") + germanQuoted(QDir::toNativeSeparators(file)) +
               QStringLiteral(" lässt sich nicht lesen: ") + present.errorString();
    const QByteArray bytes = present.readAll();
    if (!changes(file, bytes, nextLines))
        return QString();
    return keepBytes(galleryFolder, folder, file, bytes, now);
}

QString restore(const QString &galleryFolder, const QString &file, const QString &versionPath,
                const QDateTime &now)
{
    const QString folder = folderOf(galleryFolder, file);
    QFile version(versionPath);
    if (folder.isEmpty() || !version.open(QIODevice::ReadOnly))
        return QStringLiteral("Die frühere Fassung ") +
               germanQuoted(QFileInfo(versionPath).fileName()) +
               QStringLiteral(" lässt sich nicht lesen.");
    const QByteArray restored = version.readAll();
    QFile present(file);
    if (present.exists()) {
        if (!present.open(QIODevice::ReadOnly))
            return QStringLiteral("Die Datei ") + germanQuoted(QDir::toNativeSeparators(file)) +
                   QStringLiteral(" lässt sich nicht lesen: ") + present.errorString();
        const QByteArray bytes = present.readAll();
        if (bytes == restored)
            return QString();
        if (QString problem = keepBytes(galleryFolder, folder, file, bytes, now);
            !problem.isEmpty())
            return problem;
    }
    QString error;
    if (!DataFolders::ensureFolder(QFileInfo(file).absolutePath()) ||
        !TextFile::writeBytes(file, restored, &error))
        return QStringLiteral("Die Datei ") + germanQuoted(QDir::toNativeSeparators(file)) +
               QStringLiteral(" lässt sich nicht schreiben: ") + error;
    return QString();
}

} // namespace Versions
