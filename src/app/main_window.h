#pragma once

#include "app/entry_form.h"
#include "app/form_colours.h"
#include "app/form_geometry.h"
#include "app/form_start.h"
#include "app/remark_editor.h"
#include "app/version_keeping.h"
#include "charts/chart_inputs.h"
#include "journal/quick_entry.h"
#include "storage/open_month.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

namespace Ui {
class TMainForm;
}
class PaintRefresh;
class QTimer;
class ScreenInfo;
class TEinstellDlg;
class TInfoDlg;
class TMachPause;
class TNameEingDlg;
class TSchnellEingabeDlg;
class TTabellenDlg;

// Where the main window finds its surroundings; tests choose every one.
struct MainFormEnvironment
{
    QString startFolder;              // the working folder at start
    QString settingsFile;             // the per-user settings file
    QString installedDataFolder;      // <prefix>/share/vantoria/, ends in '/'
    ScreenInfo *screenInfo = nullptr; // null: the real screen and input devices
};

// The one main window: entry list, entry form, weight group, evaluation memo,
// chart buttons and the menu. It reads its controls, hands the month's
// commands to OpenMonth and shows what the open month holds.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    TMainForm(UiSeam &seam, MainFormEnvironment environment, QWidget *parent = nullptr);
    ~TMainForm() override;

    // True when the start-up ended the program (folders, vanished last file).
    bool endedAtStart() const { return m_endedAtStart; }

    // The refresh the desktop's paint starts: layout, then the form as the
    // open month wants it. Tests run it without a desktop.
    void FormPaint();
    bool FirstPaintPending() const { return m_firstPaintPending; }

    // Loads a month file into list, form and statistics (the other commands
    // reload the gallery's month through it after they changed the file).
    // By value: callers pass openMonth().path(), which it changes.
    void MachEs(QString path); // NOLINT(performance-unnecessary-value-param)
    // Writes the open month and loads it again.
    void TabDateiSpeichern();
    // Shows the month's weight mean and colours it by the difference to the
    // weight in the field.
    void ZeigGewichtInfo();

    // The quick entry, started from a reminder: proposes `slot` (the slot
    // of the time of day when none is given) for today.
    void openQuickEntry(std::optional<Slot> slot);

    // --- state, read by tests and the other windows --------------------
    const OpenMonth &openMonth() const { return m_month; }
    Slot CurrentSlot() const { return m_entryForm.slot(); }
    const QString &SlotPrefix() const { return m_entryForm.slotPrefix(); }
    bool MonthMismatch() const { return m_monthMismatch; }
    bool YearMismatch() const { return m_yearMismatch; }
    long double CurrentWeight() const { return m_currentWeight; }
    long double WeightDifference() const { return m_weightDifference; }
    bool RemarkModified() const { return m_remark->modified(); }
    // An entry taken out to be edited and not yet added again.
    bool EditPending() const { return m_editPending; }
    const QString &DataFolder() const { return m_places.dataFolder; }
    const QString &StartFolder() const { return m_places.startFolder; }
    QStringList listLines() const;
    const SettingsStore &settings() const { return m_settings; }
    TTabellenDlg *tabellenDlg() const { return m_tabellenDlg; }
    QTimer *tabellenAnzeigeTimer() const { return m_tabellenAnzeigeTimer; }
    bool TouchCapable() const { return m_geometry->touchCapable(); }
    bool PortraitScreen() const { return m_geometry->portraitScreen(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    // The handlers of the controls and menu items; connectHandlers() wires
    // each to its control inside the command guard.
    void neuerstellen1Click();
    void oeffnenClick();
    void Bemerkungeingeben1Click();
    void Einstellungen1Click();
    void Tabelleanzeigen1Click();
    void TabellenAnzeigeTimerTimer();
    void Namendern1Click();
    void RegistryEintraegeloeschen1Click();
    void HilfeThemenClick();
    void InfoueberClick();
    void beenden1Click();
    void ListBox1Click();
    void BitBtn1Click();
    void BitBtn3Click();
    void BtnEintragBearbeitenClick();
    void CheckBoxClick();
    void BtnBalkendiagrammErstellenClick();
    void LinienDiagrammErstellenClick();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void GewichtEditChange();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void SpinButton2UpClick();
    void SpinButton2DownClick();
    void GewichtsEingabeCheckBoxClick();
    void Memo2Change();
    void SchnellEingabe1Click();

private:
    // start-up (FormCreate), in its steps
    void FormCreate();
    void createWindows();
    void connectHandlers();

    // refresh
    void RefreshSequence();
    void showToday();
    void firstPaintSteps();
    void freshForm();
    void ensureYearFolder();

    // central cycle helpers
    void showMonthLines(); // the list as the open month holds it, on its changed()
    void showMonthMeansLabel();
    void takeHeader(const MonthFile::Header &header);
    // Nothing is written when the file holds `fileHolds` already.
    void saveAndReload(const QString &takenOutLine = QString(),
                       const QStringList *fileHolds = nullptr);
    bool openGalleryMonthForAdd(const OpenMonth::Joined &joined);
    bool formRefusesAdd();
    bool weightRefusesAdd();
    void finishAdd(const QStringList &written);
    void updateEntryButtons();
    void showEvaluation();
    void ListBox1RowChanged(int row);
    void showMessage(UiSeam::MessageKind kind, const QString &text);
    ChartInputs chartInputs() const;
    void showChartPage(const QStringList &pageLines);
    // the status line, changes on disk and conflict copies
    void showStatus(const QString &text);
    void monthChangedOnDisk(const QString &path);
    void reloadKeepingForm();
    void tellConflictCopies();

    // quick entry
    bool showsMonthOf(const QDate &date) const;
    std::array<QuickEntry::SlotOfDay, 4> slotsOfDay(const QDate &date) const;

    std::unique_ptr<Ui::TMainForm> ui;
    UiSeam &m_seam;
    MainFormEnvironment m_environment;
    SettingsStore m_settings;
    VersionKeeping m_versionKeeping{m_seam};

    TNameEingDlg *m_nameEingDlg = nullptr;
    TTabellenDlg *m_tabellenDlg = nullptr;
    TEinstellDlg *m_einstellDlg = nullptr;
    TInfoDlg *m_infoDlg = nullptr;
    TSchnellEingabeDlg *m_schnellEingabeDlg = nullptr;
    TMachPause *m_machPause = nullptr;
    QTimer *m_tabellenAnzeigeTimer = nullptr;
    PaintRefresh *m_paintRefresh = nullptr;

    StartPlaces m_places; // the folders; the gallery is the open month's

    OpenMonth m_month;
    std::unique_ptr<RemarkEditor> m_remark;
    long double m_currentWeight = 0;
    long double m_weightDifference = 0;

    EntryForm m_entryForm;
    bool m_monthMismatch = false;
    bool m_yearMismatch = false;

    // flags
    bool m_endedAtStart = false;
    bool m_firstPaintPending = true;
    bool m_presetPending = true;
    // The form is given fresh (weight switch off, preset, last entry
    // selected) at the start and after a month is opened or created; never
    // because the desktop repainted the window.
    bool m_freshFormPending = true;
    bool m_newMonthStarted = false;
    bool m_editPending = false;
    // Another program changed the month while the user's work was pending:
    // the next add loads it first, so the work joins what is on disk.
    bool m_reloadPending = false;
    bool m_conflictsTold = false; // once per start

    std::unique_ptr<FormColours> m_colours; // made with the controls
    bool m_zeroGap = true;

    // layout, orientation, dragging and touch; its handlers Timer1Timer,
    // FormMouseDown, UpDownSchalterGroupMouseDown, GewichtGroupMouseDown
    std::unique_ptr<FormGeometry> m_geometry;
};
