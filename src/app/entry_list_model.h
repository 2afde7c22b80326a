#pragma once

#include "app/list_row_sentences.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

// The lines the main window's list shows of the open month, one row each:
// the display line (Qt::DisplayRole), its pieces between the tabs, drawn in
// the list's columns (PiecesRole), and the sentence a screen reader speaks
// for it (Qt::AccessibleTextRole). The rows are only ever replaced whole or
// taken out one by one; no view edits them.
class EntryListModel : public QAbstractListModel
{
public:
    enum Role {
        PiecesRole = Qt::UserRole + 1, // QStringList
    };

    explicit EntryListModel(QObject *parent = nullptr);

    // The pieces the list draws at its tab stops.
    static QStringList piecesOf(const QString &displayLine);

    const QStringList &lines() const { return m_lines; }
    // Replaces every row at once (a model reset).
    void setLines(const QStringList &lines);
    // Takes the row out and gives its line; an empty text for no such row.
    QString takeLine(int row);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QStringList m_lines;
    QList<QStringList> m_pieces; // cut once per replace, not at every paint
    // Made when a screen reader asks, then kept across reloads.
    mutable ListRowSentences m_sentences;
};
