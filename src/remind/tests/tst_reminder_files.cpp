// The reminders' settings in the settings file, the month files they read,
// the autostart entry and the lock of the background process.
#include "diary_fixture.h"
#include "remind/autostart_entry.h"
#include "remind/diary_readings.h"
#include "remind/reminder_lock.h"
#include "remind/reminder_settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>

class TstReminderFiles : public QObject
{
    Q_OBJECT

private slots:
    void timesMustBeHoursAndMinutes_data();
    void timesMustBeHoursAndMinutes();
    void reminderTextRoundTrips();
    void damagedReminderTextIsRefused();
    void missingRemindersTakeTheSlotTimes();
    void remindersAreWrittenUnderTheirNames();
    void remindersSurviveTheFirstRunWriter();
    void nothingIsWrittenWithoutAStore();
    void plannedWeekDateIsChecked();
    void storedReadingIsFoundForItsDayAndSlot();
    void noUserMeansNothingStored();
    void completeWeekIsSaidAsInTheReport();
    void incompleteWeekCountsItsReadings();
    void autostartEntryQuotesThePath();
    void autostartEntryIsWrittenAndRemoved();
    void oneLockHolderAtATime();
};

void TstReminderFiles::timesMustBeHoursAndMinutes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("time");
    QTest::newRow("midnight") << "00:00" << QTime(0, 0);
    QTest::newRow("last minute") << "23:59" << QTime(23, 59);
    QTest::newRow("24:00") << "24:00" << QTime();
    QTest::newRow("minute 59") << "07:59" << QTime(7, 59);
    QTest::newRow("minute 60") << "07:60" << QTime();
    QTest::newRow("one hour digit") << "7:30" << QTime();
    QTest::newRow("three minute digits") << "07:300" << QTime();
    QTest::newRow("dot") << "07.30" << QTime();
    QTest::newRow("blank before") << " 07:30" << QTime();
    QTest::newRow("blank after") << "07:30 " << QTime();
    QTest::newRow("seconds") << "07:30:00" << QTime();
    QTest::newRow("empty") << "" << QTime();
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("٠٧:٣٠") << QTime();
}

void TstReminderFiles::timesMustBeHoursAndMinutes()
{
    QFETCH(QString, text);
    QFETCH(QTime, time);
    const auto parsed = ReminderText::parseTime(text);
    QCOMPARE(parsed.has_value(), time.isValid());
    if (parsed)
        QCOMPARE(*parsed, time);
}

void TstReminderFiles::reminderTextRoundTrips()
{
    SlotReminder reminder;
    reminder.on = true;
    reminder.time = QTime(7, 30);
    reminder.weekdays = {true, false, true, false, true, false, true};
    QCOMPARE(ReminderText::encode(reminder), QStringLiteral("an;07:30;Mo,Mi,Fr,So"));
    QCOMPARE(ReminderText::decode(ReminderText::encode(reminder)), reminder);
    reminder.on = false;
    reminder.weekdays.fill(false);
    QCOMPARE(ReminderText::encode(reminder), QStringLiteral("aus;07:30;"));
    QCOMPARE(ReminderText::decode(QStringLiteral("aus;07:30;")), reminder);
}

void TstReminderFiles::damagedReminderTextIsRefused()
{
    for (const char *text : {"", "an", "an;07:30", "ja;07:30;Mo", "an;7:30;Mo", "an;07:30;Mo,Xy",
                             "an;07:30;Mo;Di", "an;07:30;Mo,"}) {
        QVERIFY2(!ReminderText::decode(QString::fromLatin1(text)), text);
    }
}

void TstReminderFiles::missingRemindersTakeTheSlotTimes()
{
    DiaryFixture diary;
    diary.settings.write(SettingKey::MorningTime, QStringLiteral("06:45"));
    diary.settings.write(SettingKey::ThirdTime, QStringLiteral("kaputt"));
    diary.settings.write(SettingKey::EveningReminder, QStringLiteral("an;25:00;Mo"));
    const ReminderSettings settings = ReminderSettings::read(diary.settings);
    QCOMPARE(settings.of(Slot::Morning).time, QTime(6, 45));
    QCOMPARE(settings.of(Slot::Second).time, QTime(13, 0));
    // A slot time that is no time: the first-run time.
    QCOMPARE(settings.of(Slot::Third).time, QTime(15, 30));
    // A damaged reminder is off at the slot time.
    QCOMPARE(settings.of(Slot::Evening).time, QTime(20, 40));
    for (const SlotReminder &reminder : settings.reminders) {
        QVERIFY(!reminder.on);
        QCOMPARE(reminder.weekdays,
                 (std::array<bool, 7>{true, true, true, true, true, true, true}));
    }
    QVERIFY(!settings.plannedWeek);
}

