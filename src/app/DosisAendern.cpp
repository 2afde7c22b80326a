#include "app/DosisAendern.h"

#include "ui_DosisAendern.h"

#include <QPushButton>

TDosisDlg::TDosisDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TDosisDlg>())
{
    ui->setupUi(this);
    ui->Knoepfe->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Dosis ändern"));
    ui->Knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(ui->Knoepfe, &QDialogButtonBox::accepted, this, &TDosisDlg::accept);
    connect(ui->Knoepfe, &QDialogButtonBox::rejected, this, &TDosisDlg::reject);
}

TDosisDlg::~TDosisDlg() = default;

void TDosisDlg::prepare(const Medication &present, const QDate &proposedDay)
{
    ui->BisherLabel->setText(
        QStringLiteral("Bisher: ") + present.label() +
        (present.intake.isEmpty() ? QString() : QStringLiteral(", ") + present.intake) +
        QStringLiteral(". Die bisherige Dosis endet am Tag vor der neuen."));
    ui->NeueStaerkeEdit->setText(present.strength);
    ui->NeueEinnahmeEdit->setText(present.intake);
    ui->AbTagEdit->setDate(proposedDay);
    ui->NeueStaerkeEdit->selectAll();
    ui->NeueStaerkeEdit->setFocus();
}

QString TDosisDlg::strength() const
{
    return ui->NeueStaerkeEdit->text();
}

QString TDosisDlg::intake() const
{
    return ui->NeueEinnahmeEdit->text();
}

QDate TDosisDlg::day() const
{
    return ui->AbTagEdit->date();
}
