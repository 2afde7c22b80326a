#pragma once

#include "storage/versions.h"

#include <QList>
#include <QString>
#include <QStringList>

// The versions of one month as the restore dialog shows them: when each was
// kept, how many readings it holds and what a restore would change.
namespace MonthVersions {

struct Summary
{
    Versions::Version version;
    QStringList fileLines; // empty when the version cannot be read
    bool readable = false;
    int readings = 0;
    int gained = 0; // readings a restore brings back that the month file lacks
    int lost = 0;   // readings of the month file that the version lacks
};

// Newest first, compared with the month file as it is now (a missing
// month file holds no readings).
QList<Summary> of(const QString &galleryFolder, const QString &monthFile);

// "+2 / −1 Messungen"
QString differenceText(int gained, int lost);
// "1 Messung", "31 Messungen"
QString readingsText(int count);

} // namespace MonthVersions
