#include "app/window_colours.h"

namespace WindowColours {

QColor toColor(qint32 value, const QPalette &palette)
{
    if (value == kSystemButtonFace)
        return palette.color(QPalette::Button);
    if (value == kSystemWindow)
        return palette.color(QPalette::Base);
    if (value < 0)
        return palette.color(QPalette::Window);
    const auto raw = quint32(value);
    return QColor(int(raw & 0xFF), int((raw >> 8) & 0xFF), int((raw >> 16) & 0xFF));
}

qint32 fromColor(const QColor &colour)
{
    return qint32(quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16));
}

} // namespace WindowColours
