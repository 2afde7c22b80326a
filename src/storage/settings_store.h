#pragma once

#include <QString>
#include <QStringList>

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
class SettingsStore
{
public:
    explicit SettingsStore(QString filePath);

    // $XDG_CONFIG_HOME/Quenlor/Vantoria.conf
    static QString defaultFilePath();

    const QString &filePath() const { return m_filePath; }
    bool exists() const;

    QString Lies_String_aus_Registry(const QString &name) const;
    QString Lies_Integer_aus_Registry(const QString &name) const;
    void Schreib_String_in_Registry(const QString &name, const QString &text) const;
    // Throws ConversionError when text is not a whole 32-bit number.
    void Schreib_Integer_in_Registry(const QString &name, const QString &text) const;
    void Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(const QString &startFolder) const;

    // Removes the whole store; the folder "Quenlor" stays.
    void deleteStore() const;

    // A flag is set when its integer text begins with "1".
    bool readFlag(const QString &name) const;

    // A stored colour, or nullopt when the text is empty.
    // Throws ConversionError when the text is not a number.
    std::optional<qint32> readColour(const QString &name) const;

    // The nineteen value names in the order the first-run writer writes them.
    static const QStringList &valueNames();

private:
    struct Value
    {
        QString name;
        bool isInteger = false;
        QString text; // decimal text for integers
    };
    std::optional<QList<Value>> load() const;
    bool save(const QList<Value> &values) const;
    void writeValue(const QString &name, bool isInteger, const QString &text) const;
    std::optional<Value> find(const QString &name) const;

    QString m_filePath;
};
