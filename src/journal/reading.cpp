#include "journal/reading.h"

#include "base/conversion_error.h"
#include "base/german_numbers.h"

namespace {

// The text between `marker` and the next `end` (or the end of the line).
std::optional<QString> pieceAfter(const QString &line, QLatin1StringView marker, QChar end,
                                  qsizetype from = 0)
{
    const qsizetype at = line.indexOf(marker, from);
    if (at < 0)
        return std::nullopt;
    const qsizetype begin = at + marker.size();
    const qsizetype stop = line.indexOf(end, begin);
    return line.mid(begin, stop < 0 ? -1 : stop - begin).trimmed();
}

std::optional<int> wholeNumber(const std::optional<QString> &text)
{
    if (!text)
        return std::nullopt;
    try {
        const qint64 value = GermanNumbers::toInt(*text);
        if (value < 0 || value > 999)
            return std::nullopt;
        return int(value);
    } catch (const ConversionError &) {
        return std::nullopt;
    }
}

} // namespace

std::optional<long double> Reading::weight() const
{
    try {
        const long double value = GermanNumbers::toFloat(weightText);
        return value > 0 ? std::optional<long double>(value) : std::nullopt;
    } catch (const ConversionError &) {
        return std::nullopt;
    }
}

bool Reading::operator<(const Reading &other) const
{
    if (date != other.date)
        return date < other.date;
    return slot < other.slot;
}

std::optional<Reading> Reading::parse(const QString &entryLine)
{
    Reading reading;
    reading.line = entryLine;
    const qsizetype den = entryLine.indexOf(QLatin1StringView(" den "));
    if (den < 0)
        return std::nullopt;
    const std::optional<Slot> slot = slotFromPrefix(entryLine.left(den + 5));
    if (!slot)
        return std::nullopt;
    reading.slot = *slot;
    const QString date = entryLine.mid(den + 5).trimmed().section(QLatin1Char(' '), 0, 0);
    reading.date = QDate::fromString(date, QStringLiteral("dd.MM.yyyy"));
    const std::optional<QString> time = pieceAfter(entryLine, QLatin1StringView("Z="), u' ');
    const auto systolic = wholeNumber(pieceAfter(entryLine, QLatin1StringView("s="), u','));
    const auto diastolic = wholeNumber(pieceAfter(entryLine, QLatin1StringView("d="), u','));
    const auto pulse = wholeNumber(pieceAfter(entryLine, QLatin1StringView("p="), u','));
    const auto weight = pieceAfter(entryLine, QLatin1StringView("Gewicht="), u' ');
    if (!reading.date.isValid() || !time || !systolic || !diastolic || !pulse)
        return std::nullopt;
    reading.time = *time;
    reading.systolic = *systolic;
    reading.diastolic = *diastolic;
    reading.pulse = *pulse;
    reading.weightText = weight && !weight->isEmpty() ? *weight : QStringLiteral("0");
    return reading;
}

QString Reading::format(Slot slot, const QDate &date, const QString &time, int systolic,
                        int diastolic, int pulse, const QString &weightText)
{
    return slotInfo(slot).prefix + date.toString(QStringLiteral("dd.MM.yyyy")) +
           QStringLiteral(" Z=") + time + QStringLiteral(" s=") + QString::number(systolic) +
           QStringLiteral(", d=") + QString::number(diastolic) + QStringLiteral(", p=") +
           QString::number(pulse) + QStringLiteral(", Gewicht=") + weightText;
}
