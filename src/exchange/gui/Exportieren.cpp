#include "exchange/gui/Exportieren.h"

#include "ui_Exportieren.h"

#include <QLayout>

TExportierenDlg::TExportierenDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TExportierenDlg>())
{
    ui->setupUi(this);
    // The size its content needs, and no other: the window manager offers
    // no maximize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setObjectName(QStringLiteral("ExportierenDlg"));
    using Kind = PeriodChoice::Kind;
    ui->ZeitraumWahl->offer(
        {{{Kind::OpenMonth, "OffenerMonat", QStringLiteral("der geöffnete &Monat (%1)")},
          {Kind::LastThreeMonths, "LetzteDreiMonate", QStringLiteral("die letzten &3 Monate")},
          {Kind::LastTwelveMonths, "LetzteZwoelfMonate", QStringLiteral("die letzten &12 Monate")},
          {Kind::Range, "Bereich", QStringLiteral("&von")}},
         PeriodChooser::RangeFields::MonthFieldsInLine,
         ExportPeriod::kRules});
    connect(ui->ExportierenBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->AbbrechenBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TExportierenDlg::~TExportierenDlg() = default;

void TExportierenDlg::prepare(const QDate &openMonth)
{
    ui->ZeitraumWahl->prepare(openMonth);
    ui->ExportierenBtn->setFocus();
}

MonthRange TExportierenDlg::months(const QDate &today) const
{
    return ui->ZeitraumWahl->months(today);
}

ExportPeriod::Format TExportierenDlg::format() const
{
    return ui->FormatFhir->isChecked() ? ExportPeriod::Format::Fhir : ExportPeriod::Format::Csv;
}
