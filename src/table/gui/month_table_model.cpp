#include "table/gui/month_table_model.h"

#include "table/month_table_grid.h"

MonthTableModel::MonthTableModel(const MonthTableGrid &grid, QObject *parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
{}

int MonthTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : MonthTable::kRowCount;
}

int MonthTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : MonthTable::kColumnCount;
}

QVariant MonthTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_grid.cell(index.column(), index.row());
}

Qt::ItemFlags MonthTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void MonthTableModel::gridChanged()
{
    emit dataChanged(index(0, 0), index(MonthTable::kRowCount - 1, MonthTable::kColumnCount - 1));
}

void MonthTableModel::headerRowChanged()
{
    emit dataChanged(index(0, 0), index(0, MonthTable::kColumnCount - 1));
}
