#include "app/screen_info.h"

#include <QGuiApplication>
#include <QPointingDevice>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

const QScreen *screenOf(const QWidget &window)
{
    if (const QScreen *screen = window.screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

QSize DesktopScreenInfo::screenSize(const QWidget &window) const
{
    const QScreen *screen = screenOf(window);
    return screen ? screen->geometry().size() : QSize();
}

std::optional<QRect> DesktopScreenInfo::availableGeometry(const QWidget &window) const
{
    const QScreen *screen = screenOf(window);
    if (!screen || screen->availableGeometry().isEmpty())
        return std::nullopt;
    return screen->availableGeometry();
}

int DesktopScreenInfo::touchScreenPoints() const
{
    int points = 0;
    for (const QInputDevice *device : QInputDevice::devices()) {
        if (device->type() != QInputDevice::DeviceType::TouchScreen)
            continue;
        if (const auto *pointing = qobject_cast<const QPointingDevice *>(device))
            points = std::max(points, std::max(pointing->maximumPoints(), 1));
    }
    return points;
}

bool DesktopScreenInfo::startSystemMove(QWindow &window)
{
    return window.startSystemMove();
}
