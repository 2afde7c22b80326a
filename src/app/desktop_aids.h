#pragma once

class QMainWindow;

// What the main window needs on a Linux desktop beyond the design: German
// names and descriptions for screen readers, list rows read as sentences, a
// visible keyboard focus (the quick entry's dialog included) and Tab that
// leaves the memo.
// Works on the controls by their design names.
void installDesktopAids(QMainWindow &form);
