#include "base/german_numbers.h"

#include "base/blanks.h"
#include "base/conversion_error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace GermanNumbers {

namespace {

// Numbers are typed, not hand-edited files: only blanks and tabs surround them.
bool isSpaceOrTab(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimmedBlanks(const QString &text)
{
    return withoutBlanks(text, isSpaceOrTab).toString();
}

// A message box cannot show a megabyte of junk: the quote keeps the first
// 60 characters of the text.
QString quoted(const QString &text)
{
    constexpr qsizetype kQuoteLimit = 60;
    if (text.size() <= kQuoteLimit)
        return text;
    return text.left(kQuoteLimit) + QChar(0x2026);
}

[[noreturn]] void throwFloatError(const QString &text)
{
    throw ConversionError(
        QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(quoted(text)));
}

[[noreturn]] void throwIntError(const QString &text)
{
    throw ConversionError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(quoted(text)));
}

// Decimal digits of a value, rounded half-up once, the way the formats
// of the program always rounded (0,125 with two decimals gives 0,13).
struct DecimalDigits
{
    bool negative = false;
    QByteArray digits; // no leading zeros; empty for zero
    int exponent = 0;  // value = 0.digits * 10^exponent
};

DecimalDigits roundedDigits(long double value, int precision, int decimals)
{
    DecimalDigits result;
    if (value == 0 || !std::isfinite(value))
        return result;
    result.negative = value < 0;
    // std::to_chars never looks at the process locale; printf would write
    // the decimal comma of a German LC_NUMERIC and lose every fraction.
    // Eighteen significant digits, as the program's long double forms always
    // took them: the mean 79,15 of 79,1 and 79,2 is 79,1499999... in binary,
    // but 79,1500... in eighteen digits, and so rounds to 79,2 as it must.
    char buffer[80];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 17);
    // buffer: d.ddddd...e+XX
    QByteArray all;
    const char *p = buffer;
    all.append(*p++);
    if (*p == '.')
        ++p;
    while (*p >= '0' && *p <= '9')
        all.append(*p++);
    int exp10 = 0;
    const char *expBegin = p + 1;
    if (*expBegin == '+')
        ++expBegin;
    std::from_chars(expBegin, written.ptr, exp10);
    result.exponent = exp10 + 1;
    int keep = precision;
    if (decimals >= 0)
        keep = std::min(keep, result.exponent + decimals);
    if (keep < 0)
        return DecimalDigits{};
    QByteArray kept = all.left(keep);
    const bool roundUp = keep < all.size() && all.at(keep) >= '5';
    if (roundUp) {
        qsizetype i = kept.size() - 1;
        while (i >= 0 && kept.at(i) == '9') {
            kept[i] = '0';
            --i;
        }
        if (i >= 0) {
            kept[i] = char(kept.at(i) + 1);
        } else {
            kept.prepend('1');
            ++result.exponent;
        }
    }
    while (!kept.isEmpty() && kept.endsWith('0'))
        kept.chop(1);
    result.digits = kept;
    if (kept.isEmpty())
        result.negative = false;
    return result;
}

// decimals < 0: shortest general form; otherwise fixed with that many
// decimals and at least minIntegerDigits before the comma.
QString formatDecimal(long double value, int precision, int decimals, int minIntegerDigits = 1,
                      bool groupThousands = false)
{
    const DecimalDigits d = roundedDigits(value, precision, decimals);
    QString integer;
    QString fraction;
    for (int pos = 0; pos < std::max<int>(d.exponent, 0); ++pos)
        integer.append(QLatin1Char(pos < d.digits.size() ? d.digits.at(pos) : '0'));
    const int fractionDigits =
        decimals >= 0 ? decimals : int(std::max<qsizetype>(0, d.digits.size() - d.exponent));
    for (int k = 0; k < fractionDigits; ++k) {
        const int pos = d.exponent + k;
        fraction.append(QLatin1Char(pos >= 0 && pos < d.digits.size() ? d.digits.at(pos) : '0'));
    }
    while (integer.size() < minIntegerDigits)
        integer.prepend(QLatin1Char('0'));
    if (groupThousands) {
        for (qsizetype pos = integer.size() - 3; pos > 0; pos -= 3)
            integer.insert(pos, QLatin1Char('.'));
    }
    QString text = d.negative ? QStringLiteral("-") : QString();
    text += integer;
    if (!fraction.isEmpty())
        text += QLatin1Char(',') + fraction;
    return text;
}

} // namespace

