#include "app/month_chart_inputs.h"

#include "stats/mean.h"
#include "stats/medication_effect.h"
#include "storage/medication_store.h"
#include "storage/open_month.h"

namespace {

std::optional<long double> asShown(const std::optional<long double> &mean)
{
    return mean ? std::optional<long double>(twoDecimalValue(*mean)) : std::nullopt;
}

} // namespace

ChartInputs monthChartInputs(const OpenMonth &month)
{
    ChartInputs inputs;
    const MonthStatistics &statistics = month.statistics();
    inputs.dayMeans = statistics.dayTable();
    const MonthMeans &means = statistics.monthMeans();
    inputs.monthMeanSystolic = asShown(means.systolicMean());
    inputs.monthMeanDiastolic = asShown(means.diastolicMean());
    inputs.monthMeanPulse = asShown(means.pulseMean());
    inputs.monthWeightMean = month.weightMean();
    inputs.openMonth = month.month();
    inputs.openYear = month.year();
    inputs.monthName = month.monthName();
    inputs.userName = month.userName();
    QString remark = month.path();
    if (remark.endsWith(QStringLiteral(".tab"), Qt::CaseInsensitive))
        remark.chop(4);
    inputs.remarkFilePath = remark + QStringLiteral(".txt");
    const QDate first(month.year().toInt(), month.month().toInt(), 1);
    if (first.isValid() && !month.userName().isEmpty())
        inputs.medicationMarks = medicationDayLabels(
            MedicationStore::medicationsOf(month.galleryFolder(), month.userName()), first,
            first.addMonths(1).addDays(-1));
    return inputs;
}
