#include "storage/gallery_month_file.h"

#include "base/german_quotes.h"
#include "base/text_file.h"
#include "journal/month_file.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool sameContent(const QString &first, const QString &second)
{
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return false;
    return a.size() == b.size() && a.readAll() == b.readAll();
}

QString quotedFileName(const QString &path)
{
    return germanQuoted(QFileInfo(path).fileName());
}

} // namespace

QString GalleryMonthFile::lossRefusal(const QString &path, const QStringList &content,
                                      const QString &takenOutLine)
{
    // Read from a file with a byte-order mark, a line may hold what the
    // program's code page cannot: written, it would silently become '?'.
    if (const QString problem = MonthFile::linesCodePageProblem(content); !problem.isEmpty())
        return QStringLiteral("Die Tabelle ") + quotedFileName(path) +
               QStringLiteral(" wird nicht gespeichert: ") + problem;
    if (!QFileInfo::exists(path))
        return QString();
    // The file may hold readings the list does not (another program, a hand
    // edit, a month that failed to load): never write them away.
    const std::optional<QStringList> stored = TextFile::readLines(path);
    if (!stored)
        return QStringLiteral("Die Tabelle ") + quotedFileName(path) +
               QStringLiteral(" lässt sich nicht lesen und wird darum nicht überschrieben.");
    const QStringList lost = MonthFile::readingsLost(*stored, content, takenOutLine);
    if (lost.isEmpty())
        return QString();
    return QStringLiteral("Die Tabelle ") + quotedFileName(path) +
           QStringLiteral(" wird nicht überschrieben, weil dabei diese gespeicherte Messung "
                          "verloren ginge:\r\n") +
           lost.constFirst() + QStringLiteral("\r\nBitte öffnen Sie die Tabelle neu.");
}

GalleryMonthFile::Copy GalleryMonthFile::copyInto(const QString &openedPath,
                                                  const QString &galleryPath)
{
    // Never replacing a file that is already there.
    if (!QFileInfo::exists(galleryPath)) {
        QFile::copy(openedPath, galleryPath);
        return Copy::Made;
    }
    return sameContent(openedPath, galleryPath) ? Copy::AlreadyThere : Copy::Differs;
}

QString GalleryMonthFile::shownOnlyMessage(const QString &path, const QString &problem)
{
    return QStringLiteral("Die Datei ") + germanQuoted(path) +
           QStringLiteral(
               " wird nur angezeigt und weder in die Galerie kopiert noch gespeichert: ") +
           problem;
}

QString GalleryMonthFile::galleryHoldsOtherReadingsProblem(const QString &galleryPath)
{
    return QStringLiteral("In Ihrer Galerie gibt es schon die Tabelle ") +
           quotedFileName(galleryPath) +
           QStringLiteral(" mit anderen Einträgen. Sie bleibt unverändert; die gewählte Datei "
                          "ebenso.");
}
