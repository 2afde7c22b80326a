#include "app/tab_stop_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

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

void TabStopDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QList<int> stops = stopPixels(m_stops, opt.font);
    const QStringList pieces = text.split(QLatin1Char('\t'));
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    const QRect area = opt.rect.adjusted(2, 0, 0, 0);
    int x = area.left();
    const QFontMetrics metrics(opt.font);
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            // The next stop right of what was drawn, as a tab would jump.
            int next = -1;
            for (int stop : stops) {
                if (area.left() + stop > x) {
                    next = area.left() + stop;
                    break;
                }
            }
            x = next >= 0 ? next : x + metrics.horizontalAdvance(QLatin1Char(' '));
        }
        painter->drawText(QRect(x, area.top(), area.right() - x, area.height()),
                          Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, pieces.at(i));
        x += metrics.horizontalAdvance(pieces.at(i));
    }
    painter->restore();
}
