#include "base/conversion_error.h"
#include "base/text_file.h"
#include "support/fake_seam.h"
#include "table/gui/Tabellep.h"
#include "table/gui/table_print.h"
#include "table_fixture.h"

#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString shown(QTableView *grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

void selectCells(QTableView *grid, int left, int top, int right, int bottom)
{
    QAbstractItemModel *model = grid->model();
    grid->setCurrentIndex(model->index(top, left));
    grid->selectionModel()->select(
        QItemSelection(model->index(top, left), model->index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where screenshots and the printout are kept for a look by eye, if wanted.
QString keepFolder()
{
    return qEnvironmentVariable("VANTORIA_TABLE_KEEP");
}

} // namespace

class TestTabellenDlg : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAndMenus();
    void gridLayout();
    void contextMenuEscapeAndClose();
    void gridShowsTheBuiltTable();
    void conversionErrorLeavesAConsistentGrid();
    void textCopyByKeyAndMenu();
    void rightButtonKeepsTheSelection();
    void wholeTablePicture();
    void selectedAreaPictures();
    void pictureTooLargeForMemory();
    void printsOneLandscapePage_data();
    void printsOneLandscapePage();
    void cancelledPrintPrintsNothing();
    void wheelLowersTheWindowScrollPosition();

private:
    FakeSeam *m_seam = nullptr;
    TTabellenDlg *m_dialog = nullptr;
};

void TestTabellenDlg::init()
{
    m_seam = new FakeSeam;
    m_dialog = new TTabellenDlg(*m_seam, nullptr);
    m_dialog->setWindowTitle(QStringLiteral("Muster - April 2017"));
    m_dialog->ErstelleTabelle(fixtureEntries());
}

void TestTabellenDlg::cleanup()
{
    delete m_dialog;
    delete m_seam;
}

void TestTabellenDlg::windowAndMenus()
{
    QCOMPARE(m_dialog->size(), QSize(1210, 654));
    const Qt::WindowFlags flags = m_dialog->windowFlags();
    QVERIFY(flags & Qt::WindowMaximizeButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));

    auto *menuBar = m_dialog->findChild<QMenuBar *>();
    QVERIFY(menuBar);
    QCOMPARE(menuBar->actions().size(), 1);
    QCOMPARE(menuBar->actions().first()->text(), QStringLiteral("&Datei"));
    QStringList fileItems;
    for (QAction *action : menuBar->actions().first()->menu()->actions())
        fileItems.append(action->text());
    QCOMPARE(fileItems, (QStringList{"&Drucken", "  ", "Be&enden"}));
    QStringList popupItems;
    for (QAction *action : m_dialog->popupMenu()->actions())
        popupItems.append(action->text());
    QCOMPARE(popupItems,
             (QStringList{"Drucken", "Markierter Text kopieren", "Alles als Grafik kopieren",
                          "Nur markierter Bereich als Grafik kopieren", "   "}));
}

void TestTabellenDlg::gridLayout()
{
    QTableView *grid = m_dialog->findChild<QTableView *>(QStringLiteral("StringGrid1"));
    QVERIFY(grid);
    QCOMPARE(grid->model()->columnCount(), 22);
    QCOMPARE(grid->model()->rowCount(), 32);
    QVERIFY(grid->horizontalHeader()->isHidden());
    QVERIFY(grid->verticalHeader()->isHidden());
    for (int column = 0; column < 22; ++column)
        QCOMPARE(grid->columnWidth(column), column % 5 == 0 && column > 0 ? 15 : 60);
    for (int row = 0; row < 32; ++row)
        QCOMPARE(grid->rowHeight(row), 24);
    QCOMPARE(grid->font().family(), QStringLiteral("Arial"));
    QCOMPARE(grid->font().pointSize(), 8);
    QVERIFY(grid->font().bold());
    QVERIFY(grid->showGrid());
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!(grid->model()->flags(grid->model()->index(3, 3)) & Qt::ItemIsEditable));
    QCOMPARE(grid->selectionMode(), QAbstractItemView::ContiguousSelection);
}

