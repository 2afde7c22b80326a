#include "app/spin_edit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

TSpinEdit::TSpinEdit(QWidget *parent)
    : QSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(false);
    setFocusPolicy(Qt::StrongFocus); // the wheel neither focuses nor steps it
}

void TSpinEdit::setMinimumDigits(int digits)
{
    m_minimumDigits = digits;
    lineEdit()->setText(textFromValue(value()));
}

QString TSpinEdit::text() const
{
    return textFromValue(value());
}

QString TSpinEdit::textFromValue(int value) const
{
    return QStringLiteral("%1").arg(value, m_minimumDigits, 10, QLatin1Char('0'));
}

void TSpinEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QSpinBox::keyPressEvent(event);
        return;
    default:
        event->accept(); // swallowed: nothing can be typed here
    }
}

void TSpinEdit::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}
