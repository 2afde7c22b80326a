// Draws the decorative pictures of the main window's right frame: an open
// diary page with readings, a heart with a pulse line and a pressure gauge.
// Run once after a change and commit the PNG files:
//   g++ -std=c++20 -fPIC draw_pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o
//   /tmp/draw_pictures QT_QPA_PLATFORM=offscreen /tmp/draw_pictures data/pictures
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {

// The scene is drawn on a 458 x 613 canvas and scaled to each size, so the
// three pictures show the same motif.
constexpr qreal kWidth = 458;
constexpr qreal kHeight = 613;

QPainterPath heartPath(QPointF centre, qreal size)
{
    QPainterPath path;
    const qreal s = size / 2;
    path.moveTo(centre.x(), centre.y() + s * 0.95);
    path.cubicTo(centre.x() - s * 1.25, centre.y() + s * 0.05, centre.x() - s * 1.0,
                 centre.y() - s * 1.05, centre.x(), centre.y() - s * 0.45);
    path.cubicTo(centre.x() + s * 1.0, centre.y() - s * 1.05, centre.x() + s * 1.25,
                 centre.y() + s * 0.05, centre.x(), centre.y() + s * 0.95);
    return path;
}

void drawBackground(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(232, 243, 250));
    sky.setColorAt(1, QColor(255, 255, 255));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 232, 244, 120));
    p.drawEllipse(QPointF(60, 80), 120, 120);
    p.drawEllipse(QPointF(420, 560), 150, 150);
}

void drawDiary(QPainter &p)
{
    // the book, slightly turned
    p.save();
    p.translate(229, 330);
    p.rotate(-4);
    const QRectF cover(-175, -210, 350, 420);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(cover.translated(6, 8), 14, 14);
    p.setBrush(QColor(36, 92, 140));
    p.drawRoundedRect(cover, 14, 14);
    const QRectF page = cover.adjusted(14, 12, -12, -12);
    p.setBrush(QColor(255, 253, 245));
    p.drawRoundedRect(page, 6, 6);

    // ring binding on the left edge
    p.setPen(QPen(QColor(150, 150, 160), 4));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 9; ++i) {
        const qreal y = page.top() + 24 + i * 44;
        p.drawArc(QRectF(page.left() - 16, y - 7, 26, 14), 90 * 16, 180 * 16);
    }

    // ruled lines and a margin
    p.setPen(QPen(QColor(176, 206, 230), 1.5));
    for (qreal y = page.top() + 70; y < page.bottom() - 10; y += 28)
        p.drawLine(QPointF(page.left() + 20, y), QPointF(page.right() - 14, y));
    p.setPen(QPen(QColor(230, 140, 140), 1.5));
    p.drawLine(QPointF(page.left() + 62, page.top() + 12),
               QPointF(page.left() + 62, page.bottom() - 12));

    // heading and a few readings in a hand-like colour
    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPixelSize(26);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(QColor(36, 92, 140));
    p.drawText(QRectF(page.left() + 70, page.top() + 18, page.width() - 80, 40),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Mein Tagebuch"));
    QFont hand(QStringLiteral("DejaVu Sans"));
    hand.setPixelSize(19);
    hand.setItalic(true);
    p.setFont(hand);
    const char *readings[][2] = {{"Mo", "128 / 82   68"},
                                 {"Di", "131 / 84   71"},
                                 {"Mi", "124 / 79   66"},
                                 {"Do", "126 / 80   69"},
                                 {"Fr", "122 / 78   64"}};
    qreal y = page.top() + 70 + 28 * 0.5;
    for (const auto &row : readings) {
        p.setPen(QColor(120, 120, 130));
        p.drawText(QRectF(page.left() + 22, y - 2, 40, 28), Qt::AlignLeft | Qt::AlignBottom,
                   QString::fromLatin1(row[0]));
        p.setPen(QColor(30, 60, 110));
        p.drawText(QRectF(page.left() + 72, y - 2, 200, 28), Qt::AlignLeft | Qt::AlignBottom,
                   QString::fromLatin1(row[1]));
        y += 28;
    }
    p.restore();
}

