#include "app/month_chart_inputs.h"

#include "storage/open_month.h"

ChartInputs monthChartInputs(const OpenMonth &month)
{
    ChartInputs inputs;
    const MonthStatistics &statistics = month.statistics();
    inputs.dayMeans = statistics.dayTable();
    inputs.monthMeanSystolic = statistics.monthMeans().systolic();
    inputs.monthMeanDiastolic = statistics.monthMeans().diastolic();
    inputs.monthMeanPulse = statistics.monthMeans().pulse();
    inputs.monthWeightMean = month.weightMean();
    inputs.openMonth = month.month();
    inputs.openYear = month.year();
    inputs.monthName = month.monthName();
    inputs.userName = month.userName();
    QString remark = month.path();
    if (remark.endsWith(QStringLiteral(".tab"), Qt::CaseInsensitive))
        remark.chop(4);
    inputs.remarkFilePath = remark + QStringLiteral(".txt");
    return inputs;
}
