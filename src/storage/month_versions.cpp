#include "storage/month_versions.h"

#include "base/text_file.h"
#include "journal/entry_line.h"
#include "journal/month_file.h"

#include <algorithm>

namespace MonthVersions {

QList<Summary> of(const QString &galleryFolder, const QString &monthFile)
{
    const QStringList current = TextFile::readLines(monthFile).value_or(QStringList());
    QList<Summary> summaries;
    const QList<Versions::Version> versions = Versions::of(galleryFolder, monthFile);
    for (auto version = versions.crbegin(); version != versions.crend(); ++version) {
        Summary summary;
        summary.version = *version;
        if (const std::optional<QStringList> lines = TextFile::readLines(version->path)) {
            summary.readable = true;
            summary.fileLines = *lines;
            summary.readings =
                int(std::count_if(lines->cbegin(), lines->cend(), [](const QString &line) {
                    return EntryLine::isEntryLine(line);
                }));
            summary.gained = int(MonthFile::readingsLost(*lines, current).size());
            summary.lost = int(MonthFile::readingsLost(current, *lines).size());
        }
        summaries.append(summary);
    }
    return summaries;
}

QString differenceText(int gained, int lost)
{
    return QStringLiteral("+%1 / \u2212%2 Messungen").arg(gained).arg(lost);
}

QString readingsText(int count)
{
    return count == 1 ? QStringLiteral("1 Messung") : QStringLiteral("%1 Messungen").arg(count);
}

} // namespace MonthVersions
