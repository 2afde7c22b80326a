#pragma once

#include "journal/month_file.h"
#include "journal/reading.h"

#include <QList>
#include <QStringList>

#include <optional>

// One month file in memory: its header, its readings, and the entry lines
// no reading could be read from, which are kept so that writing the month
// back never drops a line.
class MonthJournal
{
public:
    // nullopt when the file cannot be read.
    static std::optional<MonthJournal> read(const QString &path);
    static MonthJournal fromFileLines(const QStringList &fileLines);

    const MonthFile::Header &header() const { return m_header; }
    const QList<Reading> &readings() const { return m_readings; }
    const QStringList &unreadLines() const { return m_unreadLines; }

    // The reading of that day's slot, or null.
    const Reading *find(const QDate &date, Slot slot) const;

    // Adds a reading to its slot; false (and nothing changes) when the slot
    // already holds one.
    bool add(const Reading &reading);

    // The file as the program writes it: the header of the user and month,
    // the readings in day and slot order, then the unread lines.
    QStringList fileLines(const QString &user, int month, int year) const;

private:
    MonthFile::Header m_header;
    QList<Reading> m_readings;
    QStringList m_unreadLines;
};
