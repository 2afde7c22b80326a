#pragma once

#include <QString>
#include <QStringList>

// The evaluation of one reading shown in the memo: four items, the first two
// ending in CRLF themselves. Throws ConversionError when s= or d= is not a
// whole number; `partial` (when given) receives the items made until then.
QStringList evaluationItems(const QString &displayLine, QStringList *partial = nullptr);
