// The save's check for readings a new content would lose, held against the
// plain comparison of every line's form. The input is two month files, the
// one on disk and the one to be written, parted by a line "----"; without it
// the second is the first's second half. Each is also held against its own
// written form, in both directions.
#include "base/text_file.h"
#include "fuzz_support.h"
#include "journal/entry_line.h"
#include "journal/month_file.h"
#include "support/readings_lost_reference.h"

namespace {

void check(const QStringList &before, const QStringList &after, const QString &takenOut)
{
    Fuzz::check(MonthFile::readingsLost(before, after, takenOut) ==
                    readingsLostByForms(before, after, takenOut),
                "same readings lost");
}

QStringList writtenForm(const QStringList &lines)
{
    QStringList display;
    for (const QString &line : lines) {
        if (EntryLine::isEntryLine(line))
            if (const auto shown = EntryLine::toDisplayLine(line))
                display.append(*shown);
    }
    return MonthFile::fileLines(QStringLiteral("M"), QStringLiteral("März"), QStringLiteral("2017"),
                                {true, true, true, true}, display);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextFile::decodeLines(Fuzz::bytesOf(data, size));
    const qsizetype parting = lines.indexOf(QStringLiteral("----"));
    const QStringList before = parting < 0 ? lines : lines.first(parting);
    const QStringList after = parting < 0 ? lines.mid(lines.size() / 2) : lines.mid(parting + 1);
    const QString takenOut = before.isEmpty() ? QString() : before.constLast();
    check(before, after, takenOut);
    check(after, before, QString());
    const QStringList written = writtenForm(before);
    check(before, written, QString());
    check(written, before, takenOut);
    return 0;
}
