#include "journal/entry_line.h"

#include "base/blanks.h"
#include "base/german_numbers.h"
#include "base/markers.h"
#include "journal/slots.h"

#include <algorithm>
#include <vector>

namespace EntryLine {

namespace {

const QChar kTab = QLatin1Char('\t');

// Where `marker` first starts in `text`, or -1, as indexOfMarker finds it,
// one character at a time: the markers of a line stand a few characters
// apart, closer than a vectorised search pays for.
qsizetype indexOfNearMarker(QStringView text, QStringView marker)
{
    const qsizetype last = text.size() - marker.size();
    const QChar first = marker.front();
    for (qsizetype at = 0; at <= last; ++at) {
        if (text[at] == first &&
            std::equal(marker.begin() + 1, marker.end(), text.begin() + at + 1))
            return at;
    }
    return -1;
}

// Cuts `rest` before the first `marker`; the part before becomes a piece.
// False when the marker is missing: the line then has no display form, so a
// piece can never be filled from whatever an earlier line left behind.
// Markers are UTF-16 views, which a search takes without converting them.
bool cutBefore(QStringView &rest, QStringView marker, QStringView &piece)
{
    const qsizetype at = indexOfNearMarker(rest, marker);
    if (at < 0)
        return false;
    piece = rest.first(at);
    rest = withoutLeadingBlanks(rest.sliced(at));
    return true;
}

// A line lacking one of the markers gives no pieces, so that no piece of
// another line can show up in its place.
std::optional<DisplayPieces> splitByMarkers(QStringView line)
{
    const qsizetype den = indexOfNearMarker(line, u"den");
    if (den < 0)
        return std::nullopt;
    DisplayPieces pieces;
    // "den" and the one character after it belong to the prefix.
    pieces.slot = line.left(den + 4);
    QStringView rest = withoutLeadingBlanks(line.mid(den + 4));
    if (!cutBefore(rest, QStringView(u"Z="), pieces.date) ||
        !cutBefore(rest, QStringView(u"s="), pieces.time) ||
        !cutBefore(rest, QStringView(u"d="), pieces.systolic) ||
        !cutBefore(rest, QStringView(u"p="), pieces.diastolic))
        return std::nullopt;
    const qsizetype weightAt = indexOfNearMarker(rest, u"Gewicht=");
    if (weightAt >= 0) {
        pieces.pulse = rest.first(weightAt);
        pieces.weight = withoutOuterBlanks(rest.sliced(weightAt));
    } else {
        pieces.pulse = withoutOuterBlanks(rest);
    }
    return pieces;
}

qsizetype digitCount(int value)
{
    return value < 10 ? 1 : value < 100 ? 2 : 3;
}

// The same pieces for a line in the written form, placed by what its walk
// found instead of searched for: "Morgens den |01.03.2017 |Z=07:30 |s=140, |
// d=90, |p=70, |Gewicht=70,5".
DisplayPieces writtenDisplayPieces(QStringView line, const WrittenPieces &written)
{
    const qsizetype dateAt = slotInfo(written.slot).prefix.size();
    const qsizetype timeAt = written.time.data() - line.data() - 2;
    const qsizetype systolicAt = timeAt + 2 + written.time.size() + 1;
    const qsizetype diastolicAt = systolicAt + 2 + digitCount(written.systolic) + 2;
    const qsizetype pulseAt = diastolicAt + 2 + digitCount(written.diastolic) + 2;
    const qsizetype weightAt = written.weightText.data() - line.data() - 8;
    DisplayPieces pieces;
    pieces.slot = line.first(dateAt);
    pieces.date = line.sliced(dateAt, timeAt - dateAt);
    pieces.time = line.sliced(timeAt, systolicAt - timeAt);
    pieces.systolic = line.sliced(systolicAt, diastolicAt - systolicAt);
    pieces.diastolic = line.sliced(diastolicAt, pulseAt - diastolicAt);
    pieces.pulse = line.sliced(pulseAt, weightAt - pulseAt);
    pieces.weight = line.sliced(weightAt);
    return pieces;
}

// The display line of `line`, whose written pieces (if any) are given.
std::optional<QString> displayLineOf(QStringView line, const std::optional<WrittenPieces> &written)
{
    const std::optional<DisplayPieces> pieces =
        written ? writtenDisplayPieces(line, *written) : splitByMarkers(line);
    if (!pieces)
        return std::nullopt;
    // Written in place: a load makes one display line for every reading.
    const std::array<QStringView, 7> parts = {pieces->slot,     pieces->date,      pieces->time,
                                              pieces->systolic, pieces->diastolic, pieces->pulse,
                                              pieces->weight};
    qsizetype size = qsizetype(parts.size()) - 1;
    for (QStringView part : parts)
        size += part.size();
    QString display(size, Qt::Uninitialized);
    QChar *out = display.data();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            *out++ = kTab;
        out = std::copy(parts[i].begin(), parts[i].end(), out);
    }
    return display;
}

QChar slotLetterOf(const QString &line)
{
    for (Slot slot : kAllSlots) {
        const SlotInfo &info = slotInfo(slot);
        if (line.contains(info.label + QStringLiteral(" den")))
            return info.letter;
    }
    return QChar();
}

} // namespace

