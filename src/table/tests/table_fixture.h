#pragma once

#include "base/text_file.h"

#include <QStringList>

// The entry lines of the table tests' fixture month (April 2017).
inline QStringList fixtureEntries()
{
    const auto lines = TextFile::readLines(QStringLiteral(VANTORIA_TEST_DATA_DIR) +
                                           QStringLiteral("/table/Muster_04_2017.tab"));
    QStringList entries;
    for (const QString &line : lines.value())
        if (line.startsWith(QLatin1Char('M')) || line.startsWith(QLatin1Char('A')))
            entries.append(line);
    return entries;
}
