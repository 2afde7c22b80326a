#include "report/report_content.h"

#include "base/german_numbers.h"
#include "charts/grade.h"
#include "charts/marker_filler.h"
#include "stats/measuring_week.h"
#include "stats/medication_effect.h"
#include "stats/month_figures.h"
#include "stats/period_stats.h"
#include "storage/reading_row.h"

#include <cmath>

namespace {

const QString kDash = QStringLiteral("–");

QString dateText(const QDate &date)
{
    return QStringLiteral("%1.%2.%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

QStringList meansRow(const QString &label, const ReadingMeans &means)
{
    if (means.count == 0)
        return {label, QStringLiteral("0"), kDash, kDash, kDash};
    return {label, QString::number(means.count), oneDecimal(means.systolic()),
            oneDecimal(means.diastolic()), oneDecimal(means.pulse())};
}

QString extremeLine(const char *label, const std::optional<DatedValue> &value)
{
    return QString::fromUtf8(label) + QStringLiteral(": ") + QString::number(value->value) +
           QStringLiteral(" mmHg am ") + dateText(value->date);
}

QStringList weightLines(const PeriodStats &stats)
{
    if (!stats.weightMean)
        return {QStringLiteral("Gewicht: keine Angaben im Zeitraum")};
    QStringList lines{QStringLiteral("Mittleres Gewicht: ") + oneDecimal(*stats.weightMean) +
                      QStringLiteral(" kg")};
    if (!stats.weightChange())
        return lines;
    // The change is taken between the shown month means, so that the reader
    // can follow it from the two numbers.
    const MonthWeight &first = stats.monthWeights.constFirst();
    const MonthWeight &last = stats.monthWeights.constLast();
    const qint64 tenths = std::llround(roundToDigits(last.mean, 1) * 10) -
                          std::llround(roundToDigits(first.mean, 1) * 10);
    const QString amount = oneDecimal(std::abs(tenths) / 10.0L) + QStringLiteral(" kg");
    const QString change = tenths > 0   ? QStringLiteral("gestiegen um ") + amount
                           : tenths < 0 ? QStringLiteral("gesunken um ") + amount
                                        : QStringLiteral("gleich geblieben");
    lines << QStringLiteral("Gewicht von ") + monthAndYear(QDate(first.year, first.month, 1)) +
                 QStringLiteral(" (") + oneDecimal(first.mean) + QStringLiteral(" kg) bis ") +
                 monthAndYear(QDate(last.year, last.month, 1)) + QStringLiteral(" (") +
                 oneDecimal(last.mean) + QStringLiteral(" kg): ") + change;
    return lines;
}

QStringList factLines(const PeriodStats &stats)
{
    QStringList facts;
    if (stats.all.count > 0) {
        facts << extremeLine("Niedrigster systolischer Wert", stats.lowestSystolic)
              << extremeLine("Höchster systolischer Wert", stats.highestSystolic)
              << extremeLine("Niedrigster diastolischer Wert", stats.lowestDiastolic)
              << extremeLine("Höchster diastolischer Wert", stats.highestDiastolic)
              << QStringLiteral("Messungen ab %1 mmHg systolisch oder ab %2 mmHg diastolisch: "
                                "%3 von %4 (%5 %)")
                     .arg(kHomeSystolicThreshold)
                     .arg(kHomeDiastolicThreshold)
                     .arg(stats.atOrAboveThreshold)
                     .arg(stats.all.count)
                     .arg(oneDecimal(100.0L * stats.atOrAboveThreshold / stats.all.count));
    }
    facts << weightLines(stats);
    return facts;
}

// The grade as the bar chart page finds it: the month means pass through
// their two-decimal texts before they are rounded.
ReportContent::MonthLine monthLine(const MonthFigures &month)
{
    ReportContent::MonthLine line;
    line.month = monthAndYear(QDate(month.year, month.month, 1));
    if (month.state == PeriodMonth::State::Unreadable) {
        line.means = QStringLiteral("Datei nicht lesbar");
        return line;
    }
    const ReadingMeans &means = month.stats.all;
    if (means.count == 0) {
        line.means = QStringLiteral("keine Messungen");
        return line;
    }
    const qint64 s = roundedMonthMean(GermanNumbers::formatFixed2(means.systolic()));
    const qint64 d = roundedMonthMean(GermanNumbers::formatFixed2(means.diastolic()));
    const MonthGrade grade = classifyMonth(s, d, ChartPage::Bar);
    line.means = QStringLiteral("%1/%2 mmHg").arg(s).arg(d);
    line.grade = grade.text.trimmed();
    line.colour = grade.colour;
    return line;
}

QString unreadLinesNote(const QString &month, qsizetype count)
{
    return month + QStringLiteral(": ") +
           (count == 1
                ? QStringLiteral("1 Eintrag nicht lesbar, nicht berücksichtigt")
                : QStringLiteral("%1 Einträge nicht lesbar, nicht berücksichtigt").arg(count));
}

void addMonths(ReportContent &content, const QList<Gallery::Month> &months)
{
    const QList<MonthFigures> figures = monthFigures(Gallery::periodMonths(months));
    for (qsizetype i = 0; i < months.size(); ++i) {
        const MonthFigures &month = figures.at(i);
        const ReportContent::MonthLine line = monthLine(month);
        content.months << line;
        if (month.state == PeriodMonth::State::Unreadable)
            content.notes << line.month + QStringLiteral(": Datei nicht lesbar");
        if (month.unreadLines > 0)
            content.notes << unreadLinesNote(line.month, month.unreadLines);
        const QString remark = months.at(i).remark.trimmed();
        if (!remark.isEmpty())
            content.remarks << line.month + QStringLiteral(": ") + remark;
    }
}

void addChart(ReportContent &content, const ReportPeriod &period, const PeriodStats &stats)
{
    content.chartFirst = period.firstDay();
    content.chartLast = period.lastDay();
    for (const DayMean &day : stats.days) {
        content.chartDays << ReportContent::ChartDay{day.date, double(day.means.systolic()),
                                                     double(day.means.diastolic()),
                                                     double(day.means.pulse())};
    }
}

} // namespace

QString oneDecimal(long double value)
{
    return GermanNumbers::formatGrouped1(roundToDigits(value, 1));
}

ReportContent buildReportContent(const QString &user, const ReportPeriod &period,
                                 const QDate &today, const QList<Gallery::Month> &months)
{
    const QList<Reading> readings = Gallery::readingsOf(months);
    const PeriodStats stats = periodStats(readings);
    ReportContent content;
    content.title = QStringLiteral("Blutdruckbericht");
    content.user = user;
    content.periodName = describeMonths(period);
    content.name = QStringLiteral("Name: ") + user;
    content.period = QStringLiteral("Zeitraum: ") + describeMonths(period);
    content.printed = QStringLiteral("Erstellt am ") + dateText(today);
    content.meansHeader = {QString(), QStringLiteral("Messungen"),
                           QStringLiteral("Systolisch (mmHg)"),
                           QStringLiteral("Diastolisch (mmHg)"), QStringLiteral("Puls (/min)")};
    content.meansRows = {meansRow(QStringLiteral("Alle Messungen"), stats.all),
                         meansRow(QStringLiteral("Morgens"), stats.morning),
                         meansRow(QStringLiteral("Abends"), stats.evening)};
    content.facts = factLines(stats);
    addChart(content, period, stats);
    addMonths(content, months);
    content.measuringWeek = measuringWeekText(latestMeasuringWeek(readings));
    content.readingsHeader = {QStringLiteral("Datum"),      QStringLiteral("Wochentag"),
                              QStringLiteral("Messung"),    QStringLiteral("Uhrzeit"),
                              QStringLiteral("Systolisch"), QStringLiteral("Diastolisch"),
                              QStringLiteral("Puls"),       QStringLiteral("Gewicht (kg)")};
    for (const Reading &reading : readings)
        content.readingRows << ReadingRow::cells(
            reading, {ReadingRow::Year::AsNumber, ReadingRow::Weight::OneDecimal});
    return content;
}

void addMedications(ReportContent &content, const ReportPeriod &period,
                    const QList<Medication> &medications, const QList<Reading> &readings)
{
    for (const Medication &medication : medications) {
        if (medication.overlaps(period.firstDay(), period.lastDay()))
            content.medications.append(medicationSummary(medication));
    }
    for (const MedicationChange &change :
         medicationChanges(medications, period.firstDay(), period.lastDay()))
        content.medicationEffects.append(medicationEffect(change, readings).text());
}
