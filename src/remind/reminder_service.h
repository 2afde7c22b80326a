#pragma once

#include "remind/reminder_settings.h"
#include "remind/schedule.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class Notifier;

// The background reminders: one timer to the next due time, set anew after
// each and after every change of the settings file; a notification for
// every reminder whose slot is still empty and that is at most 30 minutes
// late; at the end of a planned week its result.
class ReminderService : public QObject
{
    Q_OBJECT

public:
    // `launch` starts the diary with these arguments ("--schnelleingabe=Morgens").
    ReminderService(QString settingsPath, Notifier &notifier,
                    std::function<bool(const QStringList &)> launch, QObject *parent = nullptr);

    // Reads the settings, shows what fell due in the last 30 minutes and
    // sets the timer. False when nothing is switched on (the caller ends).
    bool start();

    // The timer counts the time the computer is awake: after it slept, the
    // due reminders are looked at and the timer set anew. Wired to logind's
    // PrepareForSleep on the system bus where there is one.
    void wokeUp();

    // The time the timer is set for; invalid while none is.
    const QDateTime &armedFor() const { return m_armedFor; }

    // The notification texts.
    static QString summary();
    static QString body(Slot slot, const QTime &time);
    static QString weekSummary();

signals:
    // Every reminder was switched off in the settings file.
    void nothingLeft();

private slots:
    void onPrepareForSleep(bool sleeping);

private:
    void onTimer();
    void onSettingsChanged();
    void takeSettings();
    void onMonthChanged();
    void onAction(uint id, const QString &key);
    void remindDue(const QDateTime &now);
    void showReminder(const Schedule::Due &due);
    void showWeekResultWhenComplete();
    void watchSettings();
    void arm(const QDateTime &now);

    QString m_settingsPath;
    Notifier &m_notifier;
    std::function<bool(const QStringList &)> m_launch;
    ReminderSettings m_settings;
    QDateTime m_checkedUntil;
    QDateTime m_armedFor;
    QTimer m_timer;
    QTimer m_settingsSettle;
    QFileSystemWatcher m_settingsWatch;
    QFileSystemWatcher m_monthWatch;
    QDate m_weekAwaited; // day 1 of the planned week whose result is awaited
    QDate m_weekShown;   // day 1 of the week whose result was shown
    QHash<uint, QStringList> m_actions;
};
