#pragma once

#include "exchange/csv_import.h"
#include "storage/gallery_merge.h"

#include <QList>
#include <QString>

// What an import will do and did, in the user's words.
namespace ImportReport {

struct MonthRow
{
    QString title; // "März 2017"; "ohne lesbares Datum" for lines without one
    int added = 0;
    int present = 0;
    int unplaced = 0;
    QList<int> faultyLines;
};

// One row per month of the plan or of a faulty line, in date order; the
// faulty lines without a date last.
QList<MonthRow> rows(const GalleryMerge::Plan &plan, const QList<CsvImport::Faulty> &faulty);

// "Zeile 17: Das Datum „32.01.2017“ ist kein Datum der Form TT.MM.JJJJ." a line each.
QString faultyLinesText(const QList<CsvImport::Faulty> &faulty);

// "123 Messungen übernommen, 4 schon vorhanden, 2 fehlerhafte Zeilen (Zeile 17, 40)",
// and how many found no free slot, where any did not.
QString summary(const GalleryMerge::Plan &plan, const QList<CsvImport::Faulty> &faulty);

} // namespace ImportReport
