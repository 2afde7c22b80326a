#pragma once

class QMainWindow;
class UiSeam;

// What the main window needs on a Linux desktop beyond the design: German
// names and descriptions for screen readers, list rows read as sentences, a
// visible keyboard focus, Tab that leaves the memo, and the quick entry
// command "Messung schnell eingeben …" (Ctrl+E) in the "Bearbeiten" menu.
// Works on the controls by their design names.
void installDesktopAids(QMainWindow &form, UiSeam &seam);
