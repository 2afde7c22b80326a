#include "report/gui/Arztbericht.h"

#include "ui_Arztbericht.h"

#include <QLayout>
#include <QPushButton>

TArztberichtDlg::TArztberichtDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TArztberichtDlg>())
{
    ui->setupUi(this);
    // The size its content needs, and no other: the window manager offers
    // no maximize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    using Kind = PeriodChoice::Kind;
    ui->ZeitraumWahl->offer(
        {{{Kind::OpenMonth, "MonatRadio", QStringLiteral("&Geöffneter Monat (%1)")},
          {Kind::LastThreeMonths, "DreiMonateRadio", QStringLiteral("&Die letzten 3 Monate (%1)")},
          {Kind::Range, "BereichRadio", QStringLiteral("&Von Monat bis Monat:")}},
         PeriodChooser::RangeFields::MonthAndYearRows,
         kReportPeriodRules});
    ui->HinweisLabel->setStyleSheet(QStringLiteral("color: #A02020"));
    connect(ui->ZeitraumWahl, &PeriodChooser::changed, this, &TArztberichtDlg::updateRange);
}

TArztberichtDlg::~TArztberichtDlg() = default;

void TArztberichtDlg::prepare(const QString &user, const QDate &openMonth)
{
    ui->NameLabel->setText(QStringLiteral("Bericht für: ") + user);
    ui->ZeitraumWahl->prepare(openMonth);
}

ReportPeriod TArztberichtDlg::period() const
{
    return ui->ZeitraumWahl->months();
}

// A range that ends before it begins cannot be made into a report.
void TArztberichtDlg::updateRange()
{
    const bool valid = period().isValid();
    ui->ErstellenBtn->setEnabled(valid);
    ui->HinweisLabel->setText(valid ? QString()
                                    : QStringLiteral("Der erste Monat liegt nach dem letzten."));
}
