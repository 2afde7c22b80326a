#include "journal/month_journal.h"

#include "base/text_file.h"
#include "journal/entry_line.h"

std::optional<MonthJournal> MonthJournal::read(const QString &path)
{
    const std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines)
        return std::nullopt;
    return fromFileLines(*lines);
}

MonthJournal MonthJournal::fromFileLines(const QStringList &fileLines)
{
    MonthJournal journal;
    journal.m_header = MonthFile::readHeader(fileLines);
    for (const QString &line : fileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        if (std::optional<Reading> reading = Reading::parse(line))
            journal.m_readings.append(std::move(*reading));
        else
            journal.m_unreadLines.append(line);
    }
    return journal;
}

const Reading *MonthJournal::find(const QDate &date, Slot slot) const
{
    for (const Reading &reading : m_readings) {
        if (reading.date == date && reading.slot == slot)
            return &reading;
    }
    return nullptr;
}

bool MonthJournal::add(const Reading &reading)
{
    if (find(reading.date, reading.slot))
        return false;
    m_readings.append(reading);
    return true;
}

QStringList MonthJournal::fileLines(const QString &user, int month, int year) const
{
    // The same steps as a save from the window, so both write the same bytes.
    QStringList display;
    display.reserve(m_readings.size());
    for (const Reading &reading : m_readings) {
        if (const std::optional<QString> shown = EntryLine::toDisplayLine(reading.line))
            display.append(*shown);
    }
    const std::array<bool, 4> switches = m_header.applySwitches({true, true, true, true});
    return MonthFile::fileLines(user, germanMonthName(month), QString::number(year), switches,
                                EntryLine::sortLines(display)) +
           m_unreadLines;
}
