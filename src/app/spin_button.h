#pragma once

#include <QWidget>

class QToolButton;

// Two small arrow buttons, one above the other, beside a text field.
class TSpinButton : public QWidget
{
    Q_OBJECT

public:
    explicit TSpinButton(QWidget *parent = nullptr);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    void UpClick();
    void DownClick();

private:
    QToolButton *m_up;
    QToolButton *m_down;
};
