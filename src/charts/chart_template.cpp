#include "charts/chart_template.h"

namespace {

// The texts are the page as it is written: blanks at the ends of lines and
// tabs belong to it. "{{name}}" marks a part (see PageTemplate).

// {{dayCharts}} holds a kDayChart for every day group, then the grade chart
// follows: the month means against the grades of hypertension.
const char16_t kPage[] =
    uR"(<!doctype html><html><head><style>h0{font-family: Verdana;font-style:normal;font-weight:400;color:black;font-size:18px;}</style><title>Blutdruck</title><script src="Chart.min.js"></script>
<style> h1{ font-family:Verdana;font-style:normal;font-weight:100;color:black;font-size:14px;} </style>
<style>canvas {-moz-user-select: none;-webkit-user-select: none;-ms-user-select: none;}.chart-container {width: {{chartWidth}}px;margin-left: 10px;margin-right: 10px;}.container {display: flex;flex-direction: row;flex-wrap: wrap;justify-content: {{rowAlign}};}
</style></head><body><center>
{{title}}
<br><h1>Die täglichen Messwerte sind als Mittelwerte dargestellt. </h1></center>
{{notice}}
{{canvases}}
</div><script>
var insideFontColor = '255,255,255'; var outsideFontColor = '0,0,0'; var topThreshold = 20;
var fontSize = 12; var fontStyle = 'normal';  var fontFamily = 'Helvetica Neue';{{fontGap}}
var modifyCtx = function(ctx) { ctx.font = Chart.helpers.fontString(fontSize, fontStyle, fontFamily);  ctx.textAlign = 'center';  ctx.textBaseline = 'bottom';  return ctx;}; 
var fadeIn = function(ctx, obj, x, y, black, step) { var ctx = modifyCtx(ctx); var alpha = 0; ctx.fillStyle =   '{{valueColour}}';   ctx.fillText(obj, x, y);};  
var drawValue = function(context, step) { var ctx = context.chart.ctx; context.data.datasets.forEach(function (dataset) { {{loopGap}}for (var i = 0; i < dataset.data.length; i++) { var model = dataset._meta[Object.keys(dataset._meta)[0]].data[i]._model;  
var textY = (model.y > topThreshold) ? model.y - 3 : model.y + 20; fadeIn(ctx, dataset.data[i], {{valueX}}, textY, {{valueY}} > topThreshold, step); }  });};   
{{dayCharts}}
function createConfig{{gradeChart}}(colorName) {return {	type:'bar',	data: { 
labels: [{{summary}}], 
datasets: [{barPercentage: 0.3, label: '{{gradeText}}',
backgroundColor: '{{gradeColour}}' ,borderColor: '{{gradeColour}}',fill: false, 
data: [180] , },  
]},
options: {aspectRatio:1.6  , legend: {display: true,labels: {fontSize: 13 ,fontStyle : 'bold',boxWidth :10}},elements: {line: {tension: 0}},responsive: true,title: {display: true, fontSize: 14 ,fontStyle : 'bold',text: 'Hypertonie Grad'}, 
tooltips: {enabled: false, mode: 'index', intersect: true, },hover: {mode: 'index',},scales: {xAxes: [{  ticks: { fontSize: 13 , fontStyle : 'bold'},gridLines: {  display: false ,  color: '#E5DFDF'}, scaleLabel: {display: true,labelString: '     '}	}],yAxes: [{stacked: true, gridLines: {  display: false ,  color: '#E5DFDF'},display: false,scaleLabel: {display: false,labelString: 'mmHg'},}]}}};} 
{{pointStyleConfigs}}
{{onload}}
});};</script>
{{warning}}
{{remark}}
</div></body></html>)";