void TestTabellenDlg::contextMenuEscapeAndClose()
{
    QTableView *grid = m_dialog->stringGrid();
    auto *menuBar = m_dialog->findChild<QMenuBar *>();
    QVERIFY(menuBar);

    // A right-button context request opens the five-item menu.
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    const QPoint offCentre =
        m_dialog->frameGeometry().center() - m_dialog->screen()->geometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString::number(offCentre.x())));
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(30, 30),
                              grid->viewport()->mapToGlobal(QPoint(30, 30)));
    QApplication::sendEvent(grid->viewport(), &request);
    QTRY_VERIFY(m_dialog->popupMenu()->isVisible());
    m_dialog->popupMenu()->close();

    // Escape, in the grid or on the window, leaves it open.
    QTest::keyClick(grid, Qt::Key_Escape);
    QTest::keyClick(m_dialog, Qt::Key_Escape);
    QVERIFY(m_dialog->isVisible());

    // "Be&enden" closes the window.
    menuBar->actions().first()->menu()->actions().at(2)->trigger();
    QVERIFY(!m_dialog->isVisible());

    if (!keepFolder().isEmpty()) {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
        m_dialog->grab().save(keepFolder() + QStringLiteral("/table_window.png"));
    }
}

void TestTabellenDlg::gridShowsTheBuiltTable()
{
    QTableView *grid = m_dialog->stringGrid();
    QCOMPARE(shown(grid, 0, 0), QStringLiteral("  DATUM"));
    QCOMPARE(shown(grid, 0, 21), QStringLiteral(" GEWICHT"));
    QCOMPARE(shown(grid, 1, 1), QStringLiteral("    07:30 "));
    QCOMPARE(shown(grid, 1, 21), QStringLiteral("  * 80,3"));
    QCOMPARE(shown(grid, 31, 0), QStringLiteral("      31"));
    QCOMPARE(shown(grid, 31, 21), QStringLiteral("  "));

    // Opening again rebuilds from the new list.
    m_dialog->ErstelleTabelle({});
    QCOMPARE(shown(grid, 1, 1), QStringLiteral("  "));
    QCOMPARE(shown(grid, 1, 21), QStringLiteral("  "));
    QCOMPARE(shown(grid, 1, 0), QStringLiteral("      01"));
}

void TestTabellenDlg::conversionErrorLeavesAConsistentGrid()
{
    QTableView *grid = m_dialog->stringGrid();
    QVERIFY_THROWS_EXCEPTION(
        ConversionError,
        m_dialog->ErstelleTabelle(
            {QStringLiteral("Morgens den 03.04.2017 Z=07:00 s=130, d=85, p=70, Gewicht=80"),
             QStringLiteral("Abends den 03.04.2017 Z=19:00 s=131, d=86, p=71, Gewicht=x")}));
    // The view shows what was built until the bad weight, over a fresh table.
    QCOMPARE(shown(grid, 0, 2), QStringLiteral("SYSTOLE"));
    QCOMPARE(shown(grid, 3, 1), QStringLiteral("    07:00 "));
    QCOMPARE(shown(grid, 3, 16), QStringLiteral("    19:00 "));
    QCOMPARE(shown(grid, 1, 1), QStringLiteral("  "));
    // The commands still work on it.
    selectCells(grid, 0, 3, 1, 3);
    m_dialog->TextKopierenClick();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("      03\t    07:00 \r\n"));
}

void TestTabellenDlg::textCopyByKeyAndMenu()
{
    QTableView *grid = m_dialog->stringGrid();
    QClipboard *clipboard = QGuiApplication::clipboard();

    // Nothing selected beyond the focused cell (0, 0).
    grid->selectionModel()->clearSelection();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->selectionModel()->clearSelection();
    clipboard->clear();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("  DATUM\r\n"));

    selectCells(grid, 0, 0, 6, 2);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(),
             QStringLiteral("  DATUM  MORGENS   SYST.    DIAST.     PULS         MESS.2  \r\n"
                            "      01\t    07:30 \t    140 \t    90 \t    70 \t  \r\n"
                            "      02\t    07:10 \t    128 \t    82 \t    64 \t    12:05 \r\n"));
    // The window shows its own captions again.
    QCOMPARE(shown(grid, 0, 1), QStringLiteral("MORGENS"));
    QCOMPARE(shown(grid, 0, 2), QStringLiteral("SYSTOLE"));
    QCOMPARE(shown(grid, 0, 3), QStringLiteral("DIASTOLE"));

    selectCells(grid, 20, 30, 21, 31);
    m_dialog->popupMenu()->actions().at(1)->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("  * 79,2\r\n  \r\n"));
}

