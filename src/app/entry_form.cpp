#include "app/entry_form.h"

#include "base/german_numbers.h"
#include "ui_main_window.h"

#include <QSignalBlocker>

namespace {

// A text from a file or a line goes into a spin field by the field's rules;
// setting the value it already shows tells nobody, as the load sets the date
// fields once for every line of a month.
void setSpinText(TSpinEdit *spin, FieldRules::SpinField field, const QString &text)
{
    if (const std::optional<int> value = FieldRules::spinFieldValue(field, text))
        spin->setValue(*value);
}

} // namespace

EntryForm::EntryForm(Ui::TMainForm &form)
    : ui(form)
{}

void EntryForm::setSlot(Slot slot)
{
    m_slot = slot;
    m_slotPrefix = slotInfo(slot).prefix;
    ui.BitBtn3->setText(slotInfo(slot).buttonCaption);
}

std::array<bool, 4> EntryForm::slotSwitches() const
{
    return {ui.CheckBoxM1->isChecked(), ui.CheckBoxM2->isChecked(), ui.CheckBoxM3->isChecked(),
            ui.CheckBoxM4->isChecked()};
}

void EntryForm::setSlotSwitches(const std::array<bool, 4> &switches)
{
    // Set as the file says, without the rule that keeps one switched on: one
    // by one, the switches pass through states the month never had.
    QCheckBox *const boxes[] = {ui.CheckBoxM1, ui.CheckBoxM2, ui.CheckBoxM3, ui.CheckBoxM4};
    for (std::size_t i = 0; i < switches.size(); ++i) {
        const QSignalBlocker quiet(boxes[i]);
        boxes[i]->setChecked(switches[i]);
    }
}

void EntryForm::keepOneSlotSwitchedOn()
{
    const std::array<bool, 4> switches = slotSwitches();
    if (!switches[0] && !switches[1] && !switches[2] && !switches[3])
        ui.CheckBoxM1->setChecked(true);
}

void EntryForm::showDateFields(const EntryLine::DateFields &fields)
{
    using FieldRules::SpinField;
    if (fields.day)
        setSpinText(ui.SpinEdit1, SpinField::Day, *fields.day);
    if (fields.month)
        setSpinText(ui.SpinEdit2, SpinField::Month, *fields.month);
    if (fields.year)
        setSpinText(ui.SpinEdit3, SpinField::Year, *fields.year);
}

void EntryForm::fill(const FieldRules::ParsedEntry &entry)
{
    showDateFields({entry.day, entry.month, entry.year});
    if (entry.time)
        ui.Edit1->setText(*entry.time);
    using FieldRules::SpinField;
    if (entry.systolic)
        setSpinText(ui.SpinEdit4, SpinField::Value, *entry.systolic);
    if (entry.diastolic)
        setSpinText(ui.SpinEdit5, SpinField::Value, *entry.diastolic);
    if (entry.pulse)
        setSpinText(ui.SpinEdit6, SpinField::Value, *entry.pulse);
    if (entry.weight)
        ui.GewichtEdit->setText(*entry.weight);
}

EntryLine::Fields EntryForm::typedEntry(const QString &month, const QString &year) const
{
    EntryLine::Fields fields;
    fields.slotPrefix = m_slotPrefix;
    fields.day = ui.SpinEdit1->text();
    fields.month = month;
    fields.year = year;
    fields.time = ui.Edit1->text();
    fields.systolic = ui.SpinEdit4->text();
    fields.diastolic = ui.SpinEdit5->text();
    fields.pulse = ui.SpinEdit6->text();
    fields.weight = ui.GewichtsEingabeCheckBox->isChecked()
                        ? FieldRules::storedWeight(ui.GewichtEdit->text())
                        : QStringLiteral("0");
    return fields;
}

EntryForm::Typed EntryForm::typed() const
{
    Typed typed;
    typed.slot = m_slot;
    for (const TSpinEdit *spin :
         {ui.SpinEdit1, ui.SpinEdit2, ui.SpinEdit3, ui.SpinEdit4, ui.SpinEdit5, ui.SpinEdit6})
        typed.spins.append(spin->text());
    typed.time = ui.Edit1->text();
    typed.weight = ui.GewichtEdit->text();
    return typed;
}

void EntryForm::restore(const Typed &typed)
{
    setSlot(typed.slot);
    TSpinEdit *const spins[] = {ui.SpinEdit1, ui.SpinEdit2, ui.SpinEdit3,
                                ui.SpinEdit4, ui.SpinEdit5, ui.SpinEdit6};
    for (qsizetype i = 0; i < typed.spins.size(); ++i)
        spins[i]->setValue(typed.spins.at(i).toInt());
    ui.Edit1->setText(typed.time);
    ui.GewichtEdit->setText(typed.weight);
}

void EntryForm::stepWeight(long double &weight, bool up)
{
    const int stepChoice = ui.RadioButton1->isChecked() ? 1 : ui.RadioButton2->isChecked() ? 2 : 3;
    const std::optional<long double> stepped = FieldRules::stepWeight(weight, stepChoice, up);
    if (!stepped)
        return;
    weight = *stepped;
    ui.GewichtEdit->setText(GermanNumbers::formatGeneral(*stepped));
}

void EntryForm::enableWeightControls()
{
    const bool on = ui.GewichtsEingabeCheckBox->isChecked();
    for (QWidget *control :
         {static_cast<QWidget *>(ui.GewichtEdit), static_cast<QWidget *>(ui.SpinButton2),
          static_cast<QWidget *>(ui.RadioButton1), static_cast<QWidget *>(ui.RadioButton2),
          static_cast<QWidget *>(ui.RadioButton3)})
        control->setEnabled(on);
}

void EntryForm::showWeightInfo(long double mean, long double difference)
{
    QPalette palette = ui.GewichtInfoLabel->palette();
    if (!ui.GewichtsEingabeCheckBox->isChecked()) {
        palette.setColor(QPalette::WindowText,
                         QColor(0xC8, 0xC8, 0xC8)); // the greyed scroll-bar colour
    } else if (difference >= FieldRules::kWeightDifferenceLimit) {
        palette.setColor(QPalette::WindowText, Qt::red);
        ui.GewichtInfoLabel->setToolTip(
            QStringLiteral("Bitte aktuelle Eingabe überprüfen. Rot = 15 Kg Unterschied zum "
                           "bisherigen Mittelwert!"));
    } else {
        palette.setColor(QPalette::WindowText, Qt::blue);
        ui.GewichtInfoLabel->setToolTip(
            QStringLiteral("Zeigt den bisherigen monatlichen Mittelwert an."));
    }
    ui.GewichtInfoLabel->setPalette(palette);
    ui.GewichtInfoLabel->setText(QStringLiteral("Monatlicher Mittelwert: ") +
                                 GermanNumbers::formatGrouped1(mean) + QStringLiteral(" kg"));
}
