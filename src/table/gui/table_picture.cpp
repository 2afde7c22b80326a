#include "table/gui/table_picture.h"

#include "table/month_table_grid.h"

#include <QFont>
#include <QPainter>
#include <QPalette>

#include <climits>
#include <new>

namespace TablePicture {

namespace {

// Room between the grid line and the text, as the view's items have it.
constexpr int TextInset = 3;

void paintCells(QPainter &painter, const MonthTableGrid &grid, const TablePictureGeometry &geometry,
                const QPalette &palette)
{
    const QList<int> &widths = geometry.columnWidths();
    const QList<int> &heights = geometry.rowHeights();
    for (int column = 0; column < widths.size(); ++column) {
        const int x = int(geometry.columnLineX(column)) + 1;
        for (int row = 0; row < heights.size(); ++row) {
            const int y = int(geometry.rowLineY(row)) + 1;
            const QRect cell(x, y, widths.at(column), heights.at(row));
            painter.fillRect(cell, palette.color(QPalette::Active, QPalette::Base));
            if (column < MonthTable::kColumnCount && row < MonthTable::kRowCount) {
                painter.drawText(cell.adjusted(TextInset, 0, -1, 0),
                                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                 grid.cell(column, row));
            }
        }
    }
}

} // namespace

Result wholeTable(const MonthTableGrid &grid, const TablePictureGeometry &geometry,
                  const QFont &font, const QPalette &palette)
{
    const qint64 width = geometry.wholeWidth();
    const qint64 height = geometry.wholeHeight();
    // Like the desktop's own bitmaps, a picture stays below 2 GB; larger
    // ones are refused before the memory is asked for.
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX ||
        width * height > INT_MAX / 4)
        return {QImage(), Failure::OutOfResources};
    try {
        QImage image(int(width), int(height), QImage::Format_RGB32);
        if (image.isNull())
            return {QImage(), Failure::OutOfResources};
        image.fill(Qt::black);
        QPainter painter;
        if (!painter.begin(&image))
            return {QImage(), Failure::Unknown};
        painter.setFont(font);
        painter.setPen(palette.color(QPalette::Active, QPalette::Text));
        paintCells(painter, grid, geometry, palette);
        painter.end();
        return {image, Failure::None};
    } catch (const std::bad_alloc &) {
        return {QImage(), Failure::OutOfResources};
    } catch (...) {
        return {QImage(), Failure::Unknown};
    }
}

QImage selectedArea(const QImage &wholeTable, const TablePictureGeometry &geometry,
                    const CellRange &range)
{
    const TablePictureGeometry::PixelRect rect = geometry.selectionRect(range);
    return wholeTable.copy(int(rect.x1), int(rect.y1), int(rect.width()), int(rect.height()));
}

QString failureText(Failure failure)
{
    switch (failure) {
    case Failure::None:
        return {};
    case Failure::OutOfResources:
        return QStringLiteral("EOutOfResources: Bitmap konnte nicht erstellt werden");
    case Failure::Unknown:
        break;
    }
    return QStringLiteral("Unbekannter Fehler");
}

} // namespace TablePicture
