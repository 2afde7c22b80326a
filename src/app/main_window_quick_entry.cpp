// The quick entry: one reading typed as a line, for now. The add button's
// own command stores it, with all its checks and messages.
#include "app/SchnellEingabe.h"
#include "app/main_window.h"
#include "journal/month_journal.h"
#include "storage/data_folders.h"
#include "ui_main_window.h"

namespace {

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

bool TMainForm::showsMonthOf(const QDate &date) const
{
    return m_month.month() == twoDigits(date.month()) &&
           m_month.year() == QString::number(date.year());
}

std::array<QuickEntry::SlotOfDay, 4> TMainForm::slotsOfDay(const QDate &date) const
{
    // After every command the file holds what the list shows.
    const QString path =
        ui->ListBox1->count() > 0 && showsMonthOf(date)
            ? m_month.path()
            : DataFolders::monthFilePath(m_month.galleryFolder(), QString::number(date.year()),
                                         m_month.userName(), twoDigits(date.month()),
                                         QString::number(date.year()));
    const std::optional<MonthJournal> month = MonthJournal::read(path);
    const std::array<bool, 4> switches = m_entryForm.slotSwitches();
    std::array<QuickEntry::SlotOfDay, 4> day;
    for (const Slot slot : kAllSlots) {
        QuickEntry::SlotOfDay &entry = day[std::size_t(slot)];
        const QTime usual =
            QTime::fromString(m_settings.read(timeSettingOf(slot)), QStringLiteral("hh:mm"));
        if (usual.isValid())
            entry.time = usual;
        entry.switchedOn = switches[std::size_t(slot)];
        entry.taken = month && month->find(date, slot);
    }
    return day;
}

void TMainForm::SchnellEingabe1Click()
{
    openQuickEntry(std::nullopt);
}

void TMainForm::openQuickEntry(std::optional<Slot> wanted)
{
    const QDate today = m_seam.today();
    const QTime now = m_seam.timeOfDay();
    std::array<QuickEntry::SlotOfDay, 4> day = slotsOfDay(today);
    std::optional<Slot> slot =
        wanted && !day[std::size_t(*wanted)].taken ? wanted : QuickEntry::proposeSlot(now, day);
    const bool slotFree = slot.has_value();
    if (!slotFree) {
        // Every slot is taken: the nearest one, and the dialog says so.
        for (QuickEntry::SlotOfDay &entry : day)
            entry.taken = false;
        slot = QuickEntry::proposeSlot(now, day);
    }
    const bool weightSwitchOn = ui->GewichtsEingabeCheckBox->isChecked();
    const QString weight = ui->GewichtEdit->text();
    m_schnellEingabeDlg->prepare(
        {today, slot.value_or(Slot::Morning), slotFree, now, weightSwitchOn, weight});
    if (m_seam.execDialog(*m_schnellEingabeDlg) != QDialog::Accepted ||
        !m_schnellEingabeDlg->choice())
        return;
    const TSchnellEingabeDlg::Choice choice = *m_schnellEingabeDlg->choice();

    if (ui->ListBox1->count() > 0 && !showsMonthOf(choice.date)) {
        // Another month, as after "neu erstellen": the add finds the
        // gallery's file of that month and joins its readings.
        neuerstellen1Click();
        ui->GewichtsEingabeCheckBox->setChecked(weightSwitchOn);
        GewichtsEingabeCheckBoxClick();
        ui->GewichtEdit->setText(weight);
    }
    // The month and year first: the day is limited by them.
    ui->SpinEdit3->setValue(choice.date.year());
    ui->SpinEdit2->setValue(choice.date.month());
    ui->SpinEdit1->setValue(choice.date.day());
    m_entryForm.setSlot(choice.slot);
    ui->Edit1->setText(choice.time);
    ui->SpinEdit4->setValue(choice.reading.systolic);
    ui->SpinEdit5->setValue(choice.reading.diastolic);
    ui->SpinEdit6->setValue(choice.reading.pulse);
    if (choice.reading.weight)
        ui->GewichtEdit->setText(*choice.reading.weight);
    BitBtn1Click();
}
