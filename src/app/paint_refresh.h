#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs the window's refresh once after the desktop showed, activated,
// restored or exposed it: after such a paint, never from the paint itself,
// so the widgets the refresh changes do not start it again.
class PaintRefresh : public QObject
{
    Q_OBJECT

public:
    // `refresh` runs when the event loop comes round; `aboutToShow` runs
    // before the window system maps the window.
    PaintRefresh(QWidget &window, std::function<void()> refresh, std::function<void()> aboutToShow);

    void schedule();
    // After the program ended at start-up nothing is refreshed any more.
    void stop() { m_stopped = true; }
    // While the refresh runs, the paints it causes schedule nothing.
    bool running() const { return m_running; }
    void setRunning(bool running) { m_running = running; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    std::function<void()> m_refresh;
    std::function<void()> m_aboutToShow;
    bool m_scheduled = false;
    bool m_stopped = false;
    bool m_running = false;
};
