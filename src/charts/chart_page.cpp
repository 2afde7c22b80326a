#include "charts/chart_page.h"

#include "base/blanks.h"
#include "base/text_file.h"
#include "charts/chart_template.h"
#include "charts/grade.h"
#include "charts/marker_filler.h"

#include <QFileInfo>

#include <span>

namespace {

// What tells the two pages apart besides their day groups.
struct PageForm
{
    ChartPage page;
    QString chartWidth;
    QString rowAlign;
    QString fontGap;
    QString loopGap;
    QString valueX;
    QString valueY;
    QString legendLabels;
    QString tooltips;
    QString axisGapShown; // the blanks around the scales when values are drawn
    QString scalesEndShown;
    int gradeChart; // the grade chart's number, after the day charts
};

const PageForm &barForm()
{
    static const PageForm form{
        .page = ChartPage::Bar,
        .chartWidth = QStringLiteral("650"),
        .rowAlign = QStringLiteral("center"),
        .fontGap = QStringLiteral("   "),
        .loopGap = QStringLiteral("  "),
        .valueX = QStringLiteral("model.x"),
        .valueY = QStringLiteral("model.y"),
        .legendLabels = QStringLiteral(" position : 'top',    labels:  {boxWidth :10} }"),
        .tooltips =
            QStringLiteral("tooltips: {yAlign: 'bottom', bodySpacing : 8, titleMarginBottom : 8, "
                           "mode: 'index', intersect: true, }"),
        .axisGapShown = QStringLiteral("    "),
        .scalesEndShown = QStringLiteral("   "),
        .gradeChart = 6,
    };
    return form;
}

const PageForm &lineForm()
{
    static const PageForm form{
        .page = ChartPage::Line,
        .chartWidth = QStringLiteral("600"),
        .rowAlign = QStringLiteral("left"),
        .fontGap = QStringLiteral(" "),
        .loopGap = QString(),
        .valueX = QStringLiteral("model.x-5"),
        .valueY = QStringLiteral("model.y+1"),
        .legendLabels = QStringLiteral("labels: {boxWidth :10}}"),
        .tooltips =
            QStringLiteral("tooltips: {bodySpacing : 15, titleMarginBottom : 10, mode: 'index', "
                           "intersect: true, }"),
        .axisGapShown = QStringLiteral("  "),
        .scalesEndShown = QStringLiteral(" "),
        .gradeChart = 4,
    };
    return form;
}

// One chart of a day group. A group beyond day 28 has no labels and no place
// in the notice of missing groups in a month that ends before it.
struct DayGroup
{
    QString key; // as dayGroupHasData knows it
    QString range;
    QString type; // the blanks and tabs around it differ between the charts
    QString labelMarker;
    QString dataMarkers[3]; // systolic, diastolic, pulse
    QString title;
    int firstDay;
    int lastDay;
};

std::span<const DayGroup> barGroups()
{
    static const DayGroup groups[] = {
        {.key = QStringLiteral("Woche1"),
         .range = QStringLiteral("1-7"),
         .type = QStringLiteral("type: 'bar'"),
         .labelMarker = QStringLiteral("DzErsteWoche"),
         .dataMarkers = {QStringLiteral("Dz2_1"), QStringLiteral("Dz2_2"), QStringLiteral("Dz2_3")},
         .title = QStringLiteral("Die erste Woche:"),
         .firstDay = 1,
         .lastDay = 7},
        {.key = QStringLiteral("Woche2"),
         .range = QStringLiteral(" , 8-14"),
         .type = QStringLiteral("type: 'bar'"),
         .labelMarker = QStringLiteral("DzZweiteWoche"),
         .dataMarkers = {QStringLiteral("Dz3_1"), QStringLiteral("Dz3_2"), QStringLiteral("Dz3_3")},
         .title = QStringLiteral("Die zweite Woche:"),
         .firstDay = 8,
         .lastDay = 14},
        {.key = QStringLiteral("Woche3"),
         .range = QStringLiteral(" , 15-21"),
         .type = QStringLiteral("type: 'bar'"),
         .labelMarker = QStringLiteral("DzDritteWoche"),
         .dataMarkers = {QStringLiteral("Dz_2_1"), QStringLiteral("Dz_2_2"),
                         QStringLiteral("Dz_2_3")},
         .title = QStringLiteral("Die dritte Woche:"),
         .firstDay = 15,
         .lastDay = 21},
        {.key = QStringLiteral("Woche4"),
         .range = QStringLiteral(" , 22-28"),
         .type = QStringLiteral("type: 'bar'"),
         .labelMarker = QStringLiteral("DzVierteWoche"),
         .dataMarkers = {QStringLiteral("Dz_3_1"), QStringLiteral("Dz_3_2"),
                         QStringLiteral("Dz_3_3")},
         .title = QStringLiteral("Die vierte Woche:"),
         .firstDay = 22,
         .lastDay = 28},
        {.key = QStringLiteral("RestdesMonats"),
         .range = QStringLiteral(" , 29-31"),
         .type = QStringLiteral(" type:'bar'"),
         .labelMarker = QStringLiteral("DzRestWochen"),
         .dataMarkers = {QStringLiteral("DzRest1"), QStringLiteral("DzRest2"),
                         QStringLiteral("DzRest3")},
         .title = QStringLiteral("Die restlichen Tage des Monats:"),
         .firstDay = 29,
         .lastDay = 31},
    };
    return groups;
}

std::span<const DayGroup> lineGroups()
{
    static const DayGroup groups[] = {
        {.key = QStringLiteral("zweiWochen1"),
         .range = QStringLiteral("1-14"),
         .type = QStringLiteral("type:'line'"),
         .labelMarker = QStringLiteral("DzErste2Wochen"),
         .dataMarkers = {QStringLiteral("Dz2_1"), QStringLiteral("Dz2_2"), QStringLiteral("Dz2_3")},
         .title = QStringLiteral("Die ersten 14 Tage"),
         .firstDay = 1,
         .lastDay = 14},
        {.key = QStringLiteral("zweiWochen2"),
         .range = QStringLiteral(" , 15-28"),
         .type = QStringLiteral("\ttype:'line'"),
         .labelMarker = QStringLiteral("DzZweiten2Wochen"),
         .dataMarkers = {QStringLiteral("Dz3_1"), QStringLiteral("Dz3_2"), QStringLiteral("Dz3_3")},
         .title = QStringLiteral("Die nächsten 14 Tage"),
         .firstDay = 15,
         .lastDay = 28},
        {.key = QStringLiteral("RestdesMonats"),
         .range = QStringLiteral(" , 29-31"),
         .type = QStringLiteral("\ttype:'line'"),
         .labelMarker = QStringLiteral("DzRestWochen"),
         .dataMarkers = {QStringLiteral("DzRest1"), QStringLiteral("DzRest2"),
                         QStringLiteral("DzRest3")},
         .title = QStringLiteral("Die restlichen Tage des Monats"),
         .firstDay = 29,
         .lastDay = 31},
    };
    return groups;
}

QString configFunction(int chart)
{
    return chart == 1 ? QStringLiteral("createConfig")
                      : QStringLiteral("createConfig%1").arg(chart);
}

// What stands before and around the scales of every day chart.
struct ValueDisplay
{
    QStringList lines;
    QString scalesLead;
    QString axisGap;
    QString scalesEnd;
};

ValueDisplay valueDisplay(const PageForm &form, bool shown)
{
    if (!shown) {
        return {{},
                form.tooltips + QStringLiteral(",hover: {mode: 'index',},"),
                QStringLiteral(" "),
                QStringLiteral(" ")};
    }
    QStringList lines;
    (form.page == ChartPage::Bar ? ChartTemplate::texts().barValuesShown
                                 : ChartTemplate::texts().lineValuesShown)
        .fill(lines, {{u"tooltips", form.tooltips}});
    return {lines, QString(), form.axisGapShown, form.scalesEndShown};
}

QStringList dayCharts(const ChartInputs &inputs, const PageForm &form,
                      std::span<const DayGroup> groups, int days)
{
    const ChartPage page = form.page;
    const QString systolicColour = fillMarkerLine(QStringLiteral("Dz7"), inputs, page);
    const QString diastolicColour = fillMarkerLine(QStringLiteral("Dz7_"), inputs, page);
    const QString pulseColour = fillMarkerLine(QStringLiteral("Dz7__"), inputs, page);
    const ValueDisplay display = valueDisplay(form, inputs.showValues);
    QStringList lines;
    for (int chart = 1; chart <= int(groups.size()); ++chart) {
        const DayGroup &group = groups[chart - 1];
        const QStringList labels =
            group.firstDay <= days ? QStringList{fillMarkerLine(group.labelMarker, inputs, page)}
                                   : QStringList();
        ChartTemplate::texts().dayChart.fill(
            lines, {
                       {u"function", configFunction(chart)},
                       {u"type", group.type},
                       {u"labels", labels},
                       {u"systolicColour", systolicColour},
                       {u"systolicData", fillMarkerLine(group.dataMarkers[0], inputs, page)},
                       {u"diastolicColour", diastolicColour},
                       {u"diastolicData", fillMarkerLine(group.dataMarkers[1], inputs, page)},
                       {u"pulseColour", pulseColour},
                       {u"pulseData", fillMarkerLine(group.dataMarkers[2], inputs, page)},
                       {u"legendLabels", form.legendLabels},
                       {u"title", group.title},
                       {u"valueDisplay", display.lines},
                       {u"scalesLead", display.scalesLead},
                       {u"axisMax", axisMax(inputs.dayMeans, group.firstDay, group.lastDay)},
                       {u"axisGap", display.axisGap},
                       {u"scalesEnd", display.scalesEnd},
                   });
    }
    return lines;
}

QStringList groupNotice(const DayMeanTable &table, std::span<const DayGroup> groups, int days)
{
    QStringList keys;
    QStringList ranges;
    for (const DayGroup &group : groups) {
        if (group.firstDay > days)
            continue;
        keys.append(group.key);
        ranges.append(group.range);
    }
    return missingGroupsNotice(table, keys, ranges);
}

// A day chart for each group and the grade chart.
QStringList pointStyleConfigs(const PageForm &form)
{
    QStringList lines;
    for (int chart = 1; chart <= form.gradeChart; ++chart)
        ChartTemplate::texts().pointStyleConfig.fill(lines, {{u"function", configFunction(chart)}});
    return lines;
}

QString summaryLabel(const ChartInputs &inputs, ChartPage page)
{
    // On the bar page the label is a list of lines of its own.
    const QString quoted = QLatin1Char('\'') + monthlySummary(inputs, page) + QLatin1Char('\'');
    return page == ChartPage::Bar ? QLatin1Char('[') + quoted + QLatin1Char(']') : quoted;
}

// The day charts' containers and the charts window.onload starts; the grade
// chart belongs to both.
struct ChartPlaces
{
    QStringList canvases;
    QStringList onload;
};

QStringList fillPage(const ChartInputs &inputs, const PageForm &form,
                     std::span<const DayGroup> groups, const ChartPlaces &places)
{
    const ChartPage page = form.page;
    const int days = daysInOpenMonth(inputs.openMonth, inputs.openYear);
    const qint64 s = roundedMonthMean(inputs.monthMeanSystolic);
    const qint64 d = roundedMonthMean(inputs.monthMeanDiastolic);
    const MonthGrade grade = classifyMonth(s, d, page);
    const QString warning = plausibilityWarning(s, d);
    QStringList lines;
    lines.reserve(150);
    ChartTemplate::texts().page.fill(
        lines,
        {
            {u"chartWidth", form.chartWidth},
            {u"rowAlign", form.rowAlign},
            {u"title", fillMarkerLine(QStringLiteral("Dz1"), inputs, page)},
            {u"notice", groupNotice(inputs.dayMeans, groups, days)},
            {u"canvases", places.canvases},
            {u"fontGap", form.fontGap},
            {u"valueColour", colourToHtml(inputs.valueColour)},
            {u"loopGap", form.loopGap},
            {u"valueX", form.valueX},
            {u"valueY", form.valueY},
            {u"dayCharts", dayCharts(inputs, form, groups, days)},
            {u"gradeChart", QString::number(form.gradeChart)},
            {u"summary", summaryLabel(inputs, page)},
            {u"gradeText", grade.text},
            {u"gradeColour", grade.colour},
            {u"pointStyleConfigs", pointStyleConfigs(form)},
            {u"onload", places.onload},
            {u"warning",
             warning.isEmpty() ? QStringList() : QStringList{ChartTemplate::warningLine(warning)}},
            {u"remark", remarkBlock(inputs.remarkFilePath)},
        });
    return lines;
}

QStringList onloadLine(const QString &charts)
{
    QStringList lines;
    ChartTemplate::texts().onload.fill(lines, {{u"charts", charts}});
    return lines;
}

// Every day chart with readings, then the grade chart, all in one row.
ChartPlaces barPlaces(const DayMeanTable &table)
{
    const std::span<const DayGroup> groups = barGroups();
    QString row = QStringLiteral("<div class=\"container\">");
    QString charts;
    for (int chart = 1; chart <= int(groups.size()); ++chart) {
        if (!dayGroupHasData(groups[chart - 1].key, table))
            continue;
        // A blank follows the container of the rest of the month.
        row += ChartTemplate::canvas(chart) +
               (chart == int(groups.size()) ? QStringLiteral(" ") : QString());
        charts += QStringLiteral("{id: 'diagramm%1',config: %2()},")
                      .arg(QString::number(chart), configFunction(chart));
    }
    return {{row + ChartTemplate::canvas(6)},
            onloadLine(charts + QStringLiteral("{id: 'diagramm6',config: createConfig6()}"))};
}

// The day charts with readings in one row, the grade chart below; no chart at
// all when no day has readings.
ChartPlaces linePlaces(const DayMeanTable &table)
{
    int shown = 0;
    QString row = QStringLiteral("<div class=\"container\">");
    const std::span<const DayGroup> groups = lineGroups();
    for (int chart = 1; chart <= int(groups.size()); ++chart) {
        if (!dayGroupHasData(groups[chart - 1].key, table))
            continue;
        shown |= 4 >> (chart - 1);
        row += ChartTemplate::canvas(chart);
    }
    // Without a chart the page still closes its script with an onload that
    // starts none; the closing brackets alone would stop it with an error.
    if (shown == 0)
        return {{}, onloadLine(QString())};
    return {{row + QLatin1Char(' '),
             ChartTemplate::canvas(4) + (shown == 4 ? QStringLiteral(" ") : QStringLiteral("   "))},
            onloadLine(ChartTemplate::lineOnloadCharts(shown))};
}

} // namespace

