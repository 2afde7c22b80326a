#include "storage/current_month.h"

#include "base/conversion_error.h"
#include "journal/entry_line.h"
#include "journal/slots.h"
#include "storage/data_folders.h"
#include "storage/gallery_month_file.h"

void CurrentMonth::forgetWeights(const QString &lastWeightText)
{
    m_weightMean = 0;
    m_lastWeightText = lastWeightText;
}

MonthFile::ReadResult CurrentMonth::startLoad(const QString &path)
{
    if (m_placeProblem.isEmpty() && !m_path.isEmpty())
        m_lastPathInGallery = m_path;
    m_remarkBase = path;
    if (const qsizetype at = m_remarkBase.indexOf(QStringLiteral(".tab")); at >= 0)
        m_remarkBase.remove(at, 4);
    if (const qsizetype at = m_remarkBase.indexOf(QStringLiteral(".TAB")); at >= 0)
        m_remarkBase.remove(at, 4);
    m_statistics.clearWeights();
    m_keptApartProblem.clear();
    m_path = path;
    return MonthFile::readLines(path);
}

void CurrentMonth::takeUserName(const MonthFile::Header &header)
{
    // A name that no file name can hold, or one that climbs out of the
    // gallery, never becomes part of a path: the month stays with the
    // current user.
    if (!header.userName.isEmpty() && DataFolders::userNameProblem(header.userName).isEmpty())
        m_userName = header.userName;
}

QStringList CurrentMonth::takeEntryLines(const QStringList &fileLines,
                                         const std::function<void(const QString &)> &onShown)
{
    QStringList shown;
    m_unshownLines.clear();
    m_shownAtLoad.clear();
    for (const QString &line : fileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        m_lastEntryLine = line;
        const std::optional<QString> display = EntryLine::toDisplayLine(line);
        if (display) {
            shown.append(*display);
            onShown(*display);
        } else {
            // The list cannot show a line that lacks a marker, but the file
            // keeps it: the next save writes it back unchanged, in its place.
            m_unshownLines.append({shown.size(), line});
        }
        if (const std::optional<EntryLine::MonthOfLine> month = EntryLine::monthOf(line)) {
            m_month = month->month;
            m_year = month->year;
            m_monthName = germanMonthName(m_month.toInt());
        }
    }
    m_statistics.recollect(fileLines);
    m_shownAtLoad = shown;
    return shown;
}

bool CurrentMonth::takeWeights()
{
    if (const std::optional<ConversionError> &failure = m_statistics.tableFailure())
        throw *failure;
    const WeightStats &weights = m_statistics.weights();
    if (weights.weightList().isEmpty())
        return false;
    m_lastWeightText = weights.weightList().constLast();
    m_weightMean = weights.mean();
    return true;
}

CurrentMonth::Place CurrentMonth::placeInGallery(const QString &loadedPath, bool hasEntries)
{
    // Month, year and name from the file's content become part of a path
    // only when they are what the program itself writes. A file without
    // entries the list can show has nothing to keep a copy of; its other
    // lines belong to that file only.
    m_placeProblem = hasEntries || !m_month.isEmpty()
                         ? DataFolders::monthPlaceProblem(m_userName, m_month, m_year)
                         : QString();
    if (!m_placeProblem.isEmpty())
        return Place::ShownOnly;
    m_yearFolderName = m_year;
    m_path = DataFolders::monthFilePath(m_galleryFolder, m_year, m_userName, m_month, m_year);
    const bool sameFile = m_path.toLower().contains(loadedPath.toLower());
    if (!hasEntries && !sameFile)
        m_unshownLines.clear();
    return !hasEntries || sameFile ? Place::InGallery : Place::OpenedFromElsewhere;
}

void CurrentMonth::keepApartFromGallery()
{
    m_keptApartProblem = GalleryMonthFile::galleryHoldsOtherReadingsProblem(m_path);
    m_placeProblem = m_keptApartProblem;
}

void CurrentMonth::takeTypedMonth(const QString &month, const QString &year)
{
    m_month = month;
    m_year = year;
    m_placeProblem = DataFolders::monthPlaceProblem(m_userName, m_month, m_year);
    if (m_placeProblem.isEmpty())
        m_placeProblem = m_keptApartProblem;
}

void CurrentMonth::settleInYearFolder()
{
    m_yearFolderName = m_year;
    m_path = DataFolders::monthFilePath(m_galleryFolder, m_year, m_userName, m_month, m_year);
}

void CurrentMonth::moveToGalleryPlace()
{
    m_path =
        DataFolders::monthFilePath(m_galleryFolder, m_yearFolderName, m_userName, m_month, m_year);
    m_monthName = germanMonthName(m_month.toInt());
}

QStringList CurrentMonth::fileContent(const std::array<bool, 4> &slotSwitches,
                                      const QStringList &listLines) const
{
    QStringList lines = MonthFile::fileLines(m_userName, germanMonthName(m_month.toInt()), m_year,
                                             slotSwitches, listLines);
    if (m_unshownLines.isEmpty())
        return lines;
    // Each kept line follows the nearest shown line before it in the file
    // that the list still holds; with none, it leads the entries.
    QList<QStringList> keptAfter(listLines.size() + 1);
    for (const KeptLine &kept : m_unshownLines) {
        qsizetype place = 0;
        for (qsizetype before = kept.shownBefore; before > 0 && place == 0; --before)
            place = listLines.indexOf(m_shownAtLoad.at(before - 1)) + 1;
        keptAfter[place].append(kept.line);
    }
    const qsizetype headerSize = lines.size() - listLines.size();
    QStringList content = lines.mid(0, headerSize);
    content.reserve(lines.size() + m_unshownLines.size());
    content += keptAfter.constFirst();
    for (qsizetype i = 0; i < listLines.size(); ++i) {
        content.append(lines.at(headerSize + i));
        content += keptAfter.at(i + 1);
    }
    return content;
}

QString CurrentMonth::ensureYearFolder()
{
    // The title also holds the user name, which may contain any digits: the
    // year comes from the open month only.
    if (m_year.size() == 4 && m_placeProblem.isEmpty())
        m_yearFolderName = m_year;
    if (m_yearFolderName.isEmpty())
        return QString();
    if (DataFolders::ensureFolder(m_galleryFolder + m_yearFolderName)) {
        m_yearFolderProblemTold.clear();
        return QString();
    }
    if (m_yearFolderProblemTold == m_yearFolderName)
        return QString();
    m_yearFolderProblemTold = m_yearFolderName;
    return DataFolders::folderNotCreatedMessage(m_yearFolderName);
}

QString CurrentMonth::remarkSavePath() const
{
    return DataFolders::remarkFilePath(m_galleryFolder, m_yearFolderName, m_userName, m_month,
                                       m_year);
}
