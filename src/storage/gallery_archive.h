#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The whole gallery in one ZIP file (through libzip): every month and
// remark file of the year folders as "Blutdruck-Daten-Galerie/<year>/<file>",
// the medication files beside them as "Blutdruck-Daten-Galerie/<file>" and
// the settings file as "Einstellungen/Vantoria.conf". The versions are
// left out: they are backups themselves.
namespace GalleryArchive {

inline const QString kGalleryEntryFolder = QStringLiteral("Blutdruck-Daten-Galerie/");
inline const QString kSettingsEntry = QStringLiteral("Einstellungen/Vantoria.conf");

struct Entry
{
    QString name; // '/'-separated, relative
    QByteArray bytes;
    QDateTime modified; // invalid: unknown
};

// The files a backup holds. nullopt, with the German reason in *problem,
// when one of them cannot be read: a backup must not miss a month unseen.
std::optional<QList<Entry>> collect(const QString &galleryFolder, const QString &settingsFile,
                                    QString *problem);

// Builds the archive in memory and writes it with the safe replacement of
// every other file. Returns the German reason of a failure, or an empty text.
QString write(const QString &zipPath, const QList<Entry> &entries);

// Reads every entry of an archive whole, checking each entry's checksum.
// nullopt, with the German reason in *problem, when the file cannot be read
// or the archive is damaged; then nothing of it may be used.
std::optional<QList<Entry>> read(const QString &zipPath, QString *problem);

// The German sentence for libzip's error code `libzipError` (ZIP_ER_*) met
// while reading a backup file; `member` names the entry it concerns, or is
// empty where the archive as a whole is at fault.
QString readReason(int libzipError, const QString &member);

} // namespace GalleryArchive
