#pragma once

#include "report/report_period.h"

#include <QDate>
#include <QString>

#include <optional>

// What a doctor's report is made from and where it goes.
struct ReportRequest
{
    QString galleryFolder; // ends in '/'
    QString reportFolder;  // ends in '/'
    QString user;
    ReportPeriod period;
    QDate today;
    std::optional<QDate> plannedWeek; // the first day of a planned measuring week
};

struct ReportOutcome
{
    QString path;  // the PDF, whether written or not
    QString error; // the German message when it was not written; empty on success
};

// Reads the user's months of the period (and only them), builds the report
// and writes it in one piece: a temporary file that replaces an older report
// of the same name only once it is complete. Month files are only read. The
// report folder is made here when it is missing; when it cannot be, nothing
// is read or written and the error says why.
ReportOutcome writeDoctorsReport(const ReportRequest &request);
