#pragma once

#include "base/text_file.h"
#include "journal/month_journal.h"
#include "storage/data_folders.h"
#include "storage/settings_store.h"
#include "support/temp_home.h"

#include <QDate>

// A settings store of the user "Muster" whose gallery lies in the temporary
// home, and month files written as the diary writes them.
struct DiaryFixture
{
    TempHome home;
    SettingsStore settings{home.settingsFile()};
    QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");

    DiaryFixture()
    {
        settings.writeFirstRunValues(home.workFolder());
        settings.write(SettingKey::UserName, QStringLiteral("Muster"));
    }

    // Adds one reading to the month file of its day.
    void add(const QDate &day, Slot slot, int systolic, int diastolic) const
    {
        const QString year = QString::number(day.year());
        const QString month = QStringLiteral("%1").arg(day.month(), 2, 10, QLatin1Char('0'));
        const QString path =
            DataFolders::monthFilePath(gallery, year, QStringLiteral("Muster"), month, year);
        MonthJournal journal = MonthJournal::read(path).value_or(MonthJournal{});
        const QString line = Reading::format(slot, day, QStringLiteral("07:30"), systolic,
                                             diastolic, 70, QStringLiteral("0"));
        journal.add(*Reading::parse(line));
        DataFolders::ensureFolder(gallery + year);
        TextFile::writeLines(path,
                             journal.fileLines(QStringLiteral("Muster"), day.month(), day.year()));
    }
};
