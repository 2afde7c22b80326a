#include "journal/reading.h"

#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "journal/entry_line.h"

namespace {

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
    return parse(EntryLine::Parsed(entryLine));
}

std::optional<Reading> Reading::parse(const EntryLine::Parsed &entryLine)
{
    if (entryLine.written())
        return fromWritten(*entryLine.written(), entryLine.line());
    const std::optional<EntryLine::ReadingTexts> texts = entryLine.readingTexts();
    if (!texts)
        return std::nullopt;
    const std::optional<Slot> slot = slotFromPrefix(texts->slotPrefix);
    if (!slot)
        return std::nullopt;
    Reading reading;
    reading.line = entryLine.line();
    reading.slot = *slot;
    reading.date = QDate::fromString(texts->date, QStringLiteral("dd.MM.yyyy"));
    const auto systolic = wholeNumber(texts->systolic);
    const auto diastolic = wholeNumber(texts->diastolic);
    const auto pulse = wholeNumber(texts->pulse);
    if (!reading.date.isValid() || !texts->time || !systolic || !diastolic || !pulse)
        return std::nullopt;
    reading.time = *texts->time;
    reading.systolic = *systolic;
    reading.diastolic = *diastolic;
    reading.pulse = *pulse;
    reading.weightText =
        texts->weight && !texts->weight->isEmpty() ? *texts->weight : QStringLiteral("0");
    return reading;
}

std::optional<Reading> Reading::parseWritten(const QString &entryLine)
{
    const std::optional<WrittenPieces> pieces = WrittenPieces::of(entryLine);
    if (!pieces)
        return std::nullopt;
    return fromWritten(*pieces, entryLine);
}

Reading Reading::fromWritten(const WrittenPieces &pieces, const QString &entryLine)
{
    Reading reading;
    reading.date = pieces.date;
    reading.slot = pieces.slot;
    reading.time = pieces.time.toString();
    reading.systolic = pieces.systolic;
    reading.diastolic = pieces.diastolic;
    reading.pulse = pieces.pulse;
    reading.weightText = pieces.weightText.toString();
    reading.line = entryLine;
    return reading;
}

QString Reading::format(Slot slot, const QDate &date, const QString &time, int systolic,
                        int diastolic, int pulse, const QString &weightText)
{
    return EntryLine::writtenLine(slot, date, time, systolic, diastolic, pulse, weightText);
}
