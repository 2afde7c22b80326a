#pragma once

#include <QtGlobal>

class QListView;
class QWidget;
class SettingsStore;
struct ChartInputs;
struct StartPlaces;
class TEinstellDlg;

// The colours the user chose: the backgrounds of the window and the list,
// and the chart's series and the values above its curves.
class FormColours
{
public:
    FormColours(QWidget &background, QListView &list);

    void takeStart(const StartPlaces &start);
    // A damaged stored value keeps black.
    void readValueColour(const SettingsStore &settings);

    void setWindowColour(qint32 colour);
    void setListColour(qint32 colour);
    void setValueColour(qint32 colour) { m_value = colour; }
    // 0 systolic, 1 diastolic, 2 pulse.
    void setSeriesColour(int series, qint32 colour);

    qint32 windowColour() const { return m_window; }
    qint32 listColour() const { return m_list; }
    qint32 valueColour() const { return m_value; }
    void fillChartInputs(ChartInputs &inputs) const;
    // Takes every colour the user picks in the settings window.
    void follow(const TEinstellDlg &settingsWindow);

private:
    QWidget &m_background;
    QListView &m_listWidget;
    qint32 m_systolic = 0;
    qint32 m_diastolic = 0;
    qint32 m_pulse = 0;
    qint32 m_value = 0;
    qint32 m_window = 410617;
    qint32 m_list = 6786300;
};
