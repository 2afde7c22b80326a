#include "report/gui/report_sheet.h"

#include <QPagedPaintDevice>
#include <QPainter>

ReportSheet::ReportSheet(QPagedPaintDevice &device, QPainter *painter, int pageCount,
                         const QString &footerLeft)
    : m_device(device)
    , m_painter(painter)
    , m_pageCount(pageCount)
    , m_footerLeft(footerLeft)
    , m_unitsPerMm(device.logicalDpiY() / 25.4)
    , m_y(mm(kMarginMm))
{}

double ReportSheet::width() const
{
    return m_device.width() - 2 * left();
}

double ReportSheet::spaceLeft() const
{
    return m_device.height() - mm(kFooterMm + 4) - m_y;
}

bool ReportSheet::reserve(double height)
{
    if (fits(height))
        return false;
    newPage();
    return true;
}

void ReportSheet::newPage()
{
    drawFooter();
    if (m_painter)
        m_device.newPage();
    ++m_page;
    m_y = mm(kMarginMm);
}

void ReportSheet::finish()
{
    drawFooter();
}

QFont ReportSheet::font(double points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    // Ligatures would turn "öffnen" into "ö\uFB00nen", which a search in the
    // PDF viewer misses.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void ReportSheet::drawFooter()
{
    if (!m_painter)
        return;
    const QRectF footer(left(), m_device.height() - mm(kFooterMm), width(), mm(6));
    m_painter->save();
    m_painter->setPen(QPen(QColor(0x99, 0x99, 0x99), mm(0.2)));
    m_painter->drawLine(footer.topLeft(), footer.topRight());
    m_painter->setFont(font(8));
    m_painter->setPen(QColor(0x44, 0x44, 0x44));
    m_painter->drawText(footer, Qt::AlignLeft | Qt::AlignBottom, m_footerLeft);
    m_painter->drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                        QStringLiteral("Seite %1 von %2").arg(m_page).arg(m_pageCount));
    m_painter->restore();
}
