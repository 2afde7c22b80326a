#include "storage/open_month.h"

#include "base/conversion_error.h"
#include "base/text_file.h"
#include "journal/entry_line.h"
#include "journal/slots.h"
#include "storage/data_folders.h"
#include "storage/gallery_month_file.h"
#include "storage/versions.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>

namespace {

std::optional<QByteArray> bytesOnDisk(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

OpenMonth::OpenMonth(QObject *parent)
    : QObject(parent)
{}

void OpenMonth::startNewMonth()
{
    m_weightMean = 0;
    m_keptApartProblem.clear();
    m_lines.clear();
    m_known.clear();
    rewatch();
    emit changed();
}

// ---------------------------------------------------------------------------
// The month's commands

OpenMonth::LoadResult OpenMonth::load(const QString &path,
                                      const std::function<void(const QString &)> &onShown)
{
    LoadResult result;
    const MonthFile::ReadResult read = startLoad(path);
    m_lines.clear();
    if (!read.lines) {
        // The title and the slot switches name the month that failed; the
        // user stays, as no reading of that file is taken.
        result.header = MonthFile::readHeaderOfUntakenFile(path);
        result.header.userName.clear();
        result.notices.append(
            {Notice::Kind::Warning, read.refusal.isEmpty()
                                        ? QStringLiteral("Fehler beim Lesen der Datei: ") + path
                                        : read.refusal});
        watchFiles();
        emit changed();
        return result;
    }
    result.read = true;
    result.header = MonthFile::readHeader(*read.lines);
    takeUserName(result.header);
    // A value that does not convert stops the statistics at its line, but not
    // the reading of the file: the list gets every line and the month its
    // place in the gallery, so that the next save cannot drop readings.
    m_lines = takeEntryLines(
        *read.lines, onShown ? onShown : [](const QString &) {});
    result.collectFailure = m_statistics.collectFailure();
    if (!result.collectFailure) {
        result.tableFailure = m_statistics.tableFailure();
        if (result.tableFailure) {
            watchFiles();
            emit changed();
            return result;
        }
        result.hasWeights = takeWeights();
    }
    const bool hasEntries = !m_lines.isEmpty();
    switch (placeInGallery(path, hasEntries)) {
    case Place::ShownOnly:
        if (hasEntries)
            result.notices.append(
                {Notice::Kind::Warning, GalleryMonthFile::shownOnlyMessage(path, m_placeProblem)});
        break;
    case Place::InGallery:
        break;
    case Place::OpenedFromElsewhere:
        copyIntoGallery(path, result.notices);
        break;
    }
    watchFiles();
    emit changed();
    return result;
}

void OpenMonth::copyIntoGallery(const QString &loadedPath, Notices &notices)
{
    // Opened from elsewhere or under another name: keep a copy in its place
    // in the gallery.
    if (!DataFolders::ensureFolder(m_galleryFolder + m_yearFolderName))
        notices.append({Notice::Kind::Plain, DataFolders::folderNotCreatedMessage(m_year)});
    if (GalleryMonthFile::copyInto(loadedPath, m_path) != GalleryMonthFile::Copy::Differs)
        return;
    // The gallery already holds this month with other readings: working on
    // the chosen lines would overwrite them at the next save. The chosen
    // file is shown as it is, and both files stay untouched.
    keepApartFromGallery();
    notices.append(
        {Notice::Kind::Warning, GalleryMonthFile::shownOnlyMessage(loadedPath, m_placeProblem)});
}

std::optional<OpenMonth::Joined> OpenMonth::monthToJoin(const QString &month,
                                                        const QString &year) const
{
    if (!m_lines.isEmpty())
        return std::nullopt;
    const QString path = DataFolders::monthFilePath(m_galleryFolder, year, m_userName, month, year);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    Joined joined{path, QString()};
    if (!TextFile::readLines(path))
        joined.refusal = QStringLiteral("Fehler beim Lesen der Datei: ") + path;
    return joined;
}

OpenMonth::AddResult OpenMonth::add(const EntryLine::Fields &reading,
                                    const std::array<bool, 4> &slotSwitches)
{
    AddResult result;
    // In the list's own form, as the load will show it: the month is written
    // once as it stays, and the save that closes the add finds it unchanged.
    const QString entry = EntryLine::build(reading);
    m_lines.append(EntryLine::toDisplayLine(entry).value_or(entry));
    m_lines = EntryLine::sortLines(m_lines);
    settleInYearFolder();
    ensureYearFolders(result.notices);
    const std::optional<QStringList> written = writeMonthFile(
        slotSwitches, QStringLiteral("Fehler beim Erzeugen der Datei ") + m_path, result.notices);
    if (written) {
        if (readBackWritten())
            result.written = written;
        else
            result.notices.append(
                {Notice::Kind::Warning, QStringLiteral("Fehler Lesen der Datei!")});
    }
    emit changed();
    return result;
}

void OpenMonth::ensureYearFolders(Notices &notices) const
{
    if (!DataFolders::ensureFolder(m_galleryFolder + m_year))
        notices.append({Notice::Kind::Plain, DataFolders::folderNotCreatedMessage(m_year)});
    if (!DataFolders::ensureFolder(m_htmlFolder + m_year))
        notices.append({Notice::Kind::Plain, DataFolders::htmlYearFolderNotCreatedMessage(m_year)});
}

bool OpenMonth::readBackWritten()
{
    const std::optional<QStringList> readBack = TextFile::readLines(m_path);
    if (!readBack) {
        m_lines.clear();
        return false;
    }
    QStringList display;
    for (const QString &line : *readBack) {
        if (EntryLine::isEntryLine(line)) {
            if (const auto shown = EntryLine::toDisplayLine(line))
                display.append(*shown);
        }
    }
    m_lines = display;
    return true;
}

QString OpenMonth::takeOut(qsizetype row)
{
    QString taken = m_lines.takeAt(row);
    emit changed();
    return taken;
}

OpenMonth::SaveResult OpenMonth::save(const std::array<bool, 4> &slotSwitches,
                                      const QString &takenOutLine, const QStringList *fileHolds)
{
    SaveResult result;
    if (!m_placeProblem.isEmpty()) {
        result.outcome = SaveResult::Outcome::ShownOnly;
        result.notices.append(
            {Notice::Kind::Warning, GalleryMonthFile::shownOnlyMessage(m_path, m_placeProblem)});
        return result;
    }
    moveToGalleryPlace();
    const QString failure = QStringLiteral("Fehler beim Erzeugen der Datei ") +
                            DataFolders::monthFileName(m_userName, m_month, m_year) +
                            QLatin1Char('!');
    result.outcome = writeMonthFile(slotSwitches, failure, result.notices, takenOutLine, fileHolds)
                         ? SaveResult::Outcome::Written
                         : SaveResult::Outcome::Refused;
    return result;
}

std::optional<QStringList> OpenMonth::writeMonthFile(const std::array<bool, 4> &slotSwitches,
                                                     const QString &failureMessage,
                                                     Notices &notices, const QString &takenOutLine,
                                                     const QStringList *fileHolds)
{
    const QStringList content = fileContent(slotSwitches, m_lines);
    // The save that ends an add finds the very lines the add just wrote.
    if (fileHolds && content == *fileHolds)
        return content;
    if (const QString refusal = GalleryMonthFile::lossRefusal(m_path, content, takenOutLine);
        !refusal.isEmpty()) {
        notices.append({Notice::Kind::Warning, refusal});
        return std::nullopt;
    }
    const QString versionProblem =
        Versions::keepBefore(m_galleryFolder, m_path, content, QDateTime::currentDateTime());
    if (TextFile::writeLines(m_path, content)) {
        noteWritten(m_path);
        // Told only once the save went through: a failed save has its own
        // message, and the file it left unchanged needs no version.
        if (!versionProblem.isEmpty())
            notices.append({Notice::Kind::VersionProblem, versionProblem});
        return content;
    }
    notices.append({Notice::Kind::Warning, failureMessage});
    return std::nullopt;
}

OpenMonth::RemarkResult OpenMonth::saveRemark(const QString &path, const QStringList &lines)
{
    RemarkResult result;
    const QString versionProblem =
        Versions::keepBefore(m_galleryFolder, path, lines, QDateTime::currentDateTime());
    QString error;
    if (!TextFile::writeLines(path, lines, &error)) {
        result.notices.append({Notice::Kind::Warning,
                               QStringLiteral("Die Bemerkung konnte nicht gespeichert werden: ") +
                                   path + QStringLiteral("\r\n") + error});
        return result;
    }
    result.written = true;
    noteWritten(path);
    if (!versionProblem.isEmpty())
        result.notices.append({Notice::Kind::VersionProblem, versionProblem});
    emit changed();
    return result;
}

// ---------------------------------------------------------------------------
// The steps of a load and a save

void OpenMonth::forgetWeights(const QString &lastWeightText)
{
    m_weightMean = 0;
    m_lastWeightText = lastWeightText;
}

MonthFile::ReadResult OpenMonth::startLoad(const QString &path)
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

void OpenMonth::takeUserName(const MonthFile::Header &header)
{
    // A name that no file name can hold, or one that climbs out of the
    // gallery, never becomes part of a path: the month stays with the
    // current user.
    if (!header.userName.isEmpty() && DataFolders::userNameProblem(header.userName).isEmpty())
        m_userName = header.userName;
}

QStringList OpenMonth::takeEntryLines(const QStringList &fileLines,
                                      const std::function<void(const QString &)> &onShown)
{
    QStringList shown;
    m_unshownLines.clear();
    m_shownAtLoad.clear();
    // Each entry line is read once, for the list and the statistics alike.
    QList<EntryLine::Parsed> entries;
    entries.reserve(fileLines.size());
    for (const QString &line : fileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        m_lastEntryLine = line;
        entries.append(EntryLine::Parsed(line));
        const std::optional<QString> display = entries.constLast().displayLine();
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
    m_statistics.recollect(entries);
    m_shownAtLoad = shown;
    return shown;
}

bool OpenMonth::takeWeights()
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

OpenMonth::Place OpenMonth::placeInGallery(const QString &loadedPath, bool hasEntries)
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

void OpenMonth::keepApartFromGallery()
{
    m_keptApartProblem = GalleryMonthFile::galleryHoldsOtherReadingsProblem(m_path);
    m_placeProblem = m_keptApartProblem;
}

void OpenMonth::takeTypedMonth(const QString &month, const QString &year)
{
    m_month = month;
    m_year = year;
    m_placeProblem = DataFolders::monthPlaceProblem(m_userName, m_month, m_year);
    if (m_placeProblem.isEmpty())
        m_placeProblem = m_keptApartProblem;
}

void OpenMonth::settleInYearFolder()
{
    m_yearFolderName = m_year;
    m_path = DataFolders::monthFilePath(m_galleryFolder, m_year, m_userName, m_month, m_year);
}

void OpenMonth::moveToGalleryPlace()
{
    m_path =
        DataFolders::monthFilePath(m_galleryFolder, m_yearFolderName, m_userName, m_month, m_year);
    m_monthName = germanMonthName(m_month.toInt());
}

QStringList OpenMonth::fileContent(const std::array<bool, 4> &slotSwitches,
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

QString OpenMonth::ensureYearFolder()
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

QString OpenMonth::remarkSavePath() const
{
    return DataFolders::remarkFilePath(m_galleryFolder, m_yearFolderName, m_userName, m_month,
                                       m_year);
}

// ---------------------------------------------------------------------------
// Changes on disk

void OpenMonth::watchFiles()
{
    m_known.clear();
    if (!m_path.isEmpty())
        m_known.insert(m_path, bytesOnDisk(m_path));
    if (hasStoredRemarkBase())
        m_known.insert(storedRemarkPath(), bytesOnDisk(storedRemarkPath()));
    if (m_placeProblem.isEmpty() && !m_month.isEmpty() && !m_year.isEmpty())
        m_known.insert(remarkSavePath(), bytesOnDisk(remarkSavePath()));
    rewatch();
}

void OpenMonth::noteWritten(const QString &path)
{
    if (!m_known.contains(path)) {
        // A first write in a new place: the month's files are others now.
        watchFiles();
        return;
    }
    m_known.insert(path, bytesOnDisk(path));
    rewatch();
}

void OpenMonth::rewatch()
{
    if (!m_watcher) {
        if (m_known.isEmpty())
            return;
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &OpenMonth::checkDisk);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &OpenMonth::checkDisk);
    }
    QSet<QString> wanted;
    for (auto it = m_known.cbegin(); it != m_known.cend(); ++it) {
        // A file replaced by a rename is no longer watched: it is added
        // again as soon as it is there.
        if (QFileInfo(it.key()).isFile())
            wanted.insert(it.key());
        const QString folder = QFileInfo(it.key()).absolutePath();
        if (QFileInfo(folder).isDir())
            wanted.insert(folder);
    }
    QStringList gone;
    for (const QString &path : m_watcher->files() + m_watcher->directories()) {
        if (!wanted.remove(path))
            gone.append(path);
    }
    if (!gone.isEmpty())
        m_watcher->removePaths(gone);
    if (!wanted.isEmpty())
        m_watcher->addPaths(QStringList(wanted.cbegin(), wanted.cend()));
}

OpenMonth::OwnWrites::OwnWrites(const OpenMonth &month)
    // The month is the window's, held as a member: the commands get it
    // const so that they cannot change it, and the hold changes only the watch.
    : m_month(const_cast<OpenMonth &>(month))
{
    ++m_month.m_ownWritesHeld;
}

OpenMonth::OwnWrites::~OwnWrites()
{
    for (const QString &path : std::as_const(m_paths)) {
        if (m_month.m_known.contains(path))
            m_month.m_known.insert(path, bytesOnDisk(path));
    }
    if (--m_month.m_ownWritesHeld == 0 && m_month.m_checkHeld)
        m_month.checkDisk();
}

void OpenMonth::checkDisk()
{
    if (m_ownWritesHeld > 0) {
        m_checkHeld = true;
        return;
    }
    m_checkHeld = false;
    rewatch();
    QStringList news;
    for (auto it = m_known.begin(); it != m_known.end(); ++it) {
        const std::optional<QByteArray> now = bytesOnDisk(it.key());
        // A file being replaced can be missing for a moment; the file that
        // then appears in the folder is news.
        if (!now || now == it.value())
            continue;
        it.value() = now;
        news.append(it.key());
    }
    for (const QString &path : news)
        emit changedOnDisk(path);
}
