#include "exchange/gui/exchange_commands.h"

#include "base/german_quotes.h"
#include "base/text_file.h"
#include "exchange/csv_export.h"
#include "exchange/fhir_export.h"
#include "exchange/gui/Exportieren.h"
#include "exchange/gui/Importieren.h"
#include "exchange/import_report.h"
#include "storage/gallery.h"
#include "storage/medication_store.h"
#include "ui/seam.h"

#include <QDir>
#include <QFileInfo>
#include <QTimeZone>

namespace ExchangeCommands {

namespace {

// What the export leaves out, so that nobody takes the file for complete.
QString omissions(const QList<Gallery::Month> &months)
{
    QStringList unreadable;
    qsizetype unreadLines = 0;
    for (const Gallery::Month &month : months) {
        if (month.state == Gallery::Month::State::Unreadable)
            unreadable.append(QFileInfo(month.path).fileName());
        else if (month.journal)
            unreadLines += month.journal->unreadLines().size();
    }
    QString text;
    if (!unreadable.isEmpty())
        text += QStringLiteral("\nNicht lesbar und daher nicht exportiert: ") +
                unreadable.join(QStringLiteral(", "));
    if (unreadLines == 1)
        text += QStringLiteral("\n1 Zeile der Monatsdateien ließ sich nicht lesen und fehlt im "
                               "Export.");
    else if (unreadLines > 1)
        text += QStringLiteral("\n%1 Zeilen der Monatsdateien ließen sich nicht lesen und fehlen "
                               "im Export.")
                    .arg(unreadLines);
    return text;
}

// Month files are named after the user; without a name they have none.
bool hasUser(QWidget *parent, UiSeam &seam, const ExchangeContext &context)
{
    if (!context.user.isEmpty())
        return true;
    seam.showMessage(parent, UiSeam::MessageKind::Information,
                     QStringLiteral("Bitte geben Sie zuerst Ihren Namen ein (Optionen → Name "
                                    "ändern)."));
    return false;
}

} // namespace

void exportReadings(QWidget *parent, UiSeam &seam, TExportierenDlg &dialog,
                    const ExchangeContext &context)
{
    if (!hasUser(parent, seam, context))
        return;
    dialog.prepare(context.openMonth);
    if (seam.execDialog(dialog) != QDialog::Accepted)
        return;
    const MonthRange period = dialog.months(seam.today());
    const QList<Gallery::Month> months =
        Gallery::readPeriod(context.galleryFolder, context.user, period.first, period.last);
    const QList<Reading> readings = Gallery::readingsOf(months);
    if (readings.isEmpty()) {
        seam.showMessage(
            parent, UiSeam::MessageKind::Information,
            QStringLiteral("Für %1 sind keine Messungen gespeichert.").arg(describeMonths(period)) +
                omissions(months));
        return;
    }
    const bool csv = dialog.format() == ExportPeriod::Format::Csv;
    const QString path = seam.getSaveFileName(
        parent,
        context.dataFolder + ExportPeriod::suggestedFileName(context.user, period, dialog.format()),
        csv ? QStringLiteral("CSV-Dateien (*.csv)") : QStringLiteral("FHIR-JSON (*.json)"));
    if (path.isEmpty())
        return;
    QList<Medication> medications;
    for (const Medication &medication :
         MedicationStore::medicationsOf(context.galleryFolder, context.user)) {
        if (medication.overlaps(period.firstDay(), period.lastDay()))
            medications.append(medication);
    }
    const QByteArray bytes =
        csv ? CsvExport::bytes(readings)
            : FhirExport::bundle(readings, context.user, QTimeZone::systemTimeZone(), medications,
                                 seam.today());
    QString error;
    if (!TextFile::writeBytes(path, bytes, &error)) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2")
                             .arg(germanQuoted(path), error));
        return;
    }
    // The medications of the period in a second file beside the readings.
    QString medicationNote;
    if (csv && !medications.isEmpty()) {
        const QString medicationPath = QFileInfo(path).absoluteDir().filePath(
            ExportPeriod::medicationFileName(context.user, period));
        if (TextFile::writeBytes(medicationPath, CsvExport::medicationBytes(medications), &error))
            medicationNote = QStringLiteral("\r\nDie Medikamente des Zeitraums stehen in der "
                                            "Datei %1.")
                                 .arg(germanQuoted(medicationPath));
        else
            medicationNote = QStringLiteral("\r\nDie Datei %1 mit den Medikamenten konnte nicht "
                                            "geschrieben werden: %2")
                                 .arg(germanQuoted(medicationPath), error);
    }
    seam.showMessage(
        parent, UiSeam::MessageKind::Information,
        QStringLiteral("%1 %2 aus %3 in die Datei %4 exportiert.")
                .arg(readings.size())
                .arg(readings.size() == 1 ? QStringLiteral("Messung") : QStringLiteral("Messungen"))
                .arg(describeMonths(period), germanQuoted(path)) +
            omissions(months) + medicationNote);
}

QStringList importReadings(QWidget *parent, UiSeam &seam, TImportierenDlg &dialog,
                           const ExchangeContext &context)
{
    if (!hasUser(parent, seam, context))
        return {};
    const QString path = seam.getOpenFileName(
        parent, context.dataFolder, QStringLiteral("CSV-Dateien (*.csv *.txt);;Alle Dateien (*)"));
    if (path.isEmpty())
        return {};
    const CsvImport::Opened opened = CsvImport::readFile(path);
    if (!opened.table) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning, opened.problem);
        return {};
    }
    dialog.prepare(*opened.table, QFileInfo(path).fileName(),
                   {context.galleryFolder, context.user, context.slotTimes});
    if (seam.execDialog(dialog) != QDialog::Accepted)
        return {};
    // The preview is planned again: the months may have changed meanwhile.
    const ImportPreview &preview = dialog.preview();
    const GalleryMerge::Plan plan = GalleryMerge::plan(
        context.galleryFolder, context.user, preview.readings.readings, context.slotTimes, true);
    const QString failure = GalleryMerge::apply(plan, context.galleryFolder, context.user);
    QStringList written;
    for (const GalleryMerge::MonthPlan &month : plan.months) {
        if (month.added > 0)
            written.append(month.path);
    }
    if (!failure.isEmpty()) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning, failure);
        return written;
    }
    seam.showMessage(parent, UiSeam::MessageKind::Information,
                     ImportReport::summary(plan, preview.readings.faulty));
    return written;
}

} // namespace ExchangeCommands
