#include "app/entry_list_model.h"

EntryListModel::EntryListModel(QObject *parent)
    : QAbstractListModel(parent)
{}

QStringList EntryListModel::piecesOf(const QString &displayLine)
{
    return displayLine.split(QLatin1Char('\t'));
}

void EntryListModel::setLines(const QStringList &lines)
{
    beginResetModel();
    m_lines = lines;
    m_pieces.clear();
    m_pieces.reserve(lines.size());
    for (const QString &line : lines)
        m_pieces.append(piecesOf(line));
    endResetModel();
}

QString EntryListModel::takeLine(int row)
{
    if (row < 0 || row >= m_lines.size())
        return QString();
    beginRemoveRows(QModelIndex(), row, row);
    QString taken = m_lines.takeAt(row);
    m_pieces.removeAt(row);
    endRemoveRows();
    return taken;
}

int EntryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant EntryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_lines.size())
        return QVariant();
    const qsizetype row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_lines.at(row);
    case PiecesRole:
        return m_pieces.at(row);
    case Qt::AccessibleTextRole:
        return m_sentences.sentenceOf(m_lines.at(row));
    default:
        return QVariant();
    }
}

Qt::ItemFlags EntryListModel::flags(const QModelIndex &index) const
{
    // The flags the rows had as list widget items, so that a screen reader
    // finds the rows in the same states.
    if (!index.isValid() || index.model() != this || index.row() >= m_lines.size())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled |
           Qt::ItemIsDragEnabled;
}
