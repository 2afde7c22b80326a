#include "remind/gui/Messwoche.h"

#include "remind/schedule.h"
#include "stats/measuring_week.h"
#include "ui/seam.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TMesswocheDlg::TMesswocheDlg(ReminderContext context, QWidget *parent)
    : QDialog(parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("MesswocheDlg"));
    setWindowTitle(QStringLiteral("Messwoche planen"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(
        QStringLiteral("Vor einer Änderung der Behandlung bittet die Praxis oft um eine "
                       "Messwoche: 7 Tage lang morgens und abends messen. Der erste Tag zählt "
                       "zur Eingewöhnung nicht mit. An diesen Tagen erinnert Vantoria an beide "
                       "Messungen und zeigt am letzten Abend das Ergebnis."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *dayRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Erster Tag:"), this);
    m_firstDay = new QDateEdit(this);
    m_firstDay->setObjectName(QStringLiteral("ErsterTagEdit"));
    m_firstDay->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_firstDay->setCalendarPopup(true);
    m_firstDay->setAccessibleName(QStringLiteral("Erster Tag der Messwoche"));
    label->setBuddy(m_firstDay);
    dayRow->addWidget(label);
    dayRow->addWidget(m_firstDay);
    dayRow->addStretch();
    layout->addLayout(dayRow);

    m_days = new QTableWidget(kMeasuringWeekDays, 3, this);
    m_days->setObjectName(QStringLiteral("TageTabelle"));
    m_days->setHorizontalHeaderLabels(
        {QStringLiteral("Tag"), QStringLiteral("Morgens"), QStringLiteral("Abends")});
    m_days->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_days->verticalHeader()->setVisible(false);
    m_days->setWordWrap(false);
    m_days->setSelectionMode(QAbstractItemView::NoSelection);
    m_days->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_days->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_days->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_days->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_days->setMinimumWidth(
        m_days->fontMetrics().horizontalAdvance(
            QStringLiteral("1. Tag: Donnerstag, 30.09.2026 (zählt nicht mit)")) +
        2 * m_days->fontMetrics().horizontalAdvance(QStringLiteral("Morgens  ")) + 40);
    // All seven days at once, without scrolling.
    m_days->setMinimumHeight(m_days->horizontalHeader()->sizeHint().height() +
                             kMeasuringWeekDays * m_days->verticalHeader()->defaultSectionSize() +
                             2 * m_days->frameWidth());
    layout->addWidget(m_days);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("PlanLabel"));
    layout->addWidget(m_state);

    auto *buttons = new QHBoxLayout;
    auto *remove = new QPushButton(QStringLiteral("Plan löschen"), this);
    remove->setObjectName(QStringLiteral("BitBtn3"));
    buttons->addWidget(remove);
    buttons->addStretch();
    auto *plan = new QPushButton(QStringLiteral("Planen"), this);
    plan->setObjectName(QStringLiteral("BitBtn1"));
    plan->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(plan);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_firstDay, &QDateEdit::dateChanged, this, &TMesswocheDlg::showDays);
    connect(plan, &QPushButton::clicked, this, &TMesswocheDlg::accept);
    connect(remove, &QPushButton::clicked, this, &TMesswocheDlg::removePlan);
    connect(cancel, &QPushButton::clicked, this, &TMesswocheDlg::reject);
}

void TMesswocheDlg::prepare()
{
    const ReminderSettings reminders = ReminderSettings::read(m_context.settings);
    const QDate today = m_context.seam.today();
    m_state->setText(reminders.plannedWeek
                         ? QStringLiteral("Geplant ist die Woche ab dem %1.")
                               .arg(reminders.plannedWeek->toString(QStringLiteral("dd.MM.yyyy")))
                         : QStringLiteral("Noch ist keine Messwoche geplant."));
    m_firstDay->setDate(reminders.plannedWeek.value_or(today.addDays(1)));
    showDays();
    m_firstDay->setFocus();
}

void TMesswocheDlg::showDays()
{
    const ReminderSettings reminders = ReminderSettings::read(m_context.settings);
    const QString morning = reminders.of(Slot::Morning).time.toString(QStringLiteral("hh:mm"));
    const QString evening = reminders.of(Slot::Evening).time.toString(QStringLiteral("hh:mm"));
    const QList<QDate> days = Schedule::measuringWeekDays(m_firstDay->date());
    for (int i = 0; i < int(days.size()); ++i) {
        const QDate &day = days[i];
        QString text = QStringLiteral("%1. Tag: %2, %3")
                           .arg(i + 1)
                           .arg(germanWeekdayName(day), day.toString(QStringLiteral("dd.MM.yyyy")));
        if (i == 0)
            text += QStringLiteral(" (zählt nicht mit)");
        m_days->setItem(i, 0, new QTableWidgetItem(text));
        m_days->setItem(i, 1, new QTableWidgetItem(morning));
        m_days->setItem(i, 2, new QTableWidgetItem(evening));
    }
}

void TMesswocheDlg::accept()
{
    const QDate first = m_firstDay->date();
    if (first.addDays(kMeasuringWeekDays - 1) < m_context.seam.today()) {
        m_context.seam.showMessage(
            this, UiSeam::MessageKind::Warning,
            QStringLiteral("Diese Messwoche ist schon vorüber. Bitte wählen Sie einen ersten "
                           "Tag, dessen Woche noch nicht zu Ende ist."));
        m_firstDay->setFocus();
        return;
    }
    ReminderSettings reminders = ReminderSettings::read(m_context.settings);
    reminders.plannedWeek = first;
    if (applyReminders(m_context, this, reminders))
        QDialog::accept();
}

void TMesswocheDlg::removePlan()
{
    ReminderSettings reminders = ReminderSettings::read(m_context.settings);
    reminders.plannedWeek.reset();
    if (applyReminders(m_context, this, reminders))
        QDialog::accept();
}
