#include "remind/reminder_lock.h"

#include <QDir>
#include <QStandardPaths>

QString ReminderLock::defaultPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/Quenlor");
    return folder + QStringLiteral("/vantoria-erinnerungen.lock");
}

ReminderLock::ReminderLock(const QString &path)
    : m_lock(std::make_unique<QLockFile>(path))
{
    // A lock is stale only when its process has ended, however long it runs.
    m_lock->setStaleLockTime(0);
}

bool ReminderLock::tryLock()
{
    QDir().mkpath(QFileInfo(m_lock->fileName()).absolutePath());
    return m_lock->tryLock(0);
}

qint64 ReminderLock::holder() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!m_lock->getLockInfo(&pid, &host, &application))
        return 0;
    return pid;
}
