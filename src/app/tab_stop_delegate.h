#pragma once

#include <QList>
#include <QStyledItemDelegate>

// Draws a list row's pieces (EntryListModel::PiecesRole) at tab stops: the
// designed stops, given in dialog units (a quarter of the font's average
// character width each), where the widest reading fits the list with them;
// else stops just wide enough for the widest piece of each column. A piece that still runs
// past the visible edge ends in "…", so that no number shows cut.
class TabStopDelegate : public QStyledItemDelegate
{
public:
    TabStopDelegate(QList<int> stopsInDialogUnits, QObject *parent = nullptr);

    // Pixel positions of the stops for a font.
    static QList<int> stopPixels(const QList<int> &dialogUnits, const QFont &font);

    // Stops that leave each column room for its widest piece (every slot's
    // label, every digit at its widest), and the width of the widest line.
    struct Columns
    {
        QList<int> stops;
        int width = 0;
    };
    static Columns widestReading(const QList<int> &stops, const QFont &font);
    static Columns tightColumns(const QFont &font);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The stops for the font and the width the list shows.
    QList<int> stopsFor(const QFont &font, int visibleWidth) const;

    QList<int> m_stops;
};
