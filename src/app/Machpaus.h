#pragma once

#include <QObject>

class QTimer;

// Lets a command wait a short time while the window stays responsive: paints,
// timers and posted commands are processed during the wait. The wait sleeps
// between events instead of keeping a processor busy.
class TMachPause : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Interval READ Interval WRITE setInterval)

public:
    explicit TMachPause(QObject *parent = nullptr);

    int Interval() const;
    void setInterval(int milliseconds);

    // Sets the interval when it differs, then waits one interval.
    void Pause(int milliseconds);
    // Waits one interval of the current setting.
    void Wait();

private:
    QTimer *m_timer = nullptr;
    bool m_done = false;
};
