// A remark file: decoded, split into lines, and the bytes a write of them
// gives read back, all in memory.
#include "base/text_file.h"
#include "base/windows1252.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::bytesOf(data, size);
    const QString text = Windows1252::decode(bytes);
    Fuzz::check(Windows1252::encode(text) == bytes, "every byte survives a read and write");
    const QStringList lines = TextFile::decodeLines(bytes);
    for (const QString &line : lines)
        Fuzz::check(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
                    "no line break inside a line");

    const QByteArray written = TextFile::encodeLines(lines);
    // A file that starts with a byte-order mark is read in its encoding, and
    // may hold characters Windows-1252 has not; a text that begins with the
    // characters of a mark ("ÿþ") reads back in that encoding.
    const auto marked = [](const QByteArray &file) {
        return file.startsWith("\xFF\xFE") || file.startsWith("\xFE\xFF") ||
               file.startsWith("\xEF\xBB\xBF");
    };
    if (!marked(written) && Windows1252::firstUnheld(lines.join(QLatin1Char('\n'))).isEmpty())
        Fuzz::check(TextFile::decodeLines(written) == lines, "remark reads back as written");
    // A file the program wrote itself (no mark, CRLF after every line,
    // nothing else breaks a line) is written again byte for byte.
    const qsizetype pairs = bytes.count(QByteArrayView("\r\n"));
    if (!marked(bytes) && (bytes.isEmpty() || bytes.endsWith("\r\n")) &&
        bytes.count('\r') == pairs && bytes.count('\n') == pairs)
        Fuzz::check(written == bytes, "a written remark is written again unchanged");
    return 0;
}
