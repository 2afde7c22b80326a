#pragma once

// The controls of a dialog, found by objectName and worked with the mouse as
// a user works them. A missing control ends the test at once with its name:
// a renamed control in a .ui file must not turn into a null-pointer crash.

#include <QAbstractButton>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

template <typename T> T *in(QWidget &dialog, const char *name)
{
    T *child = dialog.findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("the dialog has no control %s", name);
    return child;
}

inline void click(QWidget &dialog, const char *button)
{
    QTest::mouseClick(in<QAbstractButton>(dialog, button), Qt::LeftButton);
}

// On the round indicator: a radio button stretched by the layout takes
// clicks on its indicator and text only.
inline void choose(QWidget &dialog, const char *radio)
{
    QRadioButton *button = in<QRadioButton>(dialog, radio);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}
