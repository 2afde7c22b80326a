#pragma once

#include <QFont>
#include <QList>
#include <QString>

class MonthTableGrid;
class QPrinter;

namespace TablePrint {

// The caption above the main window's value fields, printed above the table.
QString title();

struct Layout
{
    // Whose month it is: "Blutdruckmesswerte  März 2017  Muster".
    QString monthTitle;
    QList<int> columnWidths;
    QList<int> rowHeights;
    QFont gridFont;
    bool gridLines = true;
};

// A length in points at the table's print scale, in printer pixels.
int scaled(double points, int dpi);

// Prints the whole table on one page of a confirmed printer, turned to
// landscape when the page is portrait. False when the job could not start.
bool printTable(QPrinter &printer, const MonthTableGrid &grid, const Layout &layout);

} // namespace TablePrint
