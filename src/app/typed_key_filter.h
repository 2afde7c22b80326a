#pragma once

#include <QObject>

// Lets into the time and weight fields only the characters and keys their
// rules allow; Tab still moves the focus.
class TypedKeyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
