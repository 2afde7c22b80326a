#include "storage/reading_row.h"

#include "base/german_numbers.h"

namespace ReadingRow {

namespace {

QString dateText(const QDate &date, Year year)
{
    if (year == Year::FourDigits)
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    return QStringLiteral("%1.%2.%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

QString weightText(const Reading &reading, Weight form)
{
    const std::optional<long double> weight = reading.weight();
    if (!weight)
        return {};
    if (form == Weight::AsWritten)
        return reading.weightText.trimmed();
    return GermanNumbers::formatGrouped1(roundToDigits(*weight, 1));
}

} // namespace

// The weekday by our own names: the process locale may not be German.
QStringList cells(const Reading &reading, Form form)
{
    return {dateText(reading.date, form.year),    germanWeekdayName(reading.date),
            slotInfo(reading.slot).buttonCaption, reading.time,
            QString::number(reading.systolic),    QString::number(reading.diastolic),
            QString::number(reading.pulse),       weightText(reading, form.weight)};
}

} // namespace ReadingRow
