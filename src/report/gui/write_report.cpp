#include "report/gui/write_report.h"

#include "base/text_file.h"
#include "report/gui/report_pdf.h"
#include "report/report_content.h"
#include "report/report_folder.h"
#include "stats/medication_effect.h"
#include "storage/gallery.h"
#include "storage/medication_store.h"

ReportOutcome writeDoctorsReport(const ReportRequest &request)
{
    ReportOutcome outcome;
    outcome.path = request.reportFolder + reportFileName(request.user, request.period);
    outcome.error = makeReportFolder(request.reportFolder);
    if (!outcome.error.isEmpty())
        return outcome;
    const QList<Gallery::Month> months = Gallery::readPeriod(
        request.galleryFolder, request.user, request.period.first, request.period.last);
    ReportContent content = buildReportContent(request.user, request.period, request.today, months);
    const QList<Medication> medications =
        MedicationStore::medicationsOf(request.galleryFolder, request.user);
    if (!medications.isEmpty()) {
        // The figures of a change read up to 14 days beyond the period.
        const EffectSpan span = effectSpan(
            medicationChanges(medications, request.period.firstDay(), request.period.lastDay()));
        const QList<Reading> readings =
            span.first.isValid() ? Gallery::readingsOf(Gallery::readPeriod(
                                       request.galleryFolder, request.user, span.first, span.last))
                                 : QList<Reading>();
        addMedications(content, request.period, medications, readings);
    }
    const QByteArray pdf = renderReportPdf(content);
    QString reason;
    if (!TextFile::writeBytes(outcome.path, pdf, &reason))
        outcome.error = QStringLiteral("Der Bericht konnte nicht gespeichert werden:\r\n") +
                        outcome.path + QStringLiteral("\r\n") + reason;
    return outcome;
}
