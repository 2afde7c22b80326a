#include "app/list_row_sentences.h"

#include "journal/reading_sentence.h"

#include <QListWidget>

ListRowSentences::ListRowSentences(QListWidget &list)
    : QObject(&list)
    , m_list(list)
{
    QAbstractItemModel *model = list.model();
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { describeRows(first, last); });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    describeRows(from.row(), to.row());
            });
    describeRows(0, list.count() - 1);
}

void ListRowSentences::describeRows(int first, int last)
{
    if (m_describing)
        return;
    m_describing = true;
    for (int row = first; row <= last; ++row) {
        if (QListWidgetItem *item = m_list.item(row))
            item->setData(Qt::AccessibleTextRole, sentenceOf(item->text()));
    }
    m_describing = false;
}

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
