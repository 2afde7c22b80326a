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

} // namespace CsvExport
