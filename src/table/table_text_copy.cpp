#include "table/table_text_copy.h"

#include "table/month_table_grid.h"

namespace TableTextCopy {

QString selectionText(const MonthTableGrid &grid, const CellRange &range)
{
    using namespace MonthTable;
    const auto &captions = copyCaptions();
    QString text;
    // A cell of a full month is up to eight characters and its tab; the whole
    // table is copied in one buffer.
    text.reserve(qsizetype(range.bottom - range.top + 1) * (range.right - range.left + 1) * 9);
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int column = range.left; column <= range.right; ++column) {
            const QString &cell = row == 0 ? captions[column] : grid.cell(column, row);
            if (column == range.right) {
                text += cell;
            } else if (cell.isEmpty()) {
                continue;
            } else if (row == 0) {
                text += cell;
                text += QLatin1String("  ");
            } else if (!isSpacerColumn(column)) {
                text += cell;
                text += QLatin1Char('\t');
            }
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace TableTextCopy
