#pragma once

#include "stats/month_figures.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Everything the overview page of several months is built from.
struct OverviewInputs
{
    QString userName;
    QList<MonthFigures> months; // consecutive, in order, at least one
    qint32 systolicColour = 0;
    qint32 diastolicColour = 0;
    qint32 pulseColour = 0; // also the weight's line
};

// The page lines: the monthly means with each month's grade, Morgens against
// Abends, the weight where there is one, a table of the months and the trend.
QStringList buildOverviewPage(const OverviewInputs &inputs);

// "Muster_Übersicht_01_2020-12_2021.html"; the page lies in the chart folder
// of the last month's year.
QString overviewPageName(const QString &user, const QDate &first, const QDate &last);

// The sentence on the change of the systolic mean from the first three months
// with readings to the last three, or why there is none.
QString trendSentence(const QList<MonthFigures> &months);

// The grade of a month as the bar page finds it, without the prefix of the
// month pages ("Hochnormal"); "keine Einstufung" where none applies. Empty
// without readings.
struct OverviewGrade
{
    QString text;
    QString colour;
};
OverviewGrade overviewGrade(const MonthFigures &month);
