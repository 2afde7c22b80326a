#pragma once

class QMainWindow;
namespace Ui {
class TMainForm;
}

// What the designed main form looks like beyond what its .ui file holds:
// fonts in pixels, blank spacer texts, hidden pictures, the list's tab stops
// and the chart buttons' icons.
void applyDesignedLook(Ui::TMainForm &ui, QMainWindow &window);
