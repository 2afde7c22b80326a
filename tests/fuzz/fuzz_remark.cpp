// A remark file: decoded, split into lines, written and read back.
#include "fuzz_support.h"

#include "base/text_file.h"
#include "base/windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::bytesOf(data, size);
    const QString text = Windows1252::decode(bytes);
    Fuzz::check(Windows1252::encode(text) == bytes, "every byte survives a read and write");
    const QStringList lines = TextFile::splitLines(text);
    for (const QString &line : lines)
        Fuzz::check(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
                    "no line break inside a line");

    const QString path = Fuzz::scratchFolder() + QStringLiteral("Muster_03_2017.txt");
    Fuzz::check(TextFile::writeLines(path, lines), "remark written");
    const std::optional<QStringList> back = TextFile::readLines(path);
    Fuzz::check(back.has_value() && *back == lines, "remark reads back as written");
    return 0;
}
