#pragma once

#include <QValidator>

class QLineEdit;

// Holds the time and weight fields to what can be typed into them, as the
// user reads it from the clock or the scale. A key that would make the text
// invalid is refused silently; shortcuts, selection and the cursor keys work
// as in any field. The time gets its stored form when the field is left.
class TypedKeyFilter : public QValidator
{
    Q_OBJECT

public:
    enum class Field { Time, Weight };
    // Becomes the field's validator and watches its keys.
    TypedKeyFilter(Field field, QLineEdit &edit);

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Field m_field;
};
