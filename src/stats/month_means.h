#pragma once

#include "journal/entry_line.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The means of all readings of the month, and the month-means label.
class MonthMeans
{
public:
    void clear(); // empties the value lists; texts and label stay

    // Collects one entry line and recomputes the means over everything so far.
    // Throws ConversionError for values that do not convert.
    // (EstelleMonatsMittelwert)
    void collect(const EntryLine::Parsed &line);
    // The same for a line read by its markers alone.
    void collect(const QString &entryLine) { collect(EntryLine::Parsed::byMarkers(entryLine)); }
    // The same for a line in the written form, whose value texts are these
    // numbers as QString::number writes them.
    void collectWhole(int systolic, int diastolic, int pulse);

    // Two decimals with decimal comma ("128,33"); empty while no systolic
    // value was collected. A quantity without any value stays empty too.
    const QString &systolic() const { return texts()[0]; }
    const QString &diastolic() const { return texts()[1]; }
    const QString &pulse() const { return texts()[2]; }

    // "Systole=128  Diastole=85"; empty while no systolic or no diastolic
    // mean exists.
    const QString &labelText() const;

    // The means the texts are formatted from; nullopt where the text is empty.
    const std::optional<long double> &systolicMean() const { return means()[0]; }
    const std::optional<long double> &diastolicMean() const { return means()[1]; }
    const std::optional<long double> &pulseMean() const { return means()[2]; }

    // The value texts collected so far, in their order ("120", "abc").
    const QStringList &valueList(int quantity) const;

private:
    struct Sums
    {
        // Over the leading items that converted; a value that does not
        // convert stays unconverted and fails every later line too.
        std::array<long double, 3> sums = {0, 0, 0};
        std::array<qsizetype, 3> converted = {0, 0, 0};
        // The same sums in integers, while every value came whole: their
        // means are then formatted without the decimal conversions.
        std::array<qint64, 3> wholeSums = {0, 0, 0};
        std::array<bool, 3> allWhole = {true, true, true};

        void add(std::size_t quantity, long double value, int wholeValue);
    };
    // A collected value: the text of a line read by its markers, or the whole
    // value of a line in the written form, whose text is made only when the
    // list is read.
    struct Value
    {
        QString text;
        int whole = -1; // -1 for a text
    };
    // The texts and the label over everything collected so far. They are
    // formatted only when read, since a load reads them once, after its last
    // line.
    void convertPending(); // throws for a value that does not convert
    void refresh(const Sums &sums) const;
    static qint64 wholeHundredths(const Sums &sums, std::size_t quantity);
    static QString wholeMeansLabel(qint64 systolicHundredths, qint64 diastolicHundredths);
    const std::array<QString, 3> &texts() const;
    const std::array<std::optional<long double>, 3> &means() const;

    std::array<QList<Value>, 3> m_values;
    mutable std::array<QStringList, 3> m_valueTexts; // valueList's, made on demand
    Sums m_sums;
    mutable bool m_stale = false;
    mutable std::array<std::optional<long double>, 3> m_means;
    mutable std::array<QString, 3> m_texts; // formatted from m_means
    mutable QString m_label;
};

// "Systole=" + S + "  Diastole=" + D from two MonthMeans texts, each rounded
// half up to a whole number. Throws ConversionError on empty texts.
QString monthMeansLabel(const QString &systolicMean, const QString &diastolicMean);
