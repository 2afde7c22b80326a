#include "remind/reminder_service.h"

#include "remind/diary_readings.h"
#include "remind/notifier.h"
#include "stats/measuring_week.h"
#include "storage/settings_store.h"

#include <QDBusConnection>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

const QString kEnterKey = QStringLiteral("eintragen");
const QString kReportKey = QStringLiteral("arztbericht");

// The dialogs write the values one after the other: the service reads them
// once the writes have settled, never a half-changed set.
constexpr int kSettleMs = 250;

// QTimer counts in int milliseconds; a longer wait is split.
constexpr qint64 kLongestWaitMs = std::numeric_limits<int>::max() / 2;

} // namespace

ReminderService::ReminderService(QString settingsPath, Notifier &notifier,
                                 std::function<bool(const QStringList &)> launch, QObject *parent)
    : QObject(parent)
    , m_settingsPath(std::move(settingsPath))
    , m_notifier(notifier)
    , m_launch(std::move(launch))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReminderService::onTimer);
    m_settingsSettle.setSingleShot(true);
    m_settingsSettle.setInterval(kSettleMs);
    connect(&m_settingsSettle, &QTimer::timeout, this, &ReminderService::takeSettings);
    connect(&m_settingsWatch, &QFileSystemWatcher::fileChanged, this,
            &ReminderService::onSettingsChanged);
    connect(&m_settingsWatch, &QFileSystemWatcher::directoryChanged, this,
            &ReminderService::onSettingsChanged);
    connect(&m_monthWatch, &QFileSystemWatcher::fileChanged, this,
            &ReminderService::onMonthChanged);
    connect(&m_monthWatch, &QFileSystemWatcher::directoryChanged, this,
            &ReminderService::onMonthChanged);
    connect(&m_notifier, &Notifier::actionInvoked, this, &ReminderService::onAction);
    QDBusConnection::systemBus().connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
}

QString ReminderService::summary()
{
    return QStringLiteral("Blutdruck messen");
}

QString ReminderService::body(Slot slot, const QTime &time)
{
    return QStringLiteral("%1: Zeit für die Messung (%2).")
        .arg(slotInfo(slot).buttonCaption, time.toString(QStringLiteral("hh:mm")));
}

QString ReminderService::weekSummary()
{
    return QStringLiteral("Messwoche abgeschlossen");
}

bool ReminderService::start()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_settings = ReminderSettings::read(SettingsStore(m_settingsPath));
    watchSettings();
    if (!m_settings.anyOn(now.date()))
        return false;
    // Logged in a little after a due time: that reminder still comes.
    m_checkedUntil = now.addSecs(-Schedule::kLateLimitSeconds);
    remindDue(now);
    arm(now);
    return true;
}

void ReminderService::watchSettings()
{
    // A safe write replaces the file: the watch on the file ends with the
    // old one, and the folder's watch sees the new one arrive.
    const QString folder = QFileInfo(m_settingsPath).absolutePath();
    if (!m_settingsWatch.directories().contains(folder))
        m_settingsWatch.addPath(folder);
    if (!m_settingsWatch.files().contains(m_settingsPath) && QFileInfo::exists(m_settingsPath))
        m_settingsWatch.addPath(m_settingsPath);
}

void ReminderService::onSettingsChanged()
{
    watchSettings();
    m_settingsSettle.start();
}

void ReminderService::takeSettings()
{
    watchSettings();
    const ReminderSettings settings = ReminderSettings::read(SettingsStore(m_settingsPath));
    // A replace shows as a change of the file and of its folder.
    if (settings == m_settings)
        return;
    m_settings = settings;
    const QDateTime now = QDateTime::currentDateTime();
    if (!m_settings.anyOn(now.date())) {
        m_timer.stop();
        m_armedFor = QDateTime();
        emit nothingLeft();
        return;
    }
    // A time moved to a moment already past today is not shown afterwards.
    m_checkedUntil = std::max(m_checkedUntil, now);
    arm(now);
}

