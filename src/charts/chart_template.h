#pragma once

#include "charts/page_template.h"

// The texts of the chart pages with their named parts; chart_page.cpp fills
// them. Both pages share one text and differ only in the values of parts.
namespace ChartTemplate {

struct Texts
{
    // The whole page. Text parts: chartWidth, rowAlign, title, fontGap,
    // valueColour, loopGap, valueX, valueY, gradeChart, summary, gradeText,
    // gradeColour. Line parts: notice, canvases, dayCharts,
    // pointStyleConfigs, onload, warning, remark.
    PageTemplate page;
    // One chart of a day group. Text parts: function, type, systolicColour,
    // systolicData, diastolicColour, diastolicData, pulseColour, pulseData,
    // legendLabels, title, scalesLead, axisMax, axisGap, scalesEnd. Line
    // parts: labels, valueDisplay.
    PageTemplate dayChart;
    // The lines before the scales of a day chart when the values are drawn
    // on each page. Text part: tooltips.
    PageTemplate barValuesShown;
    PageTemplate lineValuesShown;
    // One line each. Text parts: function; charts.
    PageTemplate pointStyleConfig;
    PageTemplate onload;
};

// Read once, on first use.
const Texts &texts();

// The container of chart `number` ("diagramm1" ...).
QString canvas(int number);

// The charts part of the line page's onload for the day charts shown, one
// bit each: the first 14 days 4, the next 14 days 2, the rest of the month 1.
QString lineOnloadCharts(int shown);

QString warningLine(const QString &warning);

} // namespace ChartTemplate
