#include "storage/settings_store.h"

#include "base/german_numbers.h"
#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSectionLine = QStringLiteral("[HKEY_CURRENT_USER\\Software\\Quenlor\\Vantoria]");

QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    escaped.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    escaped.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// Reads a quoted string starting at text[pos] == '"'; returns the content and
// moves pos behind the closing quote, or nullopt when the quote is not closed.
std::optional<QString> unquote(const QString &text, qsizetype &pos)
{
    QString out;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        }
        if (c == QLatin1Char('\\') && pos + 1 < text.size()) {
            const QChar next = text.at(++pos);
            out += next == QLatin1Char('n')   ? QChar(u'\n')
                   : next == QLatin1Char('r') ? QChar(u'\r')
                                              : next;
        } else {
            out += c;
        }
    }
    return std::nullopt;
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

const QStringList &SettingsStore::valueNames()
{
    static const QStringList names = {
        QStringLiteral("InstallOrt"),
        QStringLiteral("DatenSpeicherOrt"),
        QStringLiteral("BenutzerName"),
        QStringLiteral("TabellenDateiName"),
        QStringLiteral("UhrzeitMorgens"),
        QStringLiteral("UhrzeitMessung2"),
        QStringLiteral("UhrzeitMessung3"),
        QStringLiteral("UhrzeitAbends"),
        QStringLiteral("GalerieVerzeichnisName"),
        QStringLiteral("HtmlVerzeichnisName"),
        QStringLiteral("SystolischKurvenFarbe"),
        QStringLiteral("DiastolischKurvenFarbe"),
        QStringLiteral("PulsKurvenFarbe"),
        QStringLiteral("FormFarbe"),
        QStringLiteral("ListboxFarbe"),
        QStringLiteral("Browser"),
        QStringLiteral("LinieBeiNullUnterbrechen"),
        QStringLiteral("WerteOberhalbKurveAnzeigen"),
        QStringLiteral("DatenwerteOberhalbFarbe"),
    };
    return names;
}

bool SettingsStore::exists() const
{
    return QFileInfo(m_filePath).isFile();
}

std::optional<QList<SettingsStore::Value>> SettingsStore::load() const
{
    if (!exists())
        return std::nullopt;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return QList<Value>{}; // present but unreadable: every value reads as missing
    const QStringList lines = TextFile::splitLines(QString::fromUtf8(file.readAll()));
    QList<Value> values;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1Char('"')))
            continue; // the section line, blank lines, junk
        qsizetype pos = 0;
        const std::optional<QString> name = unquote(line, pos);
        if (!name || name->isEmpty() || pos >= line.size() || line.at(pos) != QLatin1Char('='))
            continue;
        ++pos;
        Value value;
        value.name = *name;
        if (pos < line.size() && line.at(pos) == QLatin1Char('"')) {
            const std::optional<QString> text = unquote(line, pos);
            if (!text || pos != line.size())
                continue;
            value.text = *text;
        } else if (line.mid(pos).startsWith(QLatin1String("dword:"))) {
            bool ok = false;
            const QString hex = line.mid(pos + 6);
            const quint32 raw = hex.size() == 8 ? hex.toUInt(&ok, 16) : 0;
            if (!ok)
                continue;
            value.isInteger = true;
            value.text = QString::number(qint32(raw));
        } else {
            continue;
        }
        // A later duplicate replaces an earlier one, as an import would.
        bool replaced = false;
        for (Value &existing : values) {
            if (existing.name.compare(value.name, Qt::CaseInsensitive) == 0) {
                existing = value;
                replaced = true;
            }
        }
        if (!replaced)
            values.append(value);
    }
    return values;
}

bool SettingsStore::save(const QList<Value> &values) const
{
    QString text = kSectionLine + QLatin1Char('\n');
    for (const Value &value : values) {
        text += quoted(value.name) + QLatin1Char('=');
        if (value.isInteger)
            text += QStringLiteral("dword:%1")
                        .arg(quint32(value.text.toInt()), 8, 16, QLatin1Char('0'));
        else
            text += quoted(value.text);
        text += QLatin1Char('\n');
    }
    return TextFile::writeBytes(m_filePath, text.toUtf8());
}

