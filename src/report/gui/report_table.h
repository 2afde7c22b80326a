#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPainterPath>
#include <QStringList>

class ReportSheet;

// A table set row by row on the report's pages: the header row stands on top
// of every page the table reaches; numbers are right-aligned. A long readings
// table is thousands of cells, so cells are set at a point (not laid out in a
// rectangle) and the rules of a page are drawn as one path when it is full,
// which keeps the PDF's drawing state from changing at every cell.
class ReportTable
{
public:
    ReportTable(ReportSheet &sheet, QList<double> shares, int firstNumberColumn,
                QStringList header);

    // The height of every row, the header row too.
    static double rowHeight(const ReportSheet &sheet);

    void addRow(const QStringList &cells);
    // Draws the rules of the last page.
    void finish();

private:
    void drawHeader();
    void drawCells(const QStringList &cells, const QFontMetricsF &metrics);
    void drawRules();

    ReportSheet &m_sheet;
    QList<double> m_shares; // of the width, one per column
    int m_firstNumberColumn;
    QStringList m_header;
    QFont m_font;
    QFont m_headerFont;
    QFontMetricsF m_metrics;
    QFontMetricsF m_headerMetrics;
    double m_rowHeight;
    QPainterPath m_rules;
    bool m_bodyStateSet = false;
};
