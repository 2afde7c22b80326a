// A month file as the load reads it: decode, header, every line through the
// display split and the statistics, then the list as the save writes it back.
// All in memory: the bytes are what a read of the file would give.
#include "base/blanks.h"
#include "base/conversion_error.h"
#include "base/text_file.h"
#include "base/windows1252.h"
#include "fuzz_support.h"
#include "journal/entry_line.h"
#include "journal/field_rules.h"
#include "journal/month_file.h"
#include "stats/day_means.h"
#include "stats/evaluation.h"
#include "stats/month_means.h"
#include "stats/month_statistics.h"
#include "stats/weight_stats.h"
#include "support/statistics_by_markers.h"

#include <QSet>

namespace {

// A value the header reader keeps as it is: a longer one is cut at 254
// characters, and the cut may leave blanks at its end (controls count as
// blanks), which the next read takes off.
bool isPlainValue(const QString &text)
{
    return text == withoutOuterBlanks(text) && text.size() <= 254 &&
           !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
}

// Lines in the written form are read by their pieces; the statistics must be
// what the markers give for every line.
void checkStatistics(const QStringList &lines)
{
    MonthStatistics statistics;
    statistics.recollect(lines);
    const StatisticsByMarkers expected(lines);
    if (expected.failure) {
        Fuzz::check(statistics.collectFailure() || statistics.tableFailure(), "same failure");
        return;
    }
    Fuzz::check(!statistics.collectFailure() && !statistics.tableFailure(), "no other failure");
    Fuzz::check(statistics.monthMeans().labelText() == expected.monthMeans.labelText(),
                "same label");
    for (int q = 0; q < 3; ++q) {
        Fuzz::check(statistics.monthMeans().valueList(q) == expected.monthMeans.valueList(q),
                    "same values");
        for (int day = 1; day <= 31; ++day)
            Fuzz::check(statistics.dayTable().text(Quantity(q), day) ==
                            expected.dayMeans.table().text(Quantity(q), day),
                        "same day means");
    }
    Fuzz::check(statistics.weights().weightList() == expected.weights.weightList(), "same weights");
    Fuzz::check(statistics.weights().mean() == expected.weights.mean(), "same weight mean");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextFile::decodeLines(Fuzz::bytesOf(data, size));
    const MonthFile::Header header = MonthFile::readHeader(lines);
    const std::array<bool, 4> switches = header.applySwitches({true, true, false, false});

    QStringList display;
    QStringList entryLines;
    QString lastEntryLine;
    for (const QString &line : lines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        lastEntryLine = line;
        entryLines.append(line);
        if (const auto shown = EntryLine::toDisplayLine(line)) {
            if (!line.contains(QLatin1Char('\t')))
                Fuzz::check(shown->count(QLatin1Char('\t')) == 6, "seven display pieces");
            display.append(*shown);
        }
    }
    checkStatistics(lines);
    (void)FieldRules::parseForPreset(lastEntryLine);

    // The add command sorts the list; no line may be changed by it.
    const QStringList sorted = EntryLine::sortLines(display);
    Fuzz::check(sorted.size() <= display.size(), "sorting adds no line");
    const QSet<QString> given(display.cbegin(), display.cend());
    for (const QString &line : sorted)
        Fuzz::check(given.contains(line), "sorting keeps every line whole");
    (void)EntryLine::sortLines(entryLines);

    for (const QString &line : display)
        Fuzz::check(!EntryLine::fromDisplayLine(line).contains(QLatin1Char('\t')), "no tab saved");
    // The evaluation of any one line is fuzz_edit_parser's; here it gets a
    // line as the list shows it after a load.
    if (!display.isEmpty()) {
        try {
            (void)evaluationItems(display.constLast());
        } catch (const ConversionError &) {
        }
    }

    // What the save writes must give the same user name back.
    if (isPlainValue(header.userName)) {
        const QStringList written = MonthFile::fileLines(header.userName, header.dateText,
                                                         QStringLiteral("2017"), switches, display);
        const QStringList reread = TextFile::decodeLines(TextFile::encodeLines(written));
        const MonthFile::Header again = MonthFile::readHeader(reread);
        if (Windows1252::decode(Windows1252::encode(header.userName)) == header.userName)
            Fuzz::check(again.userName == header.userName, "user name survives a save");
        Fuzz::check(again.applySwitches({false, false, false, false}) == switches,
                    "slot switches survive a save");
    }
    return 0;
}
