#include "exchange/import_report.h"

#include "journal/slots.h"

#include <algorithm>

namespace ImportReport {

namespace {

// Beyond this the summary names no more line numbers; the preview has all.
constexpr qsizetype kLinesNamed = 10;

MonthRow &rowFor(QList<std::pair<int, MonthRow>> &rows, int key, const QString &title)
{
    for (auto &entry : rows) {
        if (entry.first == key)
            return entry.second;
    }
    rows.append({key, MonthRow{title, 0, 0, 0, {}}});
    return rows.last().second;
}

QString monthTitle(int month, int year)
{
    return germanMonthName(month) + u' ' + QString::number(year);
}

} // namespace

QList<MonthRow> rows(const GalleryMerge::Plan &plan, const QList<CsvImport::Faulty> &faulty)
{
    // Key: year * 12 + month - 1; lines without a date sort last.
    QList<std::pair<int, MonthRow>> keyed;
    for (const GalleryMerge::MonthPlan &month : plan.months) {
        MonthRow &row =
            rowFor(keyed, month.year * 12 + month.month - 1, monthTitle(month.month, month.year));
        row.added = month.added;
        row.present = month.present;
        row.unplaced = month.unplaced;
    }
    for (const CsvImport::Faulty &line : faulty) {
        const QDate date = line.date;
        MonthRow &row = date.isValid() ? rowFor(keyed, date.year() * 12 + date.month() - 1,
                                                monthTitle(date.month(), date.year()))
                                       : rowFor(keyed, std::numeric_limits<int>::max(),
                                                QStringLiteral("ohne lesbares Datum"));
        row.faultyLines.append(line.line);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<MonthRow> result;
    for (auto &entry : keyed)
        result.append(std::move(entry.second));
    return result;
}

QString faultyLinesText(const QList<CsvImport::Faulty> &faulty)
{
    QStringList lines;
    for (const CsvImport::Faulty &line : faulty)
        lines.append(QStringLiteral("Zeile %1: %2").arg(line.line).arg(line.reason));
    return lines.join(u'\n');
}

QString summary(const GalleryMerge::Plan &plan, const QList<CsvImport::Faulty> &faulty)
{
    const int added = plan.added();
    QString text = QStringLiteral("%1 %2 übernommen, %3 schon vorhanden")
                       .arg(added)
                       .arg(added == 1 ? QStringLiteral("Messung") : QStringLiteral("Messungen"))
                       .arg(plan.present());
    if (const int unplaced = plan.unplaced(); unplaced > 0)
        text += QStringLiteral(", %1 ohne freien Platz (alle vier Messungen des Tages belegt)")
                    .arg(unplaced);
    text += QStringLiteral(", %1 %2")
                .arg(faulty.size())
                .arg(faulty.size() == 1 ? QStringLiteral("fehlerhafte Zeile")
                                        : QStringLiteral("fehlerhafte Zeilen"));
    if (!faulty.isEmpty()) {
        QStringList numbers;
        for (qsizetype i = 0; i < std::min(faulty.size(), kLinesNamed); ++i)
            numbers.append(QString::number(faulty.at(i).line));
        if (faulty.size() > kLinesNamed)
            numbers.append(QStringLiteral("…"));
        text += QStringLiteral(" (Zeile ") + numbers.join(QStringLiteral(", ")) + u')';
    }
    return text;
}

} // namespace ImportReport
