#include "app/desktop_aids.h"

#include "app/accessible_texts.h"
#include "app/focus_ring.h"

#include <QDialog>
#include <QMainWindow>
#include <QPlainTextEdit>

namespace {

template <typename T> T *control(QWidget &form, const QString &name)
{
    T *found = form.findChild<T *>(name);
    if (!found)
        qFatal("the main window has no control %s", qPrintable(name));
    return found;
}

void applyAccessibleTexts(QWidget &form)
{
    for (const AccessibleText &text : mainFormAccessibleTexts()) {
        const QStringList path = QString::fromLatin1(text.objectName).split(QLatin1Char('/'));
        QWidget *widget = control<QWidget>(form, path.constFirst());
        if (path.size() > 1)
            widget = control<QWidget>(*widget, path.constLast());
        if (*text.name)
            widget->setAccessibleName(QString::fromUtf8(text.name));
        if (*text.description)
            widget->setAccessibleDescription(QString::fromUtf8(text.description));
    }
}

} // namespace

void installDesktopAids(QMainWindow &form)
{
    applyAccessibleTexts(form);
    new FocusRing(form);
    // The remark is typed into the memo; Tab must still lead out of it.
    control<QPlainTextEdit>(form, QStringLiteral("Memo2"))->setTabChangesFocus(true);

    new FocusRing(*control<QDialog>(form, QStringLiteral("SchnellEingabeDlg")));
}
