#pragma once

#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// The pages of a report as a column that fills from the top: what does not
// fit on the page starts the next one. Without a painter it only counts, so
// that a first pass knows the number of pages the footers name.
class ReportSheet
{
public:
    ReportSheet(QPagedPaintDevice &device, QPainter *painter, int pageCount,
                const QString &footerLeft);

    double mm(double millimetres) const { return millimetres * m_unitsPerMm; }
    double left() const { return mm(kMarginMm); }
    double width() const;
    double y() const { return m_y; }
    int page() const { return m_page; }
    QPainter *painter() const { return m_painter; }
    QPagedPaintDevice &device() const { return m_device; }

    // Above the footer of the current page.
    double spaceLeft() const;
    bool fits(double height) const { return height <= spaceLeft(); }
    // Starts a new page unless `height` still fits; true when it started one.
    bool reserve(double height);
    void newPage();
    void advance(double height) { m_y += height; }
    // The footer of the last page.
    void finish();

    // Fonts in points; the device's resolution turns them into its units.
    static QFont font(double points, bool bold = false);

private:
    static constexpr double kMarginMm = 18;
    static constexpr double kFooterMm = 14;
    void drawFooter();

    QPagedPaintDevice &m_device;
    QPainter *m_painter;
    int m_pageCount;
    QString m_footerLeft;
    double m_unitsPerMm;
    double m_y;
    int m_page = 1;
};
