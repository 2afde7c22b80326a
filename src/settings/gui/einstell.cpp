#include "settings/gui/einstell.h"

#include "base/conversion_error.h"
#include "settings/colour_value.h"
#include "settings/desktop_browsers.h"
#include "settings/gui/browser_picture_label.h"
#include "settings/gui/browser_pictures.h"
#include "settings/gui/colour_palette.h"
#include "storage/settings_store.h"
#include "ui/seam.h"
#include "ui_einstell.h"

#include <QLayout>

namespace {

const SettingKey kSeriesSettings[3] = {SettingKey::SystolicColour, SettingKey::DiastolicColour,
                                       SettingKey::PulseColour};

// A damaged stored colour must not keep the dialog from opening; the
// colour it would have replaced stays.
qint32 storedColour(const SettingsStore &settings, SettingKey key, qint32 fallback)
{
    try {
        return settings.readColour(key).value_or(fallback);
    } catch (const ConversionError &) {
        return fallback;
    }
}

} // namespace

TEinstellDlg::TEinstellDlg(UiSeam &seam, const SettingsStore &settings, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TEinstellDlg>())
    , m_seam(seam)
    , m_settings(settings)
    , m_windowColour(ColourValue::kDefaultWindowColour)
    , m_listColour(ColourValue::kDefaultListColour)
    , m_windowLabelColour(ColourValue::kDefaultWindowColour)
    , m_listLabelColour(ColourValue::kDefaultListColour)
{
    ui->setupUi(this);
    // The size its content needs, and no other: the window manager offers
    // no maximize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setObjectName(QStringLiteral("EinstellDlg"));

    readColours();
    ui->WerteOberhalbKurveAnzeigenCheckBox->setChecked(
        m_settings.readFlag(SettingKey::ShowValuesAboveCurve));
    // Shows what is stored, so the box and the next line chart agree.
    ui->LinieUnterbrechenCheckBox->setChecked(m_settings.readFlag(SettingKey::BreakLineAtZero));

    connect(ui->Button1, &QPushButton::clicked, this, &TEinstellDlg::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TEinstellDlg::Button2Click);
    connect(ui->Button3, &QPushButton::clicked, this, &TEinstellDlg::Button3Click);
    connect(ui->Button8, &QPushButton::clicked, this, &TEinstellDlg::Button8Click);
    connect(ui->Button5, &QPushButton::clicked, this, &TEinstellDlg::Button5Click);
    connect(ui->Button6, &QPushButton::clicked, this, &TEinstellDlg::Button6Click);
    connect(ui->Button7, &QPushButton::clicked, this, &TEinstellDlg::Button7Click);
    connect(ui->Button4, &QPushButton::clicked, this, &TEinstellDlg::Button4Click);
    connect(ui->WerteOberhalbKurveAnzeigenCheckBox, &QCheckBox::clicked, this,
            &TEinstellDlg::WerteOberhalbKurveAnzeigenCheckBoxClick);
    connect(ui->LinieUnterbrechenCheckBox, &QCheckBox::clicked, this,
            &TEinstellDlg::LinieUnterbrechenCheckBoxClick);

    m_placeLabels = {ui->standard_Image, ui->ie_Image,     ui->edge_Image, ui->chrome_Image,
                     ui->firefox_Image,  ui->safari_Image, ui->opera_Image};
    for (const BrowserPlaceInfo &info : browserPlaces()) {
        connect(m_placeLabels[std::size_t(info.place)], &BrowserPictureLabel::clicked, this,
                [this, place = info.place] { browserPictureClick(place); });
    }
    ui->leer_Image->setPixmap(emptyBrowserPicture());
    ui->leer_Image->hide();
    PruefeWelcheBrowserInstalliert();

    FormPaint();
}

TEinstellDlg::~TEinstellDlg() = default;

void TEinstellDlg::readColours()
{
    for (int series = 0; series < 3; ++series)
        m_seriesColours[series] = storedColour(m_settings, kSeriesSettings[series], 0);
    m_valueColour = storedColour(m_settings, SettingKey::ValuesAboveColour, 0);
    m_windowColour =
        storedColour(m_settings, SettingKey::WindowColour, ColourValue::kDefaultWindowColour);
    m_listColour =
        storedColour(m_settings, SettingKey::ListColour, ColourValue::kDefaultListColour);
    m_windowLabelColour = m_windowColour;
    m_listLabelColour = m_listColour;
    m_valueLabelColour = m_valueColour;
}

void TEinstellDlg::setShowValuesChecked(bool checked)
{
    ui->WerteOberhalbKurveAnzeigenCheckBox->setChecked(checked);
}

bool TEinstellDlg::showValuesChecked() const
{
    return ui->WerteOberhalbKurveAnzeigenCheckBox->isChecked();
}

void TEinstellDlg::setLabelColours(qint32 windowColour, qint32 listColour, qint32 valueColour)
{
    m_windowColour = m_windowLabelColour = windowColour;
    m_listColour = m_listLabelColour = listColour;
    m_valueColour = m_valueLabelColour = valueColour;
    FormPaint();
}

void TEinstellDlg::showEvent(QShowEvent *event)
{
    FormPaint();
    QDialog::showEvent(event);
}

std::optional<qint32> TEinstellDlg::chooseColour()
{
    const std::optional<QColor> chosen =
        m_seam.chooseColour(this, colourFromValue(m_lastChosenColour, palette()));
    if (!chosen)
        return std::nullopt;
    m_lastChosenColour = valueFromColour(*chosen);
    return m_lastChosenColour;
}

void TEinstellDlg::writeColour(SettingKey key, qint32 colour)
{
    m_settings.write(key, QString::number(colour));
}