QString build(const Fields &fields)
{
    return fields.slotPrefix + QLatin1Char(' ') + fields.day + QLatin1Char('.') + fields.month +
           QLatin1Char('.') + fields.year + QStringLiteral(" Z=") + fields.time +
           QStringLiteral(" s=") + fields.systolic + QStringLiteral(", d=") + fields.diastolic +
           QStringLiteral(", p=") + fields.pulse + QStringLiteral(", Gewicht=") + fields.weight;
}

bool isEntryLine(const QString &line)
{
    return !line.isEmpty() && (line.at(0) == QLatin1Char('M') || line.at(0) == QLatin1Char('A'));
}

std::optional<QString> toDisplayLine(const QString &line)
{
    // A line in the written form is walked once instead of searched six times.
    return displayLineOf(line, WrittenPieces::of(line));
}

QString fromDisplayLine(const QString &displayLine)
{
    QString line = displayLine;
    line.remove(kTab);
    return line;
}

QString sortKey(const QString &line)
{
    const qsizetype dot = line.indexOf(QLatin1Char('.'));
    QString day;
    if (dot >= 0) {
        const qsizetype from = std::max<qsizetype>(0, dot - 2);
        day = line.mid(from, dot - from);
    }
    // A hand-written one-digit day ("den 5.03.2017") orders as its
    // two-digit form, among the other readings of that day.
    if (day.size() == 2 && isBlank(day.at(0)) && day.at(1).isDigit())
        day[0] = QLatin1Char('0');
    else if (day.size() == 1 && day.at(0).isDigit())
        day.prepend(QLatin1Char('0'));
    const QChar letter = slotLetterOf(line);
    if (!letter.isNull())
        day.append(letter);
    return day;
}

QStringList sortLines(const QStringList &lines)
{
    struct Keyed
    {
        QString compareText; // key + line without outer blanks
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        keyed.push_back({withoutOuterBlanks(sortKey(lines.at(i)) + lines.at(i)), i});

    const auto less = [](const Keyed &a, const Keyed &b) {
        return QString::compare(a.compareText, b.compareText, Qt::CaseInsensitive) < 0;
    };
    // Stable, so of several equal lines the one that stood first is kept.
    std::stable_sort(keyed.begin(), keyed.end(), less);

    // The key only orders; the lines themselves go back as they were, so a
    // key of unexpected length can never cut into a line.
    QStringList sorted;
    sorted.reserve(lines.size());
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        if (i > 0 && QString::compare(keyed[i].compareText, keyed[i - 1].compareText,
                                      Qt::CaseInsensitive) == 0)
            continue;
        sorted.append(lines.at(keyed[i].index));
    }
    return sorted;
}

} // namespace EntryLine

std::optional<EntryLine::MonthOfLine> EntryLine::monthOf(const QString &line)
{
    const qsizetype den = line.indexOf(QLatin1StringView("den "));
    if (den < 0)
        return std::nullopt;
    const QStringView rest = QStringView(line).mid(den + 4);
    const qsizetype dot = rest.indexOf(u'.');
    const qsizetype nextDot = dot < 0 ? -1 : rest.indexOf(u'.', dot + 1);
    if (nextDot < 0)
        return std::nullopt;
    const QStringView year = rest.mid(nextDot + 1);
    const qsizetype blank = year.indexOf(u' ');
    return MonthOfLine{rest.mid(dot + 1, nextDot - dot - 1).toString(),
                       (blank < 0 ? year : year.left(blank)).toString()};
}

