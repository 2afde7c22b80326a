#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// Earlier versions of the month and remark files, kept before a file is
// replaced so that a wrong edit, a wrong import or a hand edit can be
// undone: "<gallery>Sicherungen/<year>/<file>.<yyyy-MM-dd_HH-mm-ss>", a
// second version within the same second with "_2", "_3" appended. Every
// version is written with the same safe replacement as the files
// themselves. The time is passed in, so tests choose the clock.
namespace Versions {

inline const QString kFolderName = QStringLiteral("Sicherungen");
// The versions of the medication files: "<gallery>Sicherungen/Medikamente/".
inline const QString kMedicationFolderName = QStringLiteral("Medikamente");

struct Version
{
    QString path;
    QDateTime time;
};

// The folder of a gallery file's versions, ending in '/'; empty when the
// file does not lie in a year folder of the gallery and is no medication
// file beside them.
QString folderOf(const QString &galleryFolder, const QString &file);

// The versions of a file, oldest first.
QList<Version> of(const QString &galleryFolder, const QString &file);

// Before `file` is replaced by `nextLines`: keeps its present content as a
// version and prunes the file's older versions. Nothing is kept for a file
// that does not exist yet, nor when nothing would be lost: a month whose
// readings and header stay the same (blanks aside), a remark whose text
// stays the same. Returns the German reason when the version could not be
// written, an empty text otherwise; the caller goes on with its save.
QString keepBefore(const QString &galleryFolder, const QString &file, const QStringList &nextLines,
                   const QDateTime &now);

// Makes a version the file's content. The present content first becomes a
// version itself, so a restore can be undone; when that fails, nothing is
// replaced. Returns the German reason of a failure, or an empty text.
QString restore(const QString &galleryFolder, const QString &file, const QString &versionPath,
                const QDateTime &now);

} // namespace Versions
