#pragma once

#include <QList>

// What a screen reader says for each control of the main window, in German:
// what the control does, even where its design hint (tooltip) says less. A
// control whose name is its own caption, or whose tooltip is true as its
// description, leaves that text empty here, so that the two never drift
// apart.
struct AccessibleText
{
    const char *objectName; // the design name; "SpinButton1/up" for an arrow of a spin button
    const char *name;
    const char *description;
};

const QList<AccessibleText> &mainFormAccessibleTexts();
