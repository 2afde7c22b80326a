#include "app/help_document.h"

#include "base/german_quotes.h"
#include "storage/data_folders.h"
#include "ui/seam.h"

#include <QFileInfo>

void openHelpDocument(UiSeam &seam, QWidget *parent, const QString &startFolder,
                      const QString &installedDataFolder)
{
    QString path = startFolder + DataFolders::kHelpDocumentName;
    if (!QFileInfo::exists(path) && !installedDataFolder.isEmpty())
        path = installedDataFolder + DataFolders::kHelpDocumentName;
    if (!QFileInfo::exists(path)) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Die Hilfe ") +
                             germanQuoted(DataFolders::kHelpDocumentName) +
                             QStringLiteral(" wurde nicht gefunden. Gesucht wurde hier:") +
                             QStringLiteral("\r\n") + path);
    } else if (!seam.openDocument(path)) {
        seam.showMessage(parent, UiSeam::MessageKind::Warning,
                         QStringLiteral("Die Hilfe konnte nicht geöffnet werden, weil kein "
                                        "Programm zum Anzeigen von PDF-Dateien gestartet werden "
                                        "konnte. ") +
                             QStringLiteral("Sie liegt hier:\r\n") + path);
    }
}
