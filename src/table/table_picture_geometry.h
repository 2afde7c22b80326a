#pragma once

#include "table/table_selection.h"

#include <QList>
#include <QtGlobal>

// Pixel layout of the table pictures: every column takes its width plus one
// pixel of grid line, every row its height plus one; the whole-table picture
// adds a one-pixel border on each side. Sums are 64-bit so that absurd sizes
// are reported instead of wrapping.
class TablePictureGeometry
{
public:
    TablePictureGeometry(QList<int> columnWidths, QList<int> rowHeights);

    // The designed widths and heights of the month table.
    static TablePictureGeometry designed();

    qint64 wholeWidth() const;
    qint64 wholeHeight() const;

    // Left edge (grid line) of a column / top edge of a row in the whole
    // picture; the cell's own pixels start one further.
    qint64 columnLineX(int column) const;
    qint64 rowLineY(int row) const;

    struct PixelRect
    {
        qint64 x1, y1, x2, y2; // inclusive
        qint64 width() const { return x2 - x1 + 1; }
        qint64 height() const { return y2 - y1 + 1; }
    };
    // The selection with the grid lines on all four sides.
    PixelRect selectionRect(const CellRange &range) const;

    const QList<int> &columnWidths() const { return m_columnWidths; }
    const QList<int> &rowHeights() const { return m_rowHeights; }

private:
    QList<int> m_columnWidths;
    QList<int> m_rowHeights;
};
