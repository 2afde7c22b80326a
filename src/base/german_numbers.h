#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// Numbers as the program shows and reads them: always the German locale
// (decimal comma, full stop between thousands), never the process locale.
namespace GermanNumbers {

const QLocale &locale();

// Reads a floating-point number with decimal comma. Leading and trailing
// blanks are allowed; thousands separators are not.
// Throws ConversionError("'<text>' ist kein gültiger Gleitkommawert").
long double toFloat(const QString &text);

// Reads a whole number (optional sign, leading blanks allowed).
// Throws ConversionError("'<text>' ist kein gültiger Integerwert").
qint64 toInt(const QString &text);

// Like toInt, but for values that must fit into 32 bits (colours, settings).
qint32 toInt32(const QString &text);

// The value of a text that formatGeneral writes as it stands: 1 to 6 digits
// without a leading zero, then optionally a comma and digits that do not end
// in 0, at most 15 digits in all ("79,1", "310"). nullopt for any other text,
// which toFloat then reads. Exactly the value toFloat gives, found without
// the slow general reader.
std::optional<long double> plainDecimal(QStringView text);

// Shortest general form with up to 15 significant digits: 70,6 or 72 or -5.
QString formatGeneral(long double value);

// Fixed notation with two decimals: 128,33 or 85,00.
QString formatFixed2(long double value);

// The pattern "#,##0.0": one decimal, thousands grouped (80,8 or 1.002,0).
QString formatGrouped1(long double value);

// The pattern "00.0": at least two integer digits, one decimal (80,3 or 09,5).
QString formatTwoDigits1(long double value);

} // namespace GermanNumbers

// Integer part of x plus the integer part of twice its fraction: halves go up
// for the non-negative values the statistics produce. (RoundHalfUp)
long double roundHalfUp(long double x);

// Integer part of x * 10^n + 0.50000000000001, divided by 10^n. (RoundToDigits)
long double roundToDigits(long double x, int digits);
