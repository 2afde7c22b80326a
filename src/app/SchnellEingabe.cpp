#include "app/SchnellEingabe.h"

#include "ui_SchnellEingabe.h"

#include <QAccessible>

namespace {

// The range of the form's year field.
const QDate kFirstDate(1900, 1, 1);
const QDate kLastDate(9999, 12, 31);

} // namespace

TSchnellEingabeDlg::TSchnellEingabeDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TSchnellEingabeDlg>())
{
    ui->setupUi(this);
    // A small dialog: it grows with its error line, but is never maximized.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui->DatumEdit->setDateRange(kFirstDate, kLastDate);
    for (const Slot slot : kAllSlots)
        ui->MessungCombo->addItem(slotInfo(slot).buttonCaption);
    QPalette red = ui->FehlerLabel->palette();
    red.setColor(QPalette::WindowText, QColor(0xb0, 0x00, 0x20));
    ui->FehlerLabel->setPalette(red);
    ui->FehlerLabel->hide();
    connect(ui->AufnehmenBtn, &QPushButton::clicked, this, &TSchnellEingabeDlg::accept);
    connect(ui->SchliessenBtn, &QPushButton::clicked, this, &TSchnellEingabeDlg::reject);
    // A corrected line is no longer wrong.
    connect(ui->WerteEdit, &QLineEdit::textEdited, ui->FehlerLabel, &QWidget::hide);
}

TSchnellEingabeDlg::~TSchnellEingabeDlg() = default;

void TSchnellEingabeDlg::prepare(const Proposal &proposal)
{
    m_weightSwitchOn = proposal.weightSwitchOn;
    m_choice.reset();
    ui->DatumEdit->setDate(proposal.date);
    ui->MessungCombo->setCurrentIndex(int(proposal.slot));
    ui->UhrzeitEdit->setTime(proposal.time);

    QStringList notes;
    if (!proposal.slotFree)
        notes << QStringLiteral("Für den ") + proposal.date.toString(QStringLiteral("dd.MM.yyyy")) +
                     QStringLiteral(" sind schon alle vier Messungen eingetragen.");
    if (proposal.weightSwitchOn)
        notes << QStringLiteral("Gewicht im Formular: ") + proposal.weight +
                     QStringLiteral(" kg (gilt, wenn Sie keines eingeben)");
    ui->FormularLabel->setText(notes.join(QLatin1Char('\n')));
    ui->FormularLabel->setVisible(!notes.isEmpty());

    ui->WerteLabel->setText(proposal.weightSwitchOn
                                ? QStringLiteral("&Werte (systolisch/diastolisch Puls Gewicht):")
                                : QStringLiteral("&Werte (systolisch/diastolisch Puls):"));
    ui->WerteEdit->setPlaceholderText(proposal.weightSwitchOn ? QStringLiteral("135/85 72 78,4")
                                                              : QStringLiteral("135/85 72"));
    const QString hint = QuickEntry::expectedForm(proposal.weightSwitchOn);
    ui->WerteEdit->setAccessibleDescription(hint);
    ui->HinweisLabel->setText(hint);
    ui->FehlerLabel->clear();
    ui->FehlerLabel->hide();
    ui->WerteEdit->clear();
    ui->WerteEdit->setFocus();
}

void TSchnellEingabeDlg::showError(const QString &text)
{
    ui->FehlerLabel->setText(text);
    ui->FehlerLabel->show();
    // A screen reader learns why nothing happened.
    QAccessibleEvent changed(ui->FehlerLabel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    ui->WerteEdit->setFocus();
    ui->WerteEdit->selectAll();
}

void TSchnellEingabeDlg::accept()
{
    const QuickEntry::Result result = QuickEntry::parse(ui->WerteEdit->text(), m_weightSwitchOn);
    if (!result.reading) {
        showError(result.refusal);
        return;
    }
    m_choice = Choice{ui->DatumEdit->date(), Slot(ui->MessungCombo->currentIndex()),
                      ui->UhrzeitEdit->time().toString(QStringLiteral("HH:mm")), *result.reading};
    QDialog::accept();
}
