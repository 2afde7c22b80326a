#pragma once

#include "stats/day_means.h"
#include "stats/medication_effect.h"

#include <QString>

#include <optional>

// Everything a chart page is built from, read from the open month and the
// settings by the main window's chart commands.
struct ChartInputs
{
    DayMeanTable dayMeans;
    // The month means as they show, at two decimals (twoDecimalValue);
    // nullopt where the month has none.
    std::optional<long double> monthMeanSystolic; // 128.33
    std::optional<long double> monthMeanDiastolic;
    std::optional<long double> monthMeanPulse;
    long double monthWeightMean = 0; // 0 or less: no weight
    QString openMonth;               // "01"
    QString openYear;                // "2017"
    QString monthName;               // "Januar"
    QString userName;
    qint32 systolicColour = 0;
    qint32 diastolicColour = 0;
    qint32 pulseColour = 0;
    qint32 valueColour = 0;
    int chartBorderWidth = 2;
    bool zeroGap = true;    // ZeroGapFlag
    bool showValues = true; // WerteOberhalbKurveAnzeigenCheckBox
    QString remarkFilePath; // RemarkFile of the open month
    // The changes of the medication in the open month, marked on the line
    // page; none leave the page as it always was.
    QList<DayLabel> medicationMarks;
};
