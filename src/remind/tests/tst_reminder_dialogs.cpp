// Both reminder dialogs, worked with clicks and keys on a desktop of their
// own. The notification service is the desktop's (dunst, started by the
// session bus on demand); "no service" is a bus of this test's own that
// knows no services.
#include "diary_fixture.h"
#include "remind/autostart_entry.h"
#include "remind/gui/Erinnerungen.h"
#include "remind/gui/Messwoche.h"
#include "remind/notifier.h"
#include "support/fake_seam.h"

#include <QCheckBox>
#include <QDBusConnection>
#include <QDateEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// The standard session bus without its service folders: it knows no
// services and starts none.
QByteArray bareBusConfig()
{
    QByteArray config = TempHome::readFile(QStringLiteral("/usr/share/dbus-1/session.conf"));
    config.replace("<standard_session_servicedirs />", "");
    return config;
}

template <typename T> T *child(QWidget &dialog, const QString &name)
{
    T *found = dialog.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void click(QWidget &dialog, const QString &name)
{
    QTest::mouseClick(child<QWidget>(dialog, name), Qt::LeftButton);
}

// Replaces the text of a time field as a user does: click, select all, type.
void typeTime(QWidget &dialog, int slot, const QString &text)
{
    auto *edit = child<QLineEdit>(dialog, QStringLiteral("ZeitEdit%1").arg(slot));
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

} // namespace

class TstReminderDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void remindersAreStoredAndStartTheBackground();
    void aTimeNotInHoursAndMinutesIsRefused();
    void withoutAServiceNothingChanges();
    void allRemindersOffRemoveTheAutostart();
    void plannedWeekShowsItsSevenDays();
    void aWeekAlreadyOverIsRefused();
    void aPlanIsRemoved();

private:
    ReminderContext context(Notifier &notifier)
    {
        return {m_seam, m_diary->settings, notifier, m_autostart,
                QStringLiteral("/usr/bin/vantoria")};
    }
    QByteArray settingsBytes() const { return TempHome::readFile(m_diary->home.settingsFile()); }
    QStringList programs() const { return m_seam.texts(QStringLiteral("program")); }

    QProcess m_bareBus;
    std::unique_ptr<Notifier> m_desktop;
    std::unique_ptr<Notifier> m_bare;
    std::unique_ptr<DiaryFixture> m_diary;
    FakeSeam m_seam;
    QString m_autostart;
};

void TstReminderDialogs::initTestCase()
{
    static QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("bare-bus.conf"));
    const QByteArray text = bareBusConfig();
    QVERIFY(text.contains("<busconfig>") && !text.contains("servicedir"));
    TempHome::writeFile(config, text);
    m_bareBus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                     QStringLiteral("--config-file=") + config});
    QVERIFY(m_bareBus.waitForStarted());
    QVERIFY(m_bareBus.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(m_bareBus.readLine()).trimmed();
    const QDBusConnection bare = QDBusConnection::connectToBus(address, QStringLiteral("bare"));
    QVERIFY(bare.isConnected());
    m_bare = std::make_unique<Notifier>(bare);
    QVERIFY(!m_bare->available());
    m_desktop = std::make_unique<Notifier>(QDBusConnection::sessionBus());
    QVERIFY2(m_desktop->available(), "the desktop's session bus has no notification service");
}

void TstReminderDialogs::cleanupTestCase()
{
    m_bare.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("bare"));
    m_bareBus.terminate();
    m_bareBus.waitForFinished();
}

void TstReminderDialogs::init()
{
    m_diary = std::make_unique<DiaryFixture>();
    m_autostart =
        m_diary->home.root() + QStringLiteral("/config/autostart/vantoria-erinnerungen.desktop");
    m_seam.clear();
    m_seam.fixedToday = QDate(2017, 3, 15);
}

void TstReminderDialogs::cleanup()
{
    m_diary.reset();
}