void TstReminderFiles::remindersAreWrittenUnderTheirNames()
{
    DiaryFixture diary;
    ReminderSettings settings = ReminderSettings::read(diary.settings);
    settings.of(Slot::Evening).on = true;
    settings.of(Slot::Evening).time = QTime(21, 5);
    settings.plannedWeek = QDate(2026, 3, 3);
    QVERIFY(settings.write(diary.settings));
    const QByteArray file = TempHome::readFile(diary.home.settingsFile());
    QVERIFY(file.contains("\"ErinnerungAbends\"=\"an;21:05;Mo,Di,Mi,Do,Fr,Sa,So\""));
    QVERIFY(file.contains("\"ErinnerungMorgens\"=\"aus;07:30;Mo,Di,Mi,Do,Fr,Sa,So\""));
    QVERIFY(file.contains("\"Messwoche\"=\"03.03.2026\""));
    QCOMPARE(ReminderSettings::read(diary.settings), settings);
    settings.plannedWeek.reset();
    settings.write(diary.settings);
    QVERIFY(TempHome::readFile(diary.home.settingsFile()).contains("\"Messwoche\"=\"\""));
    QVERIFY(!ReminderSettings::read(diary.settings).plannedWeek);
}

void TstReminderFiles::remindersSurviveTheFirstRunWriter()
{
    DiaryFixture diary;
    diary.settings.write(SettingKey::MorningReminder, QStringLiteral("an;07:00;Mo"));
    diary.settings.writeFirstRunValues(diary.home.workFolder());
    QCOMPARE(diary.settings.read(SettingKey::MorningReminder), QStringLiteral("an;07:00;Mo"));
}

void TstReminderFiles::nothingIsWrittenWithoutAStore()
{
    TempHome home;
    const SettingsStore settings(home.settingsFile());
    QVERIFY(!ReminderSettings{}.write(settings));
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
}

void TstReminderFiles::plannedWeekDateIsChecked()
{
    QCOMPARE(ReminderText::decodeWeek(QStringLiteral("28.02.2026")), QDate(2026, 2, 28));
    QVERIFY(!ReminderText::decodeWeek(QStringLiteral("29.02.2026")));
    QVERIFY(ReminderText::decodeWeek(QStringLiteral("29.02.2028")));
    QVERIFY(!ReminderText::decodeWeek(QStringLiteral("3.3.2026")));
    QVERIFY(!ReminderText::decodeWeek(QStringLiteral("2026-03-03")));
    QVERIFY(!ReminderText::decodeWeek(QString()));
    QCOMPARE(ReminderText::encodeWeek(QDate(2026, 3, 3)), QStringLiteral("03.03.2026"));
    QCOMPARE(ReminderText::encodeWeek(std::nullopt), QString());
}

void TstReminderFiles::storedReadingIsFoundForItsDayAndSlot()
{
    DiaryFixture diary;
    diary.add(QDate(2026, 3, 3), Slot::Morning, 130, 80);
    const DiaryReadings readings(diary.settings);
    QCOMPARE(readings.monthFilePath(QDate(2026, 3, 3)),
             diary.gallery + QStringLiteral("2026/Muster_03_2026.tab"));
    QVERIFY(readings.stored(QDate(2026, 3, 3), Slot::Morning));
    QVERIFY(!readings.stored(QDate(2026, 3, 3), Slot::Evening));
    QVERIFY(!readings.stored(QDate(2026, 3, 2), Slot::Morning));
    QVERIFY(!readings.stored(QDate(2026, 3, 4), Slot::Morning));
    // A month without a file holds nothing.
    QVERIFY(!readings.stored(QDate(2026, 4, 3), Slot::Morning));
}

void TstReminderFiles::noUserMeansNothingStored()
{
    DiaryFixture diary;
    diary.add(QDate(2026, 3, 3), Slot::Morning, 130, 80);
    diary.settings.write(SettingKey::UserName, QString());
    const DiaryReadings readings(diary.settings);
    QVERIFY(readings.monthFilePath(QDate(2026, 3, 3)).isEmpty());
    QVERIFY(!readings.stored(QDate(2026, 3, 3), Slot::Morning));
}

