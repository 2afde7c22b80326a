#pragma once

#include <QList>

// What a screen reader says for each control of the main window, in German.
// A control whose name is its own caption, or whose description is its
// design hint (tooltip), leaves that text empty here, so that the two never
// drift apart.
struct AccessibleText
{
    const char *objectName; // the design name; "SpinButton1/up" for an arrow of a spin button
    const char *name;
    const char *description;
};

const QList<AccessibleText> &mainFormAccessibleTexts();