const QLocale &locale()
{
    static const QLocale german(QLocale::German, QLocale::Germany);
    return german;
}

long double toFloat(const QString &text)
{
    const QString s = trimmedBlanks(text);
    // Accept exactly: [sign] digits [',' digits] [('E'|'e') [sign] digits]
    qsizetype i = 0;
    QByteArray ascii;
    ascii.reserve(s.size());
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-')))
        ascii.append(char(s.at(i++).unicode()));
    qsizetype digits = 0;
    while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128) {
        ascii.append(char(s.at(i++).unicode()));
        ++digits;
    }
    if (i < s.size() && s.at(i) == QLatin1Char(',')) {
        ascii.append('.');
        ++i;
        while (i < s.size() && s.at(i).unicode() >= '0' && s.at(i).unicode() <= '9') {
            ascii.append(char(s.at(i++).unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        throwFloatError(text);
    if (i < s.size() && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
        ascii.append('e');
        ++i;
        if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-')))
            ascii.append(char(s.at(i++).unicode()));
        qsizetype expDigits = 0;
        while (i < s.size() && s.at(i).unicode() >= '0' && s.at(i).unicode() <= '9') {
            ascii.append(char(s.at(i++).unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            throwFloatError(text);
    }
    if (i != s.size())
        throwFloatError(text);
    // std::from_chars reads the "." of the C locale whatever the process
    // locale says; strtold would stop at it under a German LC_NUMERIC.
    // It takes no "+" sign, so that one is skipped.
    const char *begin = ascii.constData() + (ascii.startsWith('+') ? 1 : 0);
    long double value = 0;
    const auto parsed = std::from_chars(begin, ascii.constData() + ascii.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero, as strtold gave it; too large is an error.
        const qsizetype exponentAt = ascii.indexOf('e');
        const bool tiny = exponentAt >= 0 && ascii.indexOf('-', exponentAt) > exponentAt;
        if (!tiny)
            throwFloatError(text);
        value = 0;
    }
    if (!std::isfinite(value))
        throwFloatError(text);
    return value;
}

qint64 toInt(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isSpaceOrTab(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');
    if (i == text.size())
        throwIntError(text);
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < '0' || c > '9')
            throwIntError(text);
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10)
            throwIntError(text);
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

qint32 toInt32(const QString &text)
{
    const qint64 value = toInt(text);
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throwIntError(text);
    return qint32(value);
}

std::optional<long double> plainDecimal(QStringView text)
{
    const auto digitAt = [&text](qsizetype at) {
        return at < text.size() && text[at] >= u'0' && text[at] <= u'9';
    };
    quint64 mantissa = 0;
    qsizetype at = 0;
    for (; digitAt(at); ++at)
        mantissa = mantissa * 10 + (text[at].unicode() - u'0');
    const qsizetype integerDigits = at;
    if (integerDigits == 0 || integerDigits > 6 || text[0] == u'0')
        return std::nullopt;
    qsizetype fractionDigits = 0;
    if (at < text.size()) {
        if (text[at++] != u',')
            return std::nullopt;
        for (; digitAt(at); ++at, ++fractionDigits)
            mantissa = mantissa * 10 + (text[at].unicode() - u'0');
        if (at < text.size() || fractionDigits == 0 || text.back() == u'0' ||
            integerDigits + fractionDigits > 15)
            return std::nullopt;
    }
    // Both operands are exact, so the quotient is the long double nearest to
    // the decimal, which is what the general reader finds.
    static constexpr std::array<long double, 15> kPowers = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,
                                                            1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                                            1e10L, 1e11L, 1e12L, 1e13L, 1e14L};
    return static_cast<long double>(mantissa) / kPowers[std::size_t(fractionDigits)];
}

QString formatGeneral(long double value)
{
    return formatDecimal(value, 15, -1);
}

QString formatFixed2(long double value)
{
    return formatDecimal(value, 7, 2);
}

QString formatGrouped1(long double value)
{
    return formatDecimal(value, 15, 1, 1, true);
}

QString formatTwoDigits1(long double value)
{
    return formatDecimal(value, 15, 1, 2);
}

} // namespace GermanNumbers

long double roundHalfUp(long double x)
{
    const long double integer = std::trunc(x);
    const long double fraction = x - integer;
    return integer + std::trunc(fraction * 2);
}

long double roundToDigits(long double x, int digits)
{
    const long double scale = std::pow(10.0L, digits);
    return std::trunc(x * scale + 0.50000000000001L) / scale;
}
