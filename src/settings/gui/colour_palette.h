#pragma once

#include <QColor>
#include <QPalette>

// Stored colour values and the colours the desktop draws with. The two
// system colours take the caller's palette: the button face becomes its
// button colour, the text-field background its base colour.
QColor colourFromValue(qint32 value, const QPalette &palette);
qint32 valueFromColour(const QColor &colour);
