#pragma once

#include "base/windows1252.h"
#include "journal/month_file.h"

#include <QStringList>

// The two versions the kill test writes in turn: a full month file (the old
// one with 123 readings, the new one with all 124) and a remark of 250
// characters in two wordings.
namespace SaveContents {

inline QStringList monthFile(bool newVersion)
{
    QStringList display;
    static const char *const labels[] = {"Morgens den ", "Messung2 den ", "Messung3 den ",
                                         "Abends den "};
    for (int day = 1; day <= 31; ++day) {
        for (int slot = 0; slot < 4; ++slot) {
            if (!newVersion && day == 31 && slot == 3)
                continue;
            display << QStringLiteral(
                           "%1\t%2.03.2017 \tZ=07:30 \ts=%3, \td=%4, \tp=%5, \tGewicht=%6")
                           .arg(QLatin1String(labels[slot]))
                           .arg(day, 2, 10, QLatin1Char('0'))
                           .arg(newVersion ? 141 : 120 + slot)
                           .arg(80 + slot)
                           .arg(60 + day)
                           .arg(newVersion ? QStringLiteral("81,5") : QStringLiteral("0"));
        }
    }
    return MonthFile::fileLines(QStringLiteral("Muster"), QStringLiteral("März"),
                                QStringLiteral("2017"), {true, true, true, true}, display);
}

inline QStringList remark(bool newVersion)
{
    const QString line = newVersion ? QStringLiteral("Neue Bemerkung über den März, ")
                                    : QStringLiteral("Alte Bemerkung zum Blutdruck. ");
    QStringList lines;
    QString text;
    while (text.size() + line.size() + 2 <= 250) {
        lines << line;
        text += line + QStringLiteral("\r\n");
    }
    return lines;
}

inline QByteArray bytesOf(const QStringList &lines)
{
    return Windows1252::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace SaveContents
