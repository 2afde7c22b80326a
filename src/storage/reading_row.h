#pragma once

#include "journal/reading.h"

#include <QStringList>

// One reading as the texts of a row, in the order both the report's table
// and the CSV export show them: date, weekday, slot, time, systolic,
// diastolic, pulse, weight (empty where none was entered).
namespace ReadingRow {

// The export writes the year as the month file does; the report as a
// number. They part only before the year 1000.
enum class Year { FourDigits, AsNumber };

// The weight as the user typed it ("70,55"), or rounded half up to one
// decimal with grouped thousands ("70,6").
enum class Weight { AsWritten, OneDecimal };

struct Form
{
    Year year;
    Weight weight;
};

QStringList cells(const Reading &reading, Form form);

} // namespace ReadingRow
