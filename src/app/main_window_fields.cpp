// The rules of the entry fields and the weight information.
#include "app/main_window.h"

#include "app/entry_list.h"
#include "base/german_numbers.h"
#include "ui_main_window.h"

void TMainForm::SpinEdit1Change()
{
    const int year = m_month.month().isEmpty() ? ui->SpinEdit3->value() : m_month.year().toInt();
    const int limited = FieldRules::limitDay(ui->SpinEdit1->value(), ui->SpinEdit2->value(), year);
    if (limited != ui->SpinEdit1->value())
        ui->SpinEdit1->setValue(limited);
}

void TMainForm::SpinEdit2Change()
{
    m_monthMismatch =
        FieldRules::monthMismatch(EntryList::lastLine(*ui->ListBox1), ui->SpinEdit2->text());
    SpinEdit1Change();
}

void TMainForm::SpinEdit3Change()
{
    m_yearMismatch =
        FieldRules::yearMismatch(EntryList::lastLine(*ui->ListBox1), ui->SpinEdit3->text());
}

void TMainForm::GewichtEditChange()
{
    // An emptied field stays empty while the user types the new weight.
    m_currentWeight = FieldRules::weightValue(ui->GewichtEdit->text());
    ZeigGewichtInfo();
}

void TMainForm::SpinButton1UpClick()
{
    ui->Edit1->setText(FieldRules::stepTime(ui->Edit1->text(), true));
}

void TMainForm::SpinButton1DownClick()
{
    ui->Edit1->setText(FieldRules::stepTime(ui->Edit1->text(), false));
}

void TMainForm::SpinButton2UpClick()
{
    m_entryForm.stepWeight(m_currentWeight, true);
}

void TMainForm::SpinButton2DownClick()
{
    m_entryForm.stepWeight(m_currentWeight, false);
}

void TMainForm::GewichtsEingabeCheckBoxClick()
{
    m_entryForm.enableWeightControls();
}

void TMainForm::ZeigGewichtInfo()
{
    if (ui->ListBox1->count() == 0) {
        m_month.forgetWeightMean();
        ui->GewichtInfoLabel->setText(QString());
    }
    const long double mean = m_month.weightMean();
    if (mean == 0) {
        m_weightDifference = 0;
        return;
    }
    m_weightDifference = 0;
    long double weight = FieldRules::weightValue(ui->GewichtEdit->text());
    if (weight > FieldRules::kMaxWeight) {
        showMessage(UiSeam::MessageKind::Information, FieldRules::weightLimitRefusal());
        ui->GewichtEdit->setText(QStringLiteral("310"));
        m_currentWeight = FieldRules::kMaxWeight;
        weight = FieldRules::kMaxWeight;
    }
    m_weightDifference = weight > mean ? weight - mean : mean - weight;

    m_entryForm.showWeightInfo(mean, m_weightDifference);
}
