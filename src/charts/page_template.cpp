#include "charts/page_template.h"

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The length of "{{name}}" at `at`, or 0 when no name stands there.
qsizetype nameLength(QStringView line, qsizetype at)
{
    if (!line.sliced(at).startsWith(u"{{"))
        return 0;
    qsizetype end = at + 2;
    while (end < line.size() && isNameChar(line.at(end)))
        ++end;
    if (end == at + 2 || !line.sliced(end).startsWith(u"}}"))
        return 0;
    return end + 2 - at;
}

const PagePart *partNamed(std::initializer_list<PagePart> parts, const QString &name)
{
    for (const PagePart &part : parts) {
        if (part.name == name)
            return &part;
    }
    return nullptr;
}

QString asWritten(const QString &name)
{
    return QStringLiteral("{{") + name + QStringLiteral("}}");
}

} // namespace

PageTemplate::PageTemplate(QStringView text)
{
    for (QStringView line : text.tokenize(u'\n')) {
        Line parsed;
        qsizetype literalStart = 0;
        for (qsizetype at = 0; at < line.size(); ++at) {
            const qsizetype length = nameLength(line, at);
            if (length == 0)
                continue;
            if (at > literalStart)
                parsed.pieces.append({line.sliced(literalStart, at - literalStart).toString()});
            parsed.pieces.append({line.sliced(at + 2, length - 4).toString(), true});
            at += length - 1;
            literalStart = at + 1;
        }
        if (literalStart < line.size())
            parsed.pieces.append({line.sliced(literalStart).toString()});
        parsed.isBlock = parsed.pieces.size() == 1 && parsed.pieces.constFirst().isName;
        m_lines.append(parsed);
    }
}

void PageTemplate::fill(QStringList &lines, std::initializer_list<PagePart> parts) const
{
    for (const Line &line : m_lines) {
        if (line.isBlock) {
            const QString &name = line.pieces.constFirst().text;
            const PagePart *part = partNamed(parts, name);
            if (!part)
                lines.append(asWritten(name));
            else if (part->isBlock)
                lines += part->lines;
            else
                lines.append(part->text);
            continue;
        }
        QString filled;
        for (const Piece &piece : line.pieces) {
            if (!piece.isName) {
                filled += piece.text;
                continue;
            }
            const PagePart *part = partNamed(parts, piece.text);
            filled += part && !part->isBlock ? part->text : asWritten(piece.text);
        }
        lines.append(filled);
    }
}
