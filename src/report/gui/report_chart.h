#pragma once

#include "report/report_content.h"

#include <QRectF>

class QPainter;

// The daily means of the period as three lines over its days, with the home
// thresholds 135 and 85 mmHg as dashed lines. Drawn by the program itself, so
// the report needs neither a browser nor a chart library.
void drawDailyMeansChart(QPainter &painter, const QRectF &area, double unitsPerMm,
                         const ReportContent &content);
