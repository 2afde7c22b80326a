#pragma once

#include <QString>

// Where the program keeps its files below the data folder, and the messages
// of the folder checks. All folder paths end in '/' except the year folders.
namespace DataFolders {

QString withTrailingSlash(const QString &path);

// Folder names from the settings, '/' appended; the defaults when empty.
QString galleryFolderName(const QString &setting);
QString htmlFolderName(const QString &setting);
// The doctor's reports: "Blutdruck-Arztberichte/". No setting names it; the
// design's settings stay as they are.
QString reportFolderName();

// Creates the folder with all missing parents; true when it exists afterwards.
bool ensureFolder(const QString &path);

// "Ordner "<name>" konnte nicht erstellt werden! "
QString folderNotCreatedMessage(const QString &name);
// "HtmlOrdner "<year>" konnte nicht erstellt werden! "
QString htmlYearFolderNotCreatedMessage(const QString &year);
// "Ordner: <folder>" existiert nicht!  Das Programm wird beendet."
QString folderMissingMessage(const QString &folder);

// <user>_<mm>_<yyyy>.tab
QString monthFileName(const QString &user, const QString &month, const QString &year);
// The month file the program ended with, from its stored name: a whole path
// inside the data folder as it is; else below the data folder when a file
// lies there, else as stored.
QString lastMonthFilePath(const QString &stored, const QString &dataFolder);
// <galleryFolder><year>/<user>_<mm>_<yyyy>.tab
QString monthFilePath(const QString &galleryFolder, const QString &yearFolderName,
                      const QString &user, const QString &month, const QString &year);
// the month file path with ".txt" instead of ".tab"
QString remarkFilePath(const QString &galleryFolder, const QString &yearFolderName,
                       const QString &user, const QString &month, const QString &year);

inline const QString kHelpDocumentName = QStringLiteral("Blutdruckmesswerte-Hilfe.pdf");

// Why a user name cannot become part of a file name, or an empty text when it
// can: a '/' or the names "." and ".." would put the month file outside the
// gallery, a NUL cannot stand in a file name at all.
QString userNameProblem(const QString &name);

// Why a month read from a file's content cannot be given a place in the
// gallery, or an empty text when it can: the month must be two digits from
// 01 to 12, the year four digits and the user name one that a file name can
// hold (and not UTF-8 read as Windows-1252). Text from a hand-edited file never reaches a path
// otherwise.
QString monthPlaceProblem(const QString &user, const QString &month, const QString &year);

} // namespace DataFolders
