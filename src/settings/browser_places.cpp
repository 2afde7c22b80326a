#include "settings/browser_places.h"

const std::array<BrowserPlaceInfo, kBrowserPlaceCount> &browserPlaces()
{
    static const std::array<BrowserPlaceInfo, kBrowserPlaceCount> places = {{
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

QList<BrowserPlace> placesOfBrowser(const DesktopBrowser &browser)
{
    QList<BrowserPlace> places = placesNamedBy(browser.name);
    const QLatin1String chromium("chromium");
    if (!places.contains(BrowserPlace::Chrome) &&
        (browser.name.contains(chromium, Qt::CaseInsensitive) ||
         browser.id.contains(chromium, Qt::CaseInsensitive)))
        places << BrowserPlace::Chrome;
    return places;
}

QList<DesktopBrowser> browsersForPlace(const QList<DesktopBrowser> &installed, BrowserPlace place)
{
    QList<DesktopBrowser> named;
    QList<DesktopBrowser> others;
    for (const DesktopBrowser &browser : installed) {
        if (place == BrowserPlace::Edge) {
            if (browser.name.contains(QLatin1String("microsoft edge"), Qt::CaseInsensitive) ||
                browser.id.startsWith(QLatin1String("microsoft-edge")))
                named << browser;
        } else if (place != BrowserPlace::Standard) {
            if (placesNamedBy(browser.name).contains(place))
                named << browser;
            else if (placesOfBrowser(browser).contains(place))
                others << browser;
        }
    }
    return named + others;
}

BrowserOffer offeredBrowserPlaces(const QList<DesktopBrowser> &installed, bool edgeFound)
{
    BrowserOffer offer{};
    offer[std::size_t(BrowserPlace::Standard)] = true;
    offer[std::size_t(BrowserPlace::Edge)] = edgeFound;
    for (const DesktopBrowser &browser : installed) {
        for (BrowserPlace place : placesOfBrowser(browser))
            offer[std::size_t(place)] = true;
    }
    return offer;
}

BrowserPlace currentBrowserPlace(const QString &storedBrowser)
{
    static const std::array<BrowserPlace, kBrowserPlaceCount> testOrder = {
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
