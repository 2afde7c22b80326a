#pragma once

#include <QStringList>

class QListWidget;

// The entry list's lines, one item each, as the month's commands read and
// replace them.
namespace EntryList {

QStringList lines(const QListWidget &list);
// Replaces every line without telling the row's followers.
void setLines(QListWidget &list, const QStringList &lines);
QString lastLine(const QListWidget &list); // empty for an empty list
// Selects and shows the last line; the caller shows its evaluation.
void selectLast(QListWidget &list);

} // namespace EntryList
