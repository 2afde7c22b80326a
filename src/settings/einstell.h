#pragma once

#include <QDialog>

class QCheckBox;
class SettingsStore;
class UiSeam;

// The settings dialog: colours, chart options and the browser.
// Every control writes its setting at once.
class TEinstellDlg : public QDialog
{
    Q_OBJECT

public:
    TEinstellDlg(UiSeam &seam, const SettingsStore &settings, QWidget *parent = nullptr);
    ~TEinstellDlg() override;

    // Set by the main window's first paint.
    void setShowValuesChecked(bool checked);  // WerteOberhalbKurveAnzeigenCheckBox
    bool showValuesChecked() const;
    void setLabelColours(qint32 windowColour, qint32 listColour, qint32 valueColour);

signals:
    // The main window applies these at once.
    void windowColourChanged(qint32 colour);
    void listColourChanged(qint32 colour);
    // A series colour (0 systolic, 1 diastolic, 2 pulse) was chosen (or the
    // chooser cancelled, which writes the current colour again): the main
    // window saves and reloads the open month.
    void seriesColourChanged(int series, qint32 colour);
    void valueColourChanged(qint32 colour);

private:
    UiSeam &m_seam;
    const SettingsStore &m_settings;
    bool m_showValues = true;
};
