#include "table/gui/Tabellep.h"

#include "table/gui/month_table_model.h"
#include "table/gui/table_picture.h"
#include "table/gui/table_print.h"
#include "table/table_text_copy.h"
#include "ui/seam.h"
#include "ui/window_layout.h"
#include "ui_Tabellep.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

TTabellenDlg::TTabellenDlg(UiSeam &seam, QWidget *parent)
    : QDialog(parent)
    , m_seam(seam)
    , m_ui(std::make_unique<Ui::TTabellenDlg>())
{
    m_ui->setupUi(this);
    m_designedSize = size();
    // Blank items without action; uic drops texts of blanks only.
    m_ui->N1->setText(QStringLiteral("  "));
    m_ui->N2->setText(QStringLiteral("   "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);

    QTableView *grid = m_ui->StringGrid1;
    m_model = new MonthTableModel(m_grid, this);
    grid->setModel(m_model);
    for (QHeaderView *header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    grid->horizontalHeader()->setDefaultSectionSize(MonthTable::kColumnWidth);
    grid->verticalHeader()->setDefaultSectionSize(MonthTable::kRowHeight);
    grid->setCurrentIndex(m_model->index(0, 0));

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    m_popup->addActions({m_ui->drucken, m_ui->TextKopieren, m_ui->Alles_alsGrafikkopieren,
                         m_ui->NurmarkierterBereichalsGrafikkopieren1, m_ui->N2});

    connect(m_ui->Drucken1, &QAction::triggered, this, &TTabellenDlg::druckenClick);
    connect(m_ui->drucken, &QAction::triggered, this, &TTabellenDlg::druckenClick);
    connect(m_ui->Beenden1, &QAction::triggered, this, &QDialog::close);
    connect(m_ui->TextKopieren, &QAction::triggered, this, &TTabellenDlg::TextKopierenClick);
    connect(m_ui->Alles_alsGrafikkopieren, &QAction::triggered, this,
            &TTabellenDlg::Alles_alsGrafikkopierenClick);
    connect(m_ui->NurmarkierterBereichalsGrafikkopieren1, &QAction::triggered, this,
            &TTabellenDlg::NurmarkierterBereichalsGrafikkopieren1Click);
    connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint &pos) {
        m_popup->popup(grid->viewport()->mapToGlobal(pos));
    });

    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
}

TTabellenDlg::~TTabellenDlg() = default;

QTableView *TTabellenDlg::stringGrid() const
{
    return m_ui->StringGrid1;
}

void TTabellenDlg::ErstelleTabelle(const QStringList &displayLines)
{
    applyColumnWidths();
    try {
        m_grid.build(displayLines);
    } catch (...) {
        m_model->gridChanged();
        throw;
    }
    m_model->gridChanged();
}

void TTabellenDlg::applyColumnWidths()
{
    for (int column = 0; column < MonthTable::kColumnCount; ++column) {
        if (MonthTable::isSpacerColumn(column))
            m_ui->StringGrid1->setColumnWidth(column, MonthTable::kSpacerWidth);
    }
}

CellRange TTabellenDlg::selection() const
{
    const QItemSelection selected = m_ui->StringGrid1->selectionModel()->selection();
    if (!selected.isEmpty()) {
        CellRange range{selected.first().left(), selected.first().top(), selected.first().right(),
                        selected.first().bottom()};
        for (const QItemSelectionRange &part : selected) {
            range.left = std::min(range.left, part.left());
            range.top = std::min(range.top, part.top());
            range.right = std::max(range.right, part.right());
            range.bottom = std::max(range.bottom, part.bottom());
        }
        return range;
    }
    const QModelIndex current = m_ui->StringGrid1->currentIndex();
    if (current.isValid())
        return {current.column(), current.row(), current.column(), current.row()};
    return {};
}

void TTabellenDlg::TextKopierenClick()
{
    QGuiApplication::clipboard()->setText(TableTextCopy::selectionText(m_grid, selection()));
    m_grid.setHeaderRow(MonthTable::displayCaptions());
    m_model->headerRowChanged();
}

