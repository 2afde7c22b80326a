#pragma once

#include "journal/slots.h"

#include <QDate>
#include <QString>

#include <optional>

namespace EntryLine {
class Parsed;
}

// The pieces of an entry line in the form the program writes, as views into
// the line (see Reading::parseWritten); for readers that need no copy.
struct WrittenPieces
{
    Slot slot = Slot::Morning;
    QDate date;
    QStringView time;
    int systolic = 0;
    int diastolic = 0;
    int pulse = 0;
    QStringView weightText;
    int day = 0; // of the date, read without the calendar

    static std::optional<WrittenPieces> of(QStringView entryLine);
};

// One reading, typed. It keeps the entry line it came from, so that a month
// read and written again stays the same byte for byte.
struct Reading
{
    QDate date;
    Slot slot = Slot::Morning;
    QString time; // "07:30"
    int systolic = 0;
    int diastolic = 0;
    int pulse = 0;
    QString weightText; // "78,4"; "0" where no weight was entered
    QString line;       // the entry line as the month file holds it

    // The weight in kilograms; nullopt where the line says "Gewicht=0".
    std::optional<long double> weight() const;

    // Day and slot order, as the month file keeps its lines.
    bool operator<(const Reading &other) const;

    // Reads an entry line ("Abends den 28.02.2017 Z=20:40 s=131, d=81, p=61,
    // Gewicht=0"); nullopt when a piece is missing, not a number or no date.
    static std::optional<Reading> parse(const QString &entryLine);
    // The same for a line already read; a line in the written form is taken
    // from its pieces, which give the same reading.
    static std::optional<Reading> parse(const EntryLine::Parsed &entryLine);

    // Reads a line only in the exact form `format` writes, with a valid date,
    // a time of digits and colons, and values without blanks or leading
    // zeros; nullopt for any other line. Such a line means the same to every
    // reader of the month, however it looks for its pieces.
    static std::optional<Reading> parseWritten(const QString &entryLine);
    // The reading of a line's written pieces; `entryLine` is that line.
    static Reading fromWritten(const WrittenPieces &pieces, const QString &entryLine);

    // The entry line the program writes for these values.
    static QString format(Slot slot, const QDate &date, const QString &time, int systolic,
                          int diastolic, int pulse, const QString &weightText);
};
