#include "app/form_start.h"

#include "base/conversion_error.h"
#include "base/text_file.h"
#include "storage/data_folders.h"
#include "storage/settings_store.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QChar kQuote = QLatin1Char('"');
const QString kLfCr = QStringLiteral("\n\r");

} // namespace

FormStart::FormStart(UiSeam &seam, QWidget *parent, const SettingsStore &settings,
                     const QString &startFolder)
    : m_seam(seam)
    , m_parent(parent)
    , m_settings(settings)
{
    m_places.startFolder = DataFolders::withTrailingSlash(startFolder);
}

StartPlaces FormStart::run()
{
    checkInstallation();
    if (m_settings.read(SettingKey::Browser).isEmpty())
        m_settings.write(SettingKey::Browser, QStringLiteral("standard"));
    if (!resolveDataFolders())
        return m_places;
    removeLeftoverTemporaries();
    readColours();
    m_places.zeroGap =
        m_settings.readInteger(SettingKey::BreakLineAtZero).startsWith(QLatin1Char('1'));
    checkLastFile();
    return m_places;
}

void FormStart::checkInstallation()
{
    const QString installOrt = m_settings.read(SettingKey::InstallFolder);
    if (installOrt.isEmpty()) {
        m_settings.writeFirstRunValues(m_places.startFolder);
        return;
    }
    const QString datenSpeicherOrt = m_settings.read(SettingKey::DataFolder);
    if (!m_places.startFolder.toLower().contains(installOrt.toLower())) {
        showMessage(
            UiSeam::MessageKind::Information,
            kQuote + QStringLiteral("Vantoria") + kQuote +
                QStringLiteral(" haben Sie schon mal an einem anderen Speicherort benutzt:") +
                kLfCr + kQuote + installOrt + kQuote + kLfCr + kLfCr +
                QStringLiteral("Ihre Daten finden Sie weiterhin im Ordner:") + kLfCr + kQuote +
                datenSpeicherOrt + QStringLiteral("Blutdruck-Daten-Galerie/") + kQuote);
        showMessage(
            UiSeam::MessageKind::Information,
            QStringLiteral("Wenn Sie hier in diesem Ordner zukünftig Ihre Daten anlegen möchten,") +
                kLfCr + QStringLiteral("dann betätigen Sie den Menüpunkt ") + kQuote +
                QStringLiteral("Optionen|Registry-Eintrag löschen") + kQuote);
    }
}

bool FormStart::resolveDataFolders()
{
    m_places.dataFolder = m_settings.read(SettingKey::DataFolder);
    if (!resolveFolder(
            DataFolders::galleryFolderName(m_settings.read(SettingKey::GalleryFolderName)),
            m_places.galleryFolder) ||
        !resolveFolder(DataFolders::htmlFolderName(m_settings.read(SettingKey::HtmlFolderName)),
                       m_places.htmlFolder))
        return false;
    // Only the doctor's report writes there, and that command tells why the
    // folder cannot be made: the diary starts without it.
    m_places.reportFolder = m_places.dataFolder + DataFolders::reportFolderName();
    DataFolders::ensureFolder(m_places.reportFolder);
    return true;
}

bool FormStart::resolveFolder(const QString &folderName, QString &folder)
{
    folder = m_places.dataFolder + folderName;
    if (!QFileInfo(folder).isDir() && !DataFolders::ensureFolder(folder))
        showMessage(UiSeam::MessageKind::Plain, DataFolders::folderNotCreatedMessage(folderName));
    if (!QFileInfo(folder).isDir()) {
        showMessage(UiSeam::MessageKind::Information, DataFolders::folderMissingMessage(folder));
        endProgram(StartPlaces::Ending::FoldersMissing);
        return false;
    }
    return true;
}

void FormStart::removeLeftoverTemporaries() const
{
    const QString &gallery = m_places.galleryFolder;
    TextFile::removeLeftoverTemporaries(QFileInfo(m_settings.filePath()).absolutePath());
    TextFile::removeLeftoverTemporaries(gallery);
    const QStringList years = QDir(gallery).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &year : years)
        TextFile::removeLeftoverTemporaries(gallery + year);
}

void FormStart::readColours()
{
    // A damaged colour setting leaves the built-in colour: start-up must go on.
    const auto read = [this](SettingKey key, std::optional<qint32> &target) {
        try {
            target = m_settings.readColour(key);
        } catch (const ConversionError &) {
        }
    };
    read(SettingKey::SystolicColour, m_places.systolicColour);
    read(SettingKey::DiastolicColour, m_places.diastolicColour);
    read(SettingKey::PulseColour, m_places.pulseColour);
    read(SettingKey::ListColour, m_places.listColour);
    read(SettingKey::WindowColour, m_places.windowColour);
}

void FormStart::checkLastFile()
{
    const QString lastFile = m_settings.read(SettingKey::LastMonthFile);
    if (lastFile.isEmpty())
        return;
    const QFileInfo info(lastFile);
    const bool fileExists = info.isFile();
    const QString folder = DataFolders::withTrailingSlash(info.absolutePath());
    const bool folderExists = QFileInfo(folder).isDir();
    if (fileExists && folderExists)
        return;
    if (!fileExists) {
        showMessage(UiSeam::MessageKind::Information,
                    QStringLiteral("Die zuletzt geöffnete Datei ") + kQuote + info.fileName() +
                        kQuote +
                        QStringLiteral(
                            " existiert nicht mehr! Der Eintrag in der Registry wird gelöscht."));
        m_settings.write(SettingKey::LastMonthFile, QString());
    }
    if (!folderExists) {
        showMessage(UiSeam::MessageKind::Information,
                    QStringLiteral("Der Ordner ") + kQuote + folder + kQuote +
                        QStringLiteral(" existiert nicht mehr!") + kLfCr +
                        QStringLiteral("Der Eintrag in der Registry wird gelöscht.") + kLfCr +
                        QStringLiteral(
                            "Danach wird das Programm beendet und Sie müssen es noch mal starten. "
                            "Dann Ihren Namen eingeben."));
        m_settings.deleteStore();
        endProgram(StartPlaces::Ending::LastFolderMissing);
    }
}

void FormStart::showMessage(UiSeam::MessageKind kind, const QString &text)
{
    m_seam.showMessage(m_parent, kind, text);
}

void FormStart::endProgram(StartPlaces::Ending ending)
{
    m_places.ending = ending;
    m_seam.endProgramNow();
}
