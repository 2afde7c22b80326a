#pragma once

#include "journal/medication.h"

#include <QDateTime>
#include <QString>

// The medication file of a user: "<gallery><user>_Medikamente.txt", beside
// the year folders, so that no reader of months and remarks takes it for one.
namespace MedicationStore {

inline const QString kSuffix = QStringLiteral("_Medikamente.txt");

QString filePath(const QString &galleryFolder, const QString &user);
// Whether a file name (no folder) is the medication file of some user.
bool isMedicationFileName(const QString &fileName);

struct Loaded
{
    MedicationFile::Plan plan; // empty when there is no file
    bool exists = false;
    // Set when the file cannot be read or is no medication file of this
    // version: then it is shown as far as possible but never replaced.
    QString problem;
};

Loaded load(const QString &galleryFolder, const QString &user);

// Every entry that can be read: none without a file; what a damaged file
// still holds. For the report, the pages and the exports.
QList<Medication> medicationsOf(const QString &galleryFolder, const QString &user);

struct Saved
{
    QString problem;        // the file was not written: why, in German
    QString versionProblem; // the file was written, its earlier content not kept
};

// Keeps the present content as a version, then replaces the file. A name,
// strength or note with a character that Windows-1252 cannot hold is refused
// before anything is written: the file would hold a '?' instead.
Saved save(const QString &galleryFolder, const QString &user, const MedicationFile::Plan &plan,
           const QDateTime &now);

} // namespace MedicationStore
