#include "app/main_window.h"

#include "app/Machpaus.h"
#include "app/NameEing.h"
#include "app/SchnellEingabe.h"
#include "app/backup_commands.h"
#include "app/command_guard.h"
#include "app/conflict_command.h"
#include "app/designed_look.h"
#include "app/desktop_aids.h"
#include "app/entry_list.h"
#include "app/exchange_menu.h"
#include "app/help_document.h"
#include "app/info.h"
#include "app/medication_command.h"
#include "app/month_commands.h"
#include "app/overview_command.h"
#include "app/paint_refresh.h"
#include "app/reminder_menu.h"
#include "app/report_command.h"
#include "settings/gui/einstell.h"
#include "storage/data_folders.h"
#include "table/gui/Tabellep.h"
#include "ui_main_window.h"

#include <QCloseEvent>
#include <QScopeGuard>
#include <QTimer>

namespace {

const QString kLfCr = QStringLiteral("\n\r");

} // namespace

TMainForm::TMainForm(UiSeam &seam, MainFormEnvironment environment, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , ui(std::make_unique<Ui::TMainForm>())
    , m_seam(seam)
    , m_environment(std::move(environment))
    , m_settings(m_environment.settingsFile)
    , m_entryForm(*ui)
{
    ui->setupUi(this);
    connect(&m_month, &OpenMonth::changed, this, &TMainForm::showMonthLines);
    connect(&m_month, &OpenMonth::changedOnDisk, this, [this](const QString &path) {
        runGuarded(m_seam, this, [this, &path] { monthChangedOnDisk(path); });
    });
    m_remark = std::make_unique<RemarkEditor>(*ui->Memo2, *this, m_seam, m_versionKeeping, m_month);
    m_colours = std::make_unique<FormColours>(*ui->centralwidget, *ui->ListBox1);
    setObjectName(QStringLiteral("MainForm"));
    applyDesignedLook(*ui, *this);
    ui->StatusLabel->hide(); // shown while it has something to say
    m_machPause = new TMachPause(this);
    m_machPause->setObjectName(QStringLiteral("MachPause1"));
    m_machPause->setInterval(1000);
    m_geometry = std::make_unique<FormGeometry>(*this, *ui, m_environment.screenInfo, *m_machPause);
    m_tabellenAnzeigeTimer = new QTimer(this);
    m_tabellenAnzeigeTimer->setObjectName(QStringLiteral("TabellenAnzeigeTimer"));
    m_tabellenAnzeigeTimer->setInterval(500);
    connect(m_tabellenAnzeigeTimer, &QTimer::timeout, this,
            [this] { runGuarded(m_seam, this, [this] { TabellenAnzeigeTimerTimer(); }); });
    setFixedSize(651, 671 + menuBar()->sizeHint().height());

    // The first paint corrects the place for the frame once it is known.
    m_paintRefresh = new PaintRefresh(
        *this, [this] { FormPaint(); }, [this] { m_geometry->centreUntilPlaced(); });
    runGuarded(m_seam, this, [this] { FormCreate(); });
    if (m_endedAtStart) {
        m_paintRefresh->stop();
        return;
    }
    connectHandlers();
    installDesktopAids(*this);
    // "Datei": öffnen, the exchange, the backups, the report, then beenden.
    const MonthCommands commands{*this,
                                 m_seam,
                                 m_month,
                                 m_settings,
                                 m_places,
                                 m_versionKeeping,
                                 [this] { MachEs(m_month.path()); },
                                 [this](const QString &text) { showStatus(text); }};
    installExchangeMenu(commands);
    installConflictMerge(commands);
    installBackupCommands(commands);
    installDoctorsReport(commands);
    installMedicationCommand(commands);
    installYearOverview(commands);
    installReminderCommands(commands);
    m_geometry->startOrientationTick([this](const auto &tick) { runGuarded(m_seam, this, tick); });
}

TMainForm::~TMainForm() = default;

// ---------------------------------------------------------------------------
// Start-up

void TMainForm::FormCreate()
{
    m_geometry->setUp();
    // The menu font is set with the other designed fonts.
    m_firstPaintPending = true;
    m_presetPending = true;

    const StartPlaces start = FormStart(m_seam, this, m_settings, m_environment.startFolder).run();
    m_places = start;
    m_month.setGalleryFolder(start.galleryFolder);
    m_month.setHtmlFolder(start.htmlFolder);
    m_endedAtStart = start.endedAtStart();
    if (start.ending == StartPlaces::Ending::FoldersMissing)
        return;
    m_colours->takeStart(start);
    m_zeroGap = start.zeroGap;
    m_entryForm.setSlot(m_entryForm.slot());
    if (m_endedAtStart)
        return;
    createWindows();
}

void TMainForm::createWindows()
{
    m_nameEingDlg = new TNameEingDlg(m_seam, m_settings, this);
    connect(m_nameEingDlg, &TNameEingDlg::nameAccepted, this, [this](const QString &name) {
        m_month.setUserName(name);
        setWindowTitle(QStringLiteral("Messwerte von ") + name);
        ui->Labeltest->setText(QStringLiteral("Blutdruckmesswerte von ") + name);
        runGuarded(m_seam, this, [this] { neuerstellen1Click(); });
    });
    m_tabellenDlg = new TTabellenDlg(m_seam, this);
    m_einstellDlg = new TEinstellDlg(m_seam, m_settings, this);
    m_colours->follow(*m_einstellDlg);
    // The month is saved and loaded again, as after every change; with an
    // empty list nothing is written.
    connect(m_einstellDlg, &TEinstellDlg::seriesColourChanged, this,
            [this] { runGuarded(m_seam, this, [this] { TabDateiSpeichern(); }); });
    m_infoDlg = new TInfoDlg(this);
    m_schnellEingabeDlg = new TSchnellEingabeDlg(this);
}

void TMainForm::showMessage(UiSeam::MessageKind kind, const QString &text)
{
    m_seam.showMessage(this, kind, text);
}

// ---------------------------------------------------------------------------
// Refresh at every paint

void TMainForm::FormPaint()
{
    if (m_paintRefresh->running() || m_endedAtStart)
        return;
    m_paintRefresh->setRunning(true);
    bool laidOut = true;
    runGuarded(m_seam, this, [this, &laidOut] { laidOut = m_geometry->applyLayout(); });
    m_geometry->centreUntilPlaced();
    if (laidOut)
        runGuarded(m_seam, this, [this] { RefreshSequence(); });
    m_paintRefresh->setRunning(false);
}

void TMainForm::RefreshSequence()
{
    // What follows only brings the window's own displays up to date, so a
    // paint caused by a tooltip, a menu, a message box or another window
    // never touches what the user is typing, ticking or has selected.
    showToday();
    if (m_firstPaintPending)
        firstPaintSteps();
    ensureYearFolder();
    // The day and month fields pad themselves to two digits.
    if (m_freshFormPending)
        freshForm();
}

void TMainForm::freshForm()
{
    m_freshFormPending = false;
    ui->GewichtsEingabeCheckBox->setChecked(true);
    GewichtsEingabeCheckBoxClick();
    ui->GewichtsEingabeCheckBox->setChecked(false);
    GewichtsEingabeCheckBoxClick();
    if (m_presetPending) {
        m_entryForm.keepOneSlotSwitchedOn();
        if (!m_month.lastEntryLine().isEmpty() && !m_newMonthStarted) {
            const FieldRules::ParsedEntry preset =
                FieldRules::parseForPreset(m_month.lastEntryLine());
            if (preset.slot)
                m_entryForm.setSlot(*preset.slot);
            m_entryForm.fill(preset);
            const QString &lastWeight = m_month.lastWeightText();
            ui->GewichtEdit->setText(lastWeight.isEmpty() ? QStringLiteral("0") : lastWeight);
        }
        m_newMonthStarted = false;
        m_remark->forgetChange();
        m_geometry->notePortraitScreen();
        m_presetPending = false;
    }
    EntryList::selectLast(*ui->ListBox1);
    ListBox1Click();
}

void TMainForm::showToday()
{
    ui->Label3->setText(QStringLiteral("Heute ist der ") +
                        m_seam.today().toString(QStringLiteral("dd.MM.yyyy")));
}

void TMainForm::firstPaintSteps()
{
    if (m_einstellDlg) {
        m_einstellDlg->setShowValuesChecked(
            m_settings.readInteger(SettingKey::ShowValuesAboveCurve).startsWith(QLatin1Char('1')));
        m_colours->readValueColour(m_settings);
        m_einstellDlg->setLabelColours(m_colours->windowColour(), m_colours->listColour(),
                                       m_colours->valueColour());
    }
    m_firstPaintPending = false;

    const QString name = m_settings.read(SettingKey::UserName);
    if (name.isEmpty()) {
        if (m_nameEingDlg && !m_nameEingDlg->isVisible())
            m_seam.execDialog(*m_nameEingDlg);
        return;
    }
    m_month.setUserName(name);
    ui->Labeltest->setText(QStringLiteral("Blutdruckmesswerte von ") + name);
    // Said after the last month's load, which may end with a message.
    const auto tell = qScopeGuard([this] { tellConflictCopies(); });
    const QString stored = m_settings.read(SettingKey::LastMonthFile);
    if (stored.isEmpty())
        return;
    MachEs(DataFolders::lastMonthFilePath(stored, m_places.dataFolder));
}

void TMainForm::ensureYearFolder()
{
    if (const QString problem = m_month.ensureYearFolder(); !problem.isEmpty())
        showMessage(UiSeam::MessageKind::Plain, problem);
}

// ---------------------------------------------------------------------------
// Small commands

void TMainForm::Tabelleanzeigen1Click()
{
    showNormal();
    m_machPause->Pause(100);
    m_tabellenDlg->setWindowTitle(ui->Labeltest->text());
    m_tabellenDlg->ErstelleTabelle(listLines());
    m_tabellenAnzeigeTimer->start();
}

void TMainForm::TabellenAnzeigeTimerTimer()
{
    m_tabellenAnzeigeTimer->stop();
    if (!m_tabellenDlg->isVisible())
        m_seam.execDialog(*m_tabellenDlg);
}

void TMainForm::Einstellungen1Click()
{
    m_seam.execDialog(*m_einstellDlg);
}

void TMainForm::Namendern1Click()
{
    m_seam.execDialog(*m_nameEingDlg);
}

void TMainForm::RegistryEintraegeloeschen1Click()
{
    const bool yes = m_seam.askYesNo(
        this, UiSeam::MessageKind::Question,
        QStringLiteral("Möchten Sie die Registry-Einträge löschen? ") + kLfCr +
            QStringLiteral("Wenn JA, dann wird danach das Programm beendet und ") + kLfCr +
            QStringLiteral("Sie müssen es noch mal starten, dann Ihren Namen eingeben."));
    if (!yes)
        return;
    m_settings.deleteStore();
    close();
}

void TMainForm::HilfeThemenClick()
{
    openHelpDocument(m_seam, this, m_places.startFolder, m_environment.installedDataFolder);
}

void TMainForm::Bemerkungeingeben1Click()
{
    m_remark->begin();
}

void TMainForm::Memo2Change()
{
    m_remark->textChanged();
}

void TMainForm::InfoueberClick()
{
    m_seam.execDialog(*m_infoDlg);
}

void TMainForm::beenden1Click()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!m_endedAtStart) {
        // A file that is only shown would be opened, and warned about,
        // at every start.
        if (const QString last = m_month.lastFileToReopen(); !last.isEmpty())
            m_settings.write(SettingKey::LastMonthFile, last);
        m_remark->saveOnClose();
    }
    m_geometry->stopOrientationTick();
    QMainWindow::closeEvent(event);
}
