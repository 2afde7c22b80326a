#include "app/tab_stop_delegate.h"

#include "app/entry_list_model.h"
#include "journal/entry_line.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kLeftInset = 2;

// The widest piece of each column of a reading, the digits at their widest.
QList<QStringList> widestPieces(const QFontMetrics &metrics)
{
    QChar digit = QLatin1Char('0');
    for (char c = '1'; c <= '9'; ++c) {
        if (metrics.horizontalAdvance(QLatin1Char(c)) > metrics.horizontalAdvance(digit))
            digit = QLatin1Char(c);
    }
    return EntryLine::widestPieces(digit);
}

int widest(const QFontMetrics &metrics, const QStringList &pieces)
{
    int width = 0;
    for (const QString &piece : pieces)
        width = std::max(width, metrics.horizontalAdvance(piece));
    return width;
}

// Where the next piece starts: the next stop at or right of what was drawn
// (every piece ends in a blank), else one blank further.
int nextStart(const QList<int> &stops, int x, const QFontMetrics &metrics)
{
    for (int stop : stops) {
        if (stop >= x)
            return stop;
    }
    return x + metrics.horizontalAdvance(QLatin1Char(' '));
}

int visibleWidthOf(const QStyleOptionViewItem &option)
{
    if (const auto *area = qobject_cast<const QAbstractScrollArea *>(option.widget))
        return area->viewport()->width();
    return option.rect.width();
}

} // namespace

TabStopDelegate::TabStopDelegate(QList<int> stopsInDialogUnits, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_stops(std::move(stopsInDialogUnits))
{}

QList<int> TabStopDelegate::stopPixels(const QList<int> &dialogUnits, const QFont &font)
{
    // A horizontal dialog unit is a quarter of the average character width,
    // measured over the alphabet as the desktop that designed these did.
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double average = double(metrics.horizontalAdvance(alphabet)) / double(alphabet.size());
    QList<int> pixels;
    for (int units : dialogUnits)
        pixels.append(qRound(units * average / 4.0));
    return pixels;
}

TabStopDelegate::Columns TabStopDelegate::widestReading(const QList<int> &stops, const QFont &font)
{
    const QFontMetrics metrics(font);
    int x = 0;
    bool first = true;
    for (const QStringList &column : widestPieces(metrics)) {
        if (!first)
            x = nextStart(stops, x, metrics);
        first = false;
        x += widest(metrics, column);
    }
    return {stops, kLeftInset + x};
}

TabStopDelegate::Columns TabStopDelegate::tightColumns(const QFont &font)
{
    const QFontMetrics metrics(font);
    const QList<QStringList> columns = widestPieces(metrics);
    QList<int> stops;
    int x = 0;
    for (qsizetype i = 0; i + 1 < columns.size(); ++i) {
        x += widest(metrics, columns.at(i));
        stops.append(x);
    }
    return widestReading(stops, font);
}

QList<int> TabStopDelegate::stopsFor(const QFont &font, int visibleWidth) const
{
    const Columns designed = widestReading(stopPixels(m_stops, font), font);
    if (designed.width <= visibleWidth)
        return designed.stops;
    return tightColumns(font).stops;
}

void TabStopDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QRect area = opt.rect.adjusted(kLeftInset, 0, 0, 0);
    // What the list shows of the row, whatever width the row was laid out
    // with: a piece past it ends in "…".
    const int visibleRight = visibleWidthOf(option) - 1;
    const QList<int> stops = stopsFor(opt.font, visibleWidthOf(option));
    const QStringList pieces = index.data(EntryListModel::PiecesRole).toStringList();
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    const QFontMetrics metrics(opt.font);
    int x = 0;
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            x = nextStart(stops, x, metrics);
        const int left = area.left() + x;
        const int room = visibleRight + 1 - left;
        if (room <= 0)
            break;
        QString piece = pieces.at(i);
        if (metrics.horizontalAdvance(piece) > room)
            piece = metrics.elidedText(piece, Qt::ElideRight, room);
        painter->drawText(QRect(left, area.top(), room, area.height()),
                          Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, piece);
        x += metrics.horizontalAdvance(pieces.at(i));
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // As wide as the widest reading, but never wider than the list shows:
    // the list need not scroll sideways, and a cut piece ends in "…".
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int visible = visibleWidthOf(option);
    const int wanted = widestReading(stopsFor(option.font, visible), option.font).width;
    size.setWidth(std::min(wanted, visible));
    return size;
}