EntryLine::DateFields EntryLine::dateFieldsOf(const QString &displayLine)
{
    // The date is the piece between the first and the second tab.
    DateFields fields;
    const qsizetype tab = displayLine.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return fields;
    QStringView date = QStringView(displayLine).mid(tab + 1);
    if (const qsizetype next = date.indexOf(u'\t'); next >= 0)
        date.truncate(next);
    const qsizetype firstDot = date.indexOf(u'.');
    const qsizetype secondDot = firstDot < 0 ? -1 : date.indexOf(u'.', firstDot + 1);
    if (firstDot >= 0)
        fields.day = date.left(firstDot).toString().remove(QLatin1Char(' '));
    if (secondDot >= 0) {
        fields.month = date.mid(firstDot + 1, secondDot - firstDot - 1).toString();
        const QString year = date.mid(secondDot + 1).toString().remove(QLatin1Char(' '));
        if (!year.isEmpty())
            fields.year = year;
    }
    return fields;
}

QList<QStringList> EntryLine::widestPieces(QChar digit)
{
    const auto digits = [digit](int count) { return QString(count, digit); };
    QStringList prefixes;
    for (Slot slot : kAllSlots)
        prefixes.append(slotInfo(slot).prefix);
    return {prefixes,
            {digits(2) + QLatin1Char('.') + digits(2) + QLatin1Char('.') + digits(4) +
             QLatin1Char(' ')},
            {QStringLiteral("Z=") + digits(2) + QLatin1Char(':') + digits(2) + QLatin1Char(' ')},
            {QStringLiteral("s=") + digits(3) + QStringLiteral(", ")},
            {QStringLiteral("d=") + digits(3) + QStringLiteral(", ")},
            {QStringLiteral("p=") + digits(3) + QStringLiteral(", ")},
            {QStringLiteral("Gewicht=") + digits(3) + QLatin1Char(',') + digits(2)}};
}

namespace {

using EntryLine::MeanTexts;

// Everything after the character that follows the first "." (the line when
// it has no ".").
QString afterFirstDot(const QString &line)
{
    const qsizetype dot = line.indexOf(QLatin1Char('.'));
    return dot < 0 ? line : line.mid(dot + 2);
}

QString removedThrough(const QString &text, QLatin1StringView marker)
{
    const qsizetype at = text.indexOf(marker);
    return at < 0 ? text : text.mid(at + marker.size());
}

// "s=" or "d=": the text up to the next comma. Without that comma no value
// is taken, but the marker is still consumed.
std::optional<QString> takeCommaValue(QString &rest, QLatin1StringView marker)
{
    const qsizetype at = rest.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    rest = rest.mid(at + marker.size());
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    if (comma < 0)
        return std::nullopt;
    QString value = rest.left(comma);
    rest = rest.mid(comma + 1);
    return value;
}

// The value texts from the time piece on: "s=" and "d=" up to the next
// comma, "p=" up to the comma before "Gewicht=" (or the end), without outer
// blanks.
MeanTexts meanTextsOf(QString rest)
{
    MeanTexts texts;
    texts[0] = takeCommaValue(rest, QLatin1StringView("s="));
    texts[1] = takeCommaValue(rest, QLatin1StringView("d="));

    const qsizetype p = rest.indexOf(QLatin1StringView("p="));
    if (p >= 0) {
        rest = rest.mid(p + 2);
        const qsizetype weightAt = rest.indexOf(QLatin1StringView("Gewicht="));
        if (weightAt >= 0) {
            // The pulse ends at the comma before the weight; a line that lost
            // that comma still ends its pulse at "Gewicht=".
            const qsizetype comma = rest.indexOf(QLatin1Char(','));
            rest = rest.left(comma >= 0 ? std::min(comma, weightAt) : weightAt);
        }
        texts[2] = withoutOuterBlanks(rest);
    }
    return texts;
}

MeanTexts wholeTexts(const WrittenPieces &pieces)
{
    return {QString::number(pieces.systolic), QString::number(pieces.diastolic),
            QString::number(pieces.pulse)};
}

// The three characters after the key, without the first comma among them
// ("s=135, " gives "135", "s=98, " gives "98"). Empty when the key is missing.
QString evaluationText(const QString &line, QLatin1StringView key)
{
    const qsizetype at = line.indexOf(key);
    if (at < 0)
        return QString();
    QString text = line.mid(at + key.size(), 3);
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text.remove(comma, 1);
    return text;
}

QStringView afterFirstEquals(QStringView piece)
{
    return piece.sliced(piece.indexOf(u'=') + 1);
}

// The slot a table row files the line under, by the name in its slot piece.
std::optional<Slot> slotNamedIn(QStringView slotPiece)
{
    if (indexOfMarker(slotPiece, u"Morgens") >= 0)
        return Slot::Morning;
    if (indexOfMarker(slotPiece, u"Messung2") >= 0)
        return Slot::Second;
    if (indexOfMarker(slotPiece, u"Messung3") >= 0)
        return Slot::Third;
    if (indexOfMarker(slotPiece, u"Abend") >= 0)
        return Slot::Evening;
    return std::nullopt;
}

// The day that starts the date ("05." gives 5), or 0.
int dayOfDate(QStringView date)
{
    if (date.size() < 3 || date.at(2) != QLatin1Char('.'))
        return 0;
    const char16_t tens = date.at(0).unicode();
    const char16_t ones = date.at(1).unicode();
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9')
        return 0;
    const int day = (tens - u'0') * 10 + (ones - u'0');
    return day <= 31 ? day : 0;
}

} // namespace