void TstReminderDialogs::remindersAreStoredAndStartTheBackground()
{
    TErinnerungenDlg dialog(context(*m_desktop));
    dialog.prepare();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Off at the slot times of the settings, on every weekday.
    QVERIFY(!child<QCheckBox>(dialog, QStringLiteral("ErinnerungCheckBox1"))->isChecked());
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("ZeitEdit4"))->text(),
             QStringLiteral("20:40"));
    QVERIFY(child<QCheckBox>(dialog, QStringLiteral("TagCheckBox1_7"))->isChecked());

    click(dialog, QStringLiteral("ErinnerungCheckBox1"));
    typeTime(dialog, 1, QStringLiteral("06:45"));
    click(dialog, QStringLiteral("TagCheckBox1_6"));
    click(dialog, QStringLiteral("TagCheckBox1_7"));
    click(dialog, QStringLiteral("ErinnerungCheckBox4"));
    click(dialog, QStringLiteral("BitBtn1"));

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_seam.messages(), QStringList());
    QCOMPARE(m_diary->settings.read(SettingKey::MorningReminder),
             QStringLiteral("an;06:45;Mo,Di,Mi,Do,Fr"));
    QCOMPARE(m_diary->settings.read(SettingKey::SecondReminder),
             QStringLiteral("aus;13:00;Mo,Di,Mi,Do,Fr,Sa,So"));
    QCOMPARE(m_diary->settings.read(SettingKey::EveningReminder),
             QStringLiteral("an;20:40;Mo,Di,Mi,Do,Fr,Sa,So"));
    QCOMPARE(programs(), QStringList{QStringLiteral("/usr/bin/vantoria --erinnerungen")});
    QVERIFY(QFileInfo::exists(m_autostart));
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {m_autostart});
    QVERIFY(validate.waitForFinished(10000));
    QVERIFY2(validate.exitCode() == 0 && validate.readAll().isEmpty(),
             "desktop-file-validate found faults in the autostart entry");
}

