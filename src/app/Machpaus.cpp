#include "app/Machpaus.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

TMachPause::TMachPause(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the caller must not resume
    // before the interval has passed.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] { m_done = true; });
}

int TMachPause::Interval() const
{
    return m_timer ? m_timer->interval() : 0;
}

void TMachPause::setInterval(int milliseconds)
{
    m_timer->setInterval(milliseconds);
}

void TMachPause::Pause(int milliseconds)
{
    if (milliseconds != Interval())
        setInterval(milliseconds);
    Wait();
}

void TMachPause::Wait()
{
    // A pause started from an event handled during this wait restarts the
    // same timer; when it ends, this outer wait sees the flag and ends too.
    m_done = false;
    m_timer->start();
    while (!m_done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    m_timer->stop();
}
