#include "app/entry_list.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace EntryList {

QStringList lines(const QListWidget &list)
{
    QStringList lines;
    lines.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        lines.append(list.item(i)->text());
    return lines;
}

void setLines(QListWidget &list, const QStringList &lines)
{
    const QSignalBlocker quiet(&list);
    list.clear();
    list.addItems(lines);
}

QString lastLine(const QListWidget &list)
{
    const int count = list.count();
    return count == 0 ? QString() : list.item(count - 1)->text();
}

void selectLast(QListWidget &list)
{
    if (list.count() == 0)
        return;
    const QSignalBlocker quiet(&list);
    list.setCurrentRow(list.count() - 1);
    list.scrollToBottom();
}

} // namespace EntryList
