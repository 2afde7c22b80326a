#pragma once

#include "remind/gui/reminder_apply.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QTableWidget;

// "Messwoche planen": the first day, and the seven days with their Morgens
// and Abends times. Controls: ErsterTagEdit, TageTabelle, BitBtn1 (Planen),
// BitBtn3 (Plan löschen), BitBtn2 (Abbrechen).
class TMesswocheDlg : public QDialog
{
    Q_OBJECT

public:
    TMesswocheDlg(ReminderContext context, QWidget *parent = nullptr);

    // Starts on the planned week, or on tomorrow when none is planned.
    void prepare();

    void accept() override;

private:
    void showDays();
    void removePlan();

    ReminderContext m_context;
    QDateEdit *m_firstDay = nullptr;
    QTableWidget *m_days = nullptr;
    QLabel *m_state = nullptr;
};
