#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

class QWidget;
class TExportierenDlg;
class TImportierenDlg;
class UiSeam;

// What the two commands need of the main window.
struct ExchangeContext
{
    QString galleryFolder; // ends in '/'
    QString dataFolder;    // where the file dialogs open
    QString user;
    QDate openMonth;                  // any day of the open month, or of today's
    std::array<QString, 4> slotTimes; // "UhrzeitMorgens" … "UhrzeitAbends"
};

namespace ExchangeCommands {

// The export dialog, the save dialog, the file, and a message that says how
// many readings went into it.
void exportReadings(QWidget *parent, UiSeam &seam, TExportierenDlg &dialog,
                    const ExchangeContext &context);

// The open dialog, the import dialog with its preview, the merge and its
// summary. Returns the month files that were written.
QStringList importReadings(QWidget *parent, UiSeam &seam, TImportierenDlg &dialog,
                           const ExchangeContext &context);

} // namespace ExchangeCommands
