#pragma once

#include <QString>
#include <QStringList>

// The evaluation of one reading shown in the memo: four items, the first two
// ending in CRLF themselves. Throws ConversionError when s= or d= is not a
// whole number; `partial` (when given) receives the items made until then.
QStringList evaluationItems(const QString &displayLine, QStringList *partial = nullptr);

// The memo's text of the items: one line each, so the CRLF that ends the
// first two leaves an empty line after them.
QString evaluationMemoText(const QStringList &items);
