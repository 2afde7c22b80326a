#pragma once

#include "journal/entry_line.h"

#include <QString>
#include <QStringList>

// The evaluation of one reading shown in the memo: four items, the first two
// ending in CRLF themselves. Throws ConversionError when the systolic or the
// diastolic value is not a whole number; `partial` (when given) receives the
// items made until then.
QStringList evaluationItems(const EntryLine::Parsed &line, QStringList *partial = nullptr);
// The same for a line as the list shows it.
inline QStringList evaluationItems(const QString &displayLine, QStringList *partial = nullptr)
{
    return evaluationItems(EntryLine::Parsed(displayLine), partial);
}

// The memo's text of the items: one line each, so the CRLF that ends the
// first two leaves an empty line after them.
QString evaluationMemoText(const QStringList &items);
