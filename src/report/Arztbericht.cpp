#include "report/Arztbericht.h"

#include "journal/slots.h"

#include "ui_Arztbericht.h"

#include <QPushButton>
#include <QLayout>

TArztberichtDlg::TArztberichtDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TArztberichtDlg>())
{
    ui->setupUi(this);
    // The size its content needs, and no other: the window manager offers
    // no maximize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    for (int month = 1; month <= 12; ++month) {
        ui->VonMonatCombo->addItem(germanMonthName(month));
        ui->BisMonatCombo->addItem(germanMonthName(month));
    }
    ui->HinweisLabel->setStyleSheet(QStringLiteral("color: #A02020"));
    connect(ui->BereichRadio, &QRadioButton::toggled, this, &TArztberichtDlg::updateRange);
    connect(ui->VonMonatCombo, &QComboBox::currentIndexChanged, this,
            &TArztberichtDlg::updateRange);
    connect(ui->BisMonatCombo, &QComboBox::currentIndexChanged, this,
            &TArztberichtDlg::updateRange);
    connect(ui->VonJahrSpin, &QSpinBox::valueChanged, this, &TArztberichtDlg::updateRange);
    connect(ui->BisJahrSpin, &QSpinBox::valueChanged, this, &TArztberichtDlg::updateRange);
}

TArztberichtDlg::~TArztberichtDlg() = default;

void TArztberichtDlg::prepare(const QString &user, const QDate &openMonth)
{
    m_openMonth = openMonth;
    ui->NameLabel->setText(QStringLiteral("Bericht für: ") + user);
    const ReportPeriod three =
        ReportPeriod::choose(ReportPeriod::Choice::LastThreeMonths, openMonth);
    ui->MonatRadio->setText(QStringLiteral("&Geöffneter Monat (") + monthAndYear(openMonth) +
                            QLatin1Char(')'));
    ui->DreiMonateRadio->setText(QStringLiteral("&Die letzten 3 Monate (") + periodText(three) +
                                 QLatin1Char(')'));
    ui->MonatRadio->setChecked(true);
    ui->VonMonatCombo->setCurrentIndex(openMonth.month() - 1);
    ui->BisMonatCombo->setCurrentIndex(openMonth.month() - 1);
    ui->VonJahrSpin->setValue(openMonth.year());
    ui->BisJahrSpin->setValue(openMonth.year());
    updateRange();
}

ReportPeriod TArztberichtDlg::period() const
{
    using Choice = ReportPeriod::Choice;
    if (ui->DreiMonateRadio->isChecked())
        return ReportPeriod::choose(Choice::LastThreeMonths, m_openMonth);
    if (ui->BereichRadio->isChecked())
        return ReportPeriod::choose(
            Choice::Range, m_openMonth,
            QDate(ui->VonJahrSpin->value(), ui->VonMonatCombo->currentIndex() + 1, 1),
            QDate(ui->BisJahrSpin->value(), ui->BisMonatCombo->currentIndex() + 1, 1));
    return ReportPeriod::choose(Choice::OpenMonth, m_openMonth);
}

// The range fields count only when the range is chosen; a range that ends
// before it begins cannot be made into a report.
void TArztberichtDlg::updateRange()
{
    const bool range = ui->BereichRadio->isChecked();
    for (QWidget *field :
         {static_cast<QWidget *>(ui->VonMonatCombo), static_cast<QWidget *>(ui->VonJahrSpin),
          static_cast<QWidget *>(ui->BisMonatCombo), static_cast<QWidget *>(ui->BisJahrSpin)})
        field->setEnabled(range);
    const bool valid = period().isValid();
    ui->ErstellenBtn->setEnabled(valid);
    ui->HinweisLabel->setText(valid ? QString()
                                    : QStringLiteral("Der erste Monat liegt nach dem letzten."));
}
