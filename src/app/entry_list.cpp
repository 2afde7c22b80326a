#include "app/entry_list.h"

#include "app/entry_list_model.h"

#include <QSignalBlocker>

EntryListView::EntryListView(QWidget *parent)
    : QListView(parent)
    , m_rows(new EntryListModel(this))
{
    setModel(m_rows);
}

int EntryListView::count() const
{
    return m_rows->rowCount();
}

int EntryListView::currentRow() const
{
    return currentIndex().row();
}

void EntryListView::setCurrentRow(int row)
{
    // As the list widget did in its single selection: the row becomes the
    // selection; a row that does not exist clears it.
    selectionModel()->setCurrentIndex(m_rows->index(row), QItemSelectionModel::ClearAndSelect);
}

void EntryListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    emit currentRowChanged(current.row());
}

namespace EntryList {

QStringList lines(const EntryListView &list)
{
    return list.rows().lines();
}

void setLines(EntryListView &list, const QStringList &lines)
{
    const QSignalBlocker quiet(&list);
    list.rows().setLines(lines);
}

void clear(EntryListView &list)
{
    list.rows().setLines({});
}

QString lastLine(const EntryListView &list)
{
    const QStringList &lines = list.rows().lines();
    return lines.isEmpty() ? QString() : lines.constLast();
}

QString currentLine(const EntryListView &list)
{
    return list.rows().lines().value(list.currentRow());
}

QString takeLine(EntryListView &list, int row)
{
    const QSignalBlocker quiet(&list);
    return list.rows().takeLine(row);
}

void selectLast(EntryListView &list)
{
    if (list.count() == 0)
        return;
    const QSignalBlocker quiet(&list);
    list.setCurrentRow(list.count() - 1);
    list.scrollToBottom();
}

} // namespace EntryList
