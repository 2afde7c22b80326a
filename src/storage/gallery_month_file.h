#pragma once

#include <QString>
#include <QStringList>

// The rules that keep a month file of the gallery whole when the window
// writes it or brings in a file opened from elsewhere, with their messages.
namespace GalleryMonthFile {

// Why `content` must not replace the file at `path`: a line of it holds a
// character the month file cannot hold, or the file holds a reading the
// content drops (other than `takenOutLine`, the one entry an edit takes out),
// or it cannot be read. Empty when the write may go ahead.
QString lossRefusal(const QString &path, const QStringList &content,
                    const QString &takenOutLine = QString());

// What became of a file opened from elsewhere whose month belongs at
// `galleryPath`.
enum class Copy {
    Made,         // the gallery had no file of the month: it has a copy now
    AlreadyThere, // the gallery's file has the same bytes
    Differs,      // the gallery's file holds other readings; nothing was copied
};
Copy copyInto(const QString &openedPath, const QString &galleryPath);

// "Die Datei "…" wird nur angezeigt …: <problem>"
QString shownOnlyMessage(const QString &path, const QString &problem);

// Why a file opened from elsewhere is only shown: the gallery's file of its
// month at `galleryPath` holds other readings.
QString galleryHoldsOtherReadingsProblem(const QString &galleryPath);

} // namespace GalleryMonthFile