void TEinstellDlg::setLabelColour(QLabel *label, qint32 colour)
{
    QPalette labelPalette = label->palette();
    labelPalette.setColor(QPalette::WindowText, colourFromValue(colour, palette()));
    label->setPalette(labelPalette);
}

// Cancelling the chooser still writes the row's colour again, and the main
// window saves and reloads the month either way.
void TEinstellDlg::seriesClick(int series)
{
    if (const std::optional<qint32> chosen = chooseColour())
        m_seriesColours[series] = *chosen;
    writeColour(kSeriesSettings[series], m_seriesColours[series]);
    FormPaint();
    emit seriesColourChanged(series, m_seriesColours[series]);
}

void TEinstellDlg::Button1Click()
{
    seriesClick(0);
}

void TEinstellDlg::Button2Click()
{
    seriesClick(1);
}

void TEinstellDlg::Button3Click()
{
    seriesClick(2);
}

void TEinstellDlg::Button8Click()
{
    if (const std::optional<qint32> chosen = chooseColour())
        m_valueColour = *chosen;
    writeColour(SettingKey::ValuesAboveColour, m_valueColour);
    m_valueLabelColour = m_valueColour;
    FormPaint();
    emit valueColourChanged(m_valueColour);
}

void TEinstellDlg::Button5Click()
{
    if (const std::optional<qint32> chosen = chooseColour())
        m_windowColour = *chosen;
    m_windowLabelColour = m_windowColour;
    writeColour(SettingKey::WindowColour, m_windowColour);
    FormPaint();
    emit windowColourChanged(m_windowColour);
}

void TEinstellDlg::Button6Click()
{
    if (const std::optional<qint32> chosen = chooseColour())
        m_listColour = *chosen;
    m_listLabelColour = m_listColour;
    writeColour(SettingKey::ListColour, m_listColour);
    FormPaint();
    emit listColourChanged(m_listColour);
}

void TEinstellDlg::Button7Click()
{
    m_windowColour = m_windowLabelColour = ColourValue::kDefaultWindowColour;
    m_listColour = m_listLabelColour = ColourValue::kDefaultListColour;
    writeColour(SettingKey::WindowColour, m_windowColour);
    writeColour(SettingKey::ListColour, m_listColour);
    FormPaint();
    emit windowColourChanged(m_windowColour);
    emit listColourChanged(m_listColour);
}

void TEinstellDlg::Button4Click()
{
    m_windowColour = ColourValue::kSystemButtonFace;
    m_listColour = ColourValue::kSystemWindowBackground;
    m_windowLabelColour = m_listLabelColour = ColourValue::kBlack;
    writeColour(SettingKey::WindowColour, m_windowColour);
    writeColour(SettingKey::ListColour, m_listColour);
    FormPaint();
    emit windowColourChanged(m_windowColour);
    emit listColourChanged(m_listColour);
}

void TEinstellDlg::WerteOberhalbKurveAnzeigenCheckBoxClick(bool checked)
{
    m_settings.writeInteger(SettingKey::ShowValuesAboveCurve,
                            checked ? QStringLiteral("1") : QStringLiteral("0"));
}

void TEinstellDlg::LinieUnterbrechenCheckBoxClick(bool checked)
{
    m_settings.writeInteger(SettingKey::BreakLineAtZero,
                            checked ? QStringLiteral("1") : QStringLiteral("0"));
}

// The labels preview their colours; a window or list label in the desktop's
// own colour would vanish into the dialog, so it turns black.
void TEinstellDlg::FormPaint()
{
    setLabelColour(ui->Label1, m_seriesColours[0]);
    setLabelColour(ui->Label2, m_seriesColours[1]);
    setLabelColour(ui->Label3, m_seriesColours[2]);
    if (m_windowLabelColour == ColourValue::kSystemButtonFace)
        m_windowLabelColour = ColourValue::kBlack;
    if (m_listLabelColour == ColourValue::kSystemWindowBackground)
        m_listLabelColour = ColourValue::kBlack;
    setLabelColour(ui->Label5, m_windowLabelColour);
    setLabelColour(ui->Label6, m_listLabelColour);
    setLabelColour(ui->Label7, m_valueLabelColour);
}

void TEinstellDlg::PruefeWelcheBrowserInstalliert()
{
    const QList<DesktopBrowser> installed = readDesktopBrowsers(applicationFolders());
    m_offer = offeredBrowserPlaces(installed, edgeInstalled());

    const QPixmap empty = emptyBrowserPicture();
    for (const BrowserPlaceInfo &info : browserPlaces()) {
        const std::size_t index = std::size_t(info.place);
        m_logos[index] = browserPicture(info.place, installed);
        BrowserPictureLabel *label = m_placeLabels[index];
        const bool offered = m_offer[index];
        label->setPixmap(offered ? m_logos[index] : empty);
        label->setToolTip(offered ? QString::fromUtf8(info.hint) : QString());
        label->setCursor(offered ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    // The current choice shows its own picture even when that browser is gone.
    const QString stored = m_settings.read(SettingKey::Browser);
    ui->AktuellerBrowser_Image->setPixmap(m_logos[std::size_t(currentBrowserPlace(stored))]);
}

void TEinstellDlg::browserPictureClick(BrowserPlace place)
{
    const BrowserPictureLabel *label = m_placeLabels[std::size_t(place)];
    if (label->toolTip().isEmpty())
        return;
    ui->AktuellerBrowser_Image->setPixmap(label->pixmap());
    m_settings.write(SettingKey::Browser, QString::fromUtf8(browserPlaceInfo(place).value));
}
