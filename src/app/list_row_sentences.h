#pragma once

#include <QHash>
#include <QString>

// The sentence a screen reader speaks for a row of the entry list; what the
// list shows and what the program reads from it stay the display lines.
class ListRowSentences
{
public:
    QString sentenceOf(const QString &displayLine);

private:
    // Every save reloads the whole month into the list: the sentences of
    // the lines that stayed are taken from here instead of made again.
    QHash<QString, QString> m_sentences;
};
