#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The values of a settings file held in memory: read from the file's bytes
// and turned back into them without the disk. The store reads and writes its
// file only through this class, so bytes read here give exactly what the
// same bytes give from the file. Names compare without regard to case, as
// in a registry.
class SettingsValues
{
public:
    struct Value
    {
        QString name;
        bool isInteger = false;
        QString text; // decimal text for integers
    };

    // Lines that are not a well-formed value are skipped; a later value of
    // the same name replaces an earlier one, as an import would.
    static SettingsValues fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    const QList<Value> &values() const { return m_values; }
    std::optional<Value> find(const QString &name) const;

    // The text of a string (integer) value; empty when it is missing or of
    // the other type.
    QString string(const QString &name) const;
    QString integer(const QString &name) const;
    // A flag is set when its integer text begins with "1".
    bool flag(const QString &name) const;
    // A colour string, or nullopt when the text is empty.
    // Throws ConversionError when the text is not a number.
    std::optional<qint32> colour(const QString &name) const;

    // Sets a value, keeping the spelling of the name already there; false
    // when the value was already exactly this (nothing to write).
    bool set(const QString &name, bool isInteger, const QString &text);
    void append(const Value &value) { m_values.append(value); }

private:
    QList<Value> m_values;
};
