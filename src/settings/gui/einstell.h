#pragma once

#include "settings/browser_places.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class BrowserPictureLabel;
class QLabel;
class SettingsStore;
enum class SettingKey;
class UiSeam;

namespace Ui {
class TEinstellDlg;
}

// The settings dialog: colours, chart options and the browser.
// Every control writes its setting at once; "OK" and "&Abbruch" only close.
class TEinstellDlg : public QDialog
{
    Q_OBJECT

public:
    // Reads the colours and the line-break flag from the settings and finds
    // the installed browsers (once per run; the dialog lives as long as the
    // main window).
    TEinstellDlg(UiSeam &seam, const SettingsStore &settings, QWidget *parent = nullptr);
    ~TEinstellDlg() override;

    // Set by the main window's first paint.
    void setShowValuesChecked(bool checked); // WerteOberhalbKurveAnzeigenCheckBox
    bool showValuesChecked() const;
    // Also the colours a cancelled chooser writes again.
    void setLabelColours(qint32 windowColour, qint32 listColour, qint32 valueColour);

    // Which places of the browser row were offered at creation.
    const BrowserOffer &offeredBrowsers() const { return m_offer; }

signals:
    // The main window applies these at once.
    void windowColourChanged(qint32 colour);
    void listColourChanged(qint32 colour);
    // A series colour (0 systolic, 1 diastolic, 2 pulse) was chosen (or the
    // chooser cancelled, which writes the current colour again): the main
    // window saves and reloads the open month.
    void seriesColourChanged(int series, qint32 colour);
    void valueColourChanged(qint32 colour);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button8Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button4Click();
    void WerteOberhalbKurveAnzeigenCheckBoxClick(bool checked);
    void LinieUnterbrechenCheckBoxClick(bool checked);

private:
    void readColours();
    void seriesClick(int series);
    // The chooser opens on the colour last chosen in this run.
    std::optional<qint32> chooseColour();
    void writeColour(SettingKey key, qint32 colour);
    void setLabelColour(QLabel *label, qint32 colour);
    void FormPaint();

    void PruefeWelcheBrowserInstalliert();
    void browserPictureClick(BrowserPlace place);

    std::unique_ptr<Ui::TEinstellDlg> ui;
    UiSeam &m_seam;
    const SettingsStore &m_settings;

    std::array<qint32, 3> m_seriesColours{};
    qint32 m_valueColour = 0;
    qint32 m_windowColour;
    qint32 m_listColour;
    // Font colours of Label5, Label6 and Label7.
    qint32 m_windowLabelColour;
    qint32 m_listLabelColour;
    qint32 m_valueLabelColour = 0;
    qint32 m_lastChosenColour = 0;

    BrowserOffer m_offer{};
    std::array<BrowserPictureLabel *, kBrowserPlaceCount> m_placeLabels{};
    std::array<QPixmap, kBrowserPlaceCount> m_logos;
};
