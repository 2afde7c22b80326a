#include "exchange/Exportieren.h"

#include "journal/slots.h"

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
    connect(ui->ExportierenBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->AbbrechenBtn, &QPushButton::clicked, this, &QDialog::reject);
    // Changing a month of the range chooses the range.
    for (QDateEdit *edit : {ui->VonMonat, ui->BisMonat})
        connect(edit, &QDateEdit::dateChanged, ui->Bereich,
                [this] { ui->Bereich->setChecked(true); });
}

TExportierenDlg::~TExportierenDlg() = default;

void TExportierenDlg::prepare(const QDate &openMonth)
{
    ui->OffenerMonat->setText(QStringLiteral("der geöffnete &Monat (%1 %2)")
                                  .arg(germanMonthName(openMonth.month()))
                                  .arg(openMonth.year()));
    const QSignalBlocker quietFrom(ui->VonMonat);
    const QSignalBlocker quietTo(ui->BisMonat);
    ui->VonMonat->setDate(openMonth);
    ui->BisMonat->setDate(openMonth);
    ui->OffenerMonat->setChecked(true);
    ui->ExportierenBtn->setFocus();
}

ExportPeriod::Kind TExportierenDlg::kind() const
{
    if (ui->LetzteDreiMonate->isChecked())
        return ExportPeriod::Kind::LastThreeMonths;
    if (ui->LetzteZwoelfMonate->isChecked())
        return ExportPeriod::Kind::LastTwelveMonths;
    if (ui->Bereich->isChecked())
        return ExportPeriod::Kind::Range;
    return ExportPeriod::Kind::OpenMonth;
}

ExportPeriod::Format TExportierenDlg::format() const
{
    return ui->FormatFhir->isChecked() ? ExportPeriod::Format::Fhir : ExportPeriod::Format::Csv;
}

QDate TExportierenDlg::from() const
{
    return ui->VonMonat->date();
}

QDate TExportierenDlg::to() const
{
    return ui->BisMonat->date();
}
