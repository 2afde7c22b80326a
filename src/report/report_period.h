#pragma once

#include <QDate>
#include <QString>

// The months a doctor's report covers, and the names that come from them.
struct ReportPeriod
{
    QDate firstMonth; // the first day of each month
    QDate lastMonth;

    enum class Choice { OpenMonth, LastThreeMonths, Range };

    // The open month alone, the three months up to it, or the range from
    // `from` to `to` (days do not matter). An invalid period when the range
    // ends before it starts.
    static ReportPeriod choose(Choice choice, const QDate &openMonth, const QDate &from = {},
                               const QDate &to = {});

    bool isValid() const;
    QDate firstDay() const { return firstMonth; }
    QDate lastDay() const;
};

// "März 2026"
QString monthAndYear(const QDate &month);

// "März 2026", or "Januar 2026 bis März 2026"
QString periodText(const ReportPeriod &period);

// "Muster_Bericht_01_2026-03_2026.pdf": the user first, as the month files
// are named, so that one person's reports stand together.
QString reportFileName(const QString &user, const ReportPeriod &period);
