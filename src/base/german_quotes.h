#pragma once

#include <QString>

// Names in the program's own messages stand in German quotation marks:
// „Muster_03_2017.tab“. (The messages the program has always shown keep
// their straight quotes.)
inline QString germanQuoted(const QString &text)
{
    return QStringLiteral("„") + text + QStringLiteral("“");
}
