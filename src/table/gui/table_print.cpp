#include "table/gui/table_print.h"

#include "table/month_table_grid.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace TablePrint {

namespace {

constexpr double Scale = 0.65;
constexpr double LeftMarginPoints = 40;
constexpr double TopMarginPoints = 65;
constexpr double CellInsetPoints = 3;
// The title's place is given in pixels of a 600-dpi page; the printer is
// set to that resolution so that it lands above the table on every device.
constexpr int PrintResolution = 600;
constexpr int TitleTop = 250;
constexpr int TitleShift = 100;
constexpr int TitleGap = 20; // between the month's title and the caption line

int scaledFontSize(const QFont &font)
{
    return int(std::rint(font.pointSizeF() / 0.72 * Scale));
}

// Where the cells go on the page, in printer pixels.
struct CellPlaces
{
    int dpiX = 0;
    int dpiY = 0;
    int left = 0;
    int top = 0;
    int right = 0; // of the whole table
    int bottom = 0;
};

CellPlaces cellPlaces(const QPrinter &printer, const Layout &layout)
{
    CellPlaces places;
    places.dpiX = printer.logicalDpiX();
    places.dpiY = printer.logicalDpiY();
    const QPoint offset = printer.pageRect(QPrinter::DevicePixel).topLeft().toPoint() -
                          printer.paperRect(QPrinter::DevicePixel).topLeft().toPoint();
    places.left = offset.x() + scaled(LeftMarginPoints, places.dpiX) + 1;
    places.top = offset.y() + scaled(TopMarginPoints, places.dpiY) + 1;
    places.right = places.left;
    for (int column = 0; column < MonthTable::kColumnCount; ++column)
        places.right += scaled(layout.columnWidths.at(column) + 1, places.dpiX);
    places.bottom = places.top;
    for (int row = 0; row < MonthTable::kRowCount; ++row)
        places.bottom += scaled(layout.rowHeights.at(row) + 1, places.dpiY);
    return places;
}

void drawTitle(QPainter &painter, const QPrinter &printer, const QFont &gridFont)
{
    QFont titleFont = gridFont;
    titleFont.setPointSize(scaledFontSize(gridFont) + 5);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title());
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    const int titleX = printer.width() / 2 - 3 * titleWidth - TitleShift;
    painter.drawText(QPoint(titleX, TitleTop + painter.fontMetrics().ascent()), title());
}

// The month and the user's name, above the caption line, at the table's left
// edge: a printout on the doctor's desk must say whose month it is.
void drawMonthTitle(QPainter &painter, const CellPlaces &places, const QFont &gridFont,
                    const QString &monthTitle)
{
    QFont titleFont = gridFont;
    titleFont.setPointSize(scaledFontSize(gridFont) + 5);
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    const QFontMetrics metrics = painter.fontMetrics();
    const int baseline = TitleTop - metrics.descent() - metrics.leading() - TitleGap;
    painter.drawText(QPoint(places.left, baseline), monthTitle);
}

void drawCells(QPainter &painter, const MonthTableGrid &grid, const Layout &layout,
               const CellPlaces &places)
{
    QFont cellFont = layout.gridFont;
    cellFont.setPointSize(scaledFontSize(layout.gridFont));
    painter.setFont(cellFont);
    const QPen cellPen = layout.gridLines ? QPen(QColor(51, 51, 51), 1) : QPen(Qt::NoPen);
    const int inset = scaled(CellInsetPoints, places.dpiX);
    int x = places.left;
    for (int column = 0; column < MonthTable::kColumnCount; ++column) {
        const int right = x + scaled(layout.columnWidths.at(column) + 1, places.dpiX);
        int y = places.top;
        for (int row = 0; row < MonthTable::kRowCount; ++row) {
            const int bottom = y + scaled(layout.rowHeights.at(row) + 1, places.dpiY);
            painter.setPen(cellPen);
            // Outline and fill reach two pixels past the next cell's edge.
            painter.setBrush(Qt::white);
            painter.drawRect(QRect(QPoint(x, y), QPoint(right, bottom)));
            painter.setPen(Qt::black);
            painter.drawText(QRect(QPoint(x + inset, y + 1), QPoint(right - inset, bottom - 2)),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             grid.cell(column, row));
            y = bottom;
        }
        x = right;
    }
}

} // namespace

QString title()
{
    return QStringLiteral("systolisch     diastolisch     Puls/Minute");
}

int scaled(double points, int dpi)
{
    return int(std::rint(points * dpi / 72.0 * Scale));
}

bool printTable(QPrinter &printer, const MonthTableGrid &grid, const Layout &layout)
{
    printer.setResolution(PrintResolution);
    if (printer.width() < printer.height())
        printer.setPageOrientation(QPageLayout::Landscape);
    const CellPlaces places = cellPlaces(printer, layout);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The layout fits A4; a smaller page (Letter) would cut off the weight
    // column, so the whole page is shrunk until the table fits.
    const double fit = std::min({1.0, double(printer.width()) / (places.right + 2),
                                 double(printer.height()) / (places.bottom + 2)});
    if (fit < 1.0)
        painter.scale(fit, fit);
    if (!layout.monthTitle.isEmpty())
        drawMonthTitle(painter, places, layout.gridFont, layout.monthTitle);
    drawTitle(painter, printer, layout.gridFont);
    drawCells(painter, grid, layout, places);
    return painter.end();
}

} // namespace TablePrint