void TestTabellenDlg::rightButtonKeepsTheSelection()
{
    QTableView *grid = m_dialog->stringGrid();
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    selectCells(grid, 1, 1, 4, 2);
    const QRect outside = grid->visualRect(grid->model()->index(10, 10));
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, outside.center());
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, outside.center());
    const CellRange range = m_dialog->selection();
    QCOMPARE(range, (CellRange{1, 1, 4, 2}));
    // The left button still selects.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, outside.center());
    QCOMPARE(m_dialog->selection(), (CellRange{10, 10, 10, 10}));
}

void TestTabellenDlg::wholeTablePicture()
{
    QTableView *grid = m_dialog->stringGrid();
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    selectCells(grid, 0, 0, 21, 31);
    grid->verticalScrollBar()->setValue(3);
    const int scroll = grid->verticalScrollBar()->value();

    m_dialog->popupMenu()->actions().at(2)->trigger();
    const QImage picture = QGuiApplication::clipboard()->image();
    QCOMPARE(picture.size(), QSize(1164, 802));
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    // Border, the line after column 0, after spacer 5, below row 0, the last lines.
    QCOMPARE(picture.pixel(0, 400), black);
    QCOMPARE(picture.pixel(500, 0), black);
    QCOMPARE(picture.pixel(61, 12), black);
    QCOMPARE(picture.pixel(321, 12), black);
    QCOMPARE(picture.pixel(30, 25), black);
    QCOMPARE(picture.pixel(1162, 700), black);
    QCOMPARE(picture.pixel(1163, 700), black);
    QCOMPARE(picture.pixel(600, 800), black);
    QCOMPARE(picture.pixel(600, 801), black);
    // Cell backgrounds, although every cell was selected.
    QCOMPARE(picture.pixel(58, 3), white);
    QCOMPARE(picture.pixel(1160, 798), white);
    QCOMPARE(picture.pixel(310, 40), white);
    // Some text is drawn in the caption cell of column 1.
    bool dark = false;
    for (int x = 62; x < 122 && !dark; ++x)
        for (int y = 1; y < 25 && !dark; ++y)
            dark = qGray(picture.pixel(x, y)) < 128;
    QVERIFY(dark);

    // The view is left as it was.
    QCOMPARE(m_dialog->selection(), (CellRange{0, 0, 21, 31}));
    QCOMPARE(grid->verticalScrollBar()->value(), scroll);
    QVERIFY(m_seam->messages().isEmpty());
    if (!keepFolder().isEmpty())
        picture.save(keepFolder() + QStringLiteral("/table_picture.png"));
}

void TestTabellenDlg::selectedAreaPictures()
{
    QTableView *grid = m_dialog->stringGrid();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);

    selectCells(grid, 0, 0, 0, 0);
    m_dialog->NurmarkierterBereichalsGrafikkopieren1Click();
    QImage picture = QGuiApplication::clipboard()->image();
    QCOMPARE(picture.size(), QSize(62, 26));
    for (int x = 0; x < 62; ++x) {
        QCOMPARE(picture.pixel(x, 0), black);
        QCOMPARE(picture.pixel(x, 25), black);
    }
    for (int y = 0; y < 26; ++y) {
        QCOMPARE(picture.pixel(0, y), black);
        QCOMPARE(picture.pixel(61, y), black);
    }
    QCOMPARE(picture.pixel(59, 2), white);

    selectCells(grid, 4, 1, 5, 1);
    m_dialog->popupMenu()->actions().at(3)->trigger();
    picture = QGuiApplication::clipboard()->image();
    QCOMPARE(picture.size(), QSize(78, 26));
    QCOMPARE(picture.pixel(0, 12), black);
    QCOMPARE(picture.pixel(61, 12), black); // between pulse and spacer
    QCOMPARE(picture.pixel(77, 12), black);
    QCOMPARE(picture.pixel(70, 12), white); // inside the spacer
    QCOMPARE(picture.pixel(40, 0), black);
    QCOMPARE(picture.pixel(40, 25), black);
    QVERIFY(m_seam->messages().isEmpty());
}

