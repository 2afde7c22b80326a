#include "settings/gui/browser_picture_label.h"

#include <QMouseEvent>

BrowserPictureLabel::BrowserPictureLabel(QWidget *parent)
    : QLabel(parent)
{}

void BrowserPictureLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
