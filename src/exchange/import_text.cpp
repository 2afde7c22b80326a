#include "exchange/import_text.h"

#include "base/windows1252.h"

#include <QStringDecoder>

namespace ImportText {

namespace {

std::optional<QString> decodeWith(QStringDecoder::Encoding encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

Decoded decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {QStringDecoder(QStringDecoder::Utf8)(bytes.mid(3)), QStringLiteral("UTF-8")};
    if (bytes.startsWith("\xFF\xFE"))
        return {QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2)), QStringLiteral("UTF-16")};
    if (bytes.startsWith("\xFE\xFF"))
        return {QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2)), QStringLiteral("UTF-16")};
    if (std::optional<QString> text = decodeWith(QStringDecoder::Utf8, bytes))
        return {*text, QStringLiteral("UTF-8")};
    return {Windows1252::decode(bytes), QStringLiteral("Windows-1252")};
}

bool looksBinary(const QString &text)
{
    qsizetype controls = 0;
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code == 0)
            return true;
        if ((code < 0x20 && code != u'\t' && code != u'\r' && code != u'\n') || code == 0xFFFD)
            ++controls;
    }
    return controls * 100 > text.size();
}

} // namespace ImportText
