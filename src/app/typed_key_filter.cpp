#include "app/typed_key_filter.h"

#include "journal/field_rules.h"

#include <QKeyEvent>

namespace {

// Windows key codes of the keys the rules name.
int windowsKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Delete:
        return 46;
    default:
        return 1000;
    }
}

} // namespace

bool TypedKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    const QString typed = key->text();
    const bool isCharacter = typed.size() == 1 && typed.at(0).isPrint();
    if (isCharacter)
        return !FieldRules::characterPassesTextFilter(typed.at(0));
    return !FieldRules::keyDownPassesTextFilter(windowsKeyCode(key->key()));
}
