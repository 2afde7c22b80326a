#include "journal/entry_line.h"

#include "base/blanks.h"
#include "base/markers.h"

#include "journal/slots.h"

#include <algorithm>
#include <vector>

namespace EntryLine {

namespace {

const QChar kTab = QLatin1Char('\t');

// Cuts `rest` before the first `marker`; the part before becomes a piece.
// False when the marker is missing: the line then has no display form, so a
// piece can never be filled from whatever an earlier line left behind.
// Markers are UTF-16 views, which a search takes without converting them.
bool cutBefore(QStringView &rest, QStringView marker, QStringView &piece)
{
    const qsizetype at = indexOfMarker(rest, marker);
    if (at < 0)
        return false;
    piece = rest.first(at);
    rest = withoutLeadingBlanks(rest.sliced(at));
    return true;
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
    const qsizetype den = indexOfMarker(line, u"den");
    if (den < 0)
        return std::nullopt;
    const QStringView whole(line);
    // "den" and the one character after it belong to the prefix.
    const QStringView prefix = whole.left(den + 4);
    QStringView rest = withoutLeadingBlanks(whole.mid(den + 4));

    QStringView date, time, systolic, diastolic;
    if (!cutBefore(rest, QStringView(u"Z="), date) || !cutBefore(rest, QStringView(u"s="), time) ||
        !cutBefore(rest, QStringView(u"d="), systolic) ||
        !cutBefore(rest, QStringView(u"p="), diastolic))
        return std::nullopt;

    QStringView pulse, weight;
    const qsizetype gewicht = indexOfMarker(rest, u"Gewicht=");
    if (gewicht >= 0) {
        pulse = rest.first(gewicht);
        weight = withoutOuterBlanks(rest.sliced(gewicht));
    } else {
        pulse = withoutOuterBlanks(rest);
    }
    QString display;
    display.reserve(line.size() + 6);
    for (QStringView piece : {prefix, date, time, systolic, diastolic, pulse}) {
        display += piece;
        display += kTab;
    }
    display += weight;
    return display;
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