TablePictureGeometry TTabellenDlg::gridGeometry() const
{
    const QTableView *grid = m_ui->StringGrid1;
    QList<int> widths;
    for (int column = 0; column < MonthTable::kColumnCount; ++column)
        widths.append(grid->columnWidth(column));
    QList<int> heights;
    for (int row = 0; row < MonthTable::kRowCount; ++row)
        heights.append(grid->rowHeight(row));
    return TablePictureGeometry(widths, heights);
}

QImage TTabellenDlg::wholeTablePicture()
{
    const QTableView *grid = m_ui->StringGrid1;
    const TablePicture::Result result =
        TablePicture::wholeTable(m_grid, gridGeometry(), grid->font(), grid->palette());
    if (result.failure != TablePicture::Failure::None)
        m_seam.showMessage(this, UiSeam::MessageKind::Plain,
                           TablePicture::failureText(result.failure));
    return result.image;
}

void TTabellenDlg::Alles_alsGrafikkopierenClick()
{
    const QImage picture = wholeTablePicture();
    if (!picture.isNull())
        QGuiApplication::clipboard()->setImage(picture);
}

void TTabellenDlg::NurmarkierterBereichalsGrafikkopieren1Click()
{
    const QImage whole = wholeTablePicture();
    // After a failure the user has the message; a cut-out of nothing would
    // only replace the clipboard with a blank picture.
    if (whole.isNull())
        return;
    QGuiApplication::clipboard()->setImage(
        TablePicture::selectedArea(whole, gridGeometry(), selection()));
}

void TTabellenDlg::druckenClick()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_seam.confirmPrint(this, printer))
        return;
    QTableView *grid = m_ui->StringGrid1;
    TablePrint::Layout layout;
    layout.monthTitle = windowTitle();
    for (int column = 0; column < MonthTable::kColumnCount; ++column)
        layout.columnWidths.append(grid->columnWidth(column));
    for (int row = 0; row < MonthTable::kRowCount; ++row)
        layout.rowHeights.append(grid->rowHeight(row));
    layout.gridFont = grid->font();
    layout.gridLines = grid->showGrid();
    TablePrint::printTable(printer, m_grid, layout);
}

void TTabellenDlg::keyPressEvent(QKeyEvent *event)
{
    // Only "Beenden" and the close button end the table; a dialog's Escape
    // would close it while the user moves through the grid with the keys.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TTabellenDlg::eventFilter(QObject *watched, QEvent *event)
{
    QTableView *grid = m_ui->StringGrid1;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (watched == grid && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                TextKopierenClick();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The menu works on the selection, so the right button keeps it.
        if (watched == grid->viewport() &&
            static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            return true;
        break;
    case QEvent::Wheel:
        if (watched == grid->viewport()) {
            QScrollBar *bar = m_ui->FormScroll->verticalScrollBar();
            bar->setValue(bar->value() - static_cast<QWheelEvent *>(event)->angleDelta().y() / 3);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TTabellenDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_placed = false;
    m_placements = 0;
    fitIntoScreen();
}

void TTabellenDlg::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    // The window manager tells the frame only after the window is shown, and
    // may first place the window where the pointer is: each of its moves is
    // corrected until the framed window lies in the free area.
    if (m_placed || frameGeometry().size() == size() || !screen())
        return;
    if (screen()->availableGeometry().contains(frameGeometry()) || ++m_placements > 3)
        m_placed = true;
    else
        fitIntoScreen();
}

void TTabellenDlg::fitIntoScreen()
{
    if (isMaximized())
        return;
    if (QScreen *screen = this->screen()) {
        // The designed size where the screen has room; on a lower or
        // narrower screen the window fits its free area and the grid scrolls.
        QSize frame = frameGeometry().size() - size();
        if (frame.height() <= 0)
            frame.rheight() += style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const QRect placed =
            WindowLayout::fitCentred(m_designedSize, screen->availableGeometry(), frame);
        resize(placed.size());
        move(placed.topLeft());
    }
}
