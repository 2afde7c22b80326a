#pragma once

#include "journal/quick_entry.h"
#include "journal/slots.h"

#include <QDate>
#include <QDialog>
#include <QTime>

#include <memory>
#include <optional>

namespace Ui {
class TSchnellEingabeDlg;
}

// Asks for one reading as a line of text ("135/85 72") with its date, slot
// and time, proposed for now and changeable by keyboard. Enter takes the
// line, Escape closes.
class TSchnellEingabeDlg : public QDialog
{
    Q_OBJECT

public:
    struct Proposal
    {
        QDate date;
        Slot slot = Slot::Morning;
        bool slotFree = true; // false: every slot of the day holds a reading
        QTime time;
        bool weightSwitchOn = false;
        QString weight; // the weight field, used when no weight is typed
    };

    // What the user confirmed.
    struct Choice
    {
        QDate date;
        Slot slot = Slot::Morning;
        QString time; // "07:30"
        QuickEntry::Reading reading;
    };

    explicit TSchnellEingabeDlg(QWidget *parent = nullptr);
    ~TSchnellEingabeDlg() override;

    // Shows the proposal and starts with an empty line.
    void prepare(const Proposal &proposal);
    const std::optional<Choice> &choice() const { return m_choice; }

public slots:
    // Keeps the dialog open, with the reason in red, while the line does not parse.
    void accept() override;

private:
    void showError(const QString &text);

    std::unique_ptr<Ui::TSchnellEingabeDlg> ui;
    std::optional<Choice> m_choice;
    bool m_weightSwitchOn = false;
};
