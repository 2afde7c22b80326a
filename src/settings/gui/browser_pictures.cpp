#include "settings/gui/browser_pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap blankCanvas()
{
    QPixmap pixmap(BrowserPictureSize, BrowserPictureSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawGlobe(QPainter &painter)
{
    const QRectF ball(3, 3, 34, 34);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 110, 200));
    painter.drawEllipse(ball);
    painter.setPen(QPen(QColor(235, 245, 255), 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(13, 3, 14, 34));
    painter.drawLine(QPointF(20, 3.5), QPointF(20, 36.5));
    painter.drawLine(QPointF(3.5, 20), QPointF(36.5, 20));
    painter.drawLine(QPointF(6.5, 12), QPointF(33.5, 12));
    painter.drawLine(QPointF(6.5, 28), QPointF(33.5, 28));
}

void drawBadge(QPainter &painter, const QColor &colour, const QString &text)
{
    QPainterPath badge;
    badge.addRoundedRect(QRectF(2, 2, 36, 36), 8, 8);
    painter.fillPath(badge, colour);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? 15 : 20);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(2, 2, 36, 36), Qt::AlignCenter, text);
}

QPixmap iconPicture(const QString &icon)
{
    QIcon found;
    if (QDir::isAbsolutePath(icon)) {
        if (QFileInfo::exists(icon))
            found = QIcon(icon);
    } else if (QIcon::hasThemeIcon(icon)) {
        found = QIcon::fromTheme(icon);
    }
    if (found.isNull())
        return {};
    const QPixmap pixmap = found.pixmap(QSize(BrowserPictureSize, BrowserPictureSize));
    if (pixmap.isNull())
        return {};
    // Themes may lack the exact size; centre whatever came on the 40 x 40 canvas.
    QPixmap canvas = blankCanvas();
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize size = pixmap.deviceIndependentSize().toSize().scaled(
        BrowserPictureSize, BrowserPictureSize, Qt::KeepAspectRatio);
    const QRect target((BrowserPictureSize - size.width()) / 2,
                       (BrowserPictureSize - size.height()) / 2, size.width(), size.height());
    painter.drawPixmap(target, pixmap);
    return canvas;
}

} // namespace

QPixmap drawnBrowserPicture(BrowserPlace place)
{
    QPixmap pixmap = blankCanvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (place) {
    case BrowserPlace::Standard:
        drawGlobe(painter);
        break;
    case BrowserPlace::InternetExplorer:
        drawBadge(painter, QColor(30, 90, 170), QStringLiteral("IE"));
        break;
    case BrowserPlace::Edge:
        drawBadge(painter, QColor(0, 130, 140), QStringLiteral("Ed"));
        break;
    case BrowserPlace::Chrome:
        drawBadge(painter, QColor(200, 60, 50), QStringLiteral("Ch"));
        break;
    case BrowserPlace::Firefox:
        drawBadge(painter, QColor(230, 110, 20), QStringLiteral("Fx"));
        break;
    case BrowserPlace::Safari:
        drawBadge(painter, QColor(60, 140, 220), QStringLiteral("Sa"));
        break;
    case BrowserPlace::Opera:
        drawBadge(painter, QColor(170, 20, 40), QStringLiteral("Op"));
        break;
    }
    return pixmap;
}

QPixmap emptyBrowserPicture()
{
    return blankCanvas();
}

QPixmap browserPicture(BrowserPlace place, const QList<DesktopBrowser> &installed)
{
    for (const DesktopBrowser &entry : browsersForPlace(installed, place)) {
        if (entry.icon.isEmpty())
            continue;
        QPixmap picture = iconPicture(entry.icon);
        if (!picture.isNull())
            return picture;
    }
    return drawnBrowserPicture(place);
}
