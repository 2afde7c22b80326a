#pragma once

#include "journal/slots.h"

#include <QDate>
#include <QString>

class SettingsStore;

// What the reminders need to know of the diary, read from the month files of
// the gallery that the settings name (never from the window).
class DiaryReadings
{
public:
    explicit DiaryReadings(const SettingsStore &settings);

    // The month file of that day's month; empty when no user is named yet.
    QString monthFilePath(const QDate &day) const;

    // True when the month file holds a reading of that slot on that day.
    bool stored(const QDate &day, Slot slot) const;

    // The planned week's result in the words of the doctor's report, or,
    // while days lack a Morgens or Abends reading, how many of its readings
    // are there.
    QString weekResult(const QDate &firstDay) const;

private:
    QString m_galleryFolder;
    QString m_user;
};
