#pragma once

#include "journal/reading.h"
#include "storage/gallery_merge.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// Conflict copies that file-sync tools leave beside a month file or remark
// when two computers changed it before their files met: finding the user's
// copies in the year folders, a preview of what the copy adds, the merge
// that never changes a stored reading, and the move of the copy into the
// versions folder, where it is kept and never deleted.
namespace ConflictCopies {

enum class Tool { Syncthing, Nextcloud, Dropbox };

struct Name
{
    QString original; // the name of the file the copy was made of
    Tool tool;
};
// What a file name says when a sync tool made it as a conflict copy;
// nullopt for every other name.
std::optional<Name> parseName(const QString &fileName);

struct Copy
{
    QString path;         // the conflict copy
    QString originalPath; // the month file or remark beside it
    Tool tool = Tool::Syncthing;
    bool remark = false; // ".txt"
    int month = 0;
    int year = 0;
};
// The conflict copy `fileName` in the year folder `yearFolder` (ending in
// '/') as one of `user`'s month files or remarks of that year; nullopt for
// every other file.
std::optional<Copy> copyOf(const QString &yearFolder, const QString &fileName, const QString &user);
// The user's conflict copies in the year folders of the gallery, in month
// order, month files before remarks.
QList<Copy> find(const QString &galleryFolder, const QString &user);

// What a month's copy holds against its month file.
struct MonthPreview
{
    Copy copy;
    bool copyUnreadable = false;
    QList<Reading> onlyInCopy; // go into free slots of their day
    QList<Reading> inBoth;     // the month file holds them already
    QList<Reading> unplaced;   // every slot of their day is taken
    GalleryMerge::Plan plan;
};
MonthPreview previewMonth(const Copy &copy, const QString &galleryFolder, const QString &user,
                          const std::array<QString, 4> &slotTimes);

// Writes the readings only the copy holds into the month (its earlier
// content kept as a version first), then moves the copy away. Returns the
// German reason of a failure, or an empty text; *versionProblem as
// GalleryMerge::apply gives it.
QString mergeMonth(const MonthPreview &preview, const QString &galleryFolder, const QString &user,
                   QString *movedTo = nullptr, QString *versionProblem = nullptr);

enum class RemarkChoice { KeepOriginal, TakeCopy, Both };
// The remark as the user chose it: one text, or both joined by a blank line.
QStringList chosenRemark(const QStringList &original, const QStringList &copy, RemarkChoice choice);
// Writes the chosen remark (its earlier text kept as a version first) and
// moves the copy away. Returns the German reason of a failure, or empty.
QString mergeRemark(const Copy &copy, RemarkChoice choice, const QString &galleryFolder,
                    QString *movedTo = nullptr, QString *versionProblem = nullptr);

// Moves the copy into "<gallery>Sicherungen/<year>/" under its own name;
// a file of that name already there gives "_2", "_3" … before the
// extension, and nothing is ever overwritten. Returns the new path, or
// nullopt with the German reason in *problem.
std::optional<QString> moveAway(const Copy &copy, const QString &galleryFolder,
                                QString *problem = nullptr);

// "2 Konfliktkopien gefunden – Datei → Konflikte zusammenführen …"
QString foundMessage(qsizetype count);

} // namespace ConflictCopies
