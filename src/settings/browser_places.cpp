#include "settings/browser_places.h"

const std::array<BrowserPlaceInfo, BrowserPlaceCount> &browserPlaces()
{
    static const std::array<BrowserPlaceInfo, BrowserPlaceCount> places = {{
        {BrowserPlace::Standard, "standard_Image", "Standard Browser", "standard"},
        {BrowserPlace::InternetExplorer, "ie_Image", "Microsoft Internet Explorer",
         "internet explorer"},
        {BrowserPlace::Edge, "edge_Image", "Microsoft Edge", "edge"},
        {BrowserPlace::Chrome, "chrome_Image", "Google Chrome", "chrome"},
        {BrowserPlace::Firefox, "firefox_Image", "FireFox", "firefox"},
        {BrowserPlace::Safari, "safari_Image", "Safari", "safari"},
        {BrowserPlace::Opera, "opera_Image", "Opera", "opera"},
    }};
    return places;
}

const BrowserPlaceInfo &browserPlaceInfo(BrowserPlace place)
{
    return browserPlaces()[std::size_t(place)];
}

QList<BrowserPlace> placesNamedBy(const QString &browserName)
{
    const QString name = browserName.toLower();
    QList<BrowserPlace> places;
    if (name.contains(QLatin1String("internet explorer")))
        places << BrowserPlace::InternetExplorer << BrowserPlace::Edge;
    if (name.contains(QLatin1String("chrome")))
        places << BrowserPlace::Chrome;
    if (name.contains(QLatin1String("opera")))
        places << BrowserPlace::Opera;
    if (name.contains(QLatin1String("safari")))
        places << BrowserPlace::Safari;
    if (name.contains(QLatin1String("firefox")))
        places << BrowserPlace::Firefox;
    return places;
}

BrowserOffer offeredBrowserPlaces(const QStringList &browserNames, bool edgeFound)
{
    BrowserOffer offer{};
    offer[std::size_t(BrowserPlace::Standard)] = true;
    offer[std::size_t(BrowserPlace::Edge)] = edgeFound;
    for (const QString &name : browserNames) {
        for (BrowserPlace place : placesNamedBy(name))
            offer[std::size_t(place)] = true;
    }
    return offer;
}

BrowserPlace currentBrowserPlace(const QString &storedBrowser)
{
    static const std::array<BrowserPlace, BrowserPlaceCount> testOrder = {
        BrowserPlace::Standard, BrowserPlace::InternetExplorer,
        BrowserPlace::Edge,     BrowserPlace::Chrome,
        BrowserPlace::Opera,    BrowserPlace::Safari,
        BrowserPlace::Firefox,
    };
    BrowserPlace current = BrowserPlace::Standard;
    for (BrowserPlace place : testOrder) {
        if (storedBrowser.contains(QLatin1String(browserPlaceInfo(place).value), Qt::CaseSensitive))
            current = place;
    }
    return current;
}
