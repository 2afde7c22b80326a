#include "exchange/csv_export.h"

#include "exchange/csv_records.h"
#include "storage/reading_row.h"

#include <algorithm>

namespace CsvExport {

namespace {

const QChar kSeparator = u';';

} // namespace

QString headerLine()
{
    return QStringLiteral("Datum;Wochentag;Messung;Uhrzeit;Systolisch (mmHg);Diastolisch (mmHg);"
                          "Puls (1/min);Gewicht (kg)");
}

QByteArray bytes(const QList<Reading> &readings)
{
    QList<Reading> ordered = readings;
    std::stable_sort(ordered.begin(), ordered.end());
    QString text = headerLine() + QStringLiteral("\r\n");
    for (const Reading &reading : ordered)
        text += CsvRecords::joinLine(ReadingRow::cells(reading, {ReadingRow::Year::FourDigits,
                                                                 ReadingRow::Weight::AsWritten}),
                                     kSeparator);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString medicationHeaderLine()
{
    return QStringLiteral("Medikament;Stärke;Einnahme;Erster Tag;Letzter Tag;Notiz");
}

QByteArray medicationBytes(const QList<Medication> &medications)
{
    const QString dayFormat = QStringLiteral("dd.MM.yyyy");
    QString text = medicationHeaderLine() + QStringLiteral("\r\n");
    for (const Medication &medication : medications)
        text += CsvRecords::joinLine(
            {medication.name, medication.strength, medication.intake,
             medication.firstDay.toString(dayFormat),
             medication.lastDay ? medication.lastDay->toString(dayFormat) : QString(),
             medication.note},
            kSeparator);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace CsvExport
