#pragma once

#include "table/month_table_grid.h"
#include "table/table_picture_geometry.h"
#include "table/table_selection.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class MonthTableModel;
class QMenu;
class QTableView;
class UiSeam;
namespace Ui {
class TTabellenDlg;
}

// The month table window: the open month as a grid of 31 days by four slots.
class TTabellenDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TTabellenDlg(UiSeam &seam, QWidget *parent = nullptr);
    ~TTabellenDlg() override;

    // Rebuilds the whole grid from the entry list (display lines). A weight
    // or day that is not a number throws ConversionError; the grid then
    // shows what was built up to that line.
    void ErstelleTabelle(const QStringList &displayLines);

    // The four outputs of the grid.
    void TextKopierenClick();
    void Alles_alsGrafikkopierenClick();
    void NurmarkierterBereichalsGrafikkopieren1Click();
    void druckenClick();

    // The selected cells; the current cell alone when nothing is selected.
    CellRange selection() const;
    const MonthTableGrid &grid() const { return m_grid; }
    QTableView *stringGrid() const;
    QMenu *popupMenu() const { return m_popup; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyColumnWidths();
    void fitIntoScreen();
    QImage wholeTablePicture();
    TablePictureGeometry gridGeometry() const;

    UiSeam &m_seam;
    std::unique_ptr<Ui::TTabellenDlg> m_ui;
    MonthTableGrid m_grid;
    MonthTableModel *m_model = nullptr;
    QMenu *m_popup = nullptr;
    QSize m_designedSize; // 1210 x 654
    // Until the window manager has placed the framed window inside the
    // screen's free area, its moves are the manager's and are corrected;
    // afterwards they are the user's.
    bool m_placed = false;
    int m_placements = 0; // a bound, should the manager never agree
};
