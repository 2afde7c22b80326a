#pragma once

#include "storage/gallery_archive.h"
#include "storage/gallery_merge.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>

// Brings a backup file back into the gallery without overwriting anything.
// The readings of its months go through the same merge as an import: into
// the user's month files, each in its own slot, readings already stored
// counted and skipped. A month the gallery lacks comes back as the backup
// holds it, byte for byte. A remark comes back only where the month has
// none; a different remark of the gallery stays, and so does a medication
// file the gallery already has. The backup's settings are
// never read in: the settings in use stay as they are.
namespace BackupRestore {

struct UserPlan
{
    QString user;
    GalleryMerge::Plan merge;
};

struct Plan
{
    QList<UserPlan> users;
    QHash<QString, QByteArray> monthBytes;   // the backup's month files by their gallery path
    QList<GalleryArchive::Entry> newRemarks; // name: the gallery path
    int remarksPresent = 0;                  // the gallery holds the same remark
    int remarksDiffering = 0; // the gallery holds another remark for that month: it stays
    // The medication files, like the remarks: only where the gallery has none.
    QList<GalleryArchive::Entry> newMedicationFiles; // name: the gallery path
    int medicationFilesPresent = 0;
    int medicationFilesDiffering = 0;
    int otherFiles = 0; // entries that are no month, remark or medication file
    bool hasSettings = false;

    int added() const;
    int present() const;
    int unplaced() const;
};

Plan plan(const QList<GalleryArchive::Entry> &entries, const QString &galleryFolder,
          const std::array<QString, 4> &slotTimes);

// What the plan would do, month by month, for the question before it runs.
QString previewText(const Plan &plan);
// "123 Messungen übernommen, 4 schon vorhanden, …"
QString summaryText(const Plan &plan);

struct Result
{
    QString problem;        // the first file that could not be written
    QString versionProblem; // the first version that could not be kept
    QStringList written;    // the gallery files written
};

Result apply(const Plan &plan, const QString &galleryFolder);

} // namespace BackupRestore
