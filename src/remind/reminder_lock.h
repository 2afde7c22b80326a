#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One background reminder process per user: a lock file in the runtime
// folder of the session ($XDG_RUNTIME_DIR), else in the config folder. The
// lock names the process that holds it; a lock left by a process that has
// ended is taken over.
class ReminderLock
{
public:
    // The lock file's path in the usual place.
    static QString defaultPath();

    explicit ReminderLock(const QString &path);

    // True when this process now holds the lock.
    bool tryLock();

    // The id of the process that holds the lock, or 0.
    qint64 holder() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};