qint64 EntryLine::EvaluationTexts::wholeNumber(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    if (end == 0)
        return GermanNumbers::toInt(text); // raises the error for this text
    return GermanNumbers::toInt(text.left(end));
}

long double EntryLine::TablePieces::weightNumber() const
{
    // A weight as the program writes it is read without the general reader,
    // to the same value.
    const std::optional<long double> plain = GermanNumbers::plainDecimal(weight);
    return plain ? *plain : GermanNumbers::toFloat(weight.toString());
}

EntryLine::Parsed::Parsed(const QString &line)
    : m_line(line)
    , m_written(WrittenPieces::of(m_line))
{}

EntryLine::Parsed EntryLine::Parsed::byMarkers(const QString &line)
{
    Parsed parsed;
    parsed.m_line = line;
    return parsed;
}

EntryLine::MeanTexts EntryLine::Parsed::monthMeanTexts() const
{
    if (m_written)
        return wholeTexts(*m_written);
    QString rest = removedThrough(m_line, QLatin1StringView("Morgens den "));
    rest = removedThrough(rest, QLatin1StringView("Abends den "));
    return meanTextsOf(afterFirstDot(rest));
}

EntryLine::DayMeanTexts EntryLine::Parsed::dayMeanTexts() const
{
    if (m_written)
        return {QStringLiteral("%1").arg(m_written->day, 2, 10, QLatin1Char('0')),
                wholeTexts(*m_written)};
    const qsizetype dot = m_line.indexOf(QLatin1Char('.'));
    DayMeanTexts texts;
    if (dot >= 0) {
        const qsizetype from = std::max<qsizetype>(0, dot - 2);
        texts.day = m_line.mid(from, dot - from);
    }
    texts.values = meanTextsOf(afterFirstDot(m_line));
    return texts;
}

std::optional<QStringView> EntryLine::Parsed::statisticsWeight() const
{
    if (m_written)
        return m_written->weightText;
    // Cut through every slot prefix in turn, then through the date.
    const QStringView line(m_line);
    qsizetype from = 0;
    for (Slot slot : kAllSlots) {
        const QString &prefix = slotInfo(slot).prefix;
        const qsizetype at = line.sliced(from).indexOf(prefix);
        if (at >= 0)
            from += at + prefix.size();
    }
    const qsizetype dot = line.sliced(from).indexOf(u'.');
    if (dot >= 0) {
        // The day is not used, but a line whose day is no number is refused.
        GermanNumbers::toInt(line.sliced(from, dot).toString());
        from = std::min(line.size(), from + dot + 2);
    }
    const qsizetype weightAt = line.sliced(from).indexOf(QLatin1StringView("Gewicht="));
    if (weightAt < 0)
        return std::nullopt;
    return line.sliced(from + weightAt + 8);
}

