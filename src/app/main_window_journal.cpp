// The central cycle of the main window: every change of the month goes
// through the file, and the load rebuilds list, form and statistics from it.
#include "app/main_window.h"

#include "app/command_guard.h"
#include "app/entry_list.h"
#include "app/tab_stop_delegate.h"
#include "app/typed_key_filter.h"
#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "journal/entry_line.h"
#include "journal/month_file.h"
#include "stats/evaluation.h"
#include "ui_main_window.h"

#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTextCursor>

namespace {

void setTextIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

void TMainForm::connectHandlers()
{
    const auto on = [this](auto *sender, auto signal, void (TMainForm::*handler)()) {
        connect(sender, signal, this, [this, handler] {
            runGuarded(m_seam, this, [this, handler] { (this->*handler)(); });
        });
    };
    on(ui->neuerstellen1, &QAction::triggered, &TMainForm::neuerstellen1Click);
    on(ui->oeffnen, &QAction::triggered, &TMainForm::oeffnenClick);
    on(ui->beenden1, &QAction::triggered, &TMainForm::beenden1Click);
    on(ui->Bemerkungeingeben1, &QAction::triggered, &TMainForm::Bemerkungeingeben1Click);
    on(ui->Einstellungen1, &QAction::triggered, &TMainForm::Einstellungen1Click);
    on(ui->Tabelleanzeigen1, &QAction::triggered, &TMainForm::Tabelleanzeigen1Click);
    on(ui->Namendern1, &QAction::triggered, &TMainForm::Namendern1Click);
    on(ui->RegistryEintraegeloeschen1, &QAction::triggered,
       &TMainForm::RegistryEintraegeloeschen1Click);
    on(ui->HilfeThemen, &QAction::triggered, &TMainForm::HilfeThemenClick);
    on(ui->Infoueber, &QAction::triggered, &TMainForm::InfoueberClick);
    on(ui->ListBox1, &QListView::clicked, &TMainForm::ListBox1Click);
    connect(ui->ListBox1, &EntryListView::currentRowChanged, this, [this](int row) {
        runGuarded(m_seam, this, [this, row] { ListBox1RowChanged(row); });
    });
    on(ui->BitBtn1, &QPushButton::clicked, &TMainForm::BitBtn1Click);
    on(ui->BitBtn3, &QPushButton::clicked, &TMainForm::BitBtn3Click);
    on(ui->BtnEintragBearbeiten, &QPushButton::clicked, &TMainForm::BtnEintragBearbeitenClick);
    on(ui->BtnBalkendiagrammErstellen, &QPushButton::clicked,
       &TMainForm::BtnBalkendiagrammErstellenClick);
    on(ui->LinienDiagrammErstellen, &QPushButton::clicked,
       &TMainForm::LinienDiagrammErstellenClick);
    // On every toggle, not only a click: a screen reader toggles a check box
    // through its accessible action, which sends no click. The program's own
    // changes of the switches keep the same rules, or are made without signal.
    for (QCheckBox *box : {ui->CheckBoxM1, ui->CheckBoxM2, ui->CheckBoxM3, ui->CheckBoxM4})
        on(box, &QCheckBox::toggled, &TMainForm::CheckBoxClick);
    on(ui->SpinEdit1, &QSpinBox::valueChanged, &TMainForm::SpinEdit1Change);
    on(ui->SpinEdit2, &QSpinBox::valueChanged, &TMainForm::SpinEdit2Change);
    on(ui->SpinEdit3, &QSpinBox::valueChanged, &TMainForm::SpinEdit3Change);
    on(ui->GewichtEdit, &QLineEdit::textChanged, &TMainForm::GewichtEditChange);
    on(ui->SpinButton1, &TSpinButton::UpClick, &TMainForm::SpinButton1UpClick);
    on(ui->SpinButton1, &TSpinButton::DownClick, &TMainForm::SpinButton1DownClick);
    on(ui->SpinButton2, &TSpinButton::UpClick, &TMainForm::SpinButton2UpClick);
    on(ui->SpinButton2, &TSpinButton::DownClick, &TMainForm::SpinButton2DownClick);
    on(ui->GewichtsEingabeCheckBox, &QCheckBox::toggled, &TMainForm::GewichtsEingabeCheckBoxClick);
    on(ui->Memo2, &QPlainTextEdit::textChanged, &TMainForm::Memo2Change);
    auto *quickEntry = new QAction(QStringLiteral("Messung schnell eingeben …"), this);
    quickEntry->setObjectName(QStringLiteral("SchnellEingabe1"));
    quickEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    quickEntry->setShortcutContext(Qt::WindowShortcut);
    ui->Bearbeiten1->addAction(quickEntry);
    on(quickEntry, &QAction::triggered, &TMainForm::SchnellEingabe1Click);
    new TypedKeyFilter(TypedKeyFilter::Field::Time, *ui->Edit1);
    new TypedKeyFilter(TypedKeyFilter::Field::Weight, *ui->GewichtEdit);
}

// ---------------------------------------------------------------------------
// List helpers

QStringList TMainForm::listLines() const
{
    return EntryList::lines(*ui->ListBox1);
}

void TMainForm::updateEntryButtons()
{
    const bool empty = ui->ListBox1->count() == 0;
    ui->BtnEintragBearbeiten->setEnabled(!empty);
    // An empty list draws no chart; its month may still name the one before.
    ui->BtnBalkendiagrammErstellen->setEnabled(!empty);
    ui->LinienDiagrammErstellen->setEnabled(!empty);
    if (empty) {
        // Emptied by the program, not typed: no remark to save comes of it.
        const QSignalBlocker quiet(ui->Memo2);
        ui->Memo2->clear();
    }
}

// ---------------------------------------------------------------------------
// Load and save

void TMainForm::MachEs(QString path) // NOLINT(performance-unnecessary-value-param)
{
    if (path.size() >= 8)
        m_entryForm.showDateFields({std::nullopt, std::nullopt, path.mid(path.size() - 8, 4)});
    // The rules of the date fields run against the list as the load fills it.
    EntryList::clear(*ui->ListBox1);
    // Field by field, as each line comes: every field's rule runs on the way.
    const OpenMonth::LoadResult loaded = m_month.load(path, [this](const QString &line) {
        m_entryForm.showDateFields(EntryLine::dateFieldsOf(line));
    });
    takeHeader(loaded.header);
    if (!loaded.read) {
        m_versionKeeping.tell(this, loaded.notices);
        return;
    }
    showMonthMeansLabel();
    if (!loaded.collectFailure) {
        if (loaded.tableFailure)
            throw *loaded.tableFailure;
        if (loaded.hasWeights)
            ZeigGewichtInfo();
    }
    m_versionKeeping.tell(this, loaded.notices);
    if (loaded.collectFailure)
        throw *loaded.collectFailure;

    if (!m_month.lastWeightText().isEmpty())
        setTextIfChanged(ui->GewichtEdit, m_month.lastWeightText());
    const QString last = EntryList::lastLine(*ui->ListBox1);
    m_yearMismatch = !last.isEmpty() && FieldRules::yearMismatch(last, ui->SpinEdit3->text());
    ui->ListBox1->setFocus();
    EntryList::selectLast(*ui->ListBox1);
    ListBox1Click();
}

void TMainForm::takeHeader(const MonthFile::Header &header)
{
    m_entryForm.setSlotSwitches(header.applySwitches(m_entryForm.slotSwitches()));
    m_settings.write(SettingKey::UserName, m_month.userName());
    ui->Labeltest->setText(QStringLiteral("Blutdruckmesswerte  ") + header.dateText +
                           QStringLiteral("  ") + m_month.userName());
}

void TMainForm::showMonthLines()
{
    EntryListView *list = ui->ListBox1;
    const QStringList &lines = m_month.lines();
    const QStringList shown = EntryList::lines(*list);
    if (shown == lines)
        return;
    // A line taken out leaves the others, and the selected row, in place.
    if (shown.size() == lines.size() + 1) {
        qsizetype row = 0;
        while (row < lines.size() && shown.at(row) == lines.at(row))
            ++row;
        if (shown.mid(row + 1) == lines.mid(row)) {
            EntryList::takeLine(*list, int(row));
            return;
        }
    }
    EntryList::setLines(*list, lines);
}

void TMainForm::showMonthMeansLabel()
{
    const QString label = m_month.statistics().monthMeans().labelText();
    if (!label.isEmpty())
        ui->monaticherMittelwertLabel->setText(label);
}

void TMainForm::TabDateiSpeichern()
{
    if (ui->ListBox1->count() == 0)
        return;
    saveAndReload();
}

void TMainForm::saveAndReload(const QString &takenOutLine, const QStringList *fileHolds)
{
    const OpenMonth::SaveResult saved =
        m_month.save(m_entryForm.slotSwitches(), takenOutLine, fileHolds);
    if (saved.outcome != OpenMonth::SaveResult::Outcome::ShownOnly &&
        m_entryForm.slot() == Slot::Morning) {
        const QString morning = m_settings.read(SettingKey::MorningTime);
        if (!morning.isEmpty())
            ui->Edit1->setText(morning);
    }
    m_versionKeeping.tell(this, saved.notices);
    if (saved.outcome != OpenMonth::SaveResult::Outcome::Written)
        return;
    m_settings.write(SettingKey::UserName, m_month.userName());
    MachEs(m_month.path());
}

void TMainForm::neuerstellen1Click()
{
    // First: the weight field set below finds no mean of the month before.
    m_month.startNewMonth();
    m_editPending = false;
    m_reloadPending = false;
    ui->GewichtInfoLabel->setText(QString());
    ui->GewichtEdit->setText(QStringLiteral("0"));
    m_remark->leave(true);
    m_newMonthStarted = true;
    showToday();
    const QDate today = m_seam.today();
    ui->SpinEdit1->setValue(1);
    ui->SpinEdit2->setValue(today.month());
    ui->SpinEdit3->setValue(today.year());
    // Fields that already showed these values send no change: their rules
    // run against the empty list all the same, so no old refusal survives.
    SpinEdit2Change();
    SpinEdit3Change();
    m_entryForm.setSlot(Slot::Morning);
    const QString morning = m_settings.read(SettingKey::MorningTime);
    if (!morning.isEmpty())
        ui->Edit1->setText(morning);
    updateEntryButtons();
    ui->Memo2->clear();
    m_freshFormPending = true;
    freshForm();
}

void TMainForm::oeffnenClick()
{
    const QString chosen =
        m_seam.getOpenFileName(this, m_month.galleryFolder(), QStringLiteral("Tabellen (*.tab)"));
    // Cancelling leaves the open month, its refusals and the form as they were;
    // so does a file far too large to be a month table.
    if (chosen.isEmpty())
        return;
    if (const QString refusal = MonthFile::sizeRefusal(chosen); !refusal.isEmpty()) {
        showMessage(UiSeam::MessageKind::Warning, refusal);
        return;
    }
    m_monthMismatch = false;
    m_yearMismatch = false;
    m_presetPending = true;
    ui->BtnEintragBearbeiten->setEnabled(true);
    ui->BtnBalkendiagrammErstellen->setEnabled(true);
    ui->LinienDiagrammErstellen->setEnabled(true);
    m_remark->leave(true);
    m_month.forgetWeights(QStringLiteral("0"));
    ui->GewichtInfoLabel->setText(QString());
    ui->GewichtEdit->setText(QStringLiteral("0"));
    // Pending first: a load that stops at a bad value leaves the fresh
    // form to the next paint.
    m_freshFormPending = true;
    m_editPending = false;
    m_reloadPending = false;
    MachEs(chosen);
    freshForm();
    tellConflictCopies();
}

void TMainForm::ListBox1RowChanged(int row)
{
    // Arrow keys, Home, End and the mouse move the row: the memo follows it
    // as after a click. The window's own row moves are made without signal.
    if (row < 0)
        return;
    ListBox1Click();
}

void TMainForm::ListBox1Click()
{
    m_remark->leave(false);
    showEvaluation();
}

void TMainForm::showEvaluation()
{
    QPlainTextEdit *memo = ui->Memo2;
    memo->setTabStopDistance(TabStopDelegate::stopPixels({20}, memo->font()).constFirst());
    EntryListView *list = ui->ListBox1;
    if (list->count() == 0)
        return;
    if (list->currentRow() < 0) {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(0);
    }
    QStringList items;
    // A value that does not convert leaves the items made until then. The
    // memo is laid out anew only when its text changes.
    const auto show = qScopeGuard([memo, &items] {
        const QString text = evaluationMemoText(items);
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
        memo->moveCursor(QTextCursor::Start);
    });
    items = evaluationItems(EntryList::currentLine(*list), &items);
}

// ---------------------------------------------------------------------------
// Adding an entry

void TMainForm::BitBtn1Click()
{
    // A time typed as "7.30" is stored as the field shows it when left.
    setTextIfChanged(ui->Edit1, FieldRules::normalizedTime(ui->Edit1->text()));
    if (formRefusesAdd())
        return;
    // Another program changed the month while this reading was being typed:
    // it joins the month as it is now on disk.
    if (m_reloadPending)
        reloadKeepingForm();
    // An empty list says nothing about the month's file: when the gallery
    // holds one, the reading joins its readings instead of replacing them.
    if (const std::optional<OpenMonth::Joined> joined =
            m_month.monthToJoin(ui->SpinEdit2->text(), ui->SpinEdit3->text());
        joined && !openGalleryMonthForAdd(*joined))
        return;

    m_settings.write(timeSettingOf(m_entryForm.slot()), ui->Edit1->text());
    if (weightRefusesAdd())
        return;
    m_month.takeTypedMonth(ui->SpinEdit2->text(), ui->SpinEdit3->text());
    if (!m_month.placeProblem().isEmpty()) {
        showMessage(UiSeam::MessageKind::Warning, m_month.placeProblem());
        return;
    }
    const EntryLine::Fields fields = m_entryForm.typedEntry(m_month.month(), m_month.year());
    if (FieldRules::findDuplicate(m_month.lines(), m_entryForm.slotPrefix(), fields.day,
                                  fields.month, fields.year)) {
        showMessage(UiSeam::MessageKind::Information,
                    FieldRules::duplicateRefusal(m_entryForm.slot(), fields.day, fields.month,
                                                 fields.year));
        return;
    }
    if (GermanNumbers::toInt(fields.systolic) <= GermanNumbers::toInt(fields.diastolic) &&
        !m_seam.askYesNo(this, UiSeam::MessageKind::Information,
                         QStringLiteral("Der systolische Wert ist nicht höher als der "
                                        "diastolische. Trotzdem in die Liste aufnehmen?")))
        return;

    const OpenMonth::AddResult added = m_month.add(fields, m_entryForm.slotSwitches());
    m_versionKeeping.tell(this, added.notices);
    if (added.written)
        finishAdd(*added.written);
}

bool TMainForm::formRefusesAdd()
{
    const QStringList refusals =
        FieldRules::formRefusals(m_monthMismatch, m_yearMismatch, ui->SpinEdit2->text(),
                                 ui->SpinEdit3->text(), ui->Edit1->text());
    for (const QString &refusal : refusals)
        showMessage(UiSeam::MessageKind::Information, refusal);
    return !refusals.isEmpty();
}

bool TMainForm::weightRefusesAdd()
{
    const QString refusal =
        FieldRules::weightRefusal(FieldRules::weightValue(ui->GewichtEdit->text()),
                                  ui->GewichtsEingabeCheckBox->isChecked(), m_weightDifference);
    if (!refusal.isEmpty())
        showMessage(UiSeam::MessageKind::Information, refusal);
    return !refusal.isEmpty();
}

void TMainForm::finishAdd(const QStringList &written)
{
    m_editPending = false;
    BitBtn3Click();
    if (ui->ListBox1->count() > 0)
        saveAndReload(QString(), &written);
    // The reload shows the month's last weight again; with the switch still
    // on, every later reading would be stored with this one's weight.
    ui->GewichtsEingabeCheckBox->setChecked(false);
    GewichtsEingabeCheckBoxClick();
    ZeigGewichtInfo();
    updateEntryButtons();
    const MonthMeans &means = m_month.statistics().monthMeans();
    if (!means.systolic().isEmpty())
        ui->monaticherMittelwertLabel->setText(
            monthMeansLabel(means.systolic(), means.diastolic()));
    ui->ListBox1->setFocus();
    EntryList::selectLast(*ui->ListBox1);
    ListBox1Click();
    m_remark->savePending();
}

bool TMainForm::openGalleryMonthForAdd(const OpenMonth::Joined &joined)
{
    if (!joined.refusal.isEmpty()) {
        showMessage(UiSeam::MessageKind::Warning, joined.refusal);
        return false;
    }
    // The load sets the form from the month's last entry; the reading the
    // user typed goes back into the form afterwards.
    const EntryForm::Typed typed = m_entryForm.typed();
    MachEs(joined.path);
    updateEntryButtons(); // the list now shows the month, as after "öffnen"
    // A month file without entries names no month; the add takes its month
    // from the form and checks it itself.
    if (!m_month.placeProblem().isEmpty() && ui->ListBox1->count() > 0)
        return false;
    m_entryForm.restore(typed);
    return true;
}

void TMainForm::BitBtn3Click()
{
    m_entryForm.setSlot(nextSwitchedOnSlot(m_entryForm.slot(), m_entryForm.slotSwitches()));
    const QString time = m_settings.read(timeSettingOf(m_entryForm.slot()));
    if (!time.isEmpty())
        ui->Edit1->setText(time);
}

void TMainForm::CheckBoxClick()
{
    m_entryForm.keepOneSlotSwitchedOn();
}

// ---------------------------------------------------------------------------
// Editing an entry

void TMainForm::BtnEintragBearbeitenClick()
{
    EntryListView *list = ui->ListBox1;
    if (list->currentRow() < 0 || list->count() == 0) {
        showMessage(UiSeam::MessageKind::Information, FieldRules::editNeedsSelection());
        return;
    }
    // A hand-edited entry whose values no field can show would come back
    // with the field's old values: it stays in the list and the file.
    const QString refusal =
        FieldRules::editRefusal(FieldRules::parseForEdit(EntryList::currentLine(*list)));
    if (!refusal.isEmpty()) {
        showMessage(UiSeam::MessageKind::Information, refusal);
        return;
    }
    if (m_seam.askYesNo(this, UiSeam::MessageKind::Information, FieldRules::editQuestion())) {
        // The reload selects the last line.
        const QString taken = m_month.takeOut(list->currentRow());
        m_editPending = true;
        const FieldRules::ParsedEntry entry = FieldRules::parseForEdit(taken);
        if (entry.slot)
            m_entryForm.setSlot(*entry.slot);
        // Save and reload first, then fill the form: the reload must not
        // replace the values just taken from the line. The file loses the
        // entry even when it was the month's only one, so that a reading
        // moved to another month is never kept in both.
        saveAndReload(EntryLine::fromDisplayLine(taken));
        m_entryForm.fill(entry);
        // Every rule of the date fields runs against the list as it is now.
        SpinEdit1Change();
        SpinEdit2Change();
        SpinEdit3Change();
        ZeigGewichtInfo();
    }
    updateEntryButtons();
}
