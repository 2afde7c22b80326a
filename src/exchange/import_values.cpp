#include "exchange/import_values.h"

#include "journal/slots.h"

#include <QRegularExpression>

#include <algorithm>

namespace ImportValues {

namespace {

struct FormParts
{
    QChar separator;
    int day;
    int month;
    int year;
};

FormParts partsOf(DateForm form)
{
    switch (form) {
    case DateForm::DayMonthYear:
        return {u'.', 0, 1, 2};
    case DateForm::YearMonthDay:
        return {u'-', 2, 1, 0};
    case DateForm::MonthDayYear:
        return {u'/', 1, 0, 2};
    case DateForm::DayMonthYearSlash:
        break;
    }
    return {u'/', 0, 1, 2};
}

bool allDigits(const QString &text)
{
    for (const QChar character : text) {
        if (character < u'0' || character > u'9')
            return false;
    }
    return !text.isEmpty();
}

constexpr std::array<DateForm, 4> kForms = {DateForm::DayMonthYear, DateForm::YearMonthDay,
                                            DateForm::MonthDayYear, DateForm::DayMonthYearSlash};

} // namespace

QString dateFormName(DateForm form)
{
    switch (form) {
    case DateForm::DayMonthYear:
        return QStringLiteral("TT.MM.JJJJ");
    case DateForm::YearMonthDay:
        return QStringLiteral("JJJJ-MM-TT");
    case DateForm::MonthDayYear:
        return QStringLiteral("MM/TT/JJJJ");
    case DateForm::DayMonthYearSlash:
        break;
    }
    return QStringLiteral("TT/MM/JJJJ");
}

std::optional<QDate> parseDate(const QString &text, DateForm form)
{
    const FormParts parts = partsOf(form);
    const QStringList pieces = text.trimmed().split(parts.separator);
    if (pieces.size() != 3)
        return std::nullopt;
    for (int i = 0; i < 3; ++i) {
        const qsizetype length = pieces.at(i).size();
        const bool fits = i == parts.year ? length == 4 : length == 1 || length == 2;
        if (!fits || !allDigits(pieces.at(i)))
            return std::nullopt;
    }
    const int year = pieces.at(parts.year).toInt();
    const QDate date(year, pieces.at(parts.month).toInt(), pieces.at(parts.day).toInt());
    if (year < 1900 || !date.isValid())
        return std::nullopt;
    return date;
}

QList<DateForm> fittingDateForms(const QStringList &dateTexts)
{
    std::array<int, 4> counts{};
    for (const QString &text : dateTexts) {
        for (std::size_t i = 0; i < kForms.size(); ++i) {
            if (parseDate(text, kForms[i]))
                ++counts[i];
        }
    }
    const int best = *std::max_element(counts.begin(), counts.end());
    QList<DateForm> forms;
    for (std::size_t i = 0; i < kForms.size() && best > 0; ++i) {
        if (counts[i] == best)
            forms.append(kForms[i]);
    }
    return forms;
}

QString slashDateQuestion(const QString &sample)
{
    const auto spoken = [](const std::optional<QDate> &date) {
        return date ? QStringLiteral("%1. %2 %3")
                          .arg(date->day())
                          .arg(germanMonthName(date->month()))
                          .arg(date->year())
                    : QString();
    };
    return QStringLiteral("Die Datumsangaben der Datei lassen sich auf zwei Arten lesen: "
                          "„%1“ kann der %2 (Monat/Tag/Jahr, amerikanisch) oder der %3 "
                          "(Tag/Monat/Jahr) sein.\n\n"
                          "Sind die Datumsangaben als Monat/Tag/Jahr geschrieben?")
        .arg(sample.trimmed(), spoken(parseDate(sample, DateForm::MonthDayYear)),
             spoken(parseDate(sample, DateForm::DayMonthYearSlash)));
}

DateAndTime splitDateTime(const QString &cell)
{
    const QString text = cell.trimmed();
    qsizetype at = text.indexOf(u' ');
    if (at < 0)
        at = text.indexOf(u'T');
    if (at < 0)
        return {text, QString()};
    return {text.left(at), text.mid(at + 1).trimmed()};
}

std::optional<QString> parseTime(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}(?:\\.\\d+)?))?\\s*(am|pm|uhr)?"
                       "\\s*(?:z|[+-]\\d{2}:?\\d{2})?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    const QString seconds = match.captured(3);
    const QString half = match.captured(4).toLower();
    if (!half.isEmpty() && half != QLatin1String("uhr")) {
        if (hours < 1 || hours > 12)
            return std::nullopt;
        hours = hours % 12 + (half == QLatin1String("pm") ? 12 : 0);
    }
    // The end of the day, as the entry form and our own export write it; a
    // second past it is no time of that day.
    const bool endOfDay = hours == 24 && minutes == 0 &&
                          std::all_of(seconds.begin(), seconds.end(), [](QChar character) {
                              return character == u'0' || character == u'.';
                          });
    if (!endOfDay && (hours > 23 || minutes > 59))
        return std::nullopt;
    return QStringLiteral("%1:%2")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'));
}

std::optional<int> parseValue(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!allDigits(trimmed) || trimmed.size() > 3)
        return std::nullopt;
    const int value = trimmed.toInt();
    if (value > 280)
        return std::nullopt;
    return value;
}

std::optional<QString> parseWeight(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,3})(?:[.,](\\d{1,3}))?$"));
    QString trimmed = text.trimmed();
    if (trimmed.endsWith(QLatin1String("kg"), Qt::CaseInsensitive))
        trimmed = trimmed.chopped(2).trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("0");
    const QRegularExpressionMatch match = pattern.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    const QString whole = match.captured(1);
    const QString fraction = match.captured(2);
    if (whole.toInt() == 0 && fraction.toInt() == 0)
        return QStringLiteral("0");
    return fraction.isEmpty() ? whole : whole + u',' + fraction;
}

} // namespace ImportValues
