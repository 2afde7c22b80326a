#include "charts/chart_format.h"

#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "base/windows1252.h"

#include <QDate>

#include <cmath>

QString colourToHtml(qint32 colour)
{
    const auto value = quint32(colour);
    static const char digits[] = "0123456789ABCDEF";
    QString text(7, QLatin1Char('#'));
    for (int byte = 0; byte < 3; ++byte) {
        const quint32 part = (value >> (8 * byte)) & 0xFF;
        text[1 + 2 * byte] = QLatin1Char(digits[part >> 4]);
        text[2 + 2 * byte] = QLatin1Char(digits[part & 0xF]);
    }
    return text;
}

QString weekdayPrefix(int day, int month, int year)
{
    static const char *const names[] = {"Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa.", "So."};
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    return QLatin1String(names[date.dayOfWeek() - 1]);
}

QString axisMax(const DayMeanTable &table, int firstDay, int lastDay)
{
    qint64 highest = 0;
    for (int day = firstDay; day <= lastDay; ++day)
        highest = std::max(highest, qint64(checkedDayValue(table.text(Quantity::Systolic, day))));
    qint64 tens = highest / 10;
    const qint64 rest = highest % 10;
    if (rest > 5 || (rest == 5 && tens % 2 == 1))
        ++tens;
    return QString::number(10 * tens + 10);
}

QString replaceAll(QString text, const QString &oldText, const QString &newText)
{
    // Searching again from the start lets a replacement complete a new
    // occurrence with its neighbours (",0,0," needs two rounds).
    qsizetype at = 0;
    while ((at = text.indexOf(oldText, 0)) >= 0)
        text.replace(at, oldText.size(), newText);
    return text;
}

QString escapeHtmlText(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            result += QLatin1String("&amp;");
            break;
        case '<':
            result += QLatin1String("&lt;");
            break;
        case '>':
            result += QLatin1String("&gt;");
            break;
        default:
            result += c;
        }
    }
    // The page is written in Windows-1252: what it cannot hold (a name or a
    // remark read from a file with a byte-order mark) goes in as a reference.
    if (Windows1252::firstUnheld(result).isEmpty())
        return result;
    QString referenced;
    for (const char32_t code : result.toUcs4()) {
        const QString character = QString::fromUcs4(&code, 1);
        referenced += Windows1252::firstUnheld(character).isEmpty()
                          ? character
                          : QStringLiteral("&#%1;").arg(quint32(code));
    }
    return referenced;
}

int daysInOpenMonth(const QString &month, const QString &year)
{
    return QDate(checkedYear(year), checkedMonth(month), 1).daysInMonth();
}

namespace {

ConversionError pageRefusal(const QString &reason)
{
    return ConversionError(QStringLiteral("Die Diagrammseite wird nicht erstellt: ") + reason);
}

// The value of a text of ASCII digits only, at most `maxDigits` of them.
std::optional<int> digitsValue(const QString &text, qsizetype maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

int checkedMonth(const QString &text)
{
    const std::optional<int> month = digitsValue(text, 2);
    if (!month || *month < 1 || *month > 12)
        throw pageRefusal(QStringLiteral("Der Monat „%1“ ist keine Zahl von 1 bis 12.").arg(text));
    return *month;
}

int checkedYear(const QString &text)
{
    const std::optional<int> year = text.size() == 4 ? digitsValue(text, 4) : std::nullopt;
    if (!year)
        throw pageRefusal(
            QStringLiteral("Das Jahr „%1“ besteht nicht aus vier Ziffern.").arg(text));
    return *year;
}

int checkedDayValue(const QString &text)
{
    const std::optional<int> value = digitsValue(text, 3);
    if (!value)
        throw pageRefusal(QStringLiteral("Der Tagesmittelwert „%1“ ist keine ganze Zahl von 0 "
                                         "bis %2.")
                              .arg(text)
                              .arg(kMaxDayValue));
    return *value;
}

qint64 checkedMonthMean(const QString &text)
{
    // An empty or foreign text keeps the reader's own message.
    const long double mean = GermanNumbers::toFloat(text);
    if (!std::isfinite(mean) || mean < 0 || mean >= kMaxDayValue + 0.5L)
        throw pageRefusal(QStringLiteral("Der Monatsmittelwert „%1“ ist keine Zahl von 0 bis %2.")
                              .arg(text)
                              .arg(kMaxDayValue));
    return qint64(roundToDigits(mean, 0));
}

std::optional<long double> checkedWeight(long double weight)
{
    // The weight stands inside a text of the page, where only a value that
    // is not finite would show as something else than a number.
    if (std::isnan(weight) || std::isinf(weight))
        throw pageRefusal(QStringLiteral("Das mittlere Gewicht des Monats ist keine Zahl."));
    if (weight <= 0)
        return std::nullopt;
    return weight;
}
