#include "app/list_row_sentences.h"

#include "journal/reading_sentence.h"

QString ListRowSentences::sentenceOf(const QString &displayLine)
{
    // Lines typed over many months could pile up; a month holds at most 124.
    constexpr qsizetype kMostKept = 1024;
    if (const auto found = m_sentences.constFind(displayLine); found != m_sentences.cend())
        return *found;
    if (m_sentences.size() >= kMostKept)
        m_sentences.clear();
    return *m_sentences.insert(displayLine, readingSentence(displayLine));
}
