// The two chart commands: prepare the month, build the page, show it.
#include "app/main_window.h"

#include "app/month_chart_inputs.h"
#include "charts/chart_page.h"
#include "charts/chart_script.h"
#include "charts/gui/show_chart_page.h"
#include "settings/gui/einstell.h"
#include "ui_main_window.h"

namespace {

const QString kNoData = QStringLiteral("Es wurden noch keine Daten eingegeben!");

} // namespace

ChartInputs TMainForm::chartInputs() const
{
    ChartInputs inputs = monthChartInputs(m_month);
    m_colours->fillChartInputs(inputs);
    inputs.zeroGap = m_zeroGap;
    inputs.showValues = m_einstellDlg ? m_einstellDlg->showValuesChecked()
                                      : m_settings.readFlag(SettingKey::ShowValuesAboveCurve);
    return inputs;
}

void TMainForm::showChartPage(const QStringList &pageLines)
{
    const ChartPublishContext context{m_month.path(),
                                      m_month.year(),
                                      m_places.htmlFolder,
                                      m_places.dataFolder,
                                      locateShippedChartScript(),
                                      m_settings};
    ShowChartPage(m_seam, this, context, pageLines);
}

void TMainForm::BtnBalkendiagrammErstellenClick()
{
    ListBox1Click();
    if (m_month.month().isEmpty()) {
        showMessage(UiSeam::MessageKind::Information, kNoData);
        return;
    }
    showChartPage(buildBarPage(chartInputs()));
}

void TMainForm::LinienDiagrammErstellenClick()
{
    m_month.statistics().rebuildDayTable();
    m_zeroGap = m_settings.readFlag(SettingKey::BreakLineAtZero);
    m_remark->saveIfModified(true);
    if (m_month.month().isEmpty()) {
        showMessage(UiSeam::MessageKind::Information, kNoData);
        return;
    }
    showChartPage(buildLinePage(chartInputs()));
}
