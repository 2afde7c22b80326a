#pragma once

#include "exchange/csv_import.h"
#include "storage/gallery_merge.h"

#include <array>

// Where an import goes: the user's months in the gallery, and the stored
// slot times that decide which slot a reading takes.
struct ImportTarget
{
    QString galleryFolder;
    QString user;
    std::array<QString, 4> slotTimes; // "UhrzeitMorgens" … "UhrzeitAbends"
};

// The readings of a file and what merging them would do, for the preview.
struct ImportPreview
{
    QString problem; // why nothing can be imported with this mapping
    CsvImport::Readings readings;
    GalleryMerge::Plan plan;
};

namespace ImportPlan {

ImportPreview preview(const CsvImport::Table &table, const ColumnMapping &mapping,
                      ImportValues::DateForm dateForm, const ImportTarget &target);

} // namespace ImportPlan
