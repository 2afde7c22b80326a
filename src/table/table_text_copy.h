#pragma once

#include "table/table_selection.h"

#include <QString>

class MonthTableGrid;

namespace TableTextCopy {

// The selected cells as the clipboard gets them: the caption row with the
// copy captions joined by two blanks, data rows joined by tabs without the
// spacer columns (unless one is the right edge), every row ended by CR LF.
QString selectionText(const MonthTableGrid &grid, const CellRange &range);

} // namespace TableTextCopy
