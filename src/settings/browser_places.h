#pragma once

#include "settings/desktop_browsers.h"

#include <QString>
#include <QStringList>

#include <array>

// The seven places of the browser row in the settings dialog, left to right.
enum class BrowserPlace { Standard, InternetExplorer, Edge, Chrome, Firefox, Safari, Opera };

inline constexpr int kBrowserPlaceCount = 7;
using BrowserOffer = std::array<bool, kBrowserPlaceCount>;

struct BrowserPlaceInfo
{
    BrowserPlace place;
    const char *objectName; // standard_Image, ...
    const char *hint;       // shown while the place is offered
    const char *value;      // stored in the setting Browser
};

const std::array<BrowserPlaceInfo, kBrowserPlaceCount> &browserPlaces();
const BrowserPlaceInfo &browserPlaceInfo(BrowserPlace place);

// The places a listed browser name asks for: compared in lower case, by
// substring; "internet explorer" brings Edge along.
QList<BrowserPlace> placesNamedBy(const QString &browserName);

// The places an installed browser asks for: those its name asks for, and the
// Chrome place for Chromium (by name or desktop file), which Linux installs
// in Chrome's stead.
QList<BrowserPlace> placesOfBrowser(const DesktopBrowser &browser);

// The installed browsers that serve a place, those whose name asks for it
// first; Edge has no name rule of its own, so its entry is known by name or
// id. None for the standard place.
QList<DesktopBrowser> browsersForPlace(const QList<DesktopBrowser> &installed, BrowserPlace place);

// Which places are offered: standard always, Edge when it was found on its
// own, and every place that one of the installed browsers asks for.
BrowserOffer offeredBrowserPlaces(const QList<DesktopBrowser> &installed, bool edgeFound);

// The place whose picture shows the current choice: the stored text is tested
// for the seven values (case-sensitive substrings) in the order standard,
// internet explorer, edge, chrome, opera, safari, firefox; the last match
// wins, and standard stays when none matches.
BrowserPlace currentBrowserPlace(const QString &storedBrowser);
