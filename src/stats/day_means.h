#pragma once

#include "journal/entry_line.h"

#include <QString>
#include <QStringList>

#include <array>

enum class Quantity { Systolic = 0, Diastolic = 1, Pulse = 2 };

// The whole-number daily means of a month as plain digit texts, "0" for a day
// without readings; addressed by quantity and day 1..31.
class DayMeanTable
{
public:
    DayMeanTable(); // every text "0"
    const QString &text(Quantity quantity, int day) const;
    void setText(Quantity quantity, int day, const QString &text);

private:
    std::array<std::array<QString, 31>, 3> m_texts;
};

// Collects the values of a month's entry lines per day ("05_135" items) and
// turns them into the DayMeanTable.
class DayMeans
{
public:
    void clear();
    // Appends at most one item to each of the three lists.
    // (EstelleTagesMittelwert)
    void collect(const EntryLine::Parsed &line);
    // The same for a line read by its markers alone.
    void collect(const QString &entryLine) { collect(EntryLine::Parsed::byMarkers(entryLine)); }
    // The same for a line in the written form: day 1..31 and whole values.
    void collectWhole(int day, int systolic, int diastolic, int pulse);
    // Rebuilds the table from the lists. Throws ConversionError for a value
    // that is not a number; the texts written until then stay.
    // (GibDieTagesMittelwerte)
    void buildTable();

    const DayMeanTable &table() const { return m_table; }
    const QStringList &valueList(Quantity quantity) const;

private:
    void buildRow(Quantity quantity);

    // An item of a list: the text "05_135" of a line read by its markers, or
    // day and value of a line in the written form, whose text is made only
    // when the list is read.
    struct Item
    {
        QString text;
        int day = 0;         // 1..31 for a whole item
        int wholeValue = -1; // -1 for a text item
    };
    static bool sameDay(const Item &a, const Item &b);

    std::array<QList<Item>, 3> m_items;
    mutable std::array<QStringList, 3> m_texts; // valueList's, made on demand
    DayMeanTable m_table;
};