std::optional<SettingsStore::Value> SettingsStore::find(const QString &name) const
{
    const auto values = load();
    if (!values)
        return std::nullopt;
    for (const Value &value : *values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

QString SettingsStore::Lies_String_aus_Registry(const QString &name) const
{
    const auto value = find(name);
    return value && !value->isInteger ? value->text : QString();
}

QString SettingsStore::Lies_Integer_aus_Registry(const QString &name) const
{
    const auto value = find(name);
    return value && value->isInteger ? value->text : QString();
}

void SettingsStore::writeValue(const QString &name, bool isInteger, const QString &text) const
{
    auto values = load();
    if (!values)
        return; // the store does not exist: writes are silently dropped
    Value fresh{name, isInteger, text};
    bool replaced = false;
    for (Value &existing : *values) {
        if (existing.name.compare(name, Qt::CaseInsensitive) == 0) {
            // Every add stores the slot time and the user name again; an
            // unchanged value costs no write (and no wait for the disk).
            if (existing.isInteger == isInteger && existing.text == text)
                return;
            fresh.name = existing.name;
            existing = fresh;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        values->append(fresh);
    save(*values);
}

void SettingsStore::Schreib_String_in_Registry(const QString &name, const QString &text) const
{
    writeValue(name, false, text);
}

void SettingsStore::Schreib_Integer_in_Registry(const QString &name, const QString &text) const
{
    const qint32 value = GermanNumbers::toInt32(text);
    writeValue(name, true, QString::number(value));
}

void SettingsStore::Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(
    const QString &startFolder) const
{
    if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        return;
    const QString none;
    const QList<Value> defaults = {
        {QStringLiteral("InstallOrt"), false, startFolder},
        {QStringLiteral("DatenSpeicherOrt"), false, startFolder},
        {QStringLiteral("BenutzerName"), false, none},
        {QStringLiteral("TabellenDateiName"), false, none},
        {QStringLiteral("UhrzeitMorgens"), false, QStringLiteral("07:30")},
        {QStringLiteral("UhrzeitMessung2"), false, QStringLiteral("13:00")},
        {QStringLiteral("UhrzeitMessung3"), false, QStringLiteral("15:30")},
        {QStringLiteral("UhrzeitAbends"), false, QStringLiteral("20:40")},
        {QStringLiteral("GalerieVerzeichnisName"), false,
         QStringLiteral("Blutdruck-Daten-Galerie")},
        {QStringLiteral("HtmlVerzeichnisName"), false,
         QStringLiteral("Blutdruck-Daten im Browser")},
        {QStringLiteral("SystolischKurvenFarbe"), false, QStringLiteral("16711680")},
        {QStringLiteral("DiastolischKurvenFarbe"), false, QStringLiteral("32768")},
        {QStringLiteral("PulsKurvenFarbe"), false, QStringLiteral("8388863")},
        {QStringLiteral("FormFarbe"), false, QStringLiteral("410617")},
        {QStringLiteral("ListboxFarbe"), false, QStringLiteral("6786300")},
        {QStringLiteral("Browser"), false, QStringLiteral("standard")},
        {QStringLiteral("LinieBeiNullUnterbrechen"), true, QStringLiteral("1")},
        {QStringLiteral("WerteOberhalbKurveAnzeigen"), true, QStringLiteral("1")},
        {QStringLiteral("DatenwerteOberhalbFarbe"), false, QStringLiteral("128")},
    };
    // Values of other names (none are written by this program) are kept.
    QList<Value> values = defaults;
    if (const auto existing = load()) {
        for (const Value &old : *existing) {
            if (!valueNames().contains(old.name, Qt::CaseInsensitive))
                values.append(old);
        }
    }
    save(values);
}

void SettingsStore::deleteStore() const
{
    QFile::remove(m_filePath);
}

bool SettingsStore::readFlag(const QString &name) const
{
    return Lies_Integer_aus_Registry(name).startsWith(QLatin1Char('1'));
}

std::optional<qint32> SettingsStore::readColour(const QString &name) const
{
    const QString text = Lies_String_aus_Registry(name);
    if (text.isEmpty())
        return std::nullopt;
    return GermanNumbers::toInt32(text);
}
