#include "app/typed_key_filter.h"

#include "journal/field_rules.h"

#include <QKeyEvent>
#include <QLineEdit>

TypedKeyFilter::TypedKeyFilter(Field field, QLineEdit &edit)
    : QValidator(&edit)
    , m_field(field)
{
    edit.setValidator(this);
    edit.installEventFilter(this);
}

QValidator::State TypedKeyFilter::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos); // a point turned into the comma keeps the text's length
    if (m_field == Field::Time) {
        if (!FieldRules::isTypableTime(input))
            return Invalid;
        // Anything else is turned into its stored form when the field is left.
        return FieldRules::normalizedTime(input) == input && FieldRules::isValidTime(input)
                   ? Acceptable
                   : Intermediate;
    }
    const std::optional<QString> weight = FieldRules::typableWeight(input);
    if (!weight)
        return Invalid;
    input = *weight;
    return Acceptable;
}

void TypedKeyFilter::fixup(QString &input) const
{
    if (m_field == Field::Time)
        input = FieldRules::normalizedTime(input);
}

bool TypedKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    // The step buttons may show a negative weight; the user never types one.
    if (m_field == Field::Weight && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->text() == QLatin1String("-"))
        return true;
    return QValidator::eventFilter(watched, event);
}
