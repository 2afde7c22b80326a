#pragma once

#include <QString>

#include <functional>

class OpenMonth;
class QMainWindow;
class SettingsStore;
class UiSeam;
class VersionKeeping;
struct StartPlaces;

// What the commands of the menus take from the main window: the open month,
// the settings and the folders, and the window's load, which shows the open
// month's file anew after a command changed it.
struct MonthCommands
{
    QMainWindow &window; // holds the menus; the parent of messages and dialogs
    UiSeam &seam;
    const OpenMonth &month;
    const SettingsStore &settings;
    const StartPlaces &places;
    VersionKeeping &versionKeeping;
    std::function<void()> reload;
    // Says a line in the window's status area; an empty text clears it.
    std::function<void(const QString &)> showStatus;
};
