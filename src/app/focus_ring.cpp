#include "app/focus_ring.h"

#include <QApplication>
#include <QPainter>

FocusRing::FocusRing(QWidget &window)
    : QWidget(&window)
{
    setObjectName(QStringLiteral("FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusRing::follow(QWidget *focused)
{
    for (const QPointer<QWidget> &watched : std::as_const(m_watched)) {
        if (watched)
            watched->removeEventFilter(this);
    }
    m_watched.clear();
    m_target = nullptr;
    if (!focused || focused->window() != parentWidget() || focused == this) {
        hide();
        return;
    }
    m_target = focused;
    for (QWidget *widget = focused; widget && widget != parentWidget();
         widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        m_watched.append(widget);
    }
    place();
}

void FocusRing::place()
{
    if (!m_target || !m_target->isVisible()) {
        hide();
        return;
    }
    const QRect rect(m_target->mapTo(parentWidget(), QPoint(0, 0)), m_target->size());
    setGeometry(rect.adjusted(-kWidth, -kWidth, kWidth, kWidth));
    // Only the frame is painted; the control inside stays clickable and seen.
    setMask(
        QRegion(this->rect()).subtracted(this->rect().adjusted(kWidth, kWidth, -kWidth, -kWidth)));
    raise();
    show();
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    if (m_watched.contains(qobject_cast<QWidget *>(watched))) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
    painter.fillRect(rect().adjusted(2, 2, -2, -2), Qt::black);
}
