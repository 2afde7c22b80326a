#include "storage/settings_store.h"

#include "base/german_numbers.h"
#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString firstRunText(SettingKey key, const QString &startFolder)
{
    switch (key) {
    case SettingKey::InstallFolder:
    case SettingKey::DataFolder:
        return startFolder;
    case SettingKey::UserName:
    case SettingKey::LastMonthFile:
        return QString();
    case SettingKey::MorningTime:
        return QStringLiteral("07:30");
    case SettingKey::SecondTime:
        return QStringLiteral("13:00");
    case SettingKey::ThirdTime:
        return QStringLiteral("15:30");
    case SettingKey::EveningTime:
        return QStringLiteral("20:40");
    case SettingKey::GalleryFolderName:
        return QStringLiteral("Blutdruck-Daten-Galerie");
    case SettingKey::HtmlFolderName:
        return QStringLiteral("Blutdruck-Daten im Browser");
    case SettingKey::SystolicColour:
        return QStringLiteral("16711680");
    case SettingKey::DiastolicColour:
        return QStringLiteral("32768");
    case SettingKey::PulseColour:
        return QStringLiteral("8388863");
    case SettingKey::WindowColour:
        return QStringLiteral("410617");
    case SettingKey::ListColour:
        return QStringLiteral("6786300");
    case SettingKey::Browser:
        return QStringLiteral("standard");
    case SettingKey::BreakLineAtZero:
    case SettingKey::ShowValuesAboveCurve:
        return QStringLiteral("1");
    case SettingKey::ValuesAboveColour:
        return QStringLiteral("128");
    case SettingKey::MorningReminder:
    case SettingKey::SecondReminder:
    case SettingKey::ThirdReminder:
    case SettingKey::EveningReminder:
    case SettingKey::PlannedWeek:
        break; // never written at the first run
    }
    return QString();
}

bool isProgramName(const QString &name)
{
    for (SettingKey key : kAllSettingKeys) {
        if (settingName(key).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

SettingsStore::SettingsStore(QString filePath)
    : m_filePath(std::move(filePath))
{}

QString SettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quenlor/Vantoria.conf");
}

bool SettingsStore::exists() const
{
    return QFileInfo(m_filePath).isFile();
}

std::optional<SettingsValues> SettingsStore::load() const
{
    if (!exists())
        return std::nullopt;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return SettingsValues{}; // present but unreadable: every value reads as missing
    return SettingsValues::fromBytes(file.readAll());
}

bool SettingsStore::save(const SettingsValues &values) const
{
    return TextFile::writeBytes(m_filePath, values.toBytes());
}

void SettingsStore::writeValue(const QString &name, bool isInteger, const QString &text) const
{
    auto values = load();
    if (!values)
        return; // the store does not exist: writes are silently dropped
    if (values->set(name, isInteger, text))
        save(*values);
}

SettingsValues SettingsStore::loadOrNone() const
{
    return load().value_or(SettingsValues{});
}

QString SettingsStore::read(SettingKey key) const
{
    return loadOrNone().string(settingName(key));
}

QString SettingsStore::readInteger(SettingKey key) const
{
    return loadOrNone().integer(settingName(key));
}

void SettingsStore::write(SettingKey key, const QString &text) const
{
    writeValue(settingName(key), false, text);
}

void SettingsStore::writeInteger(SettingKey key, const QString &text) const
{
    const qint32 value = GermanNumbers::toInt32(text);
    writeValue(settingName(key), true, QString::number(value));
}

bool SettingsStore::readFlag(SettingKey key) const
{
    return loadOrNone().flag(settingName(key));
}

std::optional<qint32> SettingsStore::readColour(SettingKey key) const
{
    return loadOrNone().colour(settingName(key));
}

void SettingsStore::writeFirstRunValues(const QString &startFolder) const
{
    if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        return;
    SettingsValues values;
    for (SettingKey key : kAllSettingKeys)
        values.append({settingName(key), isIntegerSetting(key), firstRunText(key, startFolder)});
    // Values of other names (none are written by this program) are kept.
    if (const auto existing = load()) {
        for (const SettingsValues::Value &old : existing->values()) {
            if (!isProgramName(old.name))
                values.append(old);
        }
    }
    save(values);
}

void SettingsStore::deleteStore() const
{
    QFile::remove(m_filePath);
}
