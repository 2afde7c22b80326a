// The two chart commands: prepare the month, build the page, show it.
#include "app/main_window.h"

#include "charts/chart_page.h"
#include "charts/chart_script.h"
#include "charts/show_chart_page.h"
#include "settings/einstell.h"

#include "ui_main_window.h"

namespace {

const QString kNoData = QStringLiteral("Es wurden noch keine Daten eingegeben!");

} // namespace

ChartInputs TMainForm::chartInputs() const
{
    ChartInputs inputs;
    inputs.dayMeans = m_statistics.dayTable();
    inputs.monthMeanSystolic = m_statistics.monthMeans().systolic();
    inputs.monthMeanDiastolic = m_statistics.monthMeans().diastolic();
    inputs.monthMeanPulse = m_statistics.monthMeans().pulse();
    inputs.monthWeightMean = m_monthWeightMean;
    inputs.openMonth = m_openMonth;
    inputs.openYear = m_openYear;
    inputs.monthName = m_monthName;
    inputs.userName = m_userName;
    inputs.systolicColour = m_systolicColour;
    inputs.diastolicColour = m_diastolicColour;
    inputs.pulseColour = m_pulseColour;
    inputs.valueColour = m_valueColour;
    inputs.chartBorderWidth =
        m_chartBorderWidth.isEmpty() ? QStringLiteral("2") : m_chartBorderWidth;
    inputs.zeroGap = m_zeroGap;
    inputs.showValues = m_einstellDlg ? m_einstellDlg->showValuesChecked()
                                      : m_settings.readFlag(SettingKey::ShowValuesAboveCurve);
    QString remark = m_monthFilePath;
    if (remark.endsWith(QStringLiteral(".tab"), Qt::CaseInsensitive))
        remark.chop(4);
    inputs.remarkFilePath = remark + QStringLiteral(".txt");
    return inputs;
}

void TMainForm::showChartPage(const QStringList &pageLines)
{
    const ChartPublishContext context{
        m_monthFilePath, m_openYear, m_htmlFolder, m_dataFolder, locateShippedChartScript(),
        m_settings};
    ShowChartPage(m_seam, this, context, pageLines);
}

void TMainForm::BtnBalkendiagrammErstellenClick()
{
    ListBox1Click();
    if (m_openMonth.isEmpty()) {
        showMessage(UiSeam::MessageKind::Information, kNoData);
        return;
    }
    showChartPage(buildBarPage(chartInputs()));
}

void TMainForm::LinienDiagrammErstellenClick()
{
    m_statistics.rebuildDayTable();
    m_zeroGap = m_settings.readFlag(SettingKey::BreakLineAtZero);
    if (m_remarkModified) {
        saveRemark();
        ui->Memo2->clear();
        m_remarkModified = false;
    }
    if (m_openMonth.isEmpty()) {
        showMessage(UiSeam::MessageKind::Information, kNoData);
        return;
    }
    showChartPage(buildLinePage(chartInputs()));
}
