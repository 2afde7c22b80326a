#include "base/conversion_error.h"
#include "base/text_file.h"
#include "table/month_table_grid.h"
#include "table/table_picture_geometry.h"
#include "table/table_text_copy.h"
#include "table_fixture.h"

#include <QtTest>

Q_DECLARE_METATYPE(CellRange)

namespace {

using namespace MonthTable;

// One data row as the grid should hold it: day label, then 21 cells.
QStringList rowOf(const MonthTableGrid &grid, int row)
{
    QStringList cells;
    for (int column = 0; column < kColumnCount; ++column)
        cells.append(grid.cell(column, row));
    return cells;
}

QStringList emptyRow(int row)
{
    QStringList cells(kColumnCount, QStringLiteral("  "));
    cells[0] = dayLabel(row);
    return cells;
}

// The four cells of a slot, from its first column on.
struct SlotCells
{
    int firstColumn;
    const char *time;
    const char *systolic;
    const char *diastolic;
    const char *pulse;
};

// A day row with the label, the weight and the slots given; every other cell
// is blank.
QStringList dayRow(const char *label, const char *weight, std::initializer_list<SlotCells> filled)
{
    QStringList cells(kColumnCount, QStringLiteral("  "));
    cells[0] = QLatin1String(label);
    cells[kWeightColumn] = QLatin1String(weight);
    for (const SlotCells &slot : filled) {
        const char *const texts[] = {slot.time, slot.systolic, slot.diastolic, slot.pulse};
        for (int i = 0; i < 4; ++i)
            cells[slot.firstColumn + i] = QLatin1String(texts[i]);
    }
    return cells;
}

QStringList captionRow()
{
    QStringList cells;
    for (const QString &caption : displayCaptions())
        cells.append(caption);
    return cells;
}

} // namespace

class TestMonthTableCore : public QObject
{
    Q_OBJECT

private slots:
    void fixtureMonthCellByCell();
    void displayLinesGiveTheSameGridAsEntryLines();
    void emptyListAndRebuild();
    void weightCellForms_data();
    void weightCellForms();
    void handEditedLines();
    void textCopy_data();
    void textCopy();
    void pictureGeometry();
};

void TestMonthTableCore::fixtureMonthCellByCell()
{
    MonthTableGrid grid;
    grid.build(fixtureEntries());

    QMap<int, QStringList> expected;
    expected[1] = dayRow("      01", "  * 80,3",
                         {
                             {1, "    07:30 ", "    140 ", "    90 ", "    70 "},
                             {16, "    20:40 ", "    135 ", "    85 ", "    66 "},
                         });
    expected[2] = dayRow("      02", "    0",
                         {
                             {1, "    07:10 ", "    128 ", "    82 ", "    64 "},
                             {6, "    12:05 ", "    131 ", "    84 ", "    72 "},
                         });
    expected[5] = dayRow("      05", "    80,5",
                         {
                             {11, "    16:45 ", "    122 ", "    79 ", "    61 "},
                         });
    expected[10] = dayRow("      10", "    81",
                          {
                              {1, "    06:55 ", "    151 ", "    95 ", "    80 "},
                              {6, "    11:30 ", "    144 ", "    91 ", "    77 "},
                              {11, "    17:00 ", "    139 ", "    88 ", "    75 "},
                              {16, "    21:15 ", "    133 ", "    86 ", "    69 "},
                          });
    expected[17] = dayRow("      17", "    0",
                          {
                              {16, "    22:00 ", "    118 ", "    76 ", "    58"},
                          });
    expected[30] = dayRow("      30", "  * 79,2",
                          {
                              {1, "    08:00 ", "    125 ", "    80 ", "    60 "},
                              {16, "    20:00 ", "    129 ", "    81 ", "    63 "},
                          });

    QCOMPARE(rowOf(grid, 0), captionRow());
    for (int row = 1; row < kRowCount; ++row) {
        const QStringList want = expected.value(row, emptyRow(row));
        QCOMPARE(want.size(), kColumnCount);
        for (int column = 0; column < kColumnCount; ++column) {
            if (grid.cell(column, row) != want.at(column))
                QFAIL(qPrintable(QStringLiteral("row %1 column %2: '%3' instead of '%4'")
                                     .arg(row)
                                     .arg(column)
                                     .arg(grid.cell(column, row), want.at(column))));
        }
    }
    // April has 30 days; row 31 stays empty.
    QCOMPARE(rowOf(grid, 31), emptyRow(31));
}

