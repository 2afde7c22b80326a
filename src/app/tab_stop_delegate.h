#pragma once

#include <QList>
#include <QStyledItemDelegate>

// Draws a list item's tab-separated pieces at fixed tab stops given in
// dialog units (a quarter of the font's average character width each).
class TabStopDelegate : public QStyledItemDelegate
{
public:
    TabStopDelegate(QList<int> stopsInDialogUnits, QObject *parent = nullptr);

    // Pixel positions of the stops for a font.
    static QList<int> stopPixels(const QList<int> &dialogUnits, const QFont &font);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    QList<int> m_stops;
};
