#include "app/designed_look.h"

#include "app/chart_button_icons.h"
#include "app/tab_stop_delegate.h"
#include "ui_main_window.h"

namespace {

QFont designedFont(const QString &family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void applyDesignedFonts(Ui::TMainForm &ui, QMainWindow &window)
{
    ui.Labeltest->setFont(designedFont(QStringLiteral("Verdana"), 16, true));
    ui.ListBox1->setFont(designedFont(QStringLiteral("Verdana"), 12, true));
    const QFont big = designedFont(QStringLiteral("Verdana"), 24, true);
    for (QWidget *field :
         {static_cast<QWidget *>(ui.SpinEdit1), static_cast<QWidget *>(ui.SpinEdit2),
          static_cast<QWidget *>(ui.SpinEdit3), static_cast<QWidget *>(ui.Edit1)}) {
        field->setFont(big);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Text, QColor(0, 128, 0));
        field->setPalette(palette);
    }
    ui.Label3->setFont(designedFont(QStringLiteral("Verdana"), 12, true));
    ui.monaticherMittelwertLabel->setFont(designedFont(QStringLiteral("Verdana"), 12, true));
    ui.BitBtn1->setFont(designedFont(QStringLiteral("Verdana"), 14, true));
    QFont memoFont = designedFont(QStringLiteral("Arial"), 15, false);
    ui.Memo2->setFont(memoFont);
    window.menuBar()->setFont(QFont(QStringLiteral("Verdana"), 11));
}

} // namespace

void applyDesignedLook(Ui::TMainForm &ui, QMainWindow &window)
{
    // The designer's compiler drops texts of blanks only; the inert spacer
    // items carry exactly these blanks.
    ui.N1->setText(QString(10, QLatin1Char(' ')));
    ui.N2->setText(QString(11, QLatin1Char(' ')));
    ui.N3->setText(QString(11, QLatin1Char(' ')));
    ui.N4->setText(QString(16, QLatin1Char(' ')));
    applyDesignedFonts(ui, window);
    for (QWidget *unused : {static_cast<QWidget *>(ui.ImageWeiss),
                            static_cast<QWidget *>(ui.Image1), static_cast<QWidget *>(ui.Image2),
                            static_cast<QWidget *>(ui.Image3), static_cast<QWidget *>(ui.Bevel3)})
        unused->hide();
    ui.ListBox1->setItemDelegate(new TabStopDelegate({60, 110, 145, 180, 210, 240}, ui.ListBox1));
    ui.BtnBalkendiagrammErstellen->setIcon(ChartButtonIcons::barChart());
    ui.LinienDiagrammErstellen->setIcon(ChartButtonIcons::lineChart());
    ui.Bevel2->setToolTip(
        QStringLiteral("Wenn Sie regelmäßig weniger als 4 Messungen am Tag eingeben,\r\n"
                       "dann entsprechend hier einstellen. Die nicht aktivierten Messungen\r\n"
                       "werden dann übersprungen."));
    // Every item is one line of the same font: the list need not measure them.
    ui.ListBox1->setUniformItemSizes(true);
}
