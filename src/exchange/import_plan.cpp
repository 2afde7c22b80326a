#include "exchange/import_plan.h"

namespace ImportPlan {

ImportPreview preview(const CsvImport::Table &table, const ColumnMapping &mapping,
                      ImportValues::DateForm dateForm, const ImportTarget &target)
{
    ImportPreview result;
    result.problem = CsvImport::mappingProblem(table, mapping);
    if (!result.problem.isEmpty())
        return result;
    result.readings = CsvImport::readingsOf(table, mapping, dateForm, target.slotTimes);
    // Every reading already has its slot: its own or the nearest by time;
    // the merge moves it only when that slot of the day is taken.
    result.plan = GalleryMerge::plan(target.galleryFolder, target.user, result.readings.readings,
                                     target.slotTimes, true);
    return result;
}

} // namespace ImportPlan
