#include "exchange/csv_export.h"

#include "exchange/csv_records.h"

#include <algorithm>

namespace CsvExport {

namespace {

const QChar kSeparator = u';';

// The weekday by our own names: the process locale may not be German.
QStringList fieldsOf(const Reading &reading)
{
    return {reading.date.toString(QStringLiteral("dd.MM.yyyy")),
            germanWeekdayName(reading.date),
            slotInfo(reading.slot).buttonCaption,
            reading.time,
            QString::number(reading.systolic),
            QString::number(reading.diastolic),
            QString::number(reading.pulse),
            reading.weight() ? reading.weightText.trimmed() : QString()};
}

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
        text += CsvRecords::joinLine(fieldsOf(reading), kSeparator);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace CsvExport
