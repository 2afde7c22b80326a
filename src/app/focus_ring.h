#pragma once

#include <QPointer>
#include <QWidget>

// A frame drawn around the control that has the keyboard focus, in black and
// white so that it shows on every window colour: the style's own focus frame
// vanishes on the coloured window.
class FocusRing : public QWidget
{
    Q_OBJECT

public:
    // Follows the focus within `window` (a top-level widget).
    explicit FocusRing(QWidget &window);

    static constexpr int kWidth = 3;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QWidget *focused);
    void place();

    QPointer<QWidget> m_target;
    QList<QPointer<QWidget>> m_watched; // the target and its parents, which move it
};
