#pragma once

#include "settings/desktop_browsers.h"

#include <QString>
#include <QStringList>

// How a chart page is opened for the stored browser choice: the rows of the
// choice are tested in their fixed order ("standard", "firefox", "internet
// explorer", "edge", "chrome", anything else), each as a case-sensitive
// substring; "opera" has a row of its own once an Opera program is found.
struct BrowserStart
{
    enum class Kind {
        DefaultBrowser, // the desktop's default program for web pages
        Program,        // program with arguments
        Unavailable,    // no such browser here: warn, naming program
    };
    Kind kind = Kind::DefaultBrowser;
    QString program;
    QStringList arguments;
};

// A browser found through its desktop entry starts through the entry's Exec
// line, the first entry whose program is on PATH winning; the fixed program
// names serve only when no entry with an Exec line exists.
BrowserStart browserStartFor(const QString &storedBrowser, const QList<DesktopBrowser> &installed,
                             const QString &pagePath);
