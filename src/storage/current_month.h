#pragma once

#include "journal/month_file.h"
#include "stats/month_statistics.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The month the main window shows: where its file lies, whose month it is,
// the entry lines the list cannot show and the month's statistics. Every
// path the window writes the month or its remark to comes from here.
class CurrentMonth
{
public:
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
    void startNewMonth()
    {
        m_weightMean = 0;
        m_keptApartProblem.clear();
    }

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

private:
    QString m_galleryFolder;
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
};
