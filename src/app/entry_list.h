#pragma once

#include <QListView>
#include <QStringList>

class EntryListModel;

// The main window's list of readings (ListBox1): a view of the month's shown
// lines that reads and moves its current row as the list widget it replaced
// did. Its signals are the view's own, so that blocking the view quiets them
// while the view still follows every change.
class EntryListView : public QListView
{
    Q_OBJECT

public:
    explicit EntryListView(QWidget *parent = nullptr);

    EntryListModel &rows() const { return *m_rows; }
    int count() const;
    int currentRow() const; // -1 for none
    void setCurrentRow(int row);

signals:
    void currentRowChanged(int row);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    EntryListModel *m_rows;
};

// The entry list's lines, one row each, as the month's commands read and
// replace them.
namespace EntryList {

QStringList lines(const EntryListView &list);
// Replaces every line without telling the row's followers.
void setLines(EntryListView &list, const QStringList &lines);
void clear(EntryListView &list);
QString lastLine(const EntryListView &list);    // empty for an empty list
QString currentLine(const EntryListView &list); // empty without a current row
// Takes the row out without telling the row's followers; gives its line.
QString takeLine(EntryListView &list, int row);
// Selects and shows the last line; the caller shows its evaluation.
void selectLast(EntryListView &list);

} // namespace EntryList
