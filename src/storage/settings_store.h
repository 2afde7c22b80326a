#pragma once

#include "storage/setting_key.h"
#include "storage/settings_values.h"

#include <QString>

#include <optional>

// The per-user settings: named string values and 32-bit integer values kept
// apart, in one small file in the style of a registry export:
//
//   [HKEY_CURRENT_USER\Software\Quenlor\Vantoria]
//   "BenutzerName"="Muster"
//   "LinieBeiNullUnterbrechen"=dword:00000001
//
// Nothing is cached: every call reads (and a write rewrites) the file, so the
// file is the single source of truth. Only the first-run writer creates the
// store; every other writer silently does nothing while it is absent. Writes
// are atomic, so a crash never leaves a half-written settings file. A damaged
// file reads as missing values; its readable values survive the next write.
// The file's content is read and written by SettingsValues.
class SettingsStore
{
public:
    explicit SettingsStore(QString filePath);

    // $XDG_CONFIG_HOME/Quenlor/Vantoria.conf
    static QString defaultFilePath();

    const QString &filePath() const { return m_filePath; }
    bool exists() const;

    // The text of a string (integer) value; empty when it is missing or
    // stored as the other type. Lies_String_aus_Registry, Lies_Integer_aus_Registry
    QString read(SettingKey key) const;
    QString readInteger(SettingKey key) const;
    // Schreib_String_in_Registry, Schreib_Integer_in_Registry; the integer
    // writer throws ConversionError when text is not a whole 32-bit number.
    void write(SettingKey key, const QString &text) const;
    void writeInteger(SettingKey key, const QString &text) const;

    // A flag is set when its integer text begins with "1".
    bool readFlag(SettingKey key) const;
    // A stored colour, or nullopt when the text is empty.
    // Throws ConversionError when the text is not a number.
    std::optional<qint32> readColour(SettingKey key) const;

    // Writes every value with its first-run text and creates the store;
    // values of other names are kept.
    // Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege
    void writeFirstRunValues(const QString &startFolder) const;

    // Removes the whole store; the folder "Quenlor" stays.
    void deleteStore() const;

private:
    // nullopt when the store does not exist; no values when it is unreadable.
    std::optional<SettingsValues> load() const;
    // An absent store reads as one without values.
    SettingsValues loadOrNone() const;
    bool save(const SettingsValues &values) const;
    void writeValue(const QString &name, bool isInteger, const QString &text) const;

    QString m_filePath;
};
