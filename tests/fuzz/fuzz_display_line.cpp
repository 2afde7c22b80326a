// One line of a month file through the display split, the order key and back.
#include "base/windows1252.h"
#include "fuzz_support.h"
#include "journal/entry_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = Windows1252::decode(Fuzz::bytesOf(data, size));
    (void)EntryLine::isEntryLine(line);
    (void)EntryLine::sortKey(line);
    if (const auto shown = EntryLine::toDisplayLine(line)) {
        (void)EntryLine::sortKey(*shown);
        // A tab in a foreign line is dropped by the first save, which may move
        // the pieces; every line the program writes itself has none.
        if (!line.contains(QLatin1Char('\t'))) {
            Fuzz::check(shown->count(QLatin1Char('\t')) == 6, "seven display pieces");
            const QString back = EntryLine::fromDisplayLine(*shown);
            // A second trip changes nothing more: the file stays as the save left it.
            const auto again = EntryLine::toDisplayLine(back);
            Fuzz::check(again.has_value(), "a saved line still displays");
            Fuzz::check(*again == *shown, "save and load are stable");
        }
    }
    const QStringList sorted = EntryLine::sortLines(
        {line, line.toLower(),
         QStringLiteral("Abends den 05.03.2017 Z=20:40 s=1, d=2, p=3, Gewicht=0")});
    for (const QString &item : sorted)
        Fuzz::check(item == line || item == line.toLower() ||
                        item.startsWith(QLatin1String("Abends den 05")),
                    "sorting keeps every line whole");
    return 0;
}
