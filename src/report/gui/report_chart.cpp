#include "report/gui/report_chart.h"

#include "report/gui/report_sheet.h"
#include "stats/period_stats.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QColor kSystolic(0xC0, 0x39, 0x2B);
const QColor kDiastolic(0x2E, 0x5E, 0xAA);
const QColor kPulse(0x2E, 0x8B, 0x57);

struct Plot
{
    QRectF area;
    QDate first;
    qint64 days = 1;
    double low = 40, high = 180;

    double x(const QDate &date) const
    {
        return area.left() + (double(first.daysTo(date)) + 0.5) * area.width() / double(days);
    }
    double y(double value) const
    {
        return area.bottom() - (value - low) * area.height() / (high - low);
    }
};

Plot plotFor(const QRectF &area, const ReportContent &content)
{
    Plot plot{area, content.chartFirst,
              std::max<qint64>(1, content.chartFirst.daysTo(content.chartLast) + 1)};
    // 40 to 180 mmHg at least, widened in steps of 20 to take every value.
    double lowest = plot.low + 5, highest = plot.high - 5;
    for (const ReportContent::ChartDay &day : content.chartDays) {
        lowest = std::min({lowest, day.pulse, day.diastolic});
        highest = std::max(highest, day.systolic);
    }
    plot.low = std::floor((lowest - 5) / 20) * 20;
    plot.high = std::ceil((highest + 5) / 20) * 20;
    return plot;
}

void drawGrid(QPainter &painter, const Plot &plot, double mm)
{
    painter.setFont(ReportSheet::font(7));
    for (double value = plot.low; value <= plot.high; value += 20) {
        painter.setPen(QPen(QColor(0xDD, 0xDD, 0xDD), mm * 0.15));
        painter.drawLine(QPointF(plot.area.left(), plot.y(value)),
                         QPointF(plot.area.right(), plot.y(value)));
        painter.setPen(QColor(0x44, 0x44, 0x44));
        painter.drawText(QRectF(plot.area.left() - mm * 11, plot.y(value) - mm * 2, mm * 9, mm * 4),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
    }
    painter.setPen(QPen(QColor(0x66, 0x66, 0x66), mm * 0.25));
    painter.drawRect(plot.area);
}

// Weekly ticks in a short period, month starts (and their middles up to a
// quarter year) in a long one.
bool labelledDay(const QDate &date, const Plot &plot)
{
    if (plot.days <= 40)
        return plot.first.daysTo(date) % 7 == 0;
    return date.day() == 1 || (plot.days <= 100 && date.day() == 15);
}

void drawDayLabels(QPainter &painter, const Plot &plot, double mm)
{
    painter.setFont(ReportSheet::font(7));
    for (QDate date = plot.first; plot.first.daysTo(date) < plot.days; date = date.addDays(1)) {
        if (!labelledDay(date, plot))
            continue;
        const double x = plot.x(date);
        painter.setPen(QPen(QColor(0x66, 0x66, 0x66), mm * 0.2));
        painter.drawLine(QPointF(x, plot.area.bottom()), QPointF(x, plot.area.bottom() + mm));
        painter.drawText(QRectF(x - mm * 8, plot.area.bottom() + mm * 1.2, mm * 16, mm * 4),
                         Qt::AlignHCenter | Qt::AlignTop, date.toString(QStringLiteral("dd.MM.")));
    }
}

void drawThreshold(QPainter &painter, const Plot &plot, double mm, int value, const QColor &colour)
{
    QPen pen(colour, mm * 0.35, Qt::DashLine);
    painter.setPen(pen);
    painter.drawLine(QPointF(plot.area.left(), plot.y(value)),
                     QPointF(plot.area.right(), plot.y(value)));
    painter.setFont(ReportSheet::font(7, true));
    painter.drawText(QRectF(plot.area.right() + mm, plot.y(value) - mm * 2, mm * 10, mm * 4),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::number(value));
}

// Days in a row are joined; a day without readings leaves a gap.
void drawSeries(QPainter &painter, const Plot &plot, double mm, const ReportContent &content,
                const QColor &colour, double ReportContent::ChartDay::*value)
{
    QPainterPath path;
    QDate previous;
    for (const ReportContent::ChartDay &day : content.chartDays) {
        const QPointF point(plot.x(day.date), plot.y(day.*value));
        if (previous.isValid() && previous.daysTo(day.date) == 1)
            path.lineTo(point);
        else
            path.moveTo(point);
        previous = day.date;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, mm * 0.45, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double radius = std::min(mm * 0.7, plot.area.width() / double(plot.days) / 2.5);
    for (const ReportContent::ChartDay &day : content.chartDays)
        painter.drawEllipse(QPointF(plot.x(day.date), plot.y(day.*value)), radius, radius);
    painter.setBrush(Qt::NoBrush);
}

void drawLegend(QPainter &painter, const QRectF &area, double mm)
{
    struct Entry
    {
        QColor colour;
        Qt::PenStyle style;
        const char *text;
    };
    const Entry entries[] = {{kSystolic, Qt::SolidLine, "Systolisch"},
                             {kDiastolic, Qt::SolidLine, "Diastolisch"},
                             {kPulse, Qt::SolidLine, "Puls"},
                             {QColor(0x55, 0x55, 0x55), Qt::DashLine, "Grenzwerte 135/85 mmHg"}};
    painter.setFont(ReportSheet::font(8));
    double x = area.left();
    const double y = area.bottom() - mm * 2;
    for (const Entry &entry : entries) {
        painter.setPen(QPen(entry.colour, mm * 0.5, entry.style));
        painter.drawLine(QPointF(x, y), QPointF(x + mm * 8, y));
        const QString text = QString::fromUtf8(entry.text);
        painter.setPen(QColor(0x22, 0x22, 0x22));
        const double width = painter.fontMetrics().horizontalAdvance(text);
        painter.drawText(QRectF(x + mm * 10, y - mm * 2.5, width + mm, mm * 5),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += mm * 16 + width;
    }
}

} // namespace

void drawDailyMeansChart(QPainter &painter, const QRectF &area, double unitsPerMm,
                         const ReportContent &content)
{
    const double mm = unitsPerMm;
    painter.save();
    const QRectF plotArea(area.left() + mm * 12, area.top() + mm * 2, area.width() - mm * 22,
                          area.height() - mm * 14);
    const Plot plot = plotFor(plotArea, content);
    drawGrid(painter, plot, mm);
    drawDayLabels(painter, plot, mm);
    drawThreshold(painter, plot, mm, kHomeSystolicThreshold, kSystolic);
    drawThreshold(painter, plot, mm, kHomeDiastolicThreshold, kDiastolic);
    if (content.chartDays.isEmpty()) {
        painter.setFont(ReportSheet::font(10));
        painter.setPen(QColor(0x44, 0x44, 0x44));
        painter.drawText(plotArea, Qt::AlignCenter, QStringLiteral("Keine Messungen im Zeitraum"));
    }
    drawSeries(painter, plot, mm, content, kPulse, &ReportContent::ChartDay::pulse);
    drawSeries(painter, plot, mm, content, kDiastolic, &ReportContent::ChartDay::diastolic);
    drawSeries(painter, plot, mm, content, kSystolic, &ReportContent::ChartDay::systolic);
    drawLegend(painter, area, mm);
    painter.restore();
}
