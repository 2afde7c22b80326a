#pragma once

#include "ui/window_layout.h"

#include <QObject>
#include <QSize>

#include <functional>
#include <memory>

namespace Ui {
class TMainForm;
}
class QGestureEvent;
class QMainWindow;
class QTimer;
class QMouseEvent;
class ScreenInfo;
class TMachPause;

// The main window's geometry: its layout on the screen it is on, the title
// buttons that follow the screen's orientation, dragging by the free areas,
// the pinch between maximized and normal state, and its start position.
class FormGeometry : public QObject
{
public:
    // screenInfo null: the real screen and input devices.
    FormGeometry(QMainWindow &window, Ui::TMainForm &ui, ScreenInfo *screenInfo, TMachPause &pause);
    ~FormGeometry() override;

    // Touch, the routes of presses and gestures, the pictures and the first
    // title buttons; the first step of the start-up.
    void setUp();
    bool applyLayout(); // false: the refresh is skipped for this paint
    void Timer1Timer(); // the orientation tick
    // Ticks once a second ("Timer1") until the window closes; each tick runs
    // inside `guard`.
    void startOrientationTick(const std::function<void(const std::function<void()> &)> &guard);
    void stopOrientationTick();
    // Centred in the free desktop area until the window manager has placed
    // it; a maximized window stays where it is.
    void centreUntilPlaced();
    // A portrait screen seen once keeps the layout for it from then on.
    void notePortraitScreen();

    bool touchCapable() const { return m_touchCapable; }
    bool portraitScreen() const { return m_portraitScreen; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpPictures();
    bool screenIsPortrait() const;
    void applyLayoutResult(const WindowLayout::Result &result);
    void setTitleButtons(bool maximizeButton);
    bool FormMouseDown(QMouseEvent *event);
    bool UpDownSchalterGroupMouseDown(QMouseEvent *event);
    bool GewichtGroupMouseDown(QMouseEvent *event);
    bool gestureEvent(QGestureEvent *event);
    void centreOnDesktop();

    QMainWindow &m_window;
    Ui::TMainForm &m_ui;
    TMachPause &m_pause;
    QTimer *m_orientationTick = nullptr;
    ScreenInfo *m_screenInfo = nullptr;
    std::unique_ptr<ScreenInfo> m_desktopScreenInfo;
    WindowLayout::ZoomGesture m_zoomGesture;
    QSize m_normalSize; // the window's fixed size outside the maximized state
    bool m_touchCapable = false;
    bool m_portraitScreen = false;
    bool m_portraitSeen = false;
    bool m_placedOnDesktop = false;
};
