// A CSV file as the import reads it: encoding, separator, header, columns,
// date forms and every line as a reading or a faulty line. Every reading
// must be one the month file can hold and read back the same.
#include "exchange/csv_import.h"
#include "fuzz_support.h"

namespace {

const std::array<QString, 4> kTimes = {QStringLiteral("07:30"), QStringLiteral("13:00"),
                                       QStringLiteral("15:30"), QStringLiteral("20:40")};

void checkReadings(const CsvImport::Table &table, const CsvImport::Readings &result)
{
    for (const Reading &reading : result.readings) {
        const std::optional<Reading> back = Reading::parse(reading.line);
        Fuzz::check(back.has_value(), "an imported reading reads back");
        Fuzz::check(back->date == reading.date && back->slot == reading.slot &&
                        back->time == reading.time && back->systolic == reading.systolic &&
                        back->diastolic == reading.diastolic && back->pulse == reading.pulse &&
                        back->weightText == reading.weightText,
                    "an imported reading reads back the same");
        Fuzz::check(reading.systolic <= 280 && reading.diastolic <= 280 && reading.pulse <= 280,
                    "values stay in the range of the entry form");
    }
    int previous = table.headerLine;
    for (const CsvImport::Faulty &faulty : result.faulty) {
        Fuzz::check(faulty.line > previous, "faulty lines are below the header, in order");
        Fuzz::check(!faulty.reason.isEmpty(), "a faulty line says why");
        previous = faulty.line;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const CsvImport::Opened opened =
        CsvImport::fromBytes(Fuzz::bytesOf(data, size), QStringLiteral("fuzz.csv"));
    Fuzz::check(opened.table.has_value() != !opened.problem.isEmpty(),
                "a file gives a table or a reason");
    if (!opened.table)
        return 0;
    const CsvImport::Table &table = *opened.table;
    // What the export writes, the reader gives back.
    const QList<CsvRecords::Record> header =
        CsvRecords::split(CsvRecords::joinLine(table.header, table.separator), table.separator);
    Fuzz::check(header.size() == 1 && header.constFirst().fields == table.header,
                "a quoted record reads back the same");
    const ColumnMapping mapping = ImportColumns::guess(table.header);
    ImportValues::fittingDateForms(CsvImport::dateTexts(table, mapping));
    CsvImport::mappingProblem(table, mapping);
    for (ImportValues::DateForm form :
         {ImportValues::DateForm::DayMonthYear, ImportValues::DateForm::YearMonthDay,
          ImportValues::DateForm::MonthDayYear, ImportValues::DateForm::DayMonthYearSlash})
        checkReadings(table, CsvImport::readingsOf(table, mapping, form, kTimes));
    return 0;
}