const char16_t kDayChart[] = uR"(function {{function}}(colorName) {return {{{type}},	data: { 
{{labels}}
datasets: [{label: 'Systole',
{{systolicColour}}
{{systolicData}}
{label: 'Diastole',
{{diastolicColour}}
{{diastolicData}}
{label: 'Puls',
{{pulseColour}}
{{pulseData}}
]},
options: {aspectRatio:1.6  , legend: {display: true,{{legendLabels}},elements: {line: {tension: 0}},responsive: true,title: {display: true, fontSize : 14,text: '{{title}}'}, 
legend: {display: true,onClick: function(e, legendItem) {var index = legendItem.datasetIndex; var actualChart = this.chart; var alreadyHidden = (actualChart.getDatasetMeta(index).hidden === null) ? false : actualChart.getDatasetMeta(index).hidden;
actualChart.data.datasets.forEach(function(e, i) { var meta = actualChart.getDatasetMeta(i);  if (i === index) {if(!alreadyHidden){  
meta.stop();  }  } });  }, },            
{{valueDisplay}}
{{scalesLead}}scales: {xAxes: [{ gridLines: {  display: true ,  color: '#E5DFDF'}, scaleLabel: {display: true,labelString: '     '}	}],yAxes: [{ticks: { max:{{axisMax}}},{{axisGap}}gridLines: {  display: true ,  color: '#E5DFDF'},scaleLabel: {display: true,labelString: 'mmHg'},}]}}};}{{scalesEnd}})";

// What stands before the scales of a day chart when the values are drawn
// above the bars or points.
const char16_t kBarValuesShown[] = uR"({{tooltips}}, 
hover:{animationDuration: 1},
animation:{duration:1, onComplete: function(){this.chart.controller.draw(); drawValue(this, 1);},onProgress: function(state){var animation = state.animationObject;drawValue(this,animation.currentStep / animation.numSteps); }}, )";

const char16_t kLineValuesShown[] = uR"({{tooltips}}, 
hover:{animationDuration: 0},animation:{onComplete: function(){this.chart.controller.draw(); drawValue(this, 1);},onProgress: function(state){var animation = state.animationObject;drawValue(this,animation.currentStep / animation.numSteps); }}, )";

const char16_t kPointStyleConfig[] =
    uR"(function createPointStyleConfig(colorName) {var config = {{function}}(colorName);config.options.legend.labels.usePointStyle = true;return config;})";

const char16_t kOnload[] =
    uR"(window.onload = function() {[{{charts}}].forEach(function(details) {var ctx = document.getElementById(details.id).getContext('2d');new Chart(ctx, details.config);)";

// The charts window.onload starts, for each combination of the line page's
// day charts shown (first 14 days 4, next 14 days 2, the rest 1). The grade
// chart comes last; every combination keeps its own blanks and tabs.
const char16_t *const kLineOnloadCharts[8] = {
    u"",
    u"{id: 'diagramm3',config: createConfig3()},{id: 'diagramm4',config: createConfig4()}  ",
    u"{id: 'diagramm2',\tconfig: createConfig2()},{id: 'diagramm4',config: createConfig4()}  ",
    u"{id: 'diagramm2',\tconfig: createConfig2()},{id: 'diagramm3',config: createConfig3() },"
    u"{id: 'diagramm4',config: createConfig4()}  ",
    u"{id: 'diagramm1',config: createConfig()},{id: 'diagramm4',config: createConfig4()}   ",
    u"{id: 'diagramm1',\tconfig: createConfig()},{id: 'diagramm3',config: createConfig3()},"
    u"{id: 'diagramm4',config: createConfig4()}  ",
    u"{id: 'diagramm1',config: createConfig()},{id: 'diagramm2',\tconfig: createConfig2()} ,"
    u"{id: 'diagramm4',config: createConfig4()}  ",
    u"{id: 'diagramm1',config: createConfig()}, {id: 'diagramm2',\tconfig: createConfig2()}, "
    u"{id: 'diagramm3',config: createConfig3()},{id: 'diagramm4',config: createConfig4()}  ",
};

} // namespace

namespace ChartTemplate {

QString canvas(int number)
{
    return QStringLiteral(
               "<div class=\"chart-container\"><canvas id=\"diagramm%1\"></canvas></div>")
        .arg(number);
}

QString lineOnloadCharts(int shown)
{
    return QString::fromUtf16(kLineOnloadCharts[shown & 7]);
}

QString warningLine(const QString &warning)
{
    return QStringLiteral("<h1><font color=\"red\">") + warning + QStringLiteral("</font></h1>");
}

const Texts &texts()
{
    static const Texts read{PageTemplate(kPage),
                            PageTemplate(kDayChart),
                            PageTemplate(kBarValuesShown),
                            PageTemplate(kLineValuesShown),
                            PageTemplate(kPointStyleConfig),
                            PageTemplate(kOnload)};
    return read;
}

} // namespace ChartTemplate