void TestMonthTableCore::displayLinesGiveTheSameGridAsEntryLines()
{
    const QStringList entries = {
        QStringLiteral("Messung2 den 05.03.2017 Z=13:00 s=128, d=80, p=64, Gewicht=0"),
        QStringLiteral("Abends den 05.03.2017 Z=20:00 s=120, d=78, p=62, Gewicht=70,5"),
    };
    const QStringList display = {
        QStringLiteral("Messung2 den \t05.03.2017 \tZ=13:00 \ts=128, \td=80, \tp=64, \tGewicht=0"),
        QStringLiteral("Abends den \t05.03.2017 \tZ=20:00 \ts=120, \td=78, \tp=62, \tGewicht=70,5"),
    };
    MonthTableGrid fromEntries;
    fromEntries.build(entries);
    MonthTableGrid fromDisplay;
    fromDisplay.build(display);
    for (int row = 0; row < kRowCount; ++row)
        QCOMPARE(rowOf(fromDisplay, row), rowOf(fromEntries, row));
    QCOMPARE(fromDisplay.cell(6, 5), QStringLiteral("    13:00 "));
    QCOMPARE(fromDisplay.cell(21, 5), QStringLiteral("    70,5"));
}

void TestMonthTableCore::emptyListAndRebuild()
{
    MonthTableGrid grid;
    grid.build(fixtureEntries());
    grid.build({});
    QCOMPARE(rowOf(grid, 0), captionRow());
    for (int row = 1; row < kRowCount; ++row)
        QCOMPARE(rowOf(grid, row), emptyRow(row));
}

void TestMonthTableCore::weightCellForms_data()
{
    QTest::addColumn<QStringList>("weights");
    QTest::addColumn<QString>("cell");
    QTest::newRow("none") << QStringList{"0", "0", "0"} << QStringLiteral("    0");
    QTest::newRow("one whole") << QStringList{"0", "81"} << QStringLiteral("    81");
    QTest::newRow("one shortest") << QStringList{"80,50"} << QStringLiteral("    80,5");
    QTest::newRow("two, half up") << QStringList{"80,5", "80"} << QStringLiteral("  * 80,3");
    QTest::newRow("leading zero") << QStringList{"9", "10"} << QStringLiteral("  * 09,5");
    QTest::newRow("three") << QStringList{"70", "71", "0", "72,3"} << QStringLiteral("  * 71,1");
}

void TestMonthTableCore::weightCellForms()
{
    QFETCH(QStringList, weights);
    QFETCH(QString, cell);
    static const char *const slotLabels[] = {"Morgens", "Messung2", "Messung3", "Abends"};
    QStringList lines;
    for (int i = 0; i < weights.size(); ++i)
        lines.append(QStringLiteral("%1 den 12.04.2017 Z=08:00 s=120, d=80, p=60, Gewicht=%2")
                         .arg(QLatin1String(slotLabels[i]), weights.at(i)));
    // A following day makes the weight cell of day 12 be written on the day change.
    lines.append(QStringLiteral("Morgens den 13.04.2017 Z=08:00 s=120, d=80, p=60, Gewicht=0"));
    MonthTableGrid grid;
    grid.build(lines);
    QCOMPARE(grid.cell(kWeightColumn, 12), cell);
    QCOMPARE(grid.cell(kWeightColumn, 13), QStringLiteral("    0"));
    QCOMPARE(grid.cell(kWeightColumn, 11), QStringLiteral("  "));
}

