#pragma once

#include <QtGlobal>

// Colours as the settings store keeps them: red + 256 * green + 65536 * blue,
// stored as signed decimal text. A value with the top bit set names a colour
// of the desktop rather than a fixed one.
namespace ColourValue {

// The face of buttons and dialogs (0x8000000F).
inline constexpr qint32 kSystemButtonFace = qint32(0x8000000Fu);
// The background of text fields and lists (0x80000005).
inline constexpr qint32 kSystemWindowBackground = qint32(0x80000005u);
inline constexpr qint32 kBlack = 0;

// The two presets of the settings dialog, also the first-run colours.
inline constexpr qint32 kDefaultWindowColour = 410617;
inline constexpr qint32 kDefaultListColour = 6786300;

inline constexpr bool isSystemColour(qint32 value)
{
    return value < 0;
}

// The desktop colour a system value stands for. Values other than the two
// this program stores fall back to the button face.
enum class SystemRole { ButtonFace, WindowBackground };
SystemRole systemRole(qint32 value);

// Components of a plain colour (the top byte is ignored).
int red(qint32 value);
int green(qint32 value);
int blue(qint32 value);
// Components outside 0..255 are clamped.
qint32 fromRgb(int red, int green, int blue);

} // namespace ColourValue
