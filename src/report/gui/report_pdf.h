#pragma once

#include "report/report_content.h"

#include <QByteArray>

// The report as an A4 portrait PDF: page 1 with the summary, the chart, the
// month classification, the measuring week and the remarks; then the table of
// all readings, on the same page when its title, header row and five rows
// still fit there, else on a new one. Every page names its number and the
// number of pages.
QByteArray renderReportPdf(const ReportContent &content);

// What decides where the readings table starts, in the PDF's units.
struct ReadingsTableStart
{
    double spaceLeft = 0; // on the page the remarks end on
    double needed = 0;    // the gap above the title, the title, header row and five rows
    double rowHeight = 0;
};

// Lays the report out as renderReportPdf does, without drawing; all zero when
// the content has no readings, and so no table.
ReadingsTableStart measureReadingsTableStart(const ReportContent &content);
