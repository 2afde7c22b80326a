#include "settings/gui/colour_palette.h"

#include "settings/colour_value.h"

QColor colourFromValue(qint32 value, const QPalette &palette)
{
    if (ColourValue::isSystemColour(value)) {
        return ColourValue::systemRole(value) == ColourValue::SystemRole::WindowBackground
                   ? palette.color(QPalette::Base)
                   : palette.color(QPalette::Button);
    }
    return QColor(ColourValue::red(value), ColourValue::green(value), ColourValue::blue(value));
}

qint32 valueFromColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return ColourValue::fromRgb(rgb.red(), rgb.green(), rgb.blue());
}