EntryLine::EvaluationTexts EntryLine::Parsed::evaluationTexts() const
{
    return {evaluationText(m_line, QLatin1StringView("s=")),
            evaluationText(m_line, QLatin1StringView("d=")),
            evaluationText(m_line, QLatin1StringView("p="))};
}

std::optional<EntryLine::TablePieces> EntryLine::Parsed::tablePieces() const
{
    TablePieces table;
    table.source = m_line;
    if (table.source.contains(u'\t'))
        table.source.remove(u'\t');
    const std::optional<DisplayPieces> pieces = splitByMarkers(table.source);
    if (!pieces)
        return std::nullopt;
    table.slot = slotNamedIn(pieces->slot);
    table.day = dayOfDate(pieces->date);
    table.dayText = pieces->date.left(2);
    table.time = afterFirstEquals(pieces->time);
    table.systolic = afterFirstEquals(pieces->systolic);
    table.diastolic = afterFirstEquals(pieces->diastolic);
    table.pulse = afterFirstEquals(pieces->pulse);
    table.weight = afterFirstEquals(pieces->weight);
    if (table.weight == u"0")
        table.weight = QStringView();
    return table;
}

namespace {

// The text between `marker` and the next `end` (or the end of the line),
// without outer blanks.
std::optional<QString> pieceAfter(const QString &line, QLatin1StringView marker, QChar end)
{
    const qsizetype at = line.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    const qsizetype begin = at + marker.size();
    const qsizetype stop = line.indexOf(end, begin);
    return line.mid(begin, stop < 0 ? -1 : stop - begin).trimmed();
}

// Removes everything up to and including the first occurrence of `marker`.
// Returns false (and leaves the text) when the marker does not occur.
bool cutThrough(QString &text, QLatin1StringView marker)
{
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return false;
    text.remove(0, at + marker.size());
    return true;
}

} // namespace

EntryLine::ListDate EntryLine::listDateOf(const QString &listLine)
{
    ListDate date;
    const qsizetype first = listLine.indexOf(QLatin1Char('.'));
    if (first < 0)
        return date;
    date.month = listLine.mid(first + 1, 2);
    const qsizetype second = listLine.indexOf(QLatin1Char('.'), first + 1);
    if (second >= 0)
        date.year = listLine.mid(second + 1, 4);
    return date;
}

bool EntryLine::namesSlotAndDate(const QString &listLine, const QString &slotPrefix,
                                 const QString &day, const QString &month, const QString &year)
{
    const QString key = slotPrefix + day + QLatin1Char('.') + month + QLatin1Char('.') + year;
    return fromDisplayLine(listLine).contains(key);
}

std::optional<EntryLine::ReadingTexts> EntryLine::Parsed::readingTexts() const
{
    const qsizetype den = m_line.indexOf(QLatin1StringView(" den "));
    if (den < 0)
        return std::nullopt;
    ReadingTexts texts;
    texts.slotPrefix = m_line.left(den + 5);
    texts.date = m_line.mid(den + 5).trimmed().section(QLatin1Char(' '), 0, 0);
    texts.time = pieceAfter(m_line, QLatin1StringView("Z="), u' ');
    texts.systolic = pieceAfter(m_line, QLatin1StringView("s="), u',');
    texts.diastolic = pieceAfter(m_line, QLatin1StringView("d="), u',');
    texts.pulse = pieceAfter(m_line, QLatin1StringView("p="), u',');
    texts.weight = pieceAfter(m_line, QLatin1StringView("Gewicht="), u' ');
    return texts;
}

