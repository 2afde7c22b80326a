#pragma once

#include <QSpinBox>

// A number field whose value changes only through its arrows (buttons, Up and
// Down keys while it has the focus); typed keys and the mouse wheel are
// ignored, so scrolling over the form never changes a reading. Day and month
// show two digits.
class TSpinEdit : public QSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int minimumDigits READ minimumDigits WRITE setMinimumDigits)

public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    int minimumDigits() const { return m_minimumDigits; }
    void setMinimumDigits(int digits);

    // The shown text ("05").
    QString text() const;

protected:
    QString textFromValue(int value) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    int m_minimumDigits = 1;
};
