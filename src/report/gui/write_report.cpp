#include "report/gui/write_report.h"

#include "base/text_file.h"
#include "report/gui/report_pdf.h"
#include "report/report_content.h"
#include "report/report_folder.h"
#include "storage/gallery.h"

ReportOutcome writeDoctorsReport(const ReportRequest &request)
{
    ReportOutcome outcome;
    outcome.path = request.reportFolder + reportFileName(request.user, request.period);
    outcome.error = makeReportFolder(request.reportFolder);
    if (!outcome.error.isEmpty())
        return outcome;
    const QList<Gallery::Month> months = Gallery::readPeriod(
        request.galleryFolder, request.user, request.period.first, request.period.last);
    const QByteArray pdf = renderReportPdf(buildReportContent(
        request.user, request.period, request.today, months, request.plannedWeek));
    QString reason;
    if (!TextFile::writeBytes(outcome.path, pdf, &reason))
        outcome.error = QStringLiteral("Der Bericht konnte nicht gespeichert werden:\r\n") +
                        outcome.path + QStringLiteral("\r\n") + reason;
    return outcome;
}
