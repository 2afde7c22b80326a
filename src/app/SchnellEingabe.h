#pragma once

#include "journal/quick_entry.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class TSchnellEingabeDlg;
}

// Asks for one reading as a line of text ("135/85 72"), for the date, slot
// and time the entry form shows. Enter takes the line, Escape closes.
class TSchnellEingabeDlg : public QDialog
{
    Q_OBJECT

public:
    // What the entry form shows, for the user to see what the reading joins.
    struct FormState
    {
        QString date; // "05.02.2017"
        QString slot; // "Morgens"
        QString time; // "07:30"
        bool weightSwitchOn = false;
        QString weight; // the weight field, used when no weight is typed
    };

    explicit TSchnellEingabeDlg(QWidget *parent = nullptr);
    ~TSchnellEingabeDlg() override;

    // Shows the state and starts with an empty line.
    void prepare(const FormState &state);
    // The reading of the last accepted line.
    const std::optional<QuickEntry::Reading> &reading() const { return m_reading; }

public slots:
    // Keeps the dialog open, with the reason, while the line does not parse.
    void accept() override;

private:
    std::unique_ptr<Ui::TSchnellEingabeDlg> ui;
    std::optional<QuickEntry::Reading> m_reading;
    bool m_weightSwitchOn = false;
};
