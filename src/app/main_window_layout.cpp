// Window layout, screen orientation, dragging and touch gestures.
#include "app/main_window.h"

#include "ui_main_window.h"

void TMainForm::setUpTouch()
{
}

bool TMainForm::applyLayout()
{
    return true;
}

void TMainForm::Timer1Timer()
{
}
