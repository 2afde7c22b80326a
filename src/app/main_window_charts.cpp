// The two chart commands: prepare the month, build the page, show it.
#include "app/main_window.h"

#include "ui_main_window.h"

void TMainForm::BtnBalkendiagrammErstellenClick()
{
}

void TMainForm::LinienDiagrammErstellenClick()
{
}
