#pragma once

#include "journal/medication.h"
#include "journal/reading.h"

#include <QByteArray>
#include <QList>

// Readings as a CSV file that LibreOffice Calc and Excel with German
// settings open directly: UTF-8 with byte order mark, ";" between fields,
// CRLF, decimal comma, one reading a line in date and slot order.
namespace CsvExport {

// "Datum;Wochentag;Messung;Uhrzeit;Systolisch (mmHg);Diastolisch (mmHg);Puls (1/min);Gewicht (kg)"
QString headerLine();

// The weight field is empty where the month file says "Gewicht=0".
QByteArray bytes(const QList<Reading> &readings);

// "Medikament;Stärke;Einnahme;Erster Tag;Letzter Tag;Notiz"
QString medicationHeaderLine();

// The medications in the same style, one a line in the order given; the
// last day is empty while it is taken.
QByteArray medicationBytes(const QList<Medication> &medications);

} // namespace CsvExport
