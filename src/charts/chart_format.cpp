#include "charts/chart_format.h"

#include "base/german_numbers.h"

#include <QDate>

QString ColorToHtml(qint32 colour)
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

QString WeekdayPrefix(int day, int month, int year)
{
    static const char *const names[] = {"Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa.", "So."};
    const QDate date(year, month, day);
    if (!date.isValid())
        return {};
    return QLatin1String(names[date.dayOfWeek() - 1]);
}

QString AxisMax(const DayMeanTable &table, int firstDay, int lastDay)
{
    qint64 highest = 0;
    for (int day = firstDay; day <= lastDay; ++day)
        highest = std::max(highest, GermanNumbers::toInt(table.text(Quantity::Systolic, day)));
    qint64 tens = highest / 10;
    const qint64 rest = highest % 10;
    if (rest > 5 || (rest == 5 && tens % 2 == 1))
        ++tens;
    return QString::number(10 * tens + 10);
}

QString ReplaceAll(QString text, const QString &oldText, const QString &newText)
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
    return result;
}

int daysInOpenMonth(const QString &month, const QString &year)
{
    const auto m = int(GermanNumbers::toInt(month));
    const auto y = int(GermanNumbers::toInt(year));
    return QDate(y, m, 1).daysInMonth();
}
