#include "storage/settings_values.h"

#include "base/german_numbers.h"
#include "base/text_file.h"

#include <QStringList>

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

// One line "name"="text" or "name"=dword:hhhhhhhh; nullopt for anything else
// (the section line, blank lines, junk).
std::optional<SettingsValues::Value> parseLine(const QString &line)
{
    if (!line.startsWith(QLatin1Char('"')))
        return std::nullopt;
    qsizetype pos = 0;
    const std::optional<QString> name = unquote(line, pos);
    if (!name || name->isEmpty() || pos >= line.size() || line.at(pos) != QLatin1Char('='))
        return std::nullopt;
    ++pos;
    SettingsValues::Value value;
    value.name = *name;
    if (pos < line.size() && line.at(pos) == QLatin1Char('"')) {
        const std::optional<QString> text = unquote(line, pos);
        if (!text || pos != line.size())
            return std::nullopt;
        value.text = *text;
        return value;
    }
    if (!line.mid(pos).startsWith(QLatin1String("dword:")))
        return std::nullopt;
    bool ok = false;
    const QString hex = line.mid(pos + 6);
    const quint32 raw = hex.size() == 8 ? hex.toUInt(&ok, 16) : 0;
    if (!ok)
        return std::nullopt;
    value.isInteger = true;
    value.text = QString::number(qint32(raw));
    return value;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

SettingsValues SettingsValues::fromBytes(const QByteArray &bytes)
{
    SettingsValues parsed;
    const QStringList lines = TextFile::splitLines(QString::fromUtf8(bytes));
    for (const QString &line : lines) {
        const std::optional<Value> value = parseLine(line);
        if (!value)
            continue;
        bool replaced = false;
        for (Value &existing : parsed.m_values) {
            if (sameName(existing.name, value->name)) {
                existing = *value;
                replaced = true;
            }
        }
        if (!replaced)
            parsed.m_values.append(*value);
    }
    return parsed;
}

QByteArray SettingsValues::toBytes() const
{
    QString text = kSectionLine + QLatin1Char('\n');
    for (const Value &value : m_values) {
        text += quoted(value.name) + QLatin1Char('=');
        if (value.isInteger)
            text += QStringLiteral("dword:%1")
                        .arg(quint32(value.text.toInt()), 8, 16, QLatin1Char('0'));
        else
            text += quoted(value.text);
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}

std::optional<SettingsValues::Value> SettingsValues::find(const QString &name) const
{
    for (const Value &value : m_values) {
        if (sameName(value.name, name))
            return value;
    }
    return std::nullopt;
}

QString SettingsValues::string(const QString &name) const
{
    const auto value = find(name);
    return value && !value->isInteger ? value->text : QString();
}

QString SettingsValues::integer(const QString &name) const
{
    const auto value = find(name);
    return value && value->isInteger ? value->text : QString();
}

bool SettingsValues::flag(const QString &name) const
{
    return integer(name).startsWith(QLatin1Char('1'));
}

std::optional<qint32> SettingsValues::colour(const QString &name) const
{
    const QString text = string(name);
    if (text.isEmpty())
        return std::nullopt;
    return GermanNumbers::toInt32(text);
}

bool SettingsValues::set(const QString &name, bool isInteger, const QString &text)
{
    for (Value &existing : m_values) {
        if (sameName(existing.name, name)) {
            // Every add stores the slot time and the user name again; an
            // unchanged value costs no write (and no wait for the disk).
            if (existing.isInteger == isInteger && existing.text == text)
                return false;
            existing.isInteger = isInteger;
            existing.text = text;
            return true;
        }
    }
    m_values.append(Value{name, isInteger, text});
    return true;
}