void drawHeart(QPainter &p)
{
    const QPointF centre(318, 462);
    QRadialGradient glow(centre, 110);
    glow.setColorAt(0, QColor(255, 255, 255, 230));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, 110, 110);

    QRadialGradient red(centre + QPointF(-20, -30), 120);
    red.setColorAt(0, QColor(240, 90, 90));
    red.setColorAt(1, QColor(180, 20, 40));
    p.setBrush(red);
    p.setPen(QPen(QColor(150, 10, 30), 3));
    p.drawPath(heartPath(centre, 150));

    // pulse line across the heart
    QPainterPath pulse;
    const qreal base = centre.y() + 6;
    pulse.moveTo(centre.x() - 105, base);
    pulse.lineTo(centre.x() - 40, base);
    pulse.lineTo(centre.x() - 26, base - 16);
    pulse.lineTo(centre.x() - 12, base + 30);
    pulse.lineTo(centre.x() + 6, base - 52);
    pulse.lineTo(centre.x() + 22, base + 18);
    pulse.lineTo(centre.x() + 34, base);
    pulse.lineTo(centre.x() + 105, base);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(pulse);
    p.setPen(QPen(QColor(40, 150, 90), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(pulse);
}

void drawGauge(QPainter &p)
{
    const QPointF centre(106, 110);
    const qreal radius = 62;
    p.setPen(QPen(QColor(90, 90, 100), 4));
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(centre, radius, radius);
    // green, yellow and red bands of the scale
    const QRectF arc(centre.x() - radius + 12, centre.y() - radius + 12, 2 * radius - 24,
                     2 * radius - 24);
    const struct
    {
        int start;
        int span;
        QColor colour;
    } bands[] = {{225, -150, QColor(70, 170, 100)},
                 {75, -60, QColor(240, 190, 60)},
                 {15, -60, QColor(215, 70, 60)}};
    for (const auto &band : bands) {
        p.setPen(QPen(band.colour, 8, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(arc, band.start * 16, band.span * 16);
    }
    // ticks and needle
    p.setPen(QPen(QColor(60, 60, 70), 2));
    for (int i = 0; i <= 10; ++i) {
        const qreal angle = qDegreesToRadians(225.0 - i * 27.0);
        const QPointF dir(qCos(angle), -qSin(angle));
        p.drawLine(centre + dir * (radius - 30), centre + dir * (radius - 22));
    }
    const qreal needle = qDegreesToRadians(110.0);
    p.setPen(QPen(QColor(180, 20, 40), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(qCos(needle), -qSin(needle)) * (radius - 20));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 70));
    p.drawEllipse(centre, 7, 7);
    // hose to the cuff
    p.setPen(QPen(QColor(70, 70, 80), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath hose;
    hose.moveTo(centre + QPointF(0, radius));
    hose.cubicTo(centre + QPointF(0, radius + 50), centre + QPointF(-60, radius + 40),
                 centre + QPointF(-70, radius + 90));
    p.drawPath(hose);
}

QImage drawScene(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(width / kWidth, height / kHeight);
    drawBackground(p);
    drawDiary(p);
    drawGauge(p);
    drawHeart(p);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const struct
    {
        const char *name;
        int width;
        int height;
    } pictures[] = {{"image1.png", 458, 613}, {"image2.png", 275, 368}, {"image3.png", 165, 221}};
    for (const auto &picture : pictures) {
        if (!drawScene(picture.width, picture.height)
                 .save(folder + QLatin1Char('/') + QString::fromLatin1(picture.name)))
            return 1;
    }
    QImage white(64, 64, QImage::Format_RGB32);
    white.fill(Qt::white);
    return white.save(folder + QStringLiteral("/weiss.png")) ? 0 : 1;
}
