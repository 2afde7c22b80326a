#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Fields and records of CSV text as RFC 4180 has them: a field in double
// quotes may hold the separator, line breaks and doubled quotes.
namespace CsvRecords {

struct Record
{
    int line = 0; // the file line the record begins on, counted from 1
    QStringList fields;
};

// Fields beyond this many are dropped: no table has them, and a file of
// nothing but separators must not fill the memory.
constexpr qsizetype kMaxFields = 256;

// All records of the text, without empty lines; at most `maxRecords` when it is not negative.
// A line break inside quotes belongs to the field; an unclosed quote runs to
// the end of the text.
QList<Record> split(const QString &text, QChar separator, qsizetype maxRecords = -1);

// The field as a record holds it: in quotes when it contains the separator,
// a quote or a line break, or begins or ends with a blank.
QString quote(const QString &field, QChar separator);

// One record with CRLF at its end.
QString joinLine(const QStringList &fields, QChar separator);

} // namespace CsvRecords
