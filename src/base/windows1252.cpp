#include "base/windows1252.h"

#include <array>
#include <cstring>

namespace Windows1252 {

namespace {

// 0x80..0x9F; the remaining bytes equal their Unicode code points.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

bool isHighControl(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0;
}

// Whether any byte is one of 0x80..0x9F (top bits 100), tested eight at a
// time: most files hold none of them.
bool anyHighControl(const QByteArray &bytes)
{
    constexpr quint64 kOnes = 0x0101010101010101;
    constexpr quint64 kHighBits = 0x8080808080808080;
    constexpr quint64 kTopThree = 0xE0E0E0E0E0E0E0E0;
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, sizeof word);
        // A byte is 0 here exactly where its top bits are 100.
        const quint64 x = (word & kTopThree) ^ kHighBits;
        if (((x - kOnes) & ~x & kHighBits) != 0)
            return true;
    }
    for (; i < size; ++i) {
        if (isHighControl(static_cast<unsigned char>(data[i])))
            return true;
    }
    return false;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    // Latin-1 in one fast pass, then the few bytes where Windows-1252 differs.
    // (No bytes give an empty text, never a null one.)
    if (bytes.isEmpty())
        return QString(0, Qt::Uninitialized);
    QString text = QString::fromLatin1(bytes);
    if (!anyHighControl(bytes))
        return text;
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isHighControl(b))
            out[i] = QChar(kHighControlRange[b - 0x80]);
    }
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    qsizetype written = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character, one question mark
        out[written++] = encodeOne(c.unicode());
    }
    bytes.truncate(written);
    return bytes;
}

QString firstUnheld(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (encodeOne(c.unicode()) != '?' || c == QLatin1Char('?'))
            continue;
        const bool pair =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        return text.mid(i, pair ? 2 : 1).toString();
    }
    return QString();
}

} // namespace Windows1252
