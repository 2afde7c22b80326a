#include "settings/exec_line.h"

#include <QUrl>

namespace ExecLine {

std::optional<QStringList> split(const QString &value)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < value.size()) {
                current += value.at(++i);
            } else {
                current += c;
            }
        } else if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (c == u'"') {
            quoted = true;
            inArgument = true;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments << current;
    if (arguments.isEmpty())
        return std::nullopt;
    return arguments;
}

namespace {

bool isFileCode(QChar code)
{
    return code == u'f' || code == u'F' || code == u'u' || code == u'U';
}

QString fileFor(QChar code, const Fields &fields)
{
    if (code == u'u' || code == u'U')
        return QUrl::fromLocalFile(fields.filePath).toString(QUrl::FullyEncoded);
    return fields.filePath;
}

} // namespace

QStringList expand(const QStringList &arguments, const Fields &fields)
{
    bool fileGiven = false;
    QStringList result;
    for (const QString &argument : arguments) {
        // Codes that stand alone may become several arguments or none.
        if (argument == u"%i") {
            if (!fields.icon.isEmpty())
                result << QStringLiteral("--icon") << fields.icon;
            continue;
        }
        QString expanded;
        bool onlyCodes = true;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            const QChar c = argument.at(i);
            if (c != u'%' || i + 1 == argument.size()) {
                expanded += c;
                onlyCodes = false;
                continue;
            }
            const QChar code = argument.at(++i);
            if (code == u'%') {
                expanded += u'%';
                onlyCodes = false;
            } else if (isFileCode(code)) {
                // One page is opened, so the list codes give one file too.
                if (!fileGiven)
                    expanded += fileFor(code, fields);
                fileGiven = true;
            } else if (code == u'c') {
                expanded += fields.name;
            } else if (code == u'k') {
                expanded += fields.desktopFilePath;
            }
        }
        if (!expanded.isEmpty() || !onlyCodes)
            result << expanded;
    }
    if (!fileGiven)
        result << fields.filePath;
    return result;
}

} // namespace ExecLine
