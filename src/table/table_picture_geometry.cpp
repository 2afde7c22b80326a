#include "table/table_picture_geometry.h"

#include "table/month_table_grid.h"

#include <utility>

TablePictureGeometry::TablePictureGeometry(QList<int> columnWidths, QList<int> rowHeights)
    : m_columnWidths(std::move(columnWidths))
    , m_rowHeights(std::move(rowHeights))
{}

TablePictureGeometry TablePictureGeometry::designed()
{
    QList<int> widths;
    for (int column = 0; column < MonthTable::kColumnCount; ++column)
        widths.append(MonthTable::designedColumnWidth(column));
    return TablePictureGeometry(widths, QList<int>(MonthTable::kRowCount, MonthTable::kRowHeight));
}

qint64 TablePictureGeometry::columnLineX(int column) const
{
    qint64 x = 0;
    for (int c = 0; c < column; ++c)
        x += qint64(m_columnWidths.at(c)) + 1;
    return x;
}

qint64 TablePictureGeometry::rowLineY(int row) const
{
    qint64 y = 0;
    for (int r = 0; r < row; ++r)
        y += qint64(m_rowHeights.at(r)) + 1;
    return y;
}

qint64 TablePictureGeometry::wholeWidth() const
{
    return columnLineX(int(m_columnWidths.size())) + 2;
}

qint64 TablePictureGeometry::wholeHeight() const
{
    return rowLineY(int(m_rowHeights.size())) + 2;
}

TablePictureGeometry::PixelRect TablePictureGeometry::selectionRect(const CellRange &range) const
{
    return {columnLineX(range.left), rowLineY(range.top), columnLineX(range.right + 1),
            rowLineY(range.bottom + 1)};
}
