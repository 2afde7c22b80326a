#pragma once

#include <QString>

class QWidget;
class UiSeam;

// Opens the help document from the start folder when the user keeps a copy
// there, else the one installed with the program; tells when there is none
// or no program shows it.
void openHelpDocument(UiSeam &seam, QWidget *parent, const QString &startFolder,
                      const QString &installedDataFolder);
