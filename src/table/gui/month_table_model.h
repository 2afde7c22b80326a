#pragma once

#include <QAbstractTableModel>

class MonthTableGrid;

// Shows the grid's texts in the view; read-only.
class MonthTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    MonthTableModel(const MonthTableGrid &grid, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The grid changed behind the model.
    void gridChanged();
    void headerRowChanged();

private:
    const MonthTableGrid &m_grid;
};
