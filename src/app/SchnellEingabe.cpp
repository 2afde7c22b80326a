#include "app/SchnellEingabe.h"

#include "ui_SchnellEingabe.h"

#include <QAccessible>

TSchnellEingabeDlg::TSchnellEingabeDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TSchnellEingabeDlg>())
{
    ui->setupUi(this);
    connect(ui->AufnehmenBtn, &QPushButton::clicked, this, &TSchnellEingabeDlg::accept);
    connect(ui->SchliessenBtn, &QPushButton::clicked, this, &TSchnellEingabeDlg::reject);
}

TSchnellEingabeDlg::~TSchnellEingabeDlg() = default;

void TSchnellEingabeDlg::prepare(const FormState &state)
{
    m_weightSwitchOn = state.weightSwitchOn;
    m_reading.reset();
    QString shown = QStringLiteral("Datum: ") + state.date + QStringLiteral("    Messung: ") +
                    state.slot + QStringLiteral("    Uhrzeit: ") + state.time;
    if (state.weightSwitchOn)
        shown += QStringLiteral("\nGewicht im Formular: ") + state.weight +
                 QStringLiteral(" kg (gilt, wenn Sie keines eingeben)");
    ui->FormularLabel->setText(shown);
    ui->WerteLabel->setText(state.weightSwitchOn
                                ? QStringLiteral("&Werte (systolisch/diastolisch Puls Gewicht):")
                                : QStringLiteral("&Werte (systolisch/diastolisch Puls):"));
    ui->WerteEdit->setPlaceholderText(state.weightSwitchOn ? QStringLiteral("135/85 72 78,4")
                                                           : QStringLiteral("135/85 72"));
    ui->WerteEdit->setAccessibleDescription(shown + QLatin1Char('\n') +
                                            QuickEntry::expectedForm(state.weightSwitchOn));
    ui->HinweisLabel->setText(QuickEntry::expectedForm(state.weightSwitchOn));
    ui->WerteEdit->clear();
    ui->WerteEdit->setFocus();
}

void TSchnellEingabeDlg::accept()
{
    const QuickEntry::Result result = QuickEntry::parse(ui->WerteEdit->text(), m_weightSwitchOn);
    if (!result.reading) {
        ui->HinweisLabel->setText(result.refusal);
        // A screen reader learns why nothing happened.
        QAccessibleEvent changed(ui->HinweisLabel, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
        ui->WerteEdit->setFocus();
        ui->WerteEdit->selectAll();
        return;
    }
    m_reading = result.reading;
    QDialog::accept();
}
