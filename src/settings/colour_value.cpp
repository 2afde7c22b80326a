#include "settings/colour_value.h"

#include <algorithm>

namespace ColourValue {

SystemRole systemRole(qint32 value)
{
    return value == kSystemWindowBackground ? SystemRole::WindowBackground : SystemRole::ButtonFace;
}

int red(qint32 value)
{
    return int(quint32(value) & 0xFFu);
}

int green(qint32 value)
{
    return int((quint32(value) >> 8) & 0xFFu);
}

int blue(qint32 value)
{
    return int((quint32(value) >> 16) & 0xFFu);
}

qint32 fromRgb(int r, int g, int b)
{
    const auto clamp = [](int c) { return std::clamp(c, 0, 255); };
    return qint32(clamp(r) + 256 * clamp(g) + 65536 * clamp(b));
}

} // namespace ColourValue