void TestTabellenDlg::pictureTooLargeForMemory()
{
    QTableView *grid = m_dialog->stringGrid();
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (int row = 0; row < 32; ++row)
        grid->setRowHeight(row, 1'000'000);
    clipboard->setText(QStringLiteral("unchanged"));

    m_dialog->Alles_alsGrafikkopierenClick();
    QCOMPARE(m_seam->messages(),
             QStringList{QStringLiteral("EOutOfResources: Bitmap konnte nicht erstellt werden")});
    QCOMPARE(m_seam->calls.first().kind, QStringLiteral("plain"));
    QCOMPARE(clipboard->text(), QStringLiteral("unchanged"));

    m_seam->clear();
    m_dialog->NurmarkierterBereichalsGrafikkopieren1Click();
    QCOMPARE(m_seam->messages().size(), 1);
    QCOMPARE(clipboard->text(), QStringLiteral("unchanged"));
}

void TestTabellenDlg::printsOneLandscapePage_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("pageSize");
    QTest::newRow("A4") << QPageSize::A4;
    QTest::newRow("Letter") << QPageSize::Letter;
}

void TestTabellenDlg::printsOneLandscapePage()
{
    QFETCH(QPageSize::PageSizeId, pageSize);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("poppler tools are not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString pdf = folder.filePath(QStringLiteral("table.pdf"));
    bool wasPortrait = false;
    m_seam->printAnswer = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(pageSize));
        printer.setPageOrientation(QPageLayout::Portrait);
        wasPortrait = printer.width() < printer.height();
        return true;
    };
    // The main window names the table after the open month.
    m_dialog->setWindowTitle(QStringLiteral("Blutdruckmesswerte  März 2017  Müller-Lüdenscheidt"));
    // The window's menu item and the context item print alike.
    m_dialog->findChild<QAction *>(QStringLiteral("Drucken1"))->trigger();
    QVERIFY(wasPortrait);
    QCOMPARE(m_seam->texts(QStringLiteral("print")).size(), 1);
    QVERIFY(QFile::exists(pdf));

    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    QVERIFY(size.hasMatch());
    QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble());

    // Every word lies on the page.
    const double pageWidth = size.captured(1).toDouble();
    const double pageHeight = size.captured(2).toDouble();
    const QString boxes =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"));
    int words = 0;
    for (const QRegularExpressionMatch &box : word.globalMatch(boxes)) {
        ++words;
        QVERIFY(box.captured(3).toDouble() < pageWidth);
        QVERIFY(box.captured(4).toDouble() < pageHeight);
    }
    QVERIFY(words > 100);

    const QString text =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    // Text extraction guesses the blanks from the glyph positions.
    // Whose month it is comes first, then the design's caption and the grid.
    QVERIFY2(text.contains(QRegularExpression(
                 QStringLiteral("^\\s*Blutdruckmesswerte +März 2017 +Müller-Lüdenscheidt\\s*\\n"
                                "\\s*systolisch +diastolisch +Puls/Minute\\s*\\n\\s*DATUM"))),
             qPrintable(text));
    for (const char *piece : {"DATUM", "GEWICHT", "07:30", "140", "20:40", "* 80,3", "80,5",
                              "21:15", "133", "* 79,2", "31"})
        QVERIFY2(text.contains(QLatin1String(piece)), piece);
    if (!keepFolder().isEmpty())
        QFile::copy(
            pdf, keepFolder() +
                     QStringLiteral("/table_%1.pdf").arg(QLatin1String(QTest::currentDataTag())));
}

void TestTabellenDlg::cancelledPrintPrintsNothing()
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("table.pdf"));
    m_seam->printAnswer = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return false;
    };
    m_dialog->popupMenu()->actions().at(0)->trigger();
    QCOMPARE(m_seam->texts(QStringLiteral("print")).size(), 1);
    QVERIFY(!QFile::exists(pdf));
}

void TestTabellenDlg::wheelLowersTheWindowScrollPosition()
{
    QTableView *grid = m_dialog->stringGrid();
    // Only a window smaller than its grid has a scroll range of its own.
    grid->setMinimumHeight(3000);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    QScrollBar *bar = m_dialog->findChild<QScrollArea *>()->verticalScrollBar();
    QVERIFY(bar->maximum() > 200);
    bar->setValue(100);

    const QPointF at = grid->viewport()->rect().center();
    auto wheel = [&](int delta) {
        QWheelEvent event(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
    };
    wheel(-120);
    QCOMPARE(bar->value(), 140);
    wheel(120);
    QCOMPARE(bar->value(), 100);
    wheel(-100); // 100 / 3 towards zero
    QCOMPARE(bar->value(), 133);
}

QTEST_MAIN(TestTabellenDlg)
#include "tst_tabellen_dlg.moc"
