#pragma once

#include "journal/medication.h"
#include "report/report_period.h"
#include "storage/gallery.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Every text and figure of a doctor's report, ready to be set on pages. The
// means are shown to one decimal, rounded half up, with a decimal comma;
// whole mmHg where the program's own pages show whole numbers (the month
// classification and the measuring week).
struct ReportContent
{
    QString title;      // "Blutdruckbericht"
    QString user;       // "Muster"
    QString periodName; // "Januar 2026 bis März 2026"
    QString name;       // "Name: Muster"
    QString period;     // "Zeitraum: Januar 2026 bis März 2026"
    QString printed;    // "Erstellt am 15.03.2026"

    QStringList meansHeader;      // "", "Messungen", "Systolisch", …
    QList<QStringList> meansRows; // all readings, Morgens, Abends
    QStringList facts;            // lowest and highest values, share, weight

    struct ChartDay
    {
        QDate date;
        double systolic = 0, diastolic = 0, pulse = 0;
    };
    QDate chartFirst, chartLast;
    QList<ChartDay> chartDays;

    struct MonthLine
    {
        QString month;  // "Januar 2026"
        QString means;  // "138/86 mmHg", or why there are none
        QString grade;  // the bar chart page's grade text; empty without readings
        QString colour; // "#FF925F"; empty without readings
    };
    QList<MonthLine> months;

    QString measuringWeek;
    QStringList notes;   // "März 2026: Datei nicht lesbar"
    QStringList remarks; // "Januar 2026: <remark>"

    // "Medikamente im Zeitraum": the entries that overlap the period, then
    // the readings before and after each change in it; empty without any.
    QStringList medications;
    QStringList medicationEffects;

    QStringList readingsHeader;
    QList<QStringList> readingRows; // date, weekday, slot, time, s, d, p, weight
};

// Builds the report of `user` from the months of the period as the gallery
// gave them; `today` is the date of printing.
ReportContent buildReportContent(const QString &user, const ReportPeriod &period,
                                 const QDate &today, const QList<Gallery::Month> &months);

// The medication section: the entries of `medications` that overlap the
// period and, for each change inside it, the figures from `readings`, which
// must hold the readings of effectSpan (stats/medication_effect.h).
void addMedications(ReportContent &content, const ReportPeriod &period,
                    const QList<Medication> &medications, const QList<Reading> &readings);

// One decimal, half up, decimal comma: 138,3.
QString oneDecimal(long double value);
