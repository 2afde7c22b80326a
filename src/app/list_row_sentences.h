#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QListWidget;

// Gives every row of the entry list the sentence a screen reader speaks
// (Qt::AccessibleTextRole), whenever rows come or change; what the list
// shows and what the program reads from it stay the display lines.
class ListRowSentences : public QObject
{
public:
    explicit ListRowSentences(QListWidget &list);

private:
    void describeRows(int first, int last);
    QString sentenceOf(const QString &displayLine);

    QListWidget &m_list;
    bool m_describing = false;
    // Every save reloads the whole month into the list: the sentences of
    // the lines that stayed are taken from here instead of made again.
    QHash<QString, QString> m_sentences;
};
