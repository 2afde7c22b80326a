#include "report/gui/report_pdf.h"

#include "report/gui/report_chart.h"
#include "report/gui/report_sheet.h"
#include "report/gui/report_table.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace {

const QColor kHeadingColour(0x1F, 0x3F, 0x73);

double textHeight(const ReportSheet &sheet, const QFont &font, const QString &text)
{
    return QFontMetricsF(font, &sheet.device())
        .boundingRect(QRectF(0, 0, sheet.width(), 1e6), Qt::TextWordWrap | Qt::AlignLeft, text)
        .height();
}

double paragraphHeight(const ReportSheet &sheet, const QFont &font, const QString &text)
{
    return textHeight(sheet, font, text) + sheet.mm(1.2);
}

void paragraph(ReportSheet &sheet, const QFont &font, const QString &text,
               const QColor &colour = Qt::black)
{
    const double height = paragraphHeight(sheet, font, text);
    sheet.reserve(height);
    if (QPainter *painter = sheet.painter()) {
        painter->setFont(font);
        painter->setPen(colour);
        painter->drawText(
            QRectF(sheet.left(), sheet.y(), sheet.width(), textHeight(sheet, font, text)),
            Qt::TextWordWrap | Qt::AlignLeft, text);
    }
    sheet.advance(height);
}

void heading(ReportSheet &sheet, const QString &text)
{
    // A heading never stands alone at the foot of a page.
    sheet.reserve(sheet.mm(20));
    sheet.advance(sheet.mm(3));
    paragraph(sheet, ReportSheet::font(12, true), text, kHeadingColour);
}

void titleBlock(ReportSheet &sheet, const ReportContent &content)
{
    paragraph(sheet, ReportSheet::font(20, true), content.title, kHeadingColour);
    const QFont font = ReportSheet::font(10.5);
    paragraph(sheet, font, content.name);
    paragraph(sheet, font, content.period);
    paragraph(sheet, font, content.printed);
}

void summary(ReportSheet &sheet, const ReportContent &content)
{
    heading(sheet, QStringLiteral("Übersicht"));
    ReportTable means(sheet, {0.22, 0.14, 0.22, 0.22, 0.2}, 1, content.meansHeader);
    for (const QStringList &row : content.meansRows)
        means.addRow(row);
    means.finish();
    sheet.advance(sheet.mm(2));
    for (const QString &fact : content.facts)
        paragraph(sheet, ReportSheet::font(9.5), fact);
}

void chart(ReportSheet &sheet, const ReportContent &content)
{
    heading(sheet, QStringLiteral("Tagesmittelwerte"));
    const double height = sheet.mm(72);
    sheet.reserve(height);
    if (QPainter *painter = sheet.painter())
        drawDailyMeansChart(*painter, QRectF(sheet.left(), sheet.y(), sheet.width(), height),
                            sheet.mm(1), content);
    sheet.advance(height);
}

void monthClassification(ReportSheet &sheet, const ReportContent &content)
{
    heading(sheet, QStringLiteral("Einstufung der Monate"));
    const QFont font = ReportSheet::font(9.5);
    const double height = QFontMetricsF(font, &sheet.device()).height() * 1.4;
    for (const ReportContent::MonthLine &line : content.months) {
        sheet.reserve(height);
        if (QPainter *painter = sheet.painter()) {
            painter->setFont(font);
            painter->setPen(Qt::black);
            const double y = sheet.y();
            painter->drawText(QRectF(sheet.left(), y, sheet.mm(38), height), Qt::AlignVCenter,
                              line.month);
            painter->drawText(QRectF(sheet.left() + sheet.mm(38), y, sheet.mm(36), height),
                              Qt::AlignVCenter, line.means);
            if (!line.colour.isEmpty()) {
                const QRectF swatch(sheet.left() + sheet.mm(74), y + height * 0.18, sheet.mm(8),
                                    height * 0.64);
                painter->setPen(QPen(QColor(0x66, 0x66, 0x66), sheet.mm(0.15)));
                painter->setBrush(QColor(line.colour));
                painter->drawRect(swatch);
                painter->setBrush(Qt::NoBrush);
                painter->setPen(Qt::black);
                painter->drawText(
                    QRectF(swatch.right() + sheet.mm(2), y, sheet.width() - sheet.mm(84), height),
                    Qt::AlignVCenter, line.grade);
            }
        }
        sheet.advance(height);
    }
}

