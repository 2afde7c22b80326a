#include "report/gui/report_table.h"

#include "report/gui/report_sheet.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

const QColor kHeaderFill(0xE8, 0xEE, 0xF7);
const QColor kRule(0x9F, 0xB7, 0xD9);

QFont headerFont()
{
    return ReportSheet::font(8.5, true);
}

} // namespace

ReportTable::ReportTable(ReportSheet &sheet, QList<double> shares, int firstNumberColumn,
                         QStringList header)
    : m_sheet(sheet)
    , m_shares(std::move(shares))
    , m_firstNumberColumn(firstNumberColumn)
    , m_header(std::move(header))
    , m_font(ReportSheet::font(8.5))
    , m_headerFont(headerFont())
    , m_metrics(m_font, &sheet.device())
    , m_headerMetrics(m_headerFont, &sheet.device())
    , m_rowHeight(rowHeight(sheet))
{
    // The header and at least one row stand together.
    m_sheet.reserve(2 * m_rowHeight);
    drawHeader();
}

double ReportTable::rowHeight(const ReportSheet &sheet)
{
    return QFontMetricsF(headerFont(), &sheet.device()).height() * 1.45;
}

void ReportTable::addRow(const QStringList &cells)
{
    if (!m_sheet.fits(m_rowHeight)) {
        drawRules();
        m_sheet.newPage();
        drawHeader();
    }
    if (QPainter *painter = m_sheet.painter(); painter && !m_bodyStateSet) {
        painter->setFont(m_font);
        painter->setPen(Qt::black);
        m_bodyStateSet = true;
    }
    drawCells(cells, m_metrics);
}

void ReportTable::finish()
{
    drawRules();
}

void ReportTable::drawHeader()
{
    if (QPainter *painter = m_sheet.painter()) {
        painter->fillRect(QRectF(m_sheet.left(), m_sheet.y(), m_sheet.width(), m_rowHeight),
                          kHeaderFill);
        painter->setFont(m_headerFont);
        painter->setPen(Qt::black);
        m_bodyStateSet = false;
    }
    drawCells(m_header, m_headerMetrics);
}

void ReportTable::drawCells(const QStringList &cells, const QFontMetricsF &metrics)
{
    if (QPainter *painter = m_sheet.painter()) {
        const double top = m_sheet.y();
        const double baseline = top + (m_rowHeight + metrics.ascent() - metrics.descent()) / 2;
        const double padding = m_sheet.mm(1.5);
        double x = m_sheet.left();
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const double width = m_shares.at(i) * m_sheet.width();
            const double at = i >= m_firstNumberColumn
                                  ? x + width - padding - metrics.horizontalAdvance(cells.at(i))
                                  : x + padding;
            painter->drawText(QPointF(at, baseline), cells.at(i));
            x += width;
        }
        m_rules.moveTo(m_sheet.left(), top + m_rowHeight);
        m_rules.lineTo(m_sheet.left() + m_sheet.width(), top + m_rowHeight);
    }
    m_sheet.advance(m_rowHeight);
}

void ReportTable::drawRules()
{
    QPainter *painter = m_sheet.painter();
    if (!painter || m_rules.isEmpty())
        return;
    painter->setPen(QPen(kRule, m_sheet.mm(0.15)));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_rules);
    m_rules = QPainterPath();
    m_bodyStateSet = false;
}
