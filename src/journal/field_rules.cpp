#include "journal/field_rules.h"

#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "journal/entry_line.h"

#include <QRegularExpression>

#include <algorithm>

namespace FieldRules {

namespace {

const QChar kQuote = QLatin1Char('"');
const QString kCrLf = QStringLiteral("\r\n");

QString padTwo(const QString &text)
{
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

} // namespace

int daysInMonth(int month, int year)
{
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    if (month <= 7)
        return month % 2 == 1 ? 31 : 30;
    return month % 2 == 0 ? 31 : 30;
}

int limitDay(int day, int month, int year)
{
    return std::min(day, daysInMonth(month, year));
}

std::optional<int> spinFieldValue(SpinField field, const QString &text)
{
    struct Rule
    {
        int low;
        int high;
    };
    const Rule rule = field == SpinField::Day     ? Rule{1, 31}
                      : field == SpinField::Month ? Rule{1, 12}
                      : field == SpinField::Year  ? Rule{1900, 9999}
                                                  : Rule{0, 280};
    const QString trimmed = text.trimmed();
    qlonglong number = 1;
    if (field == SpinField::Year && !trimmed.isEmpty() && trimmed.size() != 4) {
        number = 1900;
    } else if ((field == SpinField::Day || field == SpinField::Month) && trimmed.size() > 3) {
        number = 1;
    } else if (!trimmed.isEmpty()) {
        bool ok = false;
        number = trimmed.toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    return int(std::clamp<qlonglong>(number, rule.low, rule.high));
}

bool monthMismatch(const QString &lastListLine, const QString &monthText)
{
    return !lastListLine.isEmpty() &&
           EntryLine::listDateOf(lastListLine).month != padTwo(monthText);
}

bool yearMismatch(const QString &lastListLine, const QString &yearText)
{
    return !lastListLine.isEmpty() && EntryLine::listDateOf(lastListLine).year != yearText;
}

QString stepTime(const QString &time, bool up)
{
    const QString text = time.contains(QLatin1Char(':')) ? time : QStringLiteral("24:00");
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    qint64 hours = GermanNumbers::toInt(text.left(colon));
    qint64 minutes = GermanNumbers::toInt(text.mid(colon + 1));
    if (up) {
        minutes += 10;
        if (minutes > 60)
            minutes = 60;
        if (minutes == 60) {
            if (hours < 24)
                ++hours;
            minutes = 0;
        }
    } else {
        minutes -= 10;
        if (minutes < 0) {
            if (hours <= 0) {
                hours = 24;
                minutes = 0;
            } else {
                --hours;
                minutes = 50;
            }
        }
    }
    if (hours == 24 && minutes > 0)
        hours = 0;
    return QStringLiteral("%1:%2")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'));
}

std::optional<long double> stepWeight(long double current, int radioButton, bool up)
{
    const long double step = radioButton == 1 ? 10.0L : radioButton == 2 ? 1.0L : 0.1L;
    if (up)
        return current > 500 ? std::nullopt : std::optional<long double>(current + step);
    return current < 1 ? std::nullopt : std::optional<long double>(current - step);
}

bool isTypableTime(const QString &text)
{
    static const QRegularExpression typable(
        QStringLiteral("^(?:[0-9]{0,4}|[0-9]{1,2}[:.][0-9]{0,2})$"));
    return typable.match(text).hasMatch();
}

QString normalizedTime(const QString &text)
{
    static const QRegularExpression parts(
        QStringLiteral("^([0-9]{1,2})[:.]([0-9]{2})$|^([0-9]{1,2})([0-9]{2})$"));
    const QRegularExpressionMatch match = parts.match(text);
    if (!match.hasMatch())
        return text;
    const bool separated = match.hasCaptured(1);
    const QString hours = match.captured(separated ? 1 : 3);
    const QString minutes = match.captured(separated ? 2 : 4);
    const QString time = padTwo(hours) + QLatin1Char(':') + minutes;
    return isValidTime(time) ? time : text;
}

std::optional<QString> typableWeight(const QString &text)
{
    static const QRegularExpression typable(QStringLiteral("^-?[0-9]{0,3}(?:,[0-9]{0,2})?$"));
    QString weight = text;
    weight.replace(QLatin1Char('.'), QLatin1Char(','));
    if (!typable.match(weight).hasMatch())
        return std::nullopt;
    return weight;
}

long double weightValue(const QString &text)
{
    QString number = text.trimmed();
    if (number.endsWith(QLatin1Char(',')))
        number.chop(1);
    if (number.isEmpty() || number == QLatin1String("-"))
        return 0;
    return GermanNumbers::toFloat(number);
}

QString storedWeight(const QString &text)
{
    QString weight = text.trimmed();
    weight.replace(QLatin1Char('.'), QLatin1Char(','));
    if (weight.endsWith(QLatin1Char(',')))
        weight.chop(1);
    if (weight.startsWith(QLatin1Char(',')))
        weight.prepend(QLatin1Char('0'));
    return weight.isEmpty() || weight == QLatin1String("-") ? QStringLiteral("0") : weight;
}

QString monthRefusal(const QString &monthText)
{
    return QStringLiteral("Überprüfen Sie bitte die Monatsangabe ") + kQuote + monthText + kQuote +
           QStringLiteral(" sie stimmt nicht ") +
           QStringLiteral("mit den bisherigen Eintragungen überein!") + kCrLf +
           QStringLiteral("Wenn Sie eine Tabelle für einen neuen Monat beginnen möchten, dann "
                          "wählen Sie den Menüpunkt") +
           kCrLf + kQuote + QStringLiteral("Datei|neu erstellen (neuer Monat oder Jahr)") + kQuote +
           QStringLiteral(" aus.");
}

QString yearRefusal(const QString &yearText)
{
    return QStringLiteral("Überprüfen Sie bitte die Jahresangabe ") + kQuote + yearText + kQuote +
           QStringLiteral(" sie stimmt nicht ") +
           QStringLiteral("mit den bisherigen Eintragungen überein!") + kCrLf +
           QStringLiteral("Wenn Sie eine Tabelle für ein neues Jahr beginnen möchten, dann wählen "
                          "Sie den Menüpunkt") +
           kCrLf + kQuote + QStringLiteral("Datei|neu erstellen (neuer Monat oder Jahr)") + kQuote +
           QStringLiteral(" aus.");
}

QString duplicateRefusal(Slot slot, const QString &day, const QString &month, const QString &year)
{
    return QStringLiteral("Ein Eintrag mit dem Datum: ") + slotInfo(slot).prefix + day +
           QLatin1Char('.') + month + QLatin1Char('.') + year +
           QStringLiteral(" existiert schon in der Liste!");
}

std::optional<int> findDuplicate(const QStringList &listLines, const QString &slotPrefix,
                                 const QString &day, const QString &month, const QString &year)
{
    for (int i = 0; i < listLines.size(); ++i) {
        if (EntryLine::namesSlotAndDate(listLines.at(i), slotPrefix, day, month, year))
            return i;
    }
    return std::nullopt;
}

ParsedEntry parseForEdit(const EntryLine::Parsed &displayLine)
{
    return displayLine.editFields();
}

ParsedEntry parseForEdit(const QString &displayLine)
{
    return EntryLine::Parsed::byMarkers(displayLine).editFields();
}

ParsedEntry parseForPreset(const EntryLine::Parsed &entryLine)
{
    return entryLine.presetFields();
}

ParsedEntry parseForPreset(const QString &entryLine)
{
    return EntryLine::Parsed::byMarkers(entryLine).presetFields();
}

std::optional<QString> yearFromTitle(const QString &title)
{
    QString text = title;
    if (text.contains(QStringLiteral("Blutdruckmesswerte")))
        text.remove(0, 18);
    text = text.trimmed();
    std::optional<QString> year;
    for (const char *pattern : {"199", "200", "201", "202", "203"}) {
        const qsizetype at = text.indexOf(QLatin1String(pattern));
        if (at >= 0)
            year = text.mid(at, 4);
    }
    return year;
}

} // namespace FieldRules

namespace FieldRules {

namespace {

bool allDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

QString outOfRange(const QString &value, const char *field, const char *range)
{
    return QStringLiteral("Dieser Eintrag lässt sich nicht in die Eingabefelder übernehmen: "
                          "Der Wert „%1“ für %2 liegt nicht zwischen %3. "
                          "Die Tabelle bleibt unverändert.")
        .arg(value, QString::fromUtf8(field), QString::fromUtf8(range));
}

// A whole number from low to high, as a spin field can show it.
bool fitsSpinField(const QString &text, int low, int high)
{
    const QString trimmed = text.trimmed();
    if (!allDigits(trimmed) || trimmed.size() > 5)
        return false;
    const int value = trimmed.toInt();
    return value >= low && value <= high;
}

} // namespace

bool isValidTime(const QString &text)
{
    if (text.size() != 5 || text.at(2) != QLatin1Char(':'))
        return false;
    const QStringView hours = QStringView(text).left(2);
    const QStringView minutes = QStringView(text).mid(3);
    if (!allDigits(hours) || !allDigits(minutes))
        return false;
    const int h = hours.toInt();
    const int m = minutes.toInt();
    return (h < 24 && m < 60) || (h == 24 && m == 0);
}

QString timeRefusal(const QString &text)
{
    return QStringLiteral("Die Uhrzeit „%1“ ist ungültig. Bitte geben Sie im Feld Uhrzeit eine "
                          "Zeit von 00:00 bis 24:00 in der Form HH:MM ein.")
        .arg(text);
}

QStringList formRefusals(bool monthMismatch, bool yearMismatch, const QString &monthText,
                         const QString &yearText, const QString &timeText)
{
    QStringList refusals;
    if (monthMismatch)
        refusals << monthRefusal(monthText);
    if (yearMismatch)
        refusals << yearRefusal(yearText);
    if (refusals.isEmpty() && !isValidTime(timeText))
        refusals << timeRefusal(timeText);
    return refusals;
}

QString editNeedsSelection()
{
    return QStringLiteral(
        "Sie müssen zuerst einen Eintrag in der Liste durch Anklicken auswählen!");
}

QString editQuestion()
{
    return QStringLiteral(
        "Der ausgewählte Eintrag wird in der Liste gelöscht und die einzelnen "
        "Werte in die Eingabefelder zum Bearbeiten eingetragen. Möchten Sie das?");
}

QString weightLimitRefusal()
{
    return QStringLiteral("Die Eingabe von mehr als 310 Kilogramm ist nicht möglich!");
}

QString weightRefusal(long double weight, bool weightSwitchedOn, long double difference)
{
    if (weightSwitchedOn && weight > kMaxWeight)
        return weightLimitRefusal();
    if (weight > 0 && difference >= kWeightDifferenceLimit)
        return QStringLiteral("Bitte überprüfen Sie Ihre aktuelle Gewichtsangabe. Es sind 15 Kg "
                              "Unterschied zum bisherigen Mittelwert!");
    return QString();
}

QString editRefusal(const ParsedEntry &entry)
{
    struct SpinPiece
    {
        const std::optional<QString> &value;
        const char *field;
        int low;
        int high;
        const char *range;
    };
    const SpinPiece pieces[] = {
        {entry.day, "den Tag", 1, 31, "1 und 31"},
        {entry.month, "den Monat", 1, 12, "1 und 12"},
        {entry.year, "das Jahr", 1900, 9999, "1900 und 9999"},
        {entry.systolic, "den systolischen Wert", 0, 280, "0 und 280"},
        {entry.diastolic, "den diastolischen Wert", 0, 280, "0 und 280"},
        {entry.pulse, "den Puls", 0, 280, "0 und 280"},
    };
    for (const SpinPiece &piece : pieces) {
        if (piece.value && !fitsSpinField(*piece.value, piece.low, piece.high))
            return outOfRange(*piece.value, piece.field, piece.range);
    }
    // The time and the weight go into text fields, which show any text; the
    // add checks them when the entry comes back.
    return QString();
}

} // namespace FieldRules
