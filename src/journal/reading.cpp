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

// Walks a line in the written form; every step fails once a piece is off.
class WrittenForm
{
public:
    explicit WrittenForm(QStringView line)
        : m_line(line)
    {}

    // Compared character by character: the pieces are a few characters
    // long, shorter than the set-up of a general comparison.
    template <typename Text> bool literal(Text text)
    {
        if (m_line.size() - m_at < text.size())
            return false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (m_line[m_at + i] != text[i])
                return false;
        }
        m_at += text.size();
        return true;
    }

    // Exactly `digits` digits.
    std::optional<int> fixedDigits(int digits)
    {
        int value = 0;
        for (int i = 0; i < digits; ++i) {
            if (m_at >= m_line.size() || !isDigit(m_line[m_at]))
                return std::nullopt;
            value = value * 10 + (m_line[m_at++].unicode() - '0');
        }
        return value;
    }

    // 0 to 999 as QString::number writes it.
    std::optional<int> value()
    {
        const qsizetype begin = m_at;
        while (m_at < m_line.size() && isDigit(m_line[m_at]) && m_at - begin < 4)
            ++m_at;
        const qsizetype length = m_at - begin;
        if (length == 0 || length > 3 || (length > 1 && m_line[begin] == u'0'))
            return std::nullopt;
        int number = 0;
        for (qsizetype i = begin; i < m_at; ++i)
            number = number * 10 + (m_line[i].unicode() - '0');
        return number;
    }

    // Up to the next blank: a time of digits and colons.
    std::optional<QStringView> time()
    {
        const qsizetype begin = m_at;
        while (m_at < m_line.size() && (isDigit(m_line[m_at]) || m_line[m_at] == u':'))
            ++m_at;
        if (m_at == begin)
            return std::nullopt;
        return m_line.mid(begin, m_at - begin);
    }

    // The rest of the line, when it is not empty and holds no blank.
    std::optional<QStringView> lastPiece() const
    {
        const QStringView rest = m_line.mid(m_at);
        if (rest.isEmpty() || rest.contains(u' '))
            return std::nullopt;
        return rest;
    }

private:
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

    QStringView m_line;
    qsizetype m_at = 0;
};

std::optional<Slot> writtenSlot(WrittenForm &form)
{
    for (Slot slot : kAllSlots) {
        if (form.literal(QStringView(slotInfo(slot).prefix)))
            return slot;
    }
    return std::nullopt;
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

std::optional<WrittenPieces> WrittenPieces::of(QStringView entryLine)
{
    WrittenForm form(entryLine);
    const std::optional<Slot> slot = writtenSlot(form);
    const auto day = slot ? form.fixedDigits(2) : std::nullopt;
    const auto month =
        day && form.literal(QLatin1StringView(".")) ? form.fixedDigits(2) : std::nullopt;
    const auto year =
        month && form.literal(QLatin1StringView(".")) ? form.fixedDigits(4) : std::nullopt;
    const auto time = year && form.literal(QLatin1StringView(" Z=")) ? form.time() : std::nullopt;
    const auto systolic =
        time && form.literal(QLatin1StringView(" s=")) ? form.value() : std::nullopt;
    const auto diastolic =
        systolic && form.literal(QLatin1StringView(", d=")) ? form.value() : std::nullopt;
    const auto pulse =
        diastolic && form.literal(QLatin1StringView(", p=")) ? form.value() : std::nullopt;
    const auto weight =
        pulse && form.literal(QLatin1StringView(", Gewicht=")) ? form.lastPiece() : std::nullopt;
    if (!weight)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return std::nullopt;
    return WrittenPieces{*slot, date, *time, *systolic, *diastolic, *pulse, *weight, *day};
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
    return slotInfo(slot).prefix + date.toString(QStringLiteral("dd.MM.yyyy")) +
           QStringLiteral(" Z=") + time + QStringLiteral(" s=") + QString::number(systolic) +
           QStringLiteral(", d=") + QString::number(diastolic) + QStringLiteral(", p=") +
           QString::number(pulse) + QStringLiteral(", Gewicht=") + weightText;
}
