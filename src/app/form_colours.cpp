#include "app/form_colours.h"

#include "app/form_start.h"
#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "charts/chart_inputs.h"
#include "settings/gui/colour_palette.h"
#include "settings/gui/einstell.h"
#include "storage/settings_store.h"

#include <QApplication>
#include <QListView>

FormColours::FormColours(QWidget &background, QListView &list)
    : m_background(background)
    , m_listWidget(list)
{}

void FormColours::takeStart(const StartPlaces &start)
{
    m_systolic = start.systolicColour.value_or(m_systolic);
    m_diastolic = start.diastolicColour.value_or(m_diastolic);
    m_pulse = start.pulseColour.value_or(m_pulse);
    setListColour(start.listColour.value_or(m_list));
    setWindowColour(start.windowColour.value_or(m_window));
}

void FormColours::readValueColour(const SettingsStore &settings)
{
    const QString stored = settings.read(SettingKey::ValuesAboveColour);
    m_value = 0;
    if (stored.isEmpty())
        return;
    try {
        m_value = GermanNumbers::toInt32(stored);
    } catch (const ConversionError &) {
        m_value = 0;
    }
}

void FormColours::setWindowColour(qint32 colour)
{
    m_window = colour;
    QPalette palette = m_background.palette();
    palette.setColor(QPalette::Window, colourFromValue(colour, QApplication::palette()));
    m_background.setPalette(palette);
    m_background.setAutoFillBackground(true);
}

void FormColours::setListColour(qint32 colour)
{
    m_list = colour;
    QPalette palette = m_listWidget.palette();
    palette.setColor(QPalette::Base, colourFromValue(colour, QApplication::palette()));
    m_listWidget.setPalette(palette);
}

void FormColours::setSeriesColour(int series, qint32 colour)
{
    if (series == 0)
        m_systolic = colour;
    else if (series == 1)
        m_diastolic = colour;
    else
        m_pulse = colour;
}

void FormColours::fillChartInputs(ChartInputs &inputs) const
{
    inputs.systolicColour = m_systolic;
    inputs.diastolicColour = m_diastolic;
    inputs.pulseColour = m_pulse;
    inputs.valueColour = m_value;
}

void FormColours::follow(const TEinstellDlg &settingsWindow)
{
    const auto take = [this, &settingsWindow](auto signal, void (FormColours::*set)(qint32)) {
        QObject::connect(&settingsWindow, signal, &m_listWidget,
                         [this, set](qint32 colour) { (this->*set)(colour); });
    };
    take(&TEinstellDlg::windowColourChanged, &FormColours::setWindowColour);
    take(&TEinstellDlg::listColourChanged, &FormColours::setListColour);
    take(&TEinstellDlg::valueColourChanged, &FormColours::setValueColour);
    QObject::connect(&settingsWindow, &TEinstellDlg::seriesColourChanged, &m_listWidget,
                     [this](int series, qint32 colour) { setSeriesColour(series, colour); });
}
