// The month table built from any list, as display lines and as entry lines.
#include "base/conversion_error.h"
#include "base/text_file.h"
#include "base/windows1252.h"
#include "fuzz_support.h"
#include "journal/entry_line.h"
#include "table/month_table_grid.h"
#include "table/table_text_copy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextFile::splitLines(Windows1252::decode(Fuzz::bytesOf(data, size)));
    QStringList display;
    for (const QString &line : lines) {
        if (const auto shown = EntryLine::toDisplayLine(line))
            display << *shown;
    }
    for (const QStringList *list : {&lines, static_cast<const QStringList *>(&display)}) {
        MonthTableGrid grid;
        try {
            grid.build(*list);
        } catch (const ConversionError &) {
        }
        // Whatever the list, the captions and day labels stand.
        for (int row = 1; row < MonthTable::kRowCount; ++row)
            Fuzz::check(grid.cell(0, row) == MonthTable::dayLabel(row), "day labels stay");
        const QString copy = TableTextCopy::selectionText(
            grid, CellRange{0, 0, MonthTable::kColumnCount - 1, MonthTable::kRowCount - 1});
        Fuzz::check(copy.count(QStringLiteral("\r\n")) >= MonthTable::kRowCount,
                    "one copied line per row");
    }
    return 0;
}
