#include "storage/gallery_archive.h"

#include "base/text_file.h"
#include "storage/data_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <zip.h>

namespace GalleryArchive {

namespace {

// Far above any gallery; an archive that claims more is not one of ours.
constexpr qint64 kMaxEntrySize = qint64(16) * 1024 * 1024;
constexpr qint64 kMaxTotalSize = qint64(256) * 1024 * 1024;

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString damaged(const QString &zipPath, const QString &detail)
{
    return QStringLiteral("Die Datei ") + quoted(QDir::toNativeSeparators(zipPath)) +
           QStringLiteral(" ist keine lesbare Sicherungskopie (") + detail +
           QStringLiteral("). Es wurde nichts übernommen.");
}

bool readWhole(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

QString libzipError(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

// The archive libzip built into its buffer source.
std::optional<QByteArray> bufferContent(zip_source_t *buffer)
{
    if (zip_source_open(buffer) < 0)
        return std::nullopt;
    std::optional<QByteArray> content;
    if (zip_source_seek(buffer, 0, SEEK_END) == 0) {
        const zip_int64_t size = zip_source_tell(buffer);
        QByteArray bytes(qsizetype(std::max<zip_int64_t>(size, 0)), '\0');
        if (size >= 0 && zip_source_seek(buffer, 0, SEEK_SET) == 0 &&
            zip_source_read(buffer, bytes.data(), zip_uint64_t(size)) == size)
            content = bytes;
    }
    zip_source_close(buffer);
    return content;
}

bool addEntry(zip_t *archive, const Entry &entry)
{
    zip_source_t *data =
        zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
    if (!data)
        return false;
    const zip_int64_t index = zip_file_add(archive, entry.name.toUtf8().constData(), data,
                                           ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
        zip_source_free(data);
        return false;
    }
    if (entry.modified.isValid())
        zip_file_set_mtime(archive, zip_uint64_t(index), time_t(entry.modified.toSecsSinceEpoch()),
                           0);
    return true;
}

std::optional<QByteArray> readEntry(zip_t *archive, zip_uint64_t index, qint64 size,
                                    QString *reason)
{
    zip_file_t *file = zip_fopen_index(archive, index, 0);
    if (!file) {
        *reason = QString::fromLocal8Bit(zip_strerror(archive));
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(size), '\0');
    zip_int64_t done = 0;
    zip_int64_t got = 1;
    // Reading on to the end makes libzip compare the entry's checksum.
    while (done < size &&
           (got = zip_fread(file, bytes.data() + done, zip_uint64_t(size - done))) > 0)
        done += got;
    char beyond = 0;
    const bool whole = done == size && got >= 0 && zip_fread(file, &beyond, 1) == 0;
    if (!whole)
        *reason = QString::fromLocal8Bit(zip_file_strerror(file));
    zip_fclose(file);
    if (!whole)
        return std::nullopt;
    return bytes;
}

// Every file entry of an open archive, or nullopt with the reason.
std::optional<QList<Entry>> entriesOf(zip_t *archive, QString *reason)
{
    QList<Entry> entries;
    qint64 total = 0;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) < 0 ||
            !(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_NAME) ||
            qint64(stat.size) > kMaxEntrySize || (total += qint64(stat.size)) > kMaxTotalSize) {
            *reason = QStringLiteral("Eintrag %1").arg(index + 1);
            return std::nullopt;
        }
        const QString name = QString::fromUtf8(stat.name);
        const std::optional<QByteArray> content =
            readEntry(archive, zip_uint64_t(index), qint64(stat.size), reason);
        if (!content) {
            *reason = name + QStringLiteral(": ") + *reason;
            return std::nullopt;
        }
        if (!name.endsWith(QLatin1Char('/')))
            entries.append({name, *content,
                            (stat.valid & ZIP_STAT_MTIME)
                                ? QDateTime::fromSecsSinceEpoch(stat.mtime)
                                : QDateTime()});
    }
    return entries;
}

void collectFolder(const QString &folder, const QString &year, QList<Entry> &entries,
                   QStringList &unreadable)
{
    const QStringList names = QDir(folder).entryList(
        {QStringLiteral("*.tab"), QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        Entry entry;
        entry.name = kGalleryEntryFolder + year + QLatin1Char('/') + name;
        entry.modified = QFileInfo(folder + name).lastModified();
        if (readWhole(folder + name, &entry.bytes))
            entries.append(entry);
        else
            unreadable.append(year + QLatin1Char('/') + name);
    }
}

} // namespace

std::optional<QList<Entry>> collect(const QString &galleryFolder, const QString &settingsFile,
                                    QString *problem)
{
    static const QRegularExpression yearName(QStringLiteral("^\\d{4}$"));
    const QString gallery = DataFolders::withTrailingSlash(galleryFolder);
    QList<Entry> entries;
    QStringList unreadable;
    for (const QString &year :
         QDir(gallery).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (yearName.match(year).hasMatch())
            collectFolder(gallery + year + QLatin1Char('/'), year, entries, unreadable);
    }
    Entry settings{kSettingsEntry, {}, QFileInfo(settingsFile).lastModified()};
    if (QFileInfo::exists(settingsFile)) {
        if (readWhole(settingsFile, &settings.bytes))
            entries.append(settings);
        else
            unreadable.append(QDir::toNativeSeparators(settingsFile));
    }
    if (!unreadable.isEmpty()) {
        if (problem)
            *problem = QStringLiteral("Diese Dateien lassen sich nicht lesen, darum wurde keine "
                                      "Sicherungskopie erstellt:\r\n") +
                       unreadable.join(QStringLiteral("\r\n"));
        return std::nullopt;
    }
    return entries;
}

QString write(const QString &zipPath, const QList<Entry> &entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t *archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    if (!archive) {
        const QString reason = libzipError(&error);
        zip_source_free(buffer);
        zip_error_fini(&error);
        return QStringLiteral("Die Sicherungskopie lässt sich nicht anlegen: ") + reason;
    }
    zip_source_keep(buffer); // its content is read after the archive is closed
    bool added = true;
    for (const Entry &entry : entries)
        added = added && addEntry(archive, entry);
    const bool closed = added && zip_close(archive) == 0;
    QString reason;
    if (!closed) {
        reason = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
    }
    const std::optional<QByteArray> bytes = closed ? bufferContent(buffer) : std::nullopt;
    zip_source_free(buffer);
    zip_error_fini(&error);
    if (!bytes)
        return QStringLiteral("Die Sicherungskopie lässt sich nicht anlegen: ") + reason;
    QString writeError;
    if (!TextFile::writeBytes(zipPath, *bytes, &writeError))
        return QStringLiteral("Die Sicherungskopie ") + quoted(QDir::toNativeSeparators(zipPath)) +
               QStringLiteral(" lässt sich nicht schreiben: ") + writeError;
    return QString();
}

std::optional<QList<Entry>> read(const QString &zipPath, QString *problem)
{
    const auto fail = [problem](const QString &reason) {
        if (problem)
            *problem = reason;
        return std::nullopt;
    };
    QByteArray bytes;
    if (QFileInfo(zipPath).size() > kMaxTotalSize)
        return fail(damaged(zipPath, QStringLiteral("zu groß")));
    if (!readWhole(zipPath, &bytes))
        return fail(QStringLiteral("Die Datei ") + quoted(QDir::toNativeSeparators(zipPath)) +
                    QStringLiteral(" lässt sich nicht lesen."));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_t *archive =
        source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!archive) {
        const QString reason = libzipError(&error);
        zip_source_free(source);
        zip_error_fini(&error);
        return fail(damaged(zipPath, reason));
    }
    zip_error_fini(&error);
    QString reason;
    std::optional<QList<Entry>> entries = entriesOf(archive, &reason);
    zip_discard(archive);
    if (!entries)
        return fail(damaged(zipPath, reason));
    if (entries->isEmpty())
        return fail(damaged(zipPath, QStringLiteral("keine Dateien darin")));
    return entries;
}

} // namespace GalleryArchive
