#include "storage/gallery_archive.h"

#include "base/german_quotes.h"
#include "base/text_file.h"
#include "storage/data_folders.h"
#include "storage/medication_store.h"

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

// The refusal of a backup file, with the German sentence that says why.
QString refused(const QString &zipPath, const QString &reason)
{
    return QStringLiteral("Die Sicherungskopie ") +
           germanQuoted(QDir::toNativeSeparators(zipPath)) +
           QStringLiteral(" lässt sich nicht einlesen. ") + reason +
           QStringLiteral(" Es wurde nichts übernommen.");
}

QString isDamaged(const QString &what)
{
    return QStringLiteral("Die Datei ist beschädigt: ") + what;
}

// An entry that ends before or after the length the archive gives it.
QString lengthMismatch(const QString &member)
{
    return isDamaged(QStringLiteral("Die Länge von ") + germanQuoted(member) +
                     QStringLiteral(" passt nicht zu den Angaben im Inhaltsverzeichnis."));
}

bool readWhole(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// What went wrong while the archive was built in memory.
QString writeReason(int libzipError)
{
    if (libzipError == ZIP_ER_MEMORY)
        return QStringLiteral("Der Arbeitsspeicher reicht nicht aus.");
    return QStringLiteral("Beim Packen der Dateien ist ein unerwarteter Fehler aufgetreten "
                          "(Fehler %1 der ZIP-Bibliothek).")
        .arg(libzipError);
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

// The entry's content, or nullopt with libzip's error code in *error
// (ZIP_ER_OK when its length is not the one the archive gives it).
std::optional<QByteArray> readEntry(zip_t *archive, zip_uint64_t index, qint64 size, int *error)
{
    zip_file_t *file = zip_fopen_index(archive, index, 0);
    if (!file) {
        *error = zip_error_code_zip(zip_get_error(archive));
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
        *error = zip_error_code_zip(zip_file_get_error(file));
    zip_fclose(file);
    if (!whole)
        return std::nullopt;
    return bytes;
}

// Every file entry of an open archive, or nullopt with the German reason.
std::optional<QList<Entry>> entriesOf(zip_t *archive, QString *reason)
{
    QList<Entry> entries;
    qint64 total = 0;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(index), 0, &stat) < 0) {
            *reason = readReason(zip_error_code_zip(zip_get_error(archive)), QString());
            return std::nullopt;
        }
        if (!(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_NAME)) {
            *reason = isDamaged(QStringLiteral("Im Inhaltsverzeichnis fehlen Name oder Länge "
                                               "des %1. Eintrags.")
                                    .arg(index + 1));
            return std::nullopt;
        }
        const QString name = QString::fromUtf8(stat.name);
        if (qint64(stat.size) > kMaxEntrySize) {
            *reason = QStringLiteral("Der Inhalt von ") + germanQuoted(name) +
                      QStringLiteral(" ist zu groß für eine Sicherungskopie von Vantoria.");
            return std::nullopt;
        }
        if ((total += qint64(stat.size)) > kMaxTotalSize) {
            *reason = QStringLiteral("Entpackt wäre ihr Inhalt zu groß für eine Sicherungskopie "
                                     "von Vantoria.");
            return std::nullopt;
        }
        int error = ZIP_ER_OK;
        const std::optional<QByteArray> content =
            readEntry(archive, zip_uint64_t(index), qint64(stat.size), &error);
        if (!content) {
            *reason = error == ZIP_ER_OK ? lengthMismatch(name) : readReason(error, name);
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
    // The medication files lie beside the year folders.
    for (const QString &name : QDir(gallery).entryList(
             {QLatin1Char('*') + MedicationStore::kSuffix}, QDir::Files, QDir::Name)) {
        if (!MedicationStore::isMedicationFileName(name))
            continue;
        Entry entry{kGalleryEntryFolder + name, {}, QFileInfo(gallery + name).lastModified()};
        if (readWhole(gallery + name, &entry.bytes))
            entries.append(entry);
        else
            unreadable.append(name);
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
        const QString reason = writeReason(zip_error_code_zip(&error));
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
        reason = writeReason(zip_error_code_zip(zip_get_error(archive)));
        zip_discard(archive);
    }
    const std::optional<QByteArray> bytes = closed ? bufferContent(buffer) : std::nullopt;
    zip_source_free(buffer);
    zip_error_fini(&error);
    if (!bytes)
        return QStringLiteral("Die Sicherungskopie lässt sich nicht anlegen: ") +
               (reason.isEmpty() ? writeReason(ZIP_ER_INTERNAL) : reason);
    QString writeError;
    if (!TextFile::writeBytes(zipPath, *bytes, &writeError))
        return QStringLiteral("Die Sicherungskopie ") +
               germanQuoted(QDir::toNativeSeparators(zipPath)) +
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
        return fail(refused(zipPath, QStringLiteral("Die Datei ist zu groß für eine "
                                                    "Sicherungskopie von Vantoria.")));
    if (!readWhole(zipPath, &bytes))
        return fail(QStringLiteral("Die Datei ") + germanQuoted(QDir::toNativeSeparators(zipPath)) +
                    QStringLiteral(" lässt sich nicht lesen."));
    if (bytes.isEmpty())
        return fail(refused(zipPath, QStringLiteral("Die Datei ist leer.")));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_t *archive =
        source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!archive) {
        const QString reason = readReason(zip_error_code_zip(&error), QString());
        zip_source_free(source);
        zip_error_fini(&error);
        return fail(refused(zipPath, reason));
    }
    zip_error_fini(&error);
    QString reason;
    std::optional<QList<Entry>> entries = entriesOf(archive, &reason);
    zip_discard(archive);
    if (!entries)
        return fail(refused(zipPath, reason));
    if (entries->isEmpty())
        return fail(refused(zipPath, QStringLiteral("Die ZIP-Datei enthält keine Dateien.")));
    return entries;
}

QString readReason(int libzipError, const QString &member)
{
    const QString entry = germanQuoted(member);
    const bool named = !member.isEmpty();
    switch (libzipError) {
    case ZIP_ER_CRC:
        return isDamaged(named ? QStringLiteral("Der Inhalt von ") + entry +
                                     QStringLiteral(" passt nicht zu seiner Prüfsumme.")
                               : QStringLiteral("Ein Inhalt passt nicht zu seiner Prüfsumme."));
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return isDamaged(named ? QStringLiteral("Der gepackte Inhalt von ") + entry +
                                     QStringLiteral(" lässt sich nicht entpacken.")
                               : QStringLiteral("Ein gepackter Inhalt lässt sich nicht "
                                                "entpacken."));
    case ZIP_ER_INCONS:
        return isDamaged(named ? QStringLiteral("Die Angaben zu ") + entry +
                                     QStringLiteral(" widersprechen sich.")
                               : QStringLiteral("Die Angaben ihres Inhaltsverzeichnisses "
                                                "widersprechen sich."));
    case ZIP_ER_EOF:
        return isDamaged(named ? QStringLiteral("Sie endet mitten in ") + entry + QLatin1Char('.')
                               : QStringLiteral("Sie endet zu früh."));
    case ZIP_ER_NOZIP:
        return QStringLiteral("Die Datei ist beschädigt oder keine ZIP-Datei: Das "
                              "Inhaltsverzeichnis an ihrem Ende fehlt.");
#ifdef ZIP_ER_DATA_LENGTH
    case ZIP_ER_DATA_LENGTH:
        return lengthMismatch(member);
#endif
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("Die Datei ist nur ein Teil einer auf mehrere Dateien verteilten "
                              "ZIP-Datei. Solche Dateien kann Vantoria nicht lesen.");
    case ZIP_ER_COMPNOTSUPP:
        return (named ? entry : QStringLiteral("Ein Eintrag")) +
               QStringLiteral(" ist auf eine Art gepackt, die Vantoria nicht entpacken kann.");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return (named ? entry : QStringLiteral("Ein Eintrag")) +
               QStringLiteral(" ist verschlüsselt. Verschlüsselte Sicherungskopien kann Vantoria "
                              "nicht lesen.");
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        return named ? QStringLiteral("Der Inhalt von ") + entry +
                           QStringLiteral(" lässt sich nicht lesen.")
                     : QStringLiteral("Die Datei lässt sich nicht vollständig lesen.");
    case ZIP_ER_OPEN:
        return QStringLiteral("Die Datei lässt sich nicht öffnen.");
    case ZIP_ER_MEMORY:
        return QStringLiteral("Der Arbeitsspeicher reicht nicht aus, um ") +
               (named ? entry : QStringLiteral("die Datei")) + QStringLiteral(" zu entpacken.");
    default:
        break;
    }
    return QStringLiteral("Beim Lesen ") +
           (named ? QStringLiteral("von ") + entry + QLatin1Char(' ') : QString()) +
           QStringLiteral("ist ein unerwarteter Fehler aufgetreten (Fehler %1 der "
                          "ZIP-Bibliothek).")
               .arg(libzipError);
}

} // namespace GalleryArchive
