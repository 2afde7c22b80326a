#include "charts/chart_template.h"

namespace ChartTemplate {

QString head1()
{
    return QStringLiteral(
        "<!doctype html><html><head><style>h0{font-family: Verdana;font-style:normal;font-weight:"
        "400;color:black;font-size:18px;}</style><title>Blutdruck</title><script "
        "src=\"Chart.min.js\"></script>");
}

QString head2()
{
    return QStringLiteral("<style> h1{ font-family:Verdana;font-style:normal;font-weight:100;"
                          "color:black;font-size:14px;} </style>");
}

QString bodyStart()
{
    return QStringLiteral("</style></head><body><center>");
}

QString meansNote()
{
    return QStringLiteral(
        "<br><h1>Die täglichen Messwerte sind als Mittelwerte dargestellt. </h1></center>");
}

QString scriptStart()
{
    return QStringLiteral("</div><script>");
}

QString fontColours()
{
    return QStringLiteral("var insideFontColor = '255,255,255'; var outsideFontColor = '0,0,0'; "
                          "var topThreshold = 20;");
}

QString modifyCtx()
{
    return QStringLiteral(
        "var modifyCtx = function(ctx) { ctx.font = "
        "Chart.helpers.fontString(fontSize, fontStyle, fontFamily);  "
        "ctx.textAlign = 'center';  ctx.textBaseline = 'bottom';  return ctx;}; ");
}

QString fadeIn(const QString &valueColour)
{
    return QStringLiteral("var fadeIn = function(ctx, obj, x, y, black, step) { var ctx = "
                          "modifyCtx(ctx); var alpha = 0; ctx.fillStyle =   '") +
           valueColour + QStringLiteral("';   ctx.fillText(obj, x, y);};  ");
}

QString legend1()
{
    return QStringLiteral(
        "legend: {display: true,onClick: function(e, legendItem) {var index = "
        "legendItem.datasetIndex; var actualChart = this.chart; var alreadyHidden = "
        "(actualChart.getDatasetMeta(index).hidden === null) ? false : "
        "actualChart.getDatasetMeta(index).hidden;");
}

QString legend2()
{
    return QStringLiteral(
        "actualChart.data.datasets.forEach(function(e, i) { var meta = "
        "actualChart.getDatasetMeta(i);  if (i === index) {if(!alreadyHidden){  ");
}

QString legend3()
{
    return QStringLiteral("meta.stop();  }  } });  }, },            ");
}

QString pointStyleConfig(const QString &functionName)
{
    return QStringLiteral("function createPointStyleConfig(colorName) {var config = ") +
           functionName +
           QStringLiteral("(colorName);config.options.legend.labels.usePointStyle = true;return "
                          "config;}");
}

QString scriptEnd()
{
    return QStringLiteral("});};</script>");
}

QString warningLine(const QString &warning)
{
    return QStringLiteral("<h1><font color=\"red\">") + warning + QStringLiteral("</font></h1>");
}

QString pageEnd()
{
    return QStringLiteral("</div></body></html>");
}

} // namespace ChartTemplate
