#pragma once

#include <QString>

// Blanks are spaces and control characters, as in any hand-edited file (and
// as QString::trimmed does not count them: it leaves most controls in place).
inline bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

inline QString withoutLeadingBlanks(const QString &text)
{
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text.at(begin)))
        ++begin;
    return text.mid(begin);
}

inline QString withoutOuterBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}
