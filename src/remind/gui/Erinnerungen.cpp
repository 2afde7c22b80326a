#include "remind/gui/Erinnerungen.h"

#include "base/german_quotes.h"
#include "ui/seam.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TErinnerungenDlg::TErinnerungenDlg(ReminderContext context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("ErinnerungenDlg"));
    setWindowTitle(QStringLiteral("Erinnerungen"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(
        QStringLiteral("Vantoria erinnert Sie an jede eingeschaltete Messung, auch wenn das "
                       "Tagebuch geschlossen ist. Eine schon eingetragene Messung wird nicht "
                       "angemahnt."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Messung"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Uhrzeit"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Wochentage"), this), 0, 2);
    for (const Slot slot : kAllSlots) {
        const int index = int(slot) + 1;
        SlotRow &row = m_rows[std::size_t(slot)];
        row.on = new QCheckBox(slotInfo(slot).buttonCaption, this);
        row.on->setObjectName(QStringLiteral("ErinnerungCheckBox%1").arg(index));
        row.on->setAccessibleName(
            QStringLiteral("Erinnerung %1").arg(slotInfo(slot).buttonCaption));
        row.time = new QLineEdit(this);
        row.time->setObjectName(QStringLiteral("ZeitEdit%1").arg(index));
        row.time->setPlaceholderText(QStringLiteral("HH:MM"));
        row.time->setMaxLength(5);
        row.time->setAccessibleName(
            QStringLiteral("Uhrzeit der Erinnerung %1").arg(slotInfo(slot).buttonCaption));
        auto *days = new QHBoxLayout;
        for (int day = 0; day < 7; ++day) {
            auto *box = new QCheckBox(ReminderText::weekdayShortName(day), this);
            box->setObjectName(QStringLiteral("TagCheckBox%1_%2").arg(index).arg(day + 1));
            row.days[std::size_t(day)] = box;
            days->addWidget(box);
        }
        grid->addWidget(row.on, index, 0);
        grid->addWidget(row.time, index, 1);
        grid->addLayout(days, index, 2);
    }
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TErinnerungenDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &TErinnerungenDlg::reject);
}

void TErinnerungenDlg::prepare()
{
    const ReminderSettings reminders = ReminderSettings::read(m_context.settings);
    for (const Slot slot : kAllSlots) {
        const SlotReminder &reminder = reminders.of(slot);
        SlotRow &row = m_rows[std::size_t(slot)];
        row.on->setChecked(reminder.on);
        row.time->setText(reminder.time.toString(QStringLiteral("hh:mm")));
        for (int day = 0; day < 7; ++day)
            row.days[std::size_t(day)]->setChecked(reminder.weekdays[std::size_t(day)]);
    }
    m_rows[0].on->setFocus();
}

void TErinnerungenDlg::accept()
{
    // The plan of a measuring week is kept as it is.
    ReminderSettings reminders = ReminderSettings::read(m_context.settings);
    for (const Slot slot : kAllSlots) {
        SlotRow &row = m_rows[std::size_t(slot)];
        const auto time = ReminderText::parseTime(row.time->text().trimmed());
        if (!time) {
            m_context.seam.showMessage(
                this, UiSeam::MessageKind::Warning,
                QStringLiteral("%1 ist keine Uhrzeit. Bitte geben Sie die Uhrzeit für %2 als "
                               "Stunden und Minuten ein, zum Beispiel 07:30.")
                    .arg(germanQuoted(row.time->text()),
                         germanQuoted(slotInfo(slot).buttonCaption)));
            row.time->setFocus();
            row.time->selectAll();
            return;
        }
        SlotReminder &reminder = reminders.of(slot);
        reminder.on = row.on->isChecked();
        reminder.time = *time;
        for (int day = 0; day < 7; ++day)
            reminder.weekdays[std::size_t(day)] = row.days[std::size_t(day)]->isChecked();
    }
    if (applyReminders(m_context, this, reminders))
        QDialog::accept();
}
