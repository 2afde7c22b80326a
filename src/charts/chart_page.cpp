#include "charts/chart_page.h"

#include "base/text_file.h"
#include "charts/chart_template.h"
#include "charts/grade.h"
#include "charts/marker_filler.h"

#include <QFileInfo>

namespace {

const QString kGridColour = ColorToHtml(14671845);

// One chart of a day group: its template pieces and days.
struct GroupChart
{
    QString header;
    QString labelMarker; // empty: no label line
    QString arrayMarkers[3];
    QString title;
    int firstDay;
    int lastDay;
};

QString arrayMarkerLine(const QString &marker)
{
    return marker + QStringLiteral(" data: [100,120,NaN,110,125,128,130] , },  ");
}

QString labelMarkerLine(const QString &marker)
{
    return marker + QStringLiteral(" labels: ['So.01.01.2017' ,'Mo.02.01.17' ,], ");
}

enum class ValueDisplay { Bar, Line, Off };

QStringList interactionAndScales(ValueDisplay display, const QString &axisMax)
{
    const QString g = kGridColour;
    // The blanks before "gridLines" and at the end differ between the forms.
    const QString gap = display == ValueDisplay::Bar    ? QStringLiteral("    ")
                        : display == ValueDisplay::Line ? QStringLiteral("  ")
                                                        : QStringLiteral(" ");
    const QString tail = display == ValueDisplay::Bar ? QStringLiteral("   ") : QStringLiteral(" ");
    const QString scales =
        QStringLiteral("scales: {xAxes: [{ gridLines: {  display: true ,  color: '") + g +
        QStringLiteral("'}, scaleLabel: {display: true,labelString: '     '}\t}],yAxes: [{ticks: "
                       "{ max:") +
        axisMax + QStringLiteral("},") + gap +
        QStringLiteral("gridLines: {  display: true ,  color: '") + g +
        QStringLiteral("'},scaleLabel: {display: true,labelString: 'mmHg'},}]}}};}") + tail;
    const QString animationCallbacks = QStringLiteral(
        "onComplete: function(){this.chart.controller.draw(); drawValue(this, 1);},onProgress: "
        "function(state){var animation = "
        "state.animationObject;drawValue(this,animation.currentStep "
        "/ animation.numSteps); }}, ");
    switch (display) {
    case ValueDisplay::Bar:
        return {
            QStringLiteral("tooltips: {yAlign: 'bottom', bodySpacing : 8, titleMarginBottom : 8, "
                           "mode: 'index', intersect: true, }, "),
            QStringLiteral("hover:{animationDuration: 1},"),
            QStringLiteral("animation:{duration:1, ") + animationCallbacks, scales};
    case ValueDisplay::Line:
        return {
            QStringLiteral("tooltips: {bodySpacing : 15, titleMarginBottom : 10, mode: 'index', "
                           "intersect: true, }, "),
            QStringLiteral("hover:{animationDuration: 0},animation:{") + animationCallbacks,
            scales};
    case ValueDisplay::Off:
        break;
    }
    return {scales};
}

QStringList groupChartLines(const GroupChart &chart, const ChartInputs &inputs, ChartPage page)
{
    QStringList lines;
    lines.append(chart.header);
    if (!chart.labelMarker.isEmpty())
        lines.append(FillMarkerLine(labelMarkerLine(chart.labelMarker), inputs, page));
    lines.append(QStringLiteral("datasets: [{label: 'Systole',"));
    lines.append(FillMarkerLine(ChartTemplate::systolicColour, inputs, page));
    lines.append(FillMarkerLine(arrayMarkerLine(chart.arrayMarkers[0]), inputs, page));
    lines.append(QStringLiteral("{label: 'Diastole',"));
    lines.append(FillMarkerLine(ChartTemplate::diastolicColour, inputs, page));
    lines.append(FillMarkerLine(arrayMarkerLine(chart.arrayMarkers[1]), inputs, page));
    lines.append(QStringLiteral("{label: 'Puls',"));
    lines.append(FillMarkerLine(ChartTemplate::pulseColour, inputs, page));
    lines.append(FillMarkerLine(arrayMarkerLine(chart.arrayMarkers[2]), inputs, page));
    lines.append(QStringLiteral("]},"));
    if (page == ChartPage::Bar) {
        lines.append(
            QStringLiteral("options: {aspectRatio:1.6  , legend: {display: true, position : "
                           "'top',    labels:  {boxWidth :10} },elements: {line: {tension: "
                           "0}},responsive: true,title: {display: true, fontSize : 14,text: '") +
            chart.title + QStringLiteral("'}, "));
    } else {
        lines.append(QStringLiteral("options: {aspectRatio:1.6  , legend: {display: true,labels: "
                                    "{boxWidth :10}},elements: {line: {tension: 0}},responsive: "
                                    "true,title: {display: true, fontSize : 14,text: '") +
                     chart.title + QStringLiteral("'}, "));
    }
    lines.append(ChartTemplate::legend1());
    lines.append(ChartTemplate::legend2());
    lines.append(ChartTemplate::legend3());
    const QString axisMax = AxisMax(inputs.dayMeans, chart.firstDay, chart.lastDay);
    if (inputs.showValues) {
        lines += interactionAndScales(
            page == ChartPage::Bar ? ValueDisplay::Bar : ValueDisplay::Line, axisMax);
    } else {
        const QString tooltips =
            page == ChartPage::Bar
                ? QStringLiteral(
                      "tooltips: {yAlign: 'bottom', bodySpacing : 8, titleMarginBottom : "
                      "8, mode: 'index', intersect: true, },")
                : QStringLiteral("tooltips: {bodySpacing : 15, titleMarginBottom : 10, mode: "
                                 "'index', intersect: true, },");
        lines.append(tooltips + QStringLiteral("hover: {mode: 'index',},") +
                     interactionAndScales(ValueDisplay::Off, axisMax).constFirst());
    }
    return lines;
}

// Everything before the chart containers: head, layout, title, note, notice.
void appendPageStart(QStringList &lines, const ChartInputs &inputs, ChartPage page,
                     const QString &layout, const QStringList &notice)
{
    lines.append(ChartTemplate::head1());
    lines.append(ChartTemplate::head2());
    lines.append(layout);
    lines.append(ChartTemplate::bodyStart());
    lines.append(FillMarkerLine(ChartTemplate::title, inputs, page));
    lines.append(ChartTemplate::meansNote());
    lines += notice;
}

void appendScriptStart(QStringList &lines, const ChartInputs &inputs, const QString &fontLine,
                       const QString &drawValue, const QString &textY)
{
    lines.append(ChartTemplate::scriptStart());
    lines.append(ChartTemplate::fontColours());
    lines.append(fontLine);
    lines.append(ChartTemplate::modifyCtx());
    lines.append(ChartTemplate::fadeIn(ColorToHtml(inputs.valueColour)));
    lines.append(drawValue);
    lines.append(textY);
}

void appendPageEnd(QStringList &lines, const ChartInputs &inputs, const QString &warning)
{
    lines.append(ChartTemplate::scriptEnd());
    if (!warning.isEmpty())
        lines.append(ChartTemplate::warningLine(warning));
    lines += remarkBlock(inputs.remarkFilePath);
    lines.append(ChartTemplate::pageEnd());
}

QString onloadLine(const QString &entries)
{
    return QStringLiteral("window.onload = function() {[") + entries +
           QStringLiteral("].forEach(function(details) {var ctx = "
                          "document.getElementById(details.id).getContext('2d');new Chart(ctx, "
                          "details.config);");
}

QString canvas(int number)
{
    return QStringLiteral(
               "<div class=\"chart-container\"><canvas id=\"diagramm%1\"></canvas></div>")
        .arg(number);
}

} // namespace

