#include "charts/overview_page.h"

#include "base/german_numbers.h"
#include "charts/chart_format.h"
#include "charts/grade.h"
#include "charts/marker_filler.h"
#include "charts/page_template.h"
#include "journal/slots.h"

#include <cstdlib>
#include <functional>

namespace {

// The page as it is written; "{{name}}" marks a part (see PageTemplate). The
// charts draw without animation, so that a page of many years shows at once.
const char16_t kOverviewPage[] =
    uR"(<!doctype html><html><head><meta charset="windows-1252"><title>Blutdruck-Übersicht</title><script src="Chart.min.js"></script>
<style>body {font-family: Verdana, sans-serif; font-size: 14px; color: black; margin: 10px 20px;} h0 {font-size: 18px;} .chart-container {max-width: 1100px; margin: 0 auto 24px auto;} .hinweis {font-size: 13px; color: #404040;}
table {border-collapse: collapse; margin: 0 auto 24px auto; font-size: 13px;} th, td {border: 1px solid #A0A0A0; padding: 3px 8px;} th {background: #E5DFDF;} td.zahl {text-align: right;} td:first-child {white-space: nowrap;} td.grad {font-weight: bold;}
canvas {-moz-user-select: none; -webkit-user-select: none; -ms-user-select: none;}</style></head><body><center>
<h0><b>{{title}}</b></h0>
<p>{{trend}}</p>
<p class="hinweis">{{trendBasis}}</p></center>
<div class="chart-container"><canvas id="mittelwerte"></canvas></div>
<div class="chart-container"><canvas id="tageszeit"></canvas></div>
{{weightPlace}}
<table>
<tr><th>Monat</th><th>Messungen</th><th>Systolisch (mmHg)</th><th>Diastolisch (mmHg)</th><th>Puls (/min)</th><th>Niedrigster systolischer Wert</th><th>Höchster systolischer Wert</th><th>Einstufung</th><th>Ab 135/85 mmHg</th><th>Hinweis</th></tr>
{{rows}}
</table>
<script>
var monate = [{{labels}}];
function linie(name, farbe, werte, mehr) {var d = {label: name, data: werte, borderColor: farbe, backgroundColor: farbe, fill: false, spanGaps: false, borderWidth: 2, pointRadius: 4, lineTension: 0}; for (var k in mehr) {d[k] = mehr[k];} return d;}
function optionen(titel, achse) {return {responsive: true, aspectRatio: 2.6, animation: {duration: 0}, hover: {animationDuration: 0}, title: {display: true, fontSize: 14, text: titel}, legend: {labels: {boxWidth: 10}}, tooltips: {mode: 'index', intersect: false}, scales: {yAxes: [{scaleLabel: {display: true, labelString: achse}}]}};}
function zeichne(id, datensaetze, titel, achse) {new Chart(document.getElementById(id).getContext('2d'), {type: 'line', data: {labels: monate, datasets: datensaetze}, options: optionen(titel, achse)});}
window.onload = function() {
zeichne('mittelwerte', [
linie('Systole', '{{systolicColour}}', [{{systolic}}], {pointRadius: 5, pointBorderColor: '{{systolicColour}}', pointBackgroundColor: [{{gradeColours}}]}),
linie('Diastole', '{{diastolicColour}}', [{{diastolic}}], {pointRadius: 5, pointBorderColor: '{{diastolicColour}}', pointBackgroundColor: [{{gradeColours}}]}),
linie('Puls', '{{pulseColour}}', [{{pulse}}], {}),
linie('Grenzwert 135 mmHg', '{{systolicColour}}', [{{systolicLimit}}], {borderDash: [6, 4], borderWidth: 1, pointRadius: 0}),
linie('Grenzwert 85 mmHg', '{{diastolicColour}}', [{{diastolicLimit}}], {borderDash: [6, 4], borderWidth: 1, pointRadius: 0})
], 'Monatliche Mittelwerte (Punkte in der Farbe der Einstufung des Monats)', 'mmHg');
zeichne('tageszeit', [
linie('Morgens systolisch', '{{systolicColour}}', [{{morningSystolic}}], {}),
linie('Abends systolisch', '{{systolicColour}}', [{{eveningSystolic}}], {borderDash: [3, 3], pointStyle: 'triangle'}),
linie('Morgens diastolisch', '{{diastolicColour}}', [{{morningDiastolic}}], {}),
linie('Abends diastolisch', '{{diastolicColour}}', [{{eveningDiastolic}}], {borderDash: [3, 3], pointStyle: 'triangle'})
], 'Morgens gegen Abends: monatliche Mittelwerte', 'mmHg');
{{weightChart}}
};
</script>
</body></html>)";

const PageTemplate &pageTemplate()
{
    static const PageTemplate page{QStringView(kOverviewPage)};
    return page;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString monthLabel(const MonthFigures &month)
{
    return germanMonthName(month.month) + QLatin1Char(' ') + QString::number(month.year);
}

QString dateText(const QDate &date)
{
    return twoDigits(date.day()) + QLatin1Char('.') + twoDigits(date.month()) + QLatin1Char('.') +
           QString::number(date.year());
}

// One decimal, half up, decimal comma, as the report shows its means.
QString oneDecimal(long double value)
{
    return GermanNumbers::formatGrouped1(roundToDigits(value, 1));
}

// A number in the script: two decimals with a point; "null" leaves a gap.
QString scriptNumber(const std::optional<long double> &value)
{
    if (!value)
        return QStringLiteral("null");
    return GermanNumbers::formatFixed2(*value).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString scriptList(const QList<MonthFigures> &months,
                   const std::function<std::optional<long double>(const MonthFigures &)> &value)
{
    QStringList items;
    items.reserve(months.size());
    for (const MonthFigures &month : months)
        items.append(scriptNumber(value(month)));
    return items.join(QStringLiteral(", "));
}

std::optional<long double> shownOf(const ReadingMeans &means,
                                   long double (ReadingMeans::*mean)() const)
{
    return shownMean(means.count, (means.*mean)());
}

QString unreadNote(qsizetype count)
{
    if (count == 0)
        return {};
    return count == 1 ? QStringLiteral("1 Eintrag nicht lesbar, nicht berücksichtigt")
                      : QStringLiteral("%1 Einträge nicht lesbar, nicht berücksichtigt").arg(count);
}

QString cell(const QString &text, const char *cssClass = nullptr)
{
    const QString open = cssClass ? QStringLiteral("<td class=\"%1\">").arg(QLatin1String(cssClass))
                                  : QStringLiteral("<td>");
    return open + text + QStringLiteral("</td>");
}

QString tableRow(const MonthFigures &month)
{
    const QString first = QStringLiteral("<tr>") + cell(monthLabel(month));
    if (month.state == PeriodMonth::State::Missing)
        return first + QStringLiteral("<td colspan=\"9\">keine Daten</td></tr>");
    if (month.state == PeriodMonth::State::Unreadable)
        return first + QStringLiteral("<td colspan=\"9\">Datei nicht lesbar</td></tr>");
    const QString note = cell(unreadNote(month.unreadLines));
    if (!month.hasReadings()) {
        return first + cell(QStringLiteral("0"), "zahl") +
               QStringLiteral("<td colspan=\"7\">keine Messungen</td>") + note +
               QStringLiteral("</tr>");
    }
    const PeriodStats &stats = month.stats;
    const OverviewGrade grade = overviewGrade(month);
    const auto dated = [](const std::optional<DatedValue> &value) {
        return QString::number(value->value) + QStringLiteral(" am ") + dateText(value->date);
    };
    return first + cell(QString::number(stats.all.count), "zahl") +
           cell(oneDecimal(stats.all.systolic()), "zahl") +
           cell(oneDecimal(stats.all.diastolic()), "zahl") +
           cell(oneDecimal(stats.all.pulse()), "zahl") + cell(dated(stats.lowestSystolic)) +
           cell(dated(stats.highestSystolic)) + QStringLiteral("<td class=\"grad\" style=\"") +
           QStringLiteral("background: ") + grade.colour + QStringLiteral("\">") + grade.text +
           QStringLiteral("</td>") +
           cell(oneDecimal(month.shareAtOrAboveThreshold()) + QStringLiteral(" %"), "zahl") + note +
           QStringLiteral("</tr>");
}

QString describeRange(const MonthFigures &first, const MonthFigures &last)
{
    if (first.month == last.month && first.year == last.year)
        return monthLabel(first);
    return monthLabel(first) + QStringLiteral(" bis ") + monthLabel(last);
}

// Which months the trend compares, so that the reader can follow it.
QString trendBasis(const QList<MonthFigures> &months)
{
    QList<const MonthFigures *> withReadings;
    for (const MonthFigures &month : months) {
        if (month.hasReadings())
            withReadings.append(&month);
    }
    if (withReadings.size() < 2 * kTrendMonths)
        return {};
    return QStringLiteral("Verglichen wird der Mittelwert aller Messungen der ersten drei "
                          "Monate mit Messungen (") +
           describeRange(*withReadings.at(0), *withReadings.at(kTrendMonths - 1)) +
           QStringLiteral(") mit dem der letzten drei (") +
           describeRange(*withReadings.at(withReadings.size() - kTrendMonths),
                         *withReadings.constLast()) +
           QStringLiteral(").");
}

QStringList weightChart(const OverviewInputs &inputs)
{
    bool any = false;
    for (const MonthFigures &month : inputs.months)
        any = any || month.stats.weightMean.has_value();
    if (!any)
        return {};
    return {QStringLiteral("zeichne('gewicht', [linie('Gewicht', '") +
            colourToHtml(inputs.pulseColour) + QStringLiteral("', [") +
            scriptList(inputs.months,
                       [](const MonthFigures &m) -> std::optional<long double> {
                           if (!m.stats.weightMean)
                               return std::nullopt;
                           return twoDecimalValue(*m.stats.weightMean);
                       }) +
            QStringLiteral("], {})], 'Monatliches mittleres Gewicht', 'kg');")};
}

} // namespace

OverviewGrade overviewGrade(const MonthFigures &month)
{
    const std::optional<long double> s = shownOf(month.stats.all, &ReadingMeans::systolic);
    const std::optional<long double> d = shownOf(month.stats.all, &ReadingMeans::diastolic);
    if (!s || !d)
        return {};
    const MonthGrade grade =
        classifyMonth(roundedMonthMean(s), roundedMonthMean(d), ChartPage::Bar);
    QString text = grade.text;
    text.remove(QStringLiteral("Monatliche Mittelwerte: "));
    text = text.trimmed();
    if (text.isEmpty())
        text = QStringLiteral("keine Einstufung");
    return {text, grade.colour};
}

QString overviewPageName(const QString &user, const QDate &first, const QDate &last)
{
    return user + QStringLiteral("_Übersicht_") + twoDigits(first.month()) + QLatin1Char('_') +
           QString::number(first.year()) + QLatin1Char('-') + twoDigits(last.month()) +
           QLatin1Char('_') + QString::number(last.year()) + QStringLiteral(".html");
}

QString trendSentence(const QList<MonthFigures> &months)
{
    const std::optional<SystolicTrend> trend = systolicTrend(months);
    if (!trend) {
        return QStringLiteral("Für eine Aussage über den Verlauf sind mindestens sechs Monate "
                              "mit Messungen nötig.");
    }
    const QString lead = QStringLiteral("Der systolische Mittelwert ist ");
    if (trend->change() == 0) {
        return lead + QStringLiteral("mit %1 mmHg gleich geblieben.").arg(trend->first);
    }
    // The real minus sign; the plus sign says the same for a rise.
    const QString amount = (trend->change() < 0 ? QStringLiteral("−") : QStringLiteral("+")) +
                           QString::number(std::abs(trend->change()));
    return lead +
           QStringLiteral("von %1 auf %2 mmHg %3 (%4 mmHg).")
               .arg(trend->first)
               .arg(trend->last)
               .arg(trend->change() < 0 ? QStringLiteral("gesunken") : QStringLiteral("gestiegen"),
                    amount);
}

QStringList buildOverviewPage(const OverviewInputs &inputs)
{
    const QList<MonthFigures> &months = inputs.months;
    QStringList labels;
    QStringList gradeColours;
    QStringList rows;
    for (const MonthFigures &month : months) {
        labels.append(QLatin1Char('\'') + monthLabel(month) + QLatin1Char('\''));
        const OverviewGrade grade = overviewGrade(month);
        gradeColours.append(QLatin1Char('\'') +
                            (grade.colour.isEmpty() ? QStringLiteral("#FFFFFF") : grade.colour) +
                            QLatin1Char('\''));
        rows.append(tableRow(month));
    }
    const auto all = [](long double (ReadingMeans::*mean)() const) {
        return [mean](const MonthFigures &m) { return shownOf(m.stats.all, mean); };
    };
    const auto limit = [&months](int value) {
        return QStringList(months.size(), QString::number(value)).join(QStringLiteral(", "));
    };
    const QStringList weight = weightChart(inputs);
    const QString title = QStringLiteral("Blutdruck-Übersicht von ") +
                          escapeHtmlText(inputs.userName) + QStringLiteral(": ") +
                          describeRange(months.constFirst(), months.constLast());
    QStringList lines;
    lines.reserve(40 + months.size());
    pageTemplate().fill(
        lines,
        {
            {u"title", title},
            {u"trend", escapeHtmlText(trendSentence(months))},
            {u"trendBasis", trendBasis(months)},
            {u"weightPlace",
             weight.isEmpty()
                 ? QStringList{QStringLiteral(
                       "<p class=\"hinweis\" style=\"text-align: center\">Im Zeitraum wurde kein "
                       "Gewicht eingetragen.</p>")}
                 : QStringList{QStringLiteral("<div class=\"chart-container\"><canvas "
                                              "id=\"gewicht\"></canvas></div>")}},
            {u"rows", rows},
            {u"labels", labels.join(QStringLiteral(", "))},
            {u"systolicColour", colourToHtml(inputs.systolicColour)},
            {u"diastolicColour", colourToHtml(inputs.diastolicColour)},
            {u"pulseColour", colourToHtml(inputs.pulseColour)},
            {u"systolic", scriptList(months, all(&ReadingMeans::systolic))},
            {u"diastolic", scriptList(months, all(&ReadingMeans::diastolic))},
            {u"pulse", scriptList(months, all(&ReadingMeans::pulse))},
            {u"gradeColours", gradeColours.join(QStringLiteral(", "))},
            {u"systolicLimit", limit(kHomeSystolicThreshold)},
            {u"diastolicLimit", limit(kHomeDiastolicThreshold)},
            {u"morningSystolic", scriptList(months,
                                            [](const MonthFigures &m) {
                                                return shownOf(m.stats.morning,
                                                               &ReadingMeans::systolic);
                                            })},
            {u"eveningSystolic", scriptList(months,
                                            [](const MonthFigures &m) {
                                                return shownOf(m.stats.evening,
                                                               &ReadingMeans::systolic);
                                            })},
            {u"morningDiastolic", scriptList(months,
                                             [](const MonthFigures &m) {
                                                 return shownOf(m.stats.morning,
                                                                &ReadingMeans::diastolic);
                                             })},
            {u"eveningDiastolic", scriptList(months,
                                             [](const MonthFigures &m) {
                                                 return shownOf(m.stats.evening,
                                                                &ReadingMeans::diastolic);
                                             })},
            {u"weightChart", weight},
        });
    return lines;
}
