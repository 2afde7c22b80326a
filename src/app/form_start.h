#pragma once

#include "ui/seam.h"

#include <QString>

#include <optional>

class QWidget;
class SettingsStore;

// What the start-up found for the main window.
struct StartPlaces
{
    // Where the start stopped and ended the program: a data folder could not
    // be made (nothing after it ran), or the last month's folder has vanished
    // (folders, colours and the zero gap were read before).
    enum class Ending { None, FoldersMissing, LastFolderMissing };

    QString startFolder; // ends in '/'
    QString dataFolder;
    // As far as they were resolved; a missing folder keeps its path.
    QString galleryFolder;
    QString htmlFolder;
    // Made when it can be; it may be missing even when the start went on.
    QString reportFolder;
    // Each only when stored and readable: otherwise the built-in colour stays.
    std::optional<qint32> systolicColour;
    std::optional<qint32> diastolicColour;
    std::optional<qint32> pulseColour;
    std::optional<qint32> listColour;
    std::optional<qint32> windowColour;
    bool zeroGap = true;
    Ending ending = Ending::None;

    bool endedAtStart() const { return ending != Ending::None; }
};

// The start-up steps of the main window that need no control: the earlier
// installation, the browser default, the data folders, leftover temporary
// files, the colours, the zero gap and the last opened month (FormCreate).
// Messages go through the seam with the main window as their parent.
class FormStart
{
public:
    FormStart(UiSeam &seam, QWidget *parent, const SettingsStore &settings,
              const QString &startFolder);

    StartPlaces run();

private:
    void checkInstallation();
    bool resolveDataFolders();
    bool resolveFolder(const QString &folderName, QString &folder);
    void removeLeftoverTemporaries() const;
    void readColours();
    void checkLastFile();
    void showMessage(UiSeam::MessageKind kind, const QString &text);
    void endProgram(StartPlaces::Ending ending);

    UiSeam &m_seam;
    QWidget *m_parent;
    const SettingsStore &m_settings;
    StartPlaces m_places;
};
