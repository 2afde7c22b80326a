#pragma once

#include <QObject>

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

    QListWidget &m_list;
    bool m_describing = false;
};
