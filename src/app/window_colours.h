#pragma once

#include <QColor>
#include <QPalette>

// Colour values as stored in the settings: red in the low byte, then green,
// then blue. Values with the top bit set name a system colour; the two the
// program stores map to the application palette.
namespace WindowColours {

constexpr qint32 kSystemButtonFace = qint32(0x8000000F);  // -2147483633
constexpr qint32 kSystemWindow = qint32(0x80000005);      // -2147483643

QColor toColor(qint32 value, const QPalette &palette);
qint32 fromColor(const QColor &colour);

} // namespace WindowColours
