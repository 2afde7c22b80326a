#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The installed web browsers as the desktop lists them: application entries
// (*.desktop) whose Categories contain WebBrowser or whose MimeType handles
// x-scheme-handler/http.
struct DesktopBrowser
{
    QString id;   // desktop-file id, e.g. "google-chrome.desktop"
    QString name; // the entry's Name=
    QString icon; // the entry's Icon=, a theme name or an absolute path
    QString exec; // the entry's Exec=, string escapes resolved; empty when missing
    QString path; // the entry's file
};

// $XDG_DATA_HOME/applications/ first, then <dir>/applications/ for every
// entry of $XDG_DATA_DIRS, with the usual defaults when they are unset.
QStringList applicationFolders();

// Reads the folders in order of precedence. An id seen in an earlier folder
// hides the same id further on (also when the earlier entry is hidden or no
// browser), as the desktop does. The result is ordered by id.
QList<DesktopBrowser> readDesktopBrowsers(const QStringList &folders);

// Appends the display name of every installed browser. (LiesBrowserListe)
void readBrowserList(QStringList &names);

// Edge counts as installed when microsoft-edge or microsoft-edge-stable is an
// executable on PATH.
bool edgeInstalled();
