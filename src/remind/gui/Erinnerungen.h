#pragma once

#include "remind/gui/reminder_apply.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

// "Erinnerungen": for each slot a switch, a time and the weekdays.
// Controls: ErinnerungCheckBox1..4, ZeitEdit1..4, TagCheckBox<slot>_<day>
// (day 1 = Monday), BitBtn1 (OK), BitBtn2 (Abbrechen).
class TErinnerungenDlg : public QDialog
{
    Q_OBJECT

public:
    TErinnerungenDlg(ReminderContext context, QWidget *parent = nullptr);

    // Shows the stored reminders.
    void prepare();

    void accept() override;

private:
    struct SlotRow
    {
        QCheckBox *on = nullptr;
        QLineEdit *time = nullptr;
        std::array<QCheckBox *, 7> days{};
    };

    ReminderContext m_context;
    std::array<SlotRow, 4> m_rows{};
};
