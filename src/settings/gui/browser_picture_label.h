#pragma once

#include <QLabel>

// A picture of the browser row; it reports a left click.
class BrowserPictureLabel : public QLabel
{
    Q_OBJECT

public:
    explicit BrowserPictureLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