void medications(ReportSheet &sheet, const ReportContent &content)
{
    if (content.medications.isEmpty())
        return;
    const QFont font = ReportSheet::font(9.5);
    heading(sheet, QStringLiteral("Medikamente im Zeitraum"));
    for (const QString &line : content.medications)
        paragraph(sheet, font, line);
    if (content.medicationEffects.isEmpty())
        return;
    sheet.advance(sheet.mm(1.5));
    paragraph(sheet, ReportSheet::font(9.5, true),
              QStringLiteral("Messwerte 14 Tage vor und nach jeder Änderung"));
    for (const QString &line : content.medicationEffects)
        paragraph(sheet, font, line);
}

void textSections(ReportSheet &sheet, const ReportContent &content)
{
    const QFont font = ReportSheet::font(9.5);
    heading(sheet, QStringLiteral("Messwoche"));
    paragraph(sheet, font, content.measuringWeek);
    if (!content.notes.isEmpty()) {
        heading(sheet, QStringLiteral("Hinweise zu den Daten"));
        for (const QString &note : content.notes)
            paragraph(sheet, font, note, QColor(0xA0, 0x20, 0x20));
    }
    heading(sheet, QStringLiteral("Bemerkungen"));
    if (content.remarks.isEmpty())
        paragraph(sheet, font, QStringLiteral("Keine Bemerkungen im Zeitraum"));
    for (const QString &remark : content.remarks)
        paragraph(sheet, font, remark);
}

void readingsTable(ReportSheet &sheet, const ReportContent &content, ReadingsTableStart *start)
{
    if (content.readingRows.isEmpty())
        return;
    const QFont titleFont = ReportSheet::font(12, true);
    const QString title = QStringLiteral("Alle Messungen im Zeitraum");
    // Fewer rows below the title read as a stray scrap above the page break;
    // a table on a page of its own loses nothing but paper.
    const int rowsWithTitle = 5;
    const double gap = sheet.mm(3);
    const double rowHeight = ReportTable::rowHeight(sheet);
    const double needed =
        gap + paragraphHeight(sheet, titleFont, title) + (1 + rowsWithTitle) * rowHeight;
    if (start)
        *start = {sheet.spaceLeft(), needed, rowHeight};
    if (sheet.fits(needed))
        sheet.advance(gap);
    else
        sheet.newPage();
    paragraph(sheet, titleFont, title, kHeadingColour);
    ReportTable table(sheet, {0.14, 0.15, 0.13, 0.1, 0.12, 0.12, 0.1, 0.14}, 4,
                      content.readingsHeader);
    for (const QStringList &row : content.readingRows)
        table.addRow(row);
    table.finish();
}

// One pass over the whole report; returns the number of pages.
int layOut(QPdfWriter &writer, QPainter *painter, int pageCount, const ReportContent &content,
           ReadingsTableStart *start = nullptr)
{
    ReportSheet sheet(writer, painter, pageCount,
                      content.title + QStringLiteral(" · ") + content.user + QStringLiteral(" · ") +
                          content.periodName);
    titleBlock(sheet, content);
    summary(sheet, content);
    chart(sheet, content);
    monthClassification(sheet, content);
    medications(sheet, content);
    textSections(sheet, content);
    readingsTable(sheet, content, start);
    sheet.finish();
    return sheet.page();
}

void setUp(QPdfWriter &writer, const ReportContent &content)
{
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setTitle(content.title + QStringLiteral(" – ") + content.user + QStringLiteral(" – ") +
                    content.periodName);
    writer.setCreator(QStringLiteral("Vantoria"));
}

} // namespace

ReadingsTableStart measureReadingsTableStart(const ReportContent &content)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUp(writer, content);
    ReadingsTableStart start;
    layOut(writer, nullptr, 0, content, &start);
    return start;
}

QByteArray renderReportPdf(const ReportContent &content)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUp(writer, content);
    const int pages = layOut(writer, nullptr, 0, content);
    QPainter painter(&writer);
    layOut(writer, &painter, pages, content);
    painter.end();
    return bytes;
}
