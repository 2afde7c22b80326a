#include "app/NameEing.h"

#include "journal/month_file.h"
#include "storage/data_folders.h"
#include "storage/settings_store.h"
#include "ui/seam.h"
#include "ui_NameEing.h"

TNameEingDlg::TNameEingDlg(UiSeam &seam, const SettingsStore &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint)
    , ui(std::make_unique<Ui::TNameEingDlg>())
    , m_seam(seam)
    , m_settings(settings)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("NameEingDlg"));
    // The designed 322 x 173 dialog was laid out for an 11-pixel font.
    QFont dialogFont = font();
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    setFixedSize(322, 173);
    ui->Edit1->setText(m_settings.read(SettingKey::UserName));
    connect(ui->OKBtn, &QPushButton::clicked, this, &TNameEingDlg::OKBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &TNameEingDlg::CancelBtnClick);
}

TNameEingDlg::~TNameEingDlg() = default;

QString TNameEingDlg::enteredName() const
{
    return ui->Edit1->text();
}

void TNameEingDlg::setEnteredName(const QString &name)
{
    ui->Edit1->setText(name);
}

void TNameEingDlg::OKBtnClick()
{
    const QString name = ui->Edit1->text();
    // A name that cannot be part of a file name would make every month file
    // fail (or land outside the gallery), one the month file's code page
    // cannot hold would be saved with '?': refuse it here, the dialog stays.
    QString problem = DataFolders::userNameProblem(name);
    if (problem.isEmpty())
        problem = MonthFile::nameCodePageProblem(name);
    if (!problem.isEmpty()) {
        m_seam.showMessage(this, UiSeam::MessageKind::Information, problem);
        ui->Edit1->setFocus();
        return;
    }
    m_settings.write(SettingKey::UserName, name);
    emit nameAccepted(name);
    accept();
}

void TNameEingDlg::CancelBtnClick()
{
    m_seam.endProgramNow();
    QDialog::reject();
}

void TNameEingDlg::reject()
{
    // Escape and the close button mean "Abbrechen".
    CancelBtnClick();
}

void TNameEingDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui->Edit1->setFocus();
    if (parentWidget())
        parentWidget()->update();
}
