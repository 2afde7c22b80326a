#include "exchange/csv_records.h"

namespace CsvRecords {

namespace {

// Reads one quoted field from `at` (just behind the opening quote) to its
// closing quote; `at` ends behind it and `line` counts the breaks inside.
QString quotedField(const QString &text, qsizetype &at, int &line)
{
    QString field;
    const qsizetype size = text.size();
    while (at < size) {
        const QChar character = text.at(at++);
        if (character == u'"') {
            if (at < size && text.at(at) == u'"') {
                field += u'"';
                ++at;
                continue;
            }
            return field;
        }
        if (character == u'\n' || (character == u'\r' && (at >= size || text.at(at) != u'\n')))
            ++line;
        field += character;
    }
    return field;
}

// Consumes the line break at `at`, if there is one; true when it did.
bool skipLineBreak(const QString &text, qsizetype &at)
{
    if (at >= text.size() || (text.at(at) != u'\n' && text.at(at) != u'\r'))
        return false;
    if (text.at(at) == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n')
        ++at;
    ++at;
    return true;
}

// One record from `at`, which ends behind its line break.
QStringList fieldsFrom(const QString &text, QChar separator, qsizetype &at, int &line)
{
    QStringList fields;
    const qsizetype size = text.size();
    for (;;) {
        QString field;
        if (at < size && text.at(at) == u'"') {
            ++at;
            field = quotedField(text, at, line);
        }
        const qsizetype start = at;
        while (at < size && text.at(at) != separator && text.at(at) != u'\n' &&
               text.at(at) != u'\r')
            ++at;
        field += QStringView(text).mid(start, at - start);
        if (fields.size() < kMaxFields)
            fields.append(field);
        if (at < size && text.at(at) == separator) {
            ++at;
            continue;
        }
        skipLineBreak(text, at);
        ++line;
        return fields;
    }
}

} // namespace

QList<Record> split(const QString &text, QChar separator, qsizetype maxRecords)
{
    QList<Record> records;
    qsizetype at = 0;
    int line = 1;
    while (at < text.size() && (maxRecords < 0 || records.size() < maxRecords)) {
        if (skipLineBreak(text, at)) {
            ++line;
            continue;
        }
        Record record;
        record.line = line;
        record.fields = fieldsFrom(text, separator, at, line);
        if (record.fields.size() > 1 || !record.fields.constFirst().isEmpty())
            records.append(std::move(record));
    }
    return records;
}

QString quote(const QString &field, QChar separator)
{
    const bool needsQuotes = field.contains(separator) || field.contains(u'"') ||
                             field.contains(u'\n') || field.contains(u'\r') ||
                             field.startsWith(u' ') || field.endsWith(u' ');
    if (!needsQuotes)
        return field;
    QString quoted = field;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString joinLine(const QStringList &fields, QChar separator)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += separator;
        line += quote(fields.at(i), separator);
    }
    return line + QStringLiteral("\r\n");
}

} // namespace CsvRecords
