#pragma once

#include "report/report_content.h"

#include <QByteArray>

// The report as an A4 portrait PDF: page 1 with the summary, the chart, the
// month classification, the measuring week and the remarks; then the table of
// all readings. Every page names its number and the number of pages.
QByteArray renderReportPdf(const ReportContent &content);
