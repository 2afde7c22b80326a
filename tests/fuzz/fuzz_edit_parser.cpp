// A list line taken apart for editing, and an entry line for the preset of
// the form; both only ever see lines of a loaded file.
#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "base/windows1252.h"
#include "fuzz_support.h"
#include "journal/field_rules.h"
#include "stats/evaluation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = Windows1252::decode(Fuzz::bytesOf(data, size));
    const FieldRules::ParsedEntry edit = FieldRules::parseForEdit(line);
    const FieldRules::ParsedEntry preset = FieldRules::parseForPreset(line);
    for (const FieldRules::ParsedEntry *entry : {&edit, &preset}) {
        // The edit command writes these into the form; a weight goes through
        // the number routines.
        try {
            if (entry->weight)
                (void)GermanNumbers::formatGrouped1(GermanNumbers::toFloat(*entry->weight));
            if (entry->time)
                (void)FieldRules::stepTime(*entry->time, true);
        } catch (const ConversionError &) {
        }
    }
    (void)FieldRules::yearFromTitle(line);
    (void)FieldRules::monthMismatch(line, QStringLiteral("3"));
    (void)FieldRules::yearMismatch(line, QStringLiteral("2017"));
    try {
        (void)evaluationItems(line);
    } catch (const ConversionError &) {
    }
    return 0;
}
