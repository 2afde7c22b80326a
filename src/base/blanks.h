#pragma once

#include <QString>

// Blanks are spaces and control characters, as in any hand-edited file (and
// as QString::trimmed does not count them: it leaves most controls in place).
inline bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

// The text without the characters `blank` accepts at its start (and, with
// `atEnd`, at its end).
template <typename IsBlank>
QStringView withoutBlanks(QStringView text, IsBlank blank, bool atEnd = true)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (atEnd && end > begin && blank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

inline QStringView withoutLeadingBlanks(QStringView text)
{
    return withoutBlanks(text, isBlank, false);
}

// A text with nothing to cut comes back as itself, shared, without a copy.
inline QString sharedOrCopy(const QString &text, QStringView kept)
{
    if (!text.isEmpty() && kept.size() == text.size())
        return text;
    return kept.toString();
}

inline QString withoutLeadingBlanks(const QString &text)
{
    return sharedOrCopy(text, withoutLeadingBlanks(QStringView(text)));
}

inline QStringView withoutOuterBlanks(QStringView text)
{
    return withoutBlanks(text, isBlank);
}

inline QString withoutOuterBlanks(const QString &text)
{
    return sharedOrCopy(text, withoutOuterBlanks(QStringView(text)));
}
