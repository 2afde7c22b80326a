#include "help_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace {

const QColor kHeadingColour(0x1f, 0x3f, 0x73);
const QColor kRuleColour(0x9f, 0xb7, 0xd9);
constexpr double kBodyPoints = 10.5;

void styleBlocks(QTextDocument &doc)
{
    QTextCursor cursor(&doc);
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        QTextBlockFormat blockFormat = block.blockFormat();
        const int level = blockFormat.headingLevel();
        if (level > 0) {
            // The importer sizes headings relative to the body; a relative size
            // wins over a point size, so it has to go rather than be merged over.
            QList<QPair<QTextFragment, QTextCharFormat>> fragments;
            for (auto it = block.begin(); !it.atEnd(); ++it)
                fragments.append({it.fragment(), it.fragment().charFormat()});
            for (auto &[fragment, chars] : fragments) {
                chars.clearProperty(QTextFormat::FontSizeAdjustment);
                chars.setFontPointSize(first ? 20 : level == 1 ? 15 : 12.5);
                chars.setFontWeight(QFont::Bold);
                chars.setForeground(kHeadingColour);
                QTextCursor part(&doc);
                part.setPosition(fragment.position());
                part.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                part.setCharFormat(chars);
            }
            blockFormat.setTopMargin(level == 1 ? 14 : 10);
            blockFormat.setBottomMargin(6);
        } else {
            blockFormat.setBottomMargin(5);
            blockFormat.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
        }
        cursor.setBlockFormat(blockFormat);
        first = false;
    }
}

void styleTables(QTextDocument &doc)
{
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(0.6);
        format.setBorderBrush(QColor(0x70, 0x70, 0x70));
        format.setBorderCollapse(true);
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setHeaderRowCount(1);
        format.setTopMargin(4);
        format.setBottomMargin(8);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat header = cell.format();
            header.setBackground(QColor(0xe8, 0xee, 0xf7));
            cell.setFormat(header);
            QTextCursor cursor = cell.firstCursorPosition();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            cursor.mergeCharFormat(bold);
        }
    }
}

// Pictures come in at their pixel size; each is set to `width` (in the
// document's units of 1/96 inch, which the layout scales to the device), so a
// page picture stands whole on one help page.
void fitImages(QTextDocument &doc, double width)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            if (!image.isValid())
                continue;
            const QImage picture(doc.baseUrl().resolved(QUrl(image.name())).toLocalFile());
            if (picture.isNull() || picture.width() <= 0)
                continue;
            image.setWidth(width);
            image.setHeight(width * picture.height() / picture.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(it.fragment().position());
            cursor.setPosition(it.fragment().position() + it.fragment().length(),
                               QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

int pageOf(double y, double pageHeight)
{
    return static_cast<int>(y / pageHeight);
}

// A heading whose following text starts on the next page moves there too.
// Each move can push later headings, so repeat until nothing moves.
void keepHeadingsWithText(QTextDocument &doc, double pageHeight)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    for (int round = 0; round < 50; ++round) {
        bool moved = false;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            QTextBlockFormat format = block.blockFormat();
            const QTextBlock next = block.next();
            if (format.headingLevel() == 0 || !next.isValid() ||
                format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                continue;
            const QRectF heading = layout->blockBoundingRect(block);
            QRectF following = layout->blockBoundingRect(next);
            if (next.layout() && next.layout()->lineCount() > 0) {
                const QTextLine line = next.layout()->lineAt(0);
                following = QRectF(following.left(), following.top() + line.y(), following.width(),
                                   line.height());
            }
            if (pageOf(heading.top(), pageHeight) != pageOf(following.bottom(), pageHeight)) {
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                QTextCursor(block).setBlockFormat(format);
                // Qt relays out only part of a paged document after a format
                // change and can lose everything below a later table.
                doc.markContentsDirty(0, doc.characterCount());
                moved = true;
                break;
            }
        }
        if (!moved)
            return;
    }
}

} // namespace

QString writeHelpPdf(const QString &markdown, const QString &pdfPath, const QString &title,
                     const QString &sourceFolder)
{
    const QFileInfo target(pdfPath);
    if (!QDir().mkpath(target.absolutePath()))
        return QStringLiteral("cannot create %1").arg(target.absolutePath());

    QPdfWriter writer(pdfPath);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(22, 18, 22, 12), QPageLayout::Millimeter));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Vantoria"));

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSizeF(kBodyPoints);
    // Ligatures would turn "öffnen" into "ö\uFB00nen", which a PDF viewer's search misses.
    body.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(body);
    doc.setDocumentMargin(0);
    if (!sourceFolder.isEmpty())
        doc.setBaseUrl(QUrl::fromLocalFile(QDir(sourceFolder).absolutePath() + QLatin1Char('/')));
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (doc.isEmpty())
        return QStringLiteral("the guide is empty");
    styleBlocks(doc);
    styleTables(doc);

    const QRect paper = writer.pageLayout().paintRectPixels(writer.resolution());
    const double millimetre = writer.resolution() / 25.4;
    const double headerHeight = 9 * millimetre;
    const double footerHeight = 12 * millimetre;
    const QSizeF pageBody(paper.width(), paper.height() - headerHeight - footerHeight);
    fitImages(doc, pageBody.width() * 0.55 * 96 / writer.resolution());
    doc.setPageSize(pageBody);
    keepHeadingsWithText(doc, pageBody.height());

    const int pages = doc.pageCount();
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("cannot write %1").arg(pdfPath);

    QFont small(body);
    small.setPointSizeF(8.5);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        // paint coordinates start at the top left of the margins
        painter.setFont(small);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        if (page > 0) {
            painter.drawText(QRectF(0, 0, pageBody.width(), headerHeight * 0.7),
                             Qt::AlignLeft | Qt::AlignBottom, title);
            painter.setPen(QPen(kRuleColour, 0.3 * millimetre));
            painter.drawLine(QPointF(0, headerHeight * 0.8),
                             QPointF(pageBody.width(), headerHeight * 0.8));
        }
        painter.setPen(QColor(0x55, 0x55, 0x55));
        const QRectF footer(0, headerHeight + pageBody.height(), pageBody.width(), footerHeight);
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pages));

        painter.save();
        painter.translate(0, headerHeight - page * pageBody.height());
        const QRectF visible(0, page * pageBody.height(), pageBody.width(), pageBody.height());
        painter.setClipRect(visible);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end())
        return QStringLiteral("cannot finish %1").arg(pdfPath);
    return {};
}
