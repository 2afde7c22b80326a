#pragma once

#include "settings/browser_places.h"
#include "settings/desktop_browsers.h"

#include <QPixmap>

inline constexpr int BrowserPictureSize = 40;

// Our own 40 x 40 picture of a place: a globe for the standard browser, a
// coloured badge with a short name for the others.
QPixmap drawnBrowserPicture(BrowserPlace place);

// The transparent picture that stands in for a browser that is not offered.
QPixmap emptyBrowserPicture();

// The picture of a place: the icon of an installed browser's desktop entry
// when the icon theme (or the named file) has it, else our own picture.
QPixmap browserPicture(BrowserPlace place, const QList<DesktopBrowser> &installed);