QStringList missingGroupsNotice(const DayMeanTable &table, const QStringList &groups,
                                const QStringList &ranges)
{
    const QString start = QStringLiteral("[Es fehlen Daten der Tagesgruppe: ");
    QString notice = start;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (!DayGroupHasData(groups.at(i), table))
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
        // Blanks and control characters at both ends do not count as text.
        const bool blank =
            std::all_of(line.begin(), line.end(), [](QChar c) { return c.unicode() <= ' '; });
        if (blank)
            continue;
        lines.append(ReplaceAll(escapeHtmlText(line), QStringLiteral("\t"),
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
    const ChartPage page = ChartPage::Bar;
    const DayMeanTable &table = inputs.dayMeans;
    const int days = daysInOpenMonth(inputs.openMonth, inputs.openYear);
    const qint64 s = roundedMonthMean(inputs.monthMeanSystolic);
    const qint64 d = roundedMonthMean(inputs.monthMeanDiastolic);
    const MonthGrade grade = classifyMonth(s, d, page);
    const QString warning = plausibilityWarning(s, d);
    const QString summary = FillMarkerLine(ChartTemplate::summary, inputs, page);

    QStringList groups{QStringLiteral("Woche1"), QStringLiteral("Woche2"), QStringLiteral("Woche3"),
                       QStringLiteral("Woche4")};
    QStringList ranges{QStringLiteral("1-7"), QStringLiteral(" , 8-14"), QStringLiteral(" , 15-21"),
                       QStringLiteral(" , 22-28")};
    if (days > 28) {
        groups.append(QStringLiteral("RestdesMonats"));
        ranges.append(QStringLiteral(" , 29-31"));
    }

    QStringList lines;
    lines.reserve(150);
    appendPageStart(
        lines, inputs, page,
        QStringLiteral("<style>canvas {-moz-user-select: none;-webkit-user-select: "
                       "none;-ms-user-select: none;}.chart-container {width: 650px;margin-left: "
                       "10px;margin-right: 10px;}.container {display: flex;flex-direction: "
                       "row;flex-wrap: wrap;justify-content: center;}"),
        missingGroupsNotice(table, groups, ranges));

    static const char *const groupKeys[] = {"Woche1", "Woche2", "Woche3", "Woche4",
                                            "RestdesMonats"};
    bool shown[5];
    QString container = QStringLiteral("<div class=\"container\">");
    QString onload;
    for (int i = 0; i < 5; ++i) {
        shown[i] = DayGroupHasData(QLatin1String(groupKeys[i]), table);
        if (!shown[i])
            continue;
        container += canvas(i + 1) + (i == 4 ? QStringLiteral(" ") : QString());
        const QString function =
            i == 0 ? QStringLiteral("createConfig") : QStringLiteral("createConfig%1").arg(i + 1);
        onload += QStringLiteral("{id: 'diagramm%1',config: %2()},").arg(i + 1).arg(function);
    }
    lines.append(container + canvas(6));

    appendScriptStart(
        lines, inputs,
        QStringLiteral("var fontSize = 12; var fontStyle = 'normal';  var fontFamily = 'Helvetica "
                       "Neue';   "),
        QStringLiteral("var drawValue = function(context, step) { var ctx = context.chart.ctx; "
                       "context.data.datasets.forEach(function (dataset) {   for (var i = 0; i < "
                       "dataset.data.length; i++) { var model = "
                       "dataset._meta[Object.keys(dataset._meta)[0]].data[i]._model;  "),
        QStringLiteral("var textY = (model.y > topThreshold) ? model.y - 3 : model.y + 20; "
                       "fadeIn(ctx, dataset.data[i], model.x, textY, model.y > topThreshold, "
                       "step); }  });};   "));

    const QString headerEnd = QStringLiteral("bar',\tdata: { ");
    const GroupChart charts[5] = {
        {QStringLiteral("function createConfig(colorName) {return {type: '") + headerEnd,
         QStringLiteral("DzErsteWoche"),
         {QStringLiteral("Dz2_1"), QStringLiteral("Dz2_2"), QStringLiteral("Dz2_3")},
         QStringLiteral("Die erste Woche:"),
         1,
         7},
        {QStringLiteral("function createConfig2(colorName) {return {type: '") + headerEnd,
         QStringLiteral("DzZweiteWoche"),
         {QStringLiteral("Dz3_1"), QStringLiteral("Dz3_2"), QStringLiteral("Dz3_3")},
         QStringLiteral("Die zweite Woche:"),
         8,
         14},
        {QStringLiteral("function createConfig3(colorName) {return {type: '") + headerEnd,
         QStringLiteral("DzDritteWoche"),
         {QStringLiteral("Dz_2_1"), QStringLiteral("Dz_2_2"), QStringLiteral("Dz_2_3")},
         QStringLiteral("Die dritte Woche:"),
         15,
         21},
        {QStringLiteral("function createConfig4(colorName) {return {type: '") + headerEnd,
         QStringLiteral("DzVierteWoche"),
         {QStringLiteral("Dz_3_1"), QStringLiteral("Dz_3_2"), QStringLiteral("Dz_3_3")},
         QStringLiteral("Die vierte Woche:"),
         22,
         28},
        {QStringLiteral("function createConfig5(colorName) {return { type:'") + headerEnd,
         days > 28 ? QStringLiteral("DzRestWochen") : QString(),
         {QStringLiteral("DzRest1"), QStringLiteral("DzRest2"), QStringLiteral("DzRest3")},
         QStringLiteral("Die restlichen Tage des Monats:"),
         29,
         31},
    };
    for (const GroupChart &chart : charts)
        lines += groupChartLines(chart, inputs, page);
    lines += gradeChartLines(grade, summary, page);
    lines.append(ChartTemplate::pointStyleConfig(QStringLiteral("createConfig")));
    for (int n = 2; n <= 6; ++n)
        lines.append(ChartTemplate::pointStyleConfig(QStringLiteral("createConfig%1").arg(n)));
    lines.append(onloadLine(onload + QStringLiteral("{id: 'diagramm6',config: createConfig6()}")));
    appendPageEnd(lines, inputs, warning);
    return lines;
}

QStringList buildLinePage(const ChartInputs &inputs)
{
    const ChartPage page = ChartPage::Line;
    const DayMeanTable &table = inputs.dayMeans;
    const int days = daysInOpenMonth(inputs.openMonth, inputs.openYear);
    const qint64 s = roundedMonthMean(inputs.monthMeanSystolic);
    const qint64 d = roundedMonthMean(inputs.monthMeanDiastolic);
    const MonthGrade grade = classifyMonth(s, d, page);
    const QString warning = plausibilityWarning(s, d);
    const QString summary = FillMarkerLine(ChartTemplate::summary, inputs, page);

    QStringList groups{QStringLiteral("zweiWochen1"), QStringLiteral("zweiWochen2")};
    QStringList ranges{QStringLiteral("1-14"), QStringLiteral(" , 15-28")};
    if (days > 28) {
        groups.append(QStringLiteral("RestdesMonats"));
        ranges.append(QStringLiteral(" , 29-31"));
    }

    QStringList lines;
    lines.reserve(120);
    appendPageStart(
        lines, inputs, page,
        QStringLiteral("<style>canvas {-moz-user-select: none;-webkit-user-select: "
                       "none;-ms-user-select: none;}.chart-container {width: 600px;margin-left: "
                       "10px;margin-right: 10px;}.container {display: flex;flex-direction: "
                       "row;flex-wrap: wrap;justify-content: left;}"),
        missingGroupsNotice(table, groups, ranges));

    const bool a = DayGroupHasData(QStringLiteral("zweiWochen1"), table);
    const bool b = DayGroupHasData(QStringLiteral("zweiWochen2"), table);
    const bool c = DayGroupHasData(QStringLiteral("RestdesMonats"), table);
    const int row = (a ? 4 : 0) | (b ? 2 : 0) | (c ? 1 : 0);
    if (row != 0) {
        QString first = QStringLiteral("<div class=\"container\">");
        if (a)
            first += canvas(1);
        if (b)
            first += canvas(2);
        if (c)
            first += canvas(3);
        lines.append(first + QLatin1Char(' '));
        lines.append(canvas(4) + (row == 4 ? QStringLiteral(" ") : QStringLiteral("   ")));
    }

    appendScriptStart(
        lines, inputs,
        QStringLiteral("var fontSize = 12; var fontStyle = 'normal';  var fontFamily = 'Helvetica "
                       "Neue'; "),
        QStringLiteral("var drawValue = function(context, step) { var ctx = context.chart.ctx; "
                       "context.data.datasets.forEach(function (dataset) { for (var i = 0; i < "
                       "dataset.data.length; i++) { var model = "
                       "dataset._meta[Object.keys(dataset._meta)[0]].data[i]._model;  "),
        QStringLiteral("var textY = (model.y > topThreshold) ? model.y - 3 : model.y + 20; "
                       "fadeIn(ctx, dataset.data[i], model.x-5, textY, model.y+1 > topThreshold, "
                       "step); }  });};   "));

    const GroupChart charts[3] = {
        {QStringLiteral("function createConfig(colorName) {return {type:'line',\tdata: { "),
         QStringLiteral("DzErste2Wochen"),
         {QStringLiteral("Dz2_1"), QStringLiteral("Dz2_2"), QStringLiteral("Dz2_3")},
         QStringLiteral("Die ersten 14 Tage"),
         1,
         14},
        {QStringLiteral("function createConfig2(colorName) {return {\ttype:'line',\tdata: { "),
         QStringLiteral("DzZweiten2Wochen"),
         {QStringLiteral("Dz3_1"), QStringLiteral("Dz3_2"), QStringLiteral("Dz3_3")},
         QStringLiteral("Die nächsten 14 Tage"),
         15,
         28},
        {QStringLiteral("function createConfig3(colorName) {return {\ttype:'line',\tdata: { "),
         days > 28 ? QStringLiteral("DzRestWochen") : QString(),
         {QStringLiteral("DzRest1"), QStringLiteral("DzRest2"), QStringLiteral("DzRest3")},
         QStringLiteral("Die restlichen Tage des Monats"),
         29,
         31},
    };
    for (const GroupChart &chart : charts)
        lines += groupChartLines(chart, inputs, page);
    lines += gradeChartLines(grade, summary, page);
    lines.append(ChartTemplate::pointStyleConfig(QStringLiteral("createConfig")));
    for (int n = 2; n <= 4; ++n)
        lines.append(ChartTemplate::pointStyleConfig(QStringLiteral("createConfig%1").arg(n)));

    // The entries of each combination keep their own spacing and tabs.
    const QString one = QStringLiteral("{id: 'diagramm1',config: createConfig()}");
    const QString two = QStringLiteral("{id: 'diagramm2',\tconfig: createConfig2()}");
    const QString three = QStringLiteral("{id: 'diagramm3',config: createConfig3()}");
    const QString grades = QStringLiteral("{id: 'diagramm4',config: createConfig4()}");
    switch (row) {
    case 7:
        lines.append(onloadLine(one + QStringLiteral(", ") + two + QStringLiteral(", ") + three +
                                QLatin1Char(',') + grades + QStringLiteral("  ")));
        break;
    case 4:
        lines.append(onloadLine(one + QLatin1Char(',') + grades + QStringLiteral("   ")));
        break;
    case 6:
        lines.append(onloadLine(one + QLatin1Char(',') + two + QStringLiteral(" ,") + grades +
                                QStringLiteral("  ")));
        break;
    case 2:
        lines.append(onloadLine(two + QLatin1Char(',') + grades + QStringLiteral("  ")));
        break;
    case 3:
        lines.append(onloadLine(two +
                                QStringLiteral(",{id: 'diagramm3',config: createConfig3() },") +
                                grades + QStringLiteral("  ")));
        break;
    case 5:
        lines.append(onloadLine(QStringLiteral("{id: 'diagramm1',\tconfig: createConfig()},") +
                                three + QLatin1Char(',') + grades + QStringLiteral("  ")));
        break;
    case 1:
        lines.append(onloadLine(three + QLatin1Char(',') + grades + QStringLiteral("  ")));
        break;
    default:
        break; // no chart at all
    }
    appendPageEnd(lines, inputs, warning);
    return lines;
}