void ReminderService::onPrepareForSleep(bool sleeping)
{
    if (!sleeping)
        wokeUp();
}

void ReminderService::wokeUp()
{
    if (m_armedFor.isValid())
        onTimer();
}

void ReminderService::onTimer()
{
    const QDateTime now = QDateTime::currentDateTime();
    remindDue(now);
    arm(now);
}

void ReminderService::remindDue(const QDateTime &now)
{
    const QList<Schedule::Due> due = Schedule::dueBetween(m_settings, m_checkedUntil, now);
    m_checkedUntil = now;
    const DiaryReadings diary{SettingsStore(m_settingsPath)};
    for (const Schedule::Due &reminder : due) {
        const bool endsWeek = Schedule::endsPlannedWeek(m_settings, reminder);
        if (endsWeek)
            m_weekAwaited = *m_settings.plannedWeek;
        if (Schedule::tooLate(reminder, now) || diary.stored(reminder.day, reminder.slot))
            continue;
        showReminder(reminder);
    }
    if (m_weekAwaited.isValid())
        showWeekResultWhenComplete();
}

void ReminderService::showReminder(const Schedule::Due &due)
{
    const auto id = m_notifier.notify(summary(), body(due.slot, m_settings.of(due.slot).time),
                                      kEnterKey, QStringLiteral("Jetzt eintragen"));
    if (!id) {
        qWarning("Die Erinnerung konnte nicht gezeigt werden: %s",
                 qPrintable(m_notifier.lastError()));
        return;
    }
    m_actions.insert(*id, {QStringLiteral("--schnelleingabe=") + slotInfo(due.slot).label});
}

void ReminderService::showWeekResultWhenComplete()
{
    const QDate lastDay = m_weekAwaited.addDays(kMeasuringWeekDays - 1);
    const QDate today = QDate::currentDate();
    const DiaryReadings diary{SettingsStore(m_settingsPath)};
    const QString monthFile = diary.monthFilePath(lastDay);
    if (today > lastDay || m_weekShown == m_weekAwaited || monthFile.isEmpty()) {
        m_weekAwaited = QDate();
        if (!m_monthWatch.files().isEmpty())
            m_monthWatch.removePaths(m_monthWatch.files());
        if (!m_monthWatch.directories().isEmpty())
            m_monthWatch.removePaths(m_monthWatch.directories());
        return;
    }
    if (!diary.stored(lastDay, Slot::Evening)) {
        // Waits for the last reading: the diary writes the month file.
        const QString folder = QFileInfo(monthFile).absolutePath();
        if (QFileInfo::exists(folder) && !m_monthWatch.directories().contains(folder))
            m_monthWatch.addPath(folder);
        if (QFileInfo::exists(monthFile) && !m_monthWatch.files().contains(monthFile))
            m_monthWatch.addPath(monthFile);
        return;
    }
    m_weekShown = m_weekAwaited;
    const auto id = m_notifier.notify(weekSummary(), diary.weekResult(m_weekAwaited), kReportKey,
                                      QStringLiteral("Arztbericht erstellen"));
    if (id)
        m_actions.insert(*id, {QStringLiteral("--arztbericht")});
    showWeekResultWhenComplete(); // ends the watch
}

void ReminderService::onMonthChanged()
{
    if (m_weekAwaited.isValid())
        showWeekResultWhenComplete();
}

void ReminderService::onAction(uint id, const QString &key)
{
    const auto found = m_actions.constFind(id);
    if (found == m_actions.cend() || (key != kEnterKey && key != kReportKey))
        return;
    m_launch(*found);
}

void ReminderService::arm(const QDateTime &now)
{
    const std::optional<Schedule::Due> next = Schedule::nextDue(m_settings, now);
    if (!next) {
        m_timer.stop();
        m_armedFor = QDateTime();
        return;
    }
    m_armedFor = next->at;
    // A millisecond late rather than early: the due time must have passed.
    const qint64 wait = std::clamp<qint64>(now.msecsTo(next->at) + 1, 0, kLongestWaitMs);
    m_timer.start(int(wait));
}
