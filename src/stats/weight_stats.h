#pragma once

#include "journal/entry_line.h"

#include <QString>
#include <QStringList>

// The month's weights above 0 and their mean.
class WeightStats
{
public:
    void clear();
    // Throws ConversionError when the day or the weight does not convert.
    // (ErstelleGewichtsListe)
    void collect(const EntryLine::Parsed &line);
    // The same for a line read by its markers alone.
    void collect(const QString &entryLine) { collect(EntryLine::Parsed::byMarkers(entryLine)); }
    // The weight text of a line in the written form ("80,5", "0").
    void collectWeightText(QStringView weightText);

    // Shortest decimal texts ("80,5", "81").
    const QStringList &weightList() const { return m_weights; }
    // Mean of the list at full precision; 0 when the list is empty.
    long double mean() const;

private:
    QStringList m_weights;
    long double m_sum = 0; // of the list items read back as numbers
};