QStringList missingGroupsNotice(const DayMeanTable &table, const QStringList &groups,
                                const QStringList &ranges)
{
    const QString start = QStringLiteral("[Es fehlen Daten der Tagesgruppe: ");
    QString notice = start;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (!dayGroupHasData(groups.at(i), table))
            notice += ranges.at(i);
    }
    if (notice.size() <= start.size())
        return {};
    if (notice.contains(QStringLiteral("[Es fehlen Daten der Tagesgruppe:  ,")))
        notice.remove(notice.indexOf(QLatin1Char(',')), 1);
    return {QStringLiteral("<center><h1>") + notice, QStringLiteral("]</h1></center>")};
}

QStringList remarkBlock(const QString &remarkFilePath)
{
    if (remarkFilePath.isEmpty())
        return {};
    const QFileInfo info(remarkFilePath);
    if (!info.isFile() || info.size() <= 0)
        return {};
    const std::optional<QStringList> remark = TextFile::readLines(remarkFilePath);
    if (!remark)
        return {};
    QStringList lines{QStringLiteral("<h1><u>Meine Bemerkung:</u><br><h1><div>")};
    for (const QString &line : *remark) {
        // A line of blanks and control characters alone is no text.
        if (std::all_of(line.begin(), line.end(), isBlank))
            continue;
        lines.append(replaceAll(escapeHtmlText(line), QStringLiteral("\t"),
                                QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;")) +
                     QStringLiteral(" <br>"));
    }
    return lines;
}

QString chartPageName(const QString &monthFilePath)
{
    // Only the file name counts, so a ".tab" in a folder name cannot change it.
    QString name = monthFilePath.mid(monthFilePath.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype at = name.indexOf(QStringLiteral(".tab"), 0, Qt::CaseInsensitive);
    if (at >= 0)
        name.remove(at, 4);
    return name + QStringLiteral(".html");
}

QStringList buildBarPage(const ChartInputs &inputs)
{
    return fillPage(inputs, barForm(), barGroups(), barPlaces(inputs.dayMeans));
}

QStringList medicationMarkScript(const QList<DayLabel> &marks)
{
    if (marks.isEmpty())
        return {};
    // A text in single quotes that can end neither its string nor the script.
    const auto quoted = [](const QString &text) {
        QString out = QStringLiteral("'");
        for (const QChar c : text) {
            if (c == u'\\' || c == u'\'' || c == u'<' || c == u'>' || c == u'&' ||
                c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
        return out + QLatin1Char('\'');
    };
    QStringList entries;
    for (const DayLabel &mark : marks)
        entries.append(QStringLiteral("{day: '%1', text: %2}")
                           .arg(mark.day.toString(QStringLiteral("dd.MM.")), quoted(mark.text)));
    // Chart.js 2 has no annotations: a plugin draws a dashed line on the
    // day's tick of each line chart and the medication's name beside it.
    // The labels read "Mi.03.03.2026" or "Do.04.03.26".
    return {
        QStringLiteral("var medicationMarks = [") + entries.join(QStringLiteral(", ")) +
            QStringLiteral("];"),
        QStringLiteral(
            "Chart.plugins.register({afterDatasetsDraw: function(chart) { if "
            "(chart.config.type !== 'line') return; var scale = chart.scales['x-axis-0']; var "
            "labels = chart.data.labels || []; var area = chart.chartArea; var ctx = chart.ctx; "
            "var row = 0;"),
        QStringLiteral(
            "medicationMarks.forEach(function(mark) { for (var i = 0; i < labels.length; i++) { "
            "if (String(labels[i]).substr(3, 6) !== mark.day) continue; var x = "
            "scale.getPixelForTick(i); var right = x > (area.left + area.right) / 2; "
            "ctx.save(); ctx.strokeStyle = '#7B2FBE'; ctx.lineWidth = 2; ctx.setLineDash([6, "
            "4]); ctx.beginPath(); ctx.moveTo(x, area.top); ctx.lineTo(x, area.bottom); "
            "ctx.stroke();"),
        QStringLiteral(
            "ctx.setLineDash([]); ctx.fillStyle = '#7B2FBE'; ctx.font = "
            "Chart.helpers.fontString(12, 'bold', fontFamily); ctx.textAlign = right ? 'right' "
            ": 'left'; ctx.textBaseline = 'top'; ctx.fillText(mark.text, right ? x - 4 : x + 4, "
            "area.top + 4 + 16 * row); ctx.restore(); row++; } }); }});"),
    };
}

QStringList buildLinePage(const ChartInputs &inputs)
{
    QStringList lines = fillPage(inputs, lineForm(), lineGroups(), linePlaces(inputs.dayMeans));
    const QStringList marks = medicationMarkScript(inputs.medicationMarks);
    if (!marks.isEmpty()) {
        // Registered before window.onload makes the charts.
        qsizetype at = 0;
        while (at < lines.size() && !lines.at(at).startsWith(QStringLiteral("window.onload")))
            ++at;
        for (qsizetype i = 0; i < marks.size(); ++i)
            lines.insert(at + i, marks.at(i));
    }
    return lines;
}
