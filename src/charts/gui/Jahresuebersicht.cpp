#include "charts/gui/Jahresuebersicht.h"

#include "ui_Jahresuebersicht.h"

#include <QLayout>
#include <QPushButton>

TJahresuebersichtDlg::TJahresuebersichtDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TJahresuebersichtDlg>())
{
    ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    using Kind = PeriodChoice::Kind;
    ui->ZeitraumWahl->offer(
        {{{Kind::OpenYear, "JahrRadio", QStringLiteral("Das &Jahr des geöffneten Monats (%1)")},
          {Kind::LastTwelveMonths, "ZwoelfMonateRadio",
           QStringLiteral("Die letzten &12 Monate (%1)")},
          {Kind::AllMonths, "AlleMonateRadio", QStringLiteral("&Alle Monate (%1)")},
          {Kind::Range, "BereichRadio", QStringLiteral("&Von Monat bis Monat:")}},
         PeriodChooser::RangeFields::MonthAndYearRows,
         // The last months end with the open month, as the year does.
         {PeriodChoice::RecentUpTo::OpenMonth, PeriodChoice::ReversedRange::Invalid}});
    ui->HinweisLabel->setStyleSheet(QStringLiteral("color: #A02020"));
    connect(ui->ZeitraumWahl, &PeriodChooser::changed, this, &TJahresuebersichtDlg::updateRange);
}

TJahresuebersichtDlg::~TJahresuebersichtDlg() = default;

void TJahresuebersichtDlg::prepare(const QString &user, const QDate &openMonth,
                                   const MonthRange &userMonths)
{
    ui->NameLabel->setText(QStringLiteral("Übersicht für: ") + user);
    ui->ZeitraumWahl->setUserMonths(userMonths);
    ui->ZeitraumWahl->prepare(openMonth);
}

MonthRange TJahresuebersichtDlg::months() const
{
    return ui->ZeitraumWahl->months();
}

void TJahresuebersichtDlg::updateRange()
{
    const MonthRange range = months();
    const bool valid = range.isValid();
    ui->ZeigenBtn->setEnabled(valid);
    QString hint;
    if (!valid) {
        hint = ui->ZeitraumWahl->kind() == PeriodChoice::Kind::AllMonths
                   ? QStringLiteral("Es gibt noch keine Monatsdateien.")
                   : QStringLiteral("Der erste Monat liegt nach dem letzten.");
    }
    ui->HinweisLabel->setText(hint);
}
