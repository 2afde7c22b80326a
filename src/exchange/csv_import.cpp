#include "exchange/csv_import.h"

#include "base/german_numbers.h"
#include "base/german_quotes.h"
#include "exchange/import_text.h"
#include "storage/gallery_merge.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace CsvImport {

namespace {

// The header is looked for among the first records, since some apps put a
// line about the device or the person above it.
constexpr qsizetype kHeaderSearchRecords = 30;

struct HeaderFound
{
    QChar separator;
    int index = -1; // record index
    int score = 0;
};

// The separator under which a record of the first ones names the most
// columns; ";" first, as German spreadsheets write it.
HeaderFound findHeader(const QString &text)
{
    HeaderFound best;
    for (const QChar separator : {u';', u',', u'\t'}) {
        const QList<CsvRecords::Record> start =
            CsvRecords::split(text, separator, kHeaderSearchRecords);
        for (int i = 0; i < int(start.size()); ++i) {
            const int score = ImportColumns::recognisedCount(start.at(i).fields);
            if (score < 2)
                continue;
            if (score > best.score)
                best = {separator, i, score};
            break;
        }
    }
    return best;
}

bool isEmptyRow(const CsvRecords::Record &row)
{
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const QString &field) { return field.trimmed().isEmpty(); });
}

QString cell(const CsvRecords::Record &row, const ColumnMapping &mapping, ImportField field)
{
    const int index = ImportColumns::column(mapping, field);
    return index >= 0 && index < row.fields.size() ? row.fields.at(index) : QString();
}

struct RowResult
{
    std::optional<Reading> reading;
    bool slotGiven = false;
    Faulty faulty;
};

std::optional<Slot> slotNamed(const QString &text)
{
    const QString name = text.trimmed();
    for (Slot slot : kAllSlots) {
        const SlotInfo &info = slotInfo(slot);
        if (name.compare(info.label, Qt::CaseInsensitive) == 0 ||
            name.compare(info.buttonCaption, Qt::CaseInsensitive) == 0)
            return slot;
    }
    return std::nullopt;
}

// The German reason for a value that is not a whole number from 0 to 280.
QString badValue(const char *what, const QString &text)
{
    const QString value = text.trimmed();
    if (value.isEmpty())
        return QStringLiteral("%1 fehlt.").arg(QLatin1String(what));
    return QStringLiteral("%1 %2 ist keine ganze Zahl von 0 bis 280.")
        .arg(QLatin1String(what), germanQuoted(value));
}

RowResult readRow(const CsvRecords::Record &row, const ColumnMapping &mapping,
                  ImportValues::DateForm dateForm)
{
    RowResult result;
    result.faulty.line = row.line;
    const auto fail = [&result](const QString &reason) {
        result.faulty.reason = reason;
        return result;
    };
    const ImportValues::DateAndTime dateTime =
        ImportValues::splitDateTime(cell(row, mapping, ImportField::Date));
    const std::optional<QDate> date = ImportValues::parseDate(dateTime.date, dateForm);
    if (!date)
        return fail(
            dateTime.date.isEmpty()
                ? QStringLiteral("Das Datum fehlt.")
                : QStringLiteral("Das Datum %1 ist kein Datum der Form %2.")
                      .arg(germanQuoted(dateTime.date), ImportValues::dateFormName(dateForm)));
    result.faulty.date = *date;
    const QString timeText = ImportColumns::column(mapping, ImportField::Time) >= 0
                                 ? cell(row, mapping, ImportField::Time).trimmed()
                                 : dateTime.time;
    const std::optional<QString> time = ImportValues::parseTime(timeText);
    if (!time)
        return fail(
            timeText.isEmpty()
                ? QStringLiteral("Die Uhrzeit fehlt.")
                : QStringLiteral("Die Uhrzeit %1 ist nicht lesbar.").arg(germanQuoted(timeText)));
    const QString systolicText = cell(row, mapping, ImportField::Systolic);
    const std::optional<int> systolic = ImportValues::parseValue(systolicText);
    if (!systolic)
        return fail(badValue("Der systolische Wert", systolicText));
    const QString diastolicText = cell(row, mapping, ImportField::Diastolic);
    const std::optional<int> diastolic = ImportValues::parseValue(diastolicText);
    if (!diastolic)
        return fail(badValue("Der diastolische Wert", diastolicText));
    const QString pulseText = cell(row, mapping, ImportField::Pulse);
    const std::optional<int> pulse =
        pulseText.trimmed().isEmpty() ? std::optional<int>(0) : ImportValues::parseValue(pulseText);
    if (!pulse)
        return fail(badValue("Der Puls", pulseText));
    const QString weightText = cell(row, mapping, ImportField::Weight);
    const std::optional<QString> weight = ImportValues::parseWeight(weightText);
    if (!weight)
        return fail(
            QStringLiteral("Das Gewicht %1 ist nicht lesbar.").arg(germanQuoted(weightText)));
    const std::optional<Slot> slot = slotNamed(cell(row, mapping, ImportField::Slot));
    result.slotGiven = slot.has_value();
    Reading reading;
    reading.date = *date;
    reading.slot = slot.value_or(Slot::Morning);
    reading.time = *time;
    reading.systolic = *systolic;
    reading.diastolic = *diastolic;
    reading.pulse = *pulse;
    reading.weightText = *weight;
    result.reading = reading;
    return result;
}

} // namespace

