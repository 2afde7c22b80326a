#include "app/paint_refresh.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

PaintRefresh::PaintRefresh(QWidget &window, std::function<void()> refresh,
                           std::function<void()> aboutToShow)
    : QObject(&window)
    , m_window(window)
    , m_refresh(std::move(refresh))
    , m_aboutToShow(std::move(aboutToShow))
{
    window.installEventFilter(this);
}

void PaintRefresh::schedule()
{
    if (m_scheduled || m_stopped || m_running)
        return;
    // Exposes arrive at the window system's window, which exists only once
    // the window was shown.
    if (QWindow *handle = m_window.windowHandle()) {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
    m_scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_scheduled = false;
        m_refresh();
    });
}

bool PaintRefresh::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == &m_window) {
            // Placed before the window system maps it, so it does not jump.
            m_aboutToShow();
            schedule();
        }
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowStateChange:
        if (watched == &m_window)
            schedule();
        break;
    case QEvent::Expose:
        if (watched == m_window.windowHandle() && m_window.windowHandle()->isExposed())
            schedule();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