void TstReminderFiles::completeWeekIsSaidAsInTheReport()
{
    DiaryFixture diary;
    // Across the month's end; day 1 does not count.
    const QDate first(2026, 2, 25);
    for (int i = 0; i < 7; ++i) {
        diary.add(first.addDays(i), Slot::Morning, i == 0 ? 200 : 140, i == 0 ? 120 : 88);
        diary.add(first.addDays(i), Slot::Evening, i == 0 ? 200 : 136, i == 0 ? 120 : 84);
    }
    diary.add(first.addDays(7), Slot::Morning, 100, 60); // after the week
    QCOMPARE(DiaryReadings(diary.settings).weekResult(first),
             QStringLiteral("Messwoche 25.02.–03.03.2026: Mittelwert 138/86 mmHg aus 12 "
                            "Messungen – über dem Grenzwert von 135/85 mmHg"));
}

void TstReminderFiles::incompleteWeekCountsItsReadings()
{
    DiaryFixture diary;
    const QDate first(2026, 3, 3);
    for (int i = 0; i < 7; ++i) {
        diary.add(first.addDays(i), Slot::Morning, 130, 80);
        if (i != 3)
            diary.add(first.addDays(i), Slot::Evening, 130, 80);
    }
    diary.add(first.addDays(3), Slot::Second, 130, 80); // not a slot of the week
    QCOMPARE(DiaryReadings(diary.settings).weekResult(first),
             QStringLiteral("Messwoche 03.03.–09.03.2026: nicht vollständig, 13 von 14 Messungen "
                            "(morgens und abends an 7 Tagen)"));
}

void TstReminderFiles::autostartEntryQuotesThePath()
{
    const QString plain = AutostartEntry::text(QStringLiteral("/usr/bin/vantoria"));
    QVERIFY(plain.contains(QStringLiteral("\nExec=/usr/bin/vantoria --erinnerungen\n")));
    QVERIFY(plain.startsWith(QStringLiteral("[Desktop Entry]\nType=Application\n")));
    const QString spaced = AutostartEntry::text(QStringLiteral("/home/a b/$x\"/vantoria"));
    QVERIFY(
        spaced.contains(QStringLiteral("\nExec=\"/home/a b/\\$x\\\"/vantoria\" --erinnerungen\n")));
    QVERIFY(AutostartEntry::text(QStringLiteral("/opt/100%/v"))
                .contains(QStringLiteral("Exec=/opt/100%%/v --erinnerungen")));
}

void TstReminderFiles::autostartEntryIsWrittenAndRemoved()
{
    TempHome home;
    const QString entry =
        home.root() + QStringLiteral("/config/autostart/vantoria-erinnerungen.desktop");
    QVERIFY(AutostartEntry::write(entry, QStringLiteral("/usr/bin/vantoria")).isEmpty());
    QCOMPARE(QString::fromUtf8(TempHome::readFile(entry)),
             AutostartEntry::text(QStringLiteral("/usr/bin/vantoria")));
    QVERIFY(AutostartEntry::remove(entry).isEmpty());
    QVERIFY(!QFileInfo::exists(entry));
    // Removing what is not there is no failure.
    QVERIFY(AutostartEntry::remove(entry).isEmpty());
    // A folder in the way of the autostart folder is said.
    TempHome::writeFile(home.root() + QStringLiteral("/blocked/autostart"), "x");
    const QString message = AutostartEntry::write(
        home.root() + QStringLiteral("/blocked/autostart/vantoria-erinnerungen.desktop"),
        QStringLiteral("/usr/bin/vantoria"));
    QVERIFY2(message.startsWith(QStringLiteral("Der Ordner „")), qPrintable(message));
}

void TstReminderFiles::oneLockHolderAtATime()
{
    TempHome home;
    const QString path = home.root() + QStringLiteral("/run/vantoria-erinnerungen.lock");
    {
        ReminderLock first(path);
        QVERIFY(first.tryLock());
        ReminderLock second(path);
        QVERIFY(!second.tryLock());
        QCOMPARE(second.holder(), QCoreApplication::applicationPid());
    }
    // Released with its holder.
    ReminderLock again(path);
    QVERIFY(again.tryLock());
}

QTEST_GUILESS_MAIN(TstReminderFiles)

#include "tst_reminder_files.moc"