void TstReminderDialogs::aTimeNotInHoursAndMinutesIsRefused()
{
    const QByteArray before = settingsBytes();
    TErinnerungenDlg dialog(context(*m_desktop));
    dialog.prepare();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    click(dialog, QStringLiteral("ErinnerungCheckBox2"));
    typeTime(dialog, 2, QStringLiteral("12.30"));
    click(dialog, QStringLiteral("BitBtn1"));
    QCOMPARE(m_seam.messages(),
             QStringList{QStringLiteral("„12.30“ ist keine Uhrzeit. Bitte geben Sie die Uhrzeit "
                                        "für „Messung 2“ als Stunden und Minuten ein, zum "
                                        "Beispiel 07:30.")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(dialog, QStringLiteral("ZeitEdit2")));
    // One step past the day's last minute is refused too.
    typeTime(dialog, 2, QStringLiteral("24:00"));
    QTest::keyClick(child<QWidget>(dialog, QStringLiteral("ZeitEdit2")), Qt::Key_Return);
    QCOMPARE(m_seam.messages().size(), 2);
    QVERIFY(dialog.isVisible());
    QCOMPARE(settingsBytes(), before);
    QVERIFY(programs().isEmpty());
    // The last minute is a time; Return presses OK.
    typeTime(dialog, 2, QStringLiteral("23:59"));
    QTest::keyClick(child<QWidget>(dialog, QStringLiteral("ZeitEdit2")), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_diary->settings.read(SettingKey::SecondReminder),
             QStringLiteral("an;23:59;Mo,Di,Mi,Do,Fr,Sa,So"));
}

void TstReminderDialogs::withoutAServiceNothingChanges()
{
    const QByteArray before = settingsBytes();
    TErinnerungenDlg dialog(context(*m_bare));
    dialog.prepare();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    click(dialog, QStringLiteral("ErinnerungCheckBox3"));
    click(dialog, QStringLiteral("BitBtn1"));
    QCOMPARE(m_seam.messages(), QStringList{Notifier::missingServiceMessage()});
    QVERIFY(m_seam.messages().constFirst().startsWith(
        QStringLiteral("Erinnerungen brauchen einen Benachrichtigungsdienst")));
    QVERIFY(dialog.isVisible());
    QCOMPARE(settingsBytes(), before);
    QVERIFY(!QFileInfo::exists(m_autostart));
    QVERIFY(programs().isEmpty());

    // The week dialog too.
    TMesswocheDlg week(context(*m_bare));
    week.prepare();
    week.show();
    QVERIFY(QTest::qWaitForWindowExposed(&week));
    click(week, QStringLiteral("BitBtn1"));
    QCOMPARE(m_seam.messages().size(), 2);
    QCOMPARE(settingsBytes(), before);
    QVERIFY(!QFileInfo::exists(m_autostart));
}

void TstReminderDialogs::allRemindersOffRemoveTheAutostart()
{
    m_diary->settings.write(SettingKey::ThirdReminder, QStringLiteral("an;15:30;Mo"));
    TempHome::writeFile(m_autostart,
                        AutostartEntry::text(QStringLiteral("/usr/bin/vantoria")).toUtf8());
    // Switching off needs no service.
    TErinnerungenDlg dialog(context(*m_bare));
    dialog.prepare();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(child<QCheckBox>(dialog, QStringLiteral("ErinnerungCheckBox3"))->isChecked());
    QVERIFY(!child<QCheckBox>(dialog, QStringLiteral("TagCheckBox3_2"))->isChecked());
    click(dialog, QStringLiteral("ErinnerungCheckBox3"));
    click(dialog, QStringLiteral("BitBtn1"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_seam.messages(), QStringList());
    QCOMPARE(m_diary->settings.read(SettingKey::ThirdReminder), QStringLiteral("aus;15:30;Mo"));
    QVERIFY(!QFileInfo::exists(m_autostart));
    // The background process ends by itself when it reads the settings.
    QVERIFY(programs().isEmpty());
}

void TstReminderDialogs::plannedWeekShowsItsSevenDays()
{
    m_diary->settings.write(SettingKey::MorningTime, QStringLiteral("06:50"));
    TMesswocheDlg dialog(context(*m_desktop));
    dialog.prepare();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *first = child<QDateEdit>(dialog, QStringLiteral("ErsterTagEdit"));
    auto *days = child<QTableWidget>(dialog, QStringLiteral("TageTabelle"));
    // Tomorrow, when nothing is planned.
    QCOMPARE(first->date(), QDate(2017, 3, 16));
    QCOMPARE(days->rowCount(), 7);
    QCOMPARE(days->item(0, 0)->text(),
             QStringLiteral("1. Tag: Donnerstag, 16.03.2017 (zählt nicht mit)"));
    QCOMPARE(days->item(6, 0)->text(), QStringLiteral("7. Tag: Mittwoch, 22.03.2017"));
    QCOMPARE(days->item(3, 1)->text(), QStringLiteral("06:50"));
    QCOMPARE(days->item(3, 2)->text(), QStringLiteral("20:40"));
    // The day one later, by key.
    // The dialog opens with the date in focus, on its day.
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClick(first, Qt::Key_Up);
    QCOMPARE(first->date(), QDate(2017, 3, 17));
    QCOMPARE(days->item(6, 0)->text(), QStringLiteral("7. Tag: Donnerstag, 23.03.2017"));
    click(dialog, QStringLiteral("BitBtn1"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_seam.messages(), QStringList());
    QCOMPARE(m_diary->settings.read(SettingKey::PlannedWeek), QStringLiteral("17.03.2017"));
    QVERIFY(QFileInfo::exists(m_autostart));
    QCOMPARE(programs(), QStringList{QStringLiteral("/usr/bin/vantoria --erinnerungen")});

    // Opened again, it shows the plan.
    TMesswocheDlg again(context(*m_desktop));
    again.prepare();
    QCOMPARE(child<QDateEdit>(again, QStringLiteral("ErsterTagEdit"))->date(), QDate(2017, 3, 17));
}

void TstReminderDialogs::aWeekAlreadyOverIsRefused()
{
    TMesswocheDlg dialog(context(*m_desktop));
    dialog.prepare();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *first = child<QDateEdit>(dialog, QStringLiteral("ErsterTagEdit"));
    // Its seventh day was yesterday.
    first->setDate(QDate(2017, 3, 8));
    click(dialog, QStringLiteral("BitBtn1"));
    QCOMPARE(m_seam.messages(),
             QStringList{QStringLiteral("Diese Messwoche ist schon vorüber. Bitte wählen Sie "
                                        "einen ersten Tag, dessen Woche noch nicht zu Ende ist.")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_diary->settings.read(SettingKey::PlannedWeek), QString());
    // Its seventh day is today.
    first->setDate(QDate(2017, 3, 9));
    click(dialog, QStringLiteral("BitBtn1"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_diary->settings.read(SettingKey::PlannedWeek), QStringLiteral("09.03.2017"));
}

void TstReminderDialogs::aPlanIsRemoved()
{
    m_diary->settings.write(SettingKey::PlannedWeek, QStringLiteral("16.03.2017"));
    TempHome::writeFile(m_autostart, "[Desktop Entry]\n");
    TMesswocheDlg dialog(context(*m_bare));
    dialog.prepare();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    click(dialog, QStringLiteral("BitBtn3"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_seam.messages(), QStringList());
    QCOMPARE(m_diary->settings.read(SettingKey::PlannedWeek), QString());
    QVERIFY(!QFileInfo::exists(m_autostart));
}

QTEST_MAIN(TstReminderDialogs)

#include "tst_reminder_dialogs.moc"