Opened readFile(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (info.isFile() && info.size() > ImportText::kMaxFileBytes) {
        const long double megabytes = info.size() / (1024.0L * 1024.0L);
        return {std::nullopt,
                QStringLiteral("Die Datei %1 ist mit %2 MB zu groß. Eingelesen werden Dateien "
                               "bis %3 MB.")
                    .arg(germanQuoted(name), GermanNumbers::formatGrouped1(megabytes),
                         QString::number(ImportText::kMaxFileBytes / (qint64(1024) * 1024)))};
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {
            std::nullopt,
            QStringLiteral("Die Datei %1 konnte nicht gelesen werden.").arg(germanQuoted(name))};
    return fromBytes(file.read(ImportText::kMaxFileBytes + 1), name);
}

Opened fromBytes(const QByteArray &bytes, const QString &fileName)
{
    if (bytes.trimmed().isEmpty())
        return {std::nullopt, QStringLiteral("Die Datei %1 ist leer.").arg(germanQuoted(fileName))};
    const ImportText::Decoded decoded = ImportText::decode(bytes);
    if (ImportText::looksBinary(decoded.text))
        return {std::nullopt, QStringLiteral("Die Datei %1 ist keine Textdatei. Eingelesen werden "
                                             "CSV-Dateien, wie Tabellenkalkulationen und die "
                                             "Apps von Messgeräten sie schreiben.")
                                  .arg(germanQuoted(fileName))};
    const HeaderFound header = findHeader(decoded.text);
    if (header.index < 0)
        return {std::nullopt,
                QStringLiteral("In der Datei %1 steht keine Kopfzeile mit den Namen der Spalten "
                               "(zum Beispiel „Datum;Uhrzeit;Sys;Dia;Puls“).")
                    .arg(germanQuoted(fileName))};
    Table table;
    table.encoding = decoded.encoding;
    table.separator = header.separator;
    table.rows = CsvRecords::split(decoded.text, header.separator);
    table.headerLine = table.rows.at(header.index).line;
    table.header = table.rows.at(header.index).fields;
    table.rows.remove(0, header.index + 1);
    return {std::move(table), QString()};
}

QStringList dateTexts(const Table &table, const ColumnMapping &mapping)
{
    QStringList texts;
    for (const CsvRecords::Record &row : table.rows) {
        const QString date =
            ImportValues::splitDateTime(cell(row, mapping, ImportField::Date)).date;
        if (!date.isEmpty())
            texts.append(date);
    }
    return texts;
}

QString mappingProblem(const Table &table, const ColumnMapping &mapping)
{
    QStringList missing;
    for (ImportField field :
         {ImportField::Date, ImportField::Time, ImportField::Systolic, ImportField::Diastolic}) {
        if (ImportColumns::column(mapping, field) >= 0)
            continue;
        // A date column may carry the time as well ("2017-03-01 07:30").
        const bool timeInDate =
            field == ImportField::Time &&
            std::any_of(table.rows.begin(), table.rows.end(), [&mapping](const auto &row) {
                return !ImportValues::splitDateTime(cell(row, mapping, ImportField::Date))
                            .time.isEmpty();
            });
        if (!timeInDate)
            missing.append(ImportColumns::fieldName(field));
    }
    if (missing.isEmpty())
        return QString();
    return (missing.size() == 1 ? QStringLiteral("In der Datei fehlt eine Spalte für: ")
                                : QStringLiteral("In der Datei fehlen Spalten für: ")) +
           missing.join(QStringLiteral(", ")) +
           QStringLiteral(". Ordnen Sie die Spalten unter „Spalten“ zu.");
}

Readings readingsOf(const Table &table, const ColumnMapping &mapping,
                    ImportValues::DateForm dateForm, const std::array<QString, 4> &slotTimes)
{
    Readings result;
    result.readings.reserve(table.rows.size());
    int needed = 0;
    for (ImportField field : kImportFields)
        needed = std::max(needed, ImportColumns::column(mapping, field) + 1);
    for (const CsvRecords::Record &row : table.rows) {
        if (isEmptyRow(row))
            continue;
        if (row.fields.size() < needed) {
            result.faulty.append({row.line,
                                  QStringLiteral("Die Zeile hat zu wenige Felder (%1 statt %2).")
                                      .arg(row.fields.size())
                                      .arg(table.header.size()),
                                  QDate()});
            continue;
        }
        RowResult read = readRow(row, mapping, dateForm);
        if (!read.reading) {
            result.faulty.append(read.faulty);
            continue;
        }
        Reading &reading = *read.reading;
        if (!read.slotGiven)
            reading.slot = GalleryMerge::nearestSlot(reading.time, slotTimes);
        reading.line = Reading::format(reading.slot, reading.date, reading.time, reading.systolic,
                                       reading.diastolic, reading.pulse, reading.weightText);
        result.readings.append(std::move(reading));
    }
    return result;
}

} // namespace CsvImport