void TestMonthTableCore::handEditedLines()
{
    // A weight that is no number ends the build with the German message; what
    // was written before stays and the table is otherwise complete.
    MonthTableGrid grid;
    try {
        grid.build(
            {QStringLiteral("Morgens den 03.04.2017 Z=07:00 s=130, d=85, p=70, Gewicht=80"),
             QStringLiteral("Morgens den 04.04.2017 Z=07:05 s=131, d=86, p=71, Gewicht=8o,5"),
             QStringLiteral("Morgens den 05.04.2017 Z=07:10 s=132, d=87, p=72, Gewicht=0")});
        QFAIL("no conversion error");
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), QStringLiteral("'8o,5' ist kein gültiger Gleitkommawert"));
    }
    QCOMPARE(rowOf(grid, 0), captionRow());
    QCOMPARE(grid.cell(kWeightColumn, 3), QStringLiteral("    80"));
    QCOMPARE(grid.cell(1, 4), QStringLiteral("    07:05 "));
    QCOMPARE(grid.cell(kWeightColumn, 4), QStringLiteral("  "));
    QCOMPARE(rowOf(grid, 5), emptyRow(5));

    // A one-digit day matches no row, and its day is no integer.
    try {
        grid.build({QStringLiteral("Morgens den 5.04.2017 Z=07:10 s=132, d=87, p=72, Gewicht=0")});
        QFAIL("no conversion error");
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), QStringLiteral("'5.' ist kein gültiger Integerwert"));
    }
    QCOMPARE(rowOf(grid, 5), emptyRow(5));

    // Days outside 01..31 fill nothing, and their weight never lands in the
    // caption row; lines without all markers are left out instead of taking
    // pieces of another line.
    grid.build({QStringLiteral("Morgens den 00.04.2017 Z=07:00 s=130, d=85, p=70, Gewicht=80"),
                QStringLiteral("Abends den 00.04.2017 Z=20:00 s=130, d=85, p=70, Gewicht=81"),
                QStringLiteral("Morgens den 06.04.2017 Z=07:00 s=125, d=80, p=66, Gewicht=0"),
                QStringLiteral("Abends den 06.04.2017 Z=19:00 s=122, p=64, Gewicht=77"),
                QStringLiteral("Morgens 07.04.2017 Z=07:00 s=125, d=80, p=66, Gewicht=0"),
                QStringLiteral("Morgens den 32.04.2017 Z=07:00 s=125, d=80, p=66, Gewicht=78")});
    QCOMPARE(rowOf(grid, 0), captionRow());
    QCOMPARE(grid.cell(1, 6), QStringLiteral("    07:00 "));
    QCOMPARE(grid.cell(16, 6), QStringLiteral("  "));
    QCOMPARE(grid.cell(kWeightColumn, 6), QStringLiteral("    0"));
    QCOMPARE(rowOf(grid, 7), emptyRow(7));
    QCOMPARE(rowOf(grid, 31), emptyRow(31));
}

void TestMonthTableCore::textCopy_data()
{
    QTest::addColumn<CellRange>("range");
    QTest::addColumn<QString>("text");
    QTest::newRow("focused cell") << CellRange{0, 0, 0, 0} << QStringLiteral("  DATUM\r\n");
    QTest::newRow("morning of day 1")
        << CellRange{0, 1, 4, 1}
        << QStringLiteral("      01\t    07:30 \t    140 \t    90 \t    70 \r\n");
    QTest::newRow("spacer skipped")
        << CellRange{4, 2, 6, 2} << QStringLiteral("    64 \t    12:05 \r\n");
    QTest::newRow("spacer as right edge")
        << CellRange{3, 1, 5, 2}
        << QStringLiteral("    90 \t    70 \t  \r\n    82 \t    64 \t  \r\n");
    QTest::newRow("caption row") << CellRange{0, 0, 5, 0}
                                 << QStringLiteral(
                                        "  DATUM  MORGENS   SYST.    DIAST.     PULS     \r\n");
    QTest::newRow("captions and weight")
        << CellRange{18, 0, 21, 1}
        << QStringLiteral("DIAST.      PULS      GEWICHT\r\n    85 \t    66 \t  * 80,3\r\n");
    QTest::newRow("empty day") << CellRange{9, 31, 11, 31} << QStringLiteral("  \t  \r\n");
}

void TestMonthTableCore::textCopy()
{
    QFETCH(CellRange, range);
    QFETCH(QString, text);
    MonthTableGrid grid;
    grid.build(fixtureEntries());
    QCOMPARE(TableTextCopy::selectionText(grid, range), text);
    // The copy only reads the grid.
    QCOMPARE(grid.cell(2, 0), QStringLiteral("SYSTOLE"));
}

void TestMonthTableCore::pictureGeometry()
{
    const TablePictureGeometry geometry = TablePictureGeometry::designed();
    QCOMPARE(geometry.wholeWidth(), 1164);
    QCOMPARE(geometry.wholeHeight(), 802);

    const auto cell00 = geometry.selectionRect({0, 0, 0, 0});
    QCOMPARE(cell00.x1, 0);
    QCOMPARE(cell00.y1, 0);
    QCOMPARE(cell00.width(), 62);
    QCOMPARE(cell00.height(), 26);

    const auto pulseAndSpacer = geometry.selectionRect({4, 1, 5, 1});
    QCOMPARE(pulseAndSpacer.x1, 244);
    QCOMPARE(pulseAndSpacer.y1, 25);
    QCOMPARE(pulseAndSpacer.width(), 78);
    QCOMPARE(pulseAndSpacer.height(), 26);

    const auto all = geometry.selectionRect({0, 0, 21, 31});
    QCOMPARE(all.x2, 1162);
    QCOMPARE(all.y2, 800);

    // Widths far beyond any picture are summed without wrapping.
    const TablePictureGeometry huge(QList<int>(22, INT_MAX), QList<int>(32, 24));
    QVERIFY(huge.wholeWidth() > qint64(INT_MAX) * 21);
}

QTEST_APPLESS_MAIN(TestMonthTableCore)
#include "tst_month_table_core.moc"
