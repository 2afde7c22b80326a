// A remark file: decoded, split into lines, and the bytes a write of them
// gives read back, all in memory.
#include "fuzz_support.h"

#include "base/text_file.h"
#include "base/windows1252.h"

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
    // A text that begins with the characters of a byte-order mark ("ÿþ")
    // reads back in that encoding; one read from a marked file may hold
    // characters Windows-1252 has not.
    const bool marked = written.startsWith("\xFF\xFE") || written.startsWith("\xFE\xFF") ||
                        written.startsWith("\xEF\xBB\xBF");
    if (!marked && Windows1252::firstUnheld(lines.join(QLatin1Char('\n'))).isEmpty())
        Fuzz::check(TextFile::decodeLines(written) == lines, "remark reads back as written");
    // A file the program wrote itself (CRLF after every line, nothing else
    // breaks a line) is written again byte for byte.
    const qsizetype pairs = bytes.count(QByteArrayView("\r\n"));
    if (!marked && (bytes.isEmpty() || bytes.endsWith("\r\n")) && bytes.count('\r') == pairs &&
        bytes.count('\n') == pairs)
        Fuzz::check(written == bytes, "a written remark is written again unchanged");
    return 0;
}
