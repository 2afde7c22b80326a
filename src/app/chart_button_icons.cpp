#include "app/chart_button_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ChartButtonIcons {

namespace {

constexpr int kSize = 24;

QPixmap canvasWithAxes()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.drawLine(QPointF(3, 2), QPointF(3, 21));
    painter.drawLine(QPointF(3, 21), QPointF(22, 21));
    return pixmap;
}

} // namespace

QIcon barChart()
{
    QPixmap pixmap = canvasWithAxes();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colours[3] = {QColor(0, 0, 255), QColor(0, 128, 0), QColor(255, 0, 128)};
    const int heights[3] = {15, 10, 7};
    for (int i = 0; i < 3; ++i)
        painter.fillRect(QRectF(6 + i * 5.5, 20 - heights[i], 4, heights[i]), colours[i]);
    return QIcon(pixmap);
}

QIcon lineChart()
{
    QPixmap pixmap = canvasWithAxes();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto curve = [&painter](const QColor &colour, std::initializer_list<QPointF> points) {
        QPainterPath path;
        path.moveTo(*points.begin());
        for (auto it = points.begin() + 1; it != points.end(); ++it)
            path.lineTo(*it);
        painter.setPen(QPen(colour, 2));
        painter.drawPath(path);
    };
    curve(QColor(0, 0, 255), {QPointF(5, 8), QPointF(10, 5), QPointF(15, 9), QPointF(21, 4)});
    curve(QColor(0, 128, 0), {QPointF(5, 14), QPointF(10, 12), QPointF(15, 15), QPointF(21, 11)});
    curve(QColor(255, 0, 128), {QPointF(5, 18), QPointF(10, 17), QPointF(15, 19), QPointF(21, 16)});
    return QIcon(pixmap);
}

} // namespace ChartButtonIcons
