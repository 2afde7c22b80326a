#pragma once

#include "base/conversion_error.h"
#include "journal/entry_line.h"
#include "journal/month_file.h"
#include "stats/month_statistics.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// The month the main window shows: where its file lies, whose month it is,
// its entry lines as the list shows them, the lines the list cannot show
// and the month's statistics. It makes every file, folder and version of
// the month and its remark; its commands show nothing but return what the
// user is to hear, and the window shows the month as this holds it.
class QFileSystemWatcher;

class OpenMonth : public QObject
{
    Q_OBJECT

public:
    explicit OpenMonth(QObject *parent = nullptr);

    // What a command has to tell, in the order the user hears it.
    struct Notice
    {
        enum class Kind {
            Plain,
            Information,
            Warning,
            VersionProblem, // no earlier version could be kept; told once per run
        };
        Kind kind;
        QString text;
        bool operator==(const Notice &) const = default;
    };
    using Notices = QList<Notice>;

    struct LoadResult
    {
        // The file's header; of a file that could not be read, what its
        // name says, without a user.
        MonthFile::Header header;
        bool read = false;
        Notices notices; // the read failure, or why the month is only shown
        bool hasWeights = false;
        // A value that does not convert: the day table's ends the load before
        // the month takes its place, the statistics' after it.
        std::optional<ConversionError> tableFailure;
        std::optional<ConversionError> collectFailure;
    };

    struct AddResult
    {
        Notices notices;
        // The file's lines once written and read back; nullopt when the write
        // was refused or failed, or the file could not be read back.
        std::optional<QStringList> written;
    };

    struct SaveResult
    {
        enum class Outcome {
            ShownOnly, // the month has no place in the gallery: nothing written
            Refused,   // the write would lose readings, or it failed
            Written,   // written, or the file held these lines already
        };
        Outcome outcome = Outcome::Refused;
        Notices notices;
    };

    struct RemarkResult
    {
        bool written = false;
        Notices notices;
    };

    // --- the month's commands; each change sends changed() once ---------
    // Reads the month file at `path`; `onShown` sees each line the list
    // shows before the month it names becomes the open month.
    LoadResult load(const QString &path,
                    const std::function<void(const QString &)> &onShown = nullptr);
    // The gallery's file of the typed month, when the list is empty and the
    // gallery holds one: the add joins its readings instead of replacing
    // them. `refusal` tells why it cannot be read.
    struct Joined
    {
        QString path;
        QString refusal;
    };
    std::optional<Joined> monthToJoin(const QString &month, const QString &year) const;
    // Adds a typed reading to the month taken by takeTypedMonth(), writes the
    // month to its year folder and reads it back.
    AddResult add(const EntryLine::Fields &reading, const std::array<bool, 4> &slotSwitches);
    // Takes the line at `row` out of the list; the next save writes the
    // month without it. Returns the line as the list showed it.
    QString takeOut(qsizetype row);
    // Writes the month to its place in the gallery. The save that ends an
    // add passes the lines the add wrote: an unchanged month is not written
    // again. `takenOutLine` is the entry line an edit took out on purpose.
    SaveResult save(const std::array<bool, 4> &slotSwitches,
                    const QString &takenOutLine = QString(),
                    const QStringList *fileHolds = nullptr);
    // Writes a remark file of the gallery, an earlier version kept first.
    RemarkResult saveRemark(const QString &path, const QStringList &lines);

    // The lines the list shows, in file order.
    const QStringList &lines() const { return m_lines; }
    // The folder below which a year folder for the charts is made at every add.
    void setHtmlFolder(const QString &folder) { m_htmlFolder = folder; }
    const QString &htmlFolder() const { return m_htmlFolder; }

    void setGalleryFolder(const QString &folder) { m_galleryFolder = folder; }
    const QString &galleryFolder() const { return m_galleryFolder; }

    const QString &path() const { return m_path; }
    // The file to open at the next start: the open month's, or, while that
    // is only shown, the last one before it that had its place in the
    // gallery (empty when there was none in this run).
    QString lastFileToReopen() const
    {
        return m_placeProblem.isEmpty() ? m_path : m_lastPathInGallery;
    }
    const QString &userName() const { return m_userName; }
    void setUserName(const QString &name) { m_userName = name; }
    const QString &month() const { return m_month; } // two digits; empty before any entry
    const QString &year() const { return m_year; }
    const QString &monthName() const { return m_monthName; }
    const QString &lastEntryLine() const { return m_lastEntryLine; }
    const QString &lastWeightText() const { return m_lastWeightText; }
    // Why the month has no place in the gallery; empty when it has one.
    const QString &placeProblem() const { return m_placeProblem; }
    const MonthStatistics &statistics() const { return m_statistics; }
    MonthStatistics &statistics() { return m_statistics; }
    long double weightMean() const { return m_weightMean; }

    // A new or opened month starts without the weights of the one before.
    void forgetWeights(const QString &lastWeightText);
    void forgetWeightMean() { m_weightMean = 0; }
    // "neu erstellen": the next entry decides the month, without the weight
    // mean or the refusals of the month shown before.
    void startNewMonth();

