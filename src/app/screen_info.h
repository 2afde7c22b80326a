#pragma once

#include <QRect>
#include <QSize>

#include <optional>

class QWidget;
class QWindow;

// The screen and touch facts the main window's layout depends on, and the
// system move of the window. Tests replace it to choose screen sizes.
class ScreenInfo
{
public:
    virtual ~ScreenInfo() = default;

    // The whole screen the window is on.
    virtual QSize screenSize(const QWidget &window) const = 0;
    // The screen without panels and docks; empty when it cannot be queried.
    virtual std::optional<QRect> availableGeometry(const QWidget &window) const = 0;
    // Touch points of the best touchscreen; 0 without a touchscreen.
    virtual int touchScreenPoints() const = 0;
    // Lets the window system move the window as if its title bar was grabbed.
    virtual bool startSystemMove(QWindow &window) = 0;
};

// The real screen (QScreen) and input devices (QInputDevice).
class DesktopScreenInfo : public ScreenInfo
{
public:
    QSize screenSize(const QWidget &window) const override;
    std::optional<QRect> availableGeometry(const QWidget &window) const override;
    int touchScreenPoints() const override;
    bool startSystemMove(QWindow &window) override;
};
