#pragma once

#include "journal/entry_line.h"

#include <QSet>
#include <QStringList>

#include <optional>

// The readings a new content loses, found the plain way: every entry line of
// both contents brought into its comparable form (as the program writes it,
// lower case). The reference MonthFile::readingsLost is held against.
inline QStringList readingsLostByForms(const QStringList &oldFileLines,
                                       const QStringList &newFileLines,
                                       const QString &allowedToGo = QString())
{
    const auto comparable = [](const QString &line) {
        const std::optional<QString> shown = EntryLine::toDisplayLine(line);
        return (shown ? EntryLine::fromDisplayLine(*shown) : line).toLower();
    };
    QSet<QString> kept;
    for (const QString &line : newFileLines) {
        if (EntryLine::isEntryLine(line))
            kept.insert(comparable(line));
    }
    QString mayGo = allowedToGo.isEmpty() ? QString() : comparable(allowedToGo);
    QStringList lost;
    for (const QString &line : oldFileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        const QString key = comparable(line);
        if (kept.contains(key))
            continue;
        if (!mayGo.isEmpty() && key == mayGo) {
            mayGo.clear();
            continue;
        }
        lost.append(line);
    }
    return lost;
}