    // --- loading ---------------------------------------------------------
    // Remembers `path` as the month's file and reads it.
    MonthFile::ReadResult startLoad(const QString &path);
    // The header's user becomes the month's user when a path can hold the name.
    void takeUserName(const MonthFile::Header &header);
    // The lines the list shows. `onShown` sees each one before the month
    // it names becomes the open month, as the date fields take it.
    QStringList takeEntryLines(const QStringList &fileLines,
                               const std::function<void(const QString &)> &onShown);
    // Takes the last weight and the weight mean; false when the month has no
    // weight. Throws the day table's conversion failure.
    bool takeWeights();

    enum class Place {
        ShownOnly,           // no place in the gallery (placeProblem() says why)
        InGallery,           // the file is the gallery's, or has nothing to keep
        OpenedFromElsewhere, // the gallery keeps a copy at path()
    };
    Place placeInGallery(const QString &loadedPath, bool hasEntries);
    // The gallery's file of the month holds other readings: the loaded file
    // is only shown, and no typed entry gives it a place.
    void keepApartFromGallery();

    // --- writing ---------------------------------------------------------
    // The month and year of a typed entry become the open month's.
    void takeTypedMonth(const QString &month, const QString &year);
    // Settles the month in its year folder of the gallery (the add).
    void settleInYearFolder();
    // Moves the month's file to its place in the gallery (every save).
    void moveToGalleryPlace();
    // The file as the program writes it, from the list's lines.
    QStringList fileContent(const std::array<bool, 4> &slotSwitches,
                            const QStringList &listLines) const;
    // The year folder of the gallery the month is saved in.
    const QString &yearFolderName() const { return m_yearFolderName; }
    // Makes the year folder of the open month, which follows its year once
    // the month has a place in the gallery. The problem when it cannot be
    // made, told once: closing the message repaints the window, and telling
    // it at every paint would never let the user out.
    QString ensureYearFolder();
    // The remark file the month's remark is written to.
    QString remarkSavePath() const;
    // The remark file stored beside the loaded month file.
    QString storedRemarkPath() const { return m_remarkBase + QStringLiteral(".txt"); }
    bool hasStoredRemarkBase() const { return !m_remarkBase.isEmpty(); }

    // A command of the window that writes files through another service (an
    // import, a backup) holds the watch while it runs and names what it
    // wrote: those are the program's own writes, never news. A change by
    // another program found meanwhile is told when the hold ends.
    class OwnWrites
    {
    public:
        explicit OwnWrites(const OpenMonth &month);
        ~OwnWrites();
        OwnWrites(const OwnWrites &) = delete;
        OwnWrites &operator=(const OwnWrites &) = delete;
        void wrote(const QStringList &paths) { m_paths += paths; }

    private:
        OpenMonth &m_month;
        QStringList m_paths;
    };

    // The month file and remark as this month last read or wrote them; a
    // change on disk that differs from it is another program's.
    const QHash<QString, std::optional<QByteArray>> &knownOnDisk() const { return m_known; }

signals:
    void changed();
    // Another program (a sync tool, an editor) changed the month file or the
    // remark at `path`: what it holds now differs from what this month last
    // read or wrote there. The month's own writes never send it.
    void changedOnDisk(const QString &path);

private:
    std::optional<QStringList> writeMonthFile(const std::array<bool, 4> &slotSwitches,
                                              const QString &failureMessage, Notices &notices,
                                              const QString &takenOutLine = QString(),
                                              const QStringList *fileHolds = nullptr);
    void copyIntoGallery(const QString &loadedPath, Notices &notices);
    void ensureYearFolders(Notices &notices) const;
    bool readBackWritten();
    // Remembers what the month's files hold now and watches them.
    void watchFiles();
    // After the month's own write to `path`: what it holds is no news.
    void noteWritten(const QString &path);
    void rewatch();
    void checkDisk();

    QString m_galleryFolder;
    QString m_htmlFolder;
    QStringList m_lines;
    QString m_path;
    QString m_lastPathInGallery;
    QString m_remarkBase;
    QString m_userName;
    QString m_month;
    QString m_year;
    QString m_monthName;
    QString m_yearFolderName;
    QString m_yearFolderProblemTold;
    QString m_lastEntryLine;
    QString m_lastWeightText;
    // The lines the list cannot show, written back unchanged, each after the
    // shown line it followed in the file.
    struct KeptLine
    {
        qsizetype shownBefore; // how many shown lines stood before it
        QString line;
    };
    QList<KeptLine> m_unshownLines;
    QStringList m_shownAtLoad; // the shown lines in file order
    QString m_placeProblem;
    QString m_keptApartProblem; // the loaded file's, until the next load
    MonthStatistics m_statistics;
    long double m_weightMean = 0;
    // Made at the first watch; sync tools replace a file by renaming another
    // over it, which ends its watch, so its folder is watched as well.
    QFileSystemWatcher *m_watcher = nullptr;
    QHash<QString, std::optional<QByteArray>> m_known; // nullopt: no file
    int m_ownWritesHeld = 0;
    bool m_checkHeld = false;
};
