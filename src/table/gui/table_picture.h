#pragma once

#include "table/table_picture_geometry.h"

#include <QImage>

class MonthTableGrid;
class QFont;
class QPalette;

namespace TablePicture {

enum class Failure { None, OutOfResources, Unknown };

struct Result
{
    QImage image;
    Failure failure = Failure::None;
};

// The whole table as the window shows it, without selection: black border
// and grid lines, every cell in the grid's font and colours.
Result wholeTable(const MonthTableGrid &grid, const TablePictureGeometry &geometry,
                  const QFont &font, const QPalette &palette);

// The selected cells of a whole-table picture, with their grid lines on all
// four sides.
QImage selectedArea(const QImage &wholeTable, const TablePictureGeometry &geometry,
                    const CellRange &range);

// The message the user sees for a failure.
QString failureText(Failure failure);

} // namespace TablePicture