EntryLine::FormFields EntryLine::Parsed::editFields() const
{
    FormFields parsed;
    QString rest = m_line;
    rest.replace(QLatin1Char('\t'), QLatin1Char(' '));

    const QLatin1StringView den("den ");
    if (const qsizetype at = rest.indexOf(den); at >= 0) {
        parsed.slot = slotFromPrefix(rest.left(at + den.size()));
        rest.remove(0, at + den.size());
    }
    if (const qsizetype at = rest.indexOf(QLatin1Char('.')); at >= 0) {
        parsed.day = rest.left(at).trimmed();
        rest.remove(0, at + 1);
    }
    if (const qsizetype at = rest.indexOf(QLatin1Char('.')); at >= 0) {
        parsed.month = rest.left(at).trimmed();
        rest.remove(0, at + 1);
    }
    if (const qsizetype at = rest.indexOf(QLatin1Char(' ')); at >= 0) {
        parsed.year = rest.left(at).trimmed();
        rest.remove(0, at + 1);
    }
    if (const qsizetype at = rest.indexOf(QLatin1StringView("Z=")); at >= 0) {
        // The time runs up to the blank before "s=": an entry typed with a
        // time of other than five characters still comes back whole.
        const qsizetype end = rest.indexOf(QLatin1StringView(" s="), at);
        const qsizetype length = end < 0 ? 5 : end - (at + 2);
        // The blank of the display piece stands before " s=" as well.
        parsed.time = rest.mid(at + 2, length).trimmed();
        rest.remove(0, at + 2 + length + 1);
    }
    const auto valueBeforeComma = [&rest](QLatin1StringView marker, std::optional<QString> &target,
                                          bool restIsValue) {
        if (!cutThrough(rest, marker))
            return;
        if (const qsizetype comma = rest.indexOf(QLatin1Char(',')); comma >= 0) {
            target = rest.left(comma).trimmed();
            rest.remove(0, comma + 1);
        } else if (restIsValue) {
            target = rest.trimmed();
        }
    };
    valueBeforeComma(QLatin1StringView("s="), parsed.systolic, false);
    valueBeforeComma(QLatin1StringView("d="), parsed.diastolic, false);
    valueBeforeComma(QLatin1StringView("p="), parsed.pulse, true);
    if (cutThrough(rest, QLatin1StringView("Gewicht=")))
        parsed.weight = rest.trimmed();
    return parsed;
}

EntryLine::FormFields EntryLine::Parsed::presetFields() const
{
    FormFields parsed;
    QString rest = m_line;
    const QLatin1StringView den("den ");
    if (const qsizetype at = rest.indexOf(den); at >= 0) {
        parsed.slot = slotFromPrefix(rest.left(at + den.size()));
        rest.remove(0, at + den.size());
    }
    if (const qsizetype at = rest.indexOf(QLatin1Char('.')); at >= 0) {
        parsed.day = rest.left(at).remove(QLatin1Char(' '));
        rest.remove(0, at + 1);
    }
    if (const qsizetype at = rest.indexOf(QLatin1Char('.')); at >= 0) {
        parsed.month = rest.left(at).remove(QLatin1Char(' '));
        rest.remove(0, at + 1);
    }
    if (const qsizetype at = rest.indexOf(QLatin1Char(' ')); at >= 0) {
        parsed.year = rest.left(at);
        rest.remove(0, at + 1);
    }
    if (const qsizetype at = rest.indexOf(QLatin1StringView("Z=")); at >= 0)
        parsed.time = rest.mid(at + 2, 5);
    const auto valueUpToComma = [&rest](QLatin1StringView marker) -> std::optional<QString> {
        const qsizetype at = rest.indexOf(marker);
        if (at < 0)
            return std::nullopt;
        const qsizetype comma = rest.indexOf(QLatin1Char(','), at);
        if (comma < 0)
            return std::nullopt;
        return rest.mid(at + marker.size(), comma - at - marker.size()).trimmed();
    };
    parsed.systolic = valueUpToComma(QLatin1StringView("s="));
    parsed.diastolic = valueUpToComma(QLatin1StringView("d="));
    if (const qsizetype at = rest.indexOf(QLatin1StringView("p=")); at >= 0) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','), at);
        if (comma >= 0) {
            parsed.pulse = rest.mid(at + 2, comma - at - 2).trimmed();
        } else {
            parsed.pulse = rest.mid(at + 2).remove(QLatin1Char(' '));
            parsed.weight = QStringLiteral("0");
        }
    }
    return parsed;
}

namespace {

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

QString EntryLine::writtenLine(Slot slot, const QDate &date, const QString &time, int systolic,
                               int diastolic, int pulse, const QString &weightText)
{
    return slotInfo(slot).prefix + date.toString(QStringLiteral("dd.MM.yyyy")) +
           QStringLiteral(" Z=") + time + QStringLiteral(" s=") + QString::number(systolic) +
           QStringLiteral(", d=") + QString::number(diastolic) + QStringLiteral(", p=") +
           QString::number(pulse) + QStringLiteral(", Gewicht=") + weightText;
}

std::optional<QString> EntryLine::Parsed::displayLine() const
{
    return displayLineOf(m_line, m_written);
}
