// The background reminders against the desktop's real notification daemon
// (dunst, started by the session bus of the test desktop): a reminder that
// fell due a minute ago, one whose reading is already stored, and the planned
// week's result once its last reading is written, with its action.
#include "diary_fixture.h"
#include "remind/notifier.h"
#include "remind/reminder_service.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

// The strings of every Notify call dbus-monitor has printed so far.
class NotifyRecorder
{
public:
    NotifyRecorder()
    {
        m_monitor.start(QStringLiteral("dbus-monitor"),
                        {QStringLiteral("--session"),
                         QStringLiteral("type='method_call',interface='org.freedesktop."
                                        "Notifications',member='Notify'")});
    }
    ~NotifyRecorder()
    {
        m_monitor.terminate();
        m_monitor.waitForFinished();
    }
    bool started() { return m_monitor.waitForStarted() && m_monitor.waitForReadyRead(5000); }

    QList<QStringList> calls()
    {
        m_text += QString::fromUtf8(m_monitor.readAllStandardOutput());
        static const QRegularExpression string(QStringLiteral("^\\s+string \"(.*)\"$"),
                                               QRegularExpression::MultilineOption);
        QList<QStringList> calls;
        for (const QString &block : m_text.split(QStringLiteral("\nmethod call"))) {
            if (!block.contains(QStringLiteral("member=Notify")))
                continue;
            QStringList strings;
            for (auto it = string.globalMatch(block); it.hasNext();)
                strings << it.next().captured(1);
            calls << strings;
        }
        return calls;
    }

private:
    QProcess m_monitor;
    QString m_text;
};

QString dunstctl(const QStringList &arguments)
{
    QProcess control;
    control.start(QStringLiteral("dunstctl"), arguments);
    control.waitForFinished(5000);
    return QString::fromUtf8(control.readAllStandardOutput()).trimmed();
}

QString dayAndMonth(const QDate &day)
{
    return day.toString(QStringLiteral("dd.MM."));
}

} // namespace

class TstReminderService : public QObject
{
    Q_OBJECT

private slots:
    void plannedWeekEndsWithItsResult();
};

void TstReminderService::plannedWeekEndsWithItsResult()
{
    const QDateTime now = QDateTime::currentDateTime();
    if (now.time() < QTime(0, 5) || now.time() > QTime(23, 58))
        QSKIP("the reminder a minute ago would lie on another day");
    const QDate today = now.date();
    const QDate first = today.addDays(-6);
    DiaryFixture diary;
    for (int i = 0; i < 7; ++i) {
        diary.add(first.addDays(i), Slot::Morning, 140, 90);
        if (i < 6)
            diary.add(first.addDays(i), Slot::Evening, 140, 90);
    }
    // Morgens two minutes ago (stored already), Abends a minute ago (missing).
    const QTime evening = now.time().addSecs(-60);
    diary.settings.write(
        SettingKey::MorningReminder,
        QStringLiteral("aus;%1;").arg(now.time().addSecs(-120).toString(QStringLiteral("hh:mm"))));
    diary.settings.write(SettingKey::EveningReminder,
                         QStringLiteral("aus;%1;").arg(evening.toString(QStringLiteral("hh:mm"))));
    diary.settings.write(SettingKey::PlannedWeek, first.toString(QStringLiteral("dd.MM.yyyy")));

    NotifyRecorder recorder;
    QVERIFY(recorder.started());
    Notifier notifier(QDBusConnection::sessionBus());
    QVERIFY(notifier.available());
    QList<QStringList> launched;
    ReminderService service(diary.home.settingsFile(), notifier,
                            [&launched](const QStringList &arguments) {
                                launched << arguments;
                                return true;
                            });
    QVERIFY(service.start());
    QTRY_COMPARE(recorder.calls().size(), 1);
    const QStringList reminder = recorder.calls().constFirst();
    QCOMPARE(reminder.mid(2, 4),
             (QStringList{QStringLiteral("Blutdruck messen"),
                          QStringLiteral("Abends: Zeit für die Messung (%1).")
                              .arg(evening.toString(QStringLiteral("hh:mm"))),
                          QStringLiteral("eintragen"), QStringLiteral("Jetzt eintragen")}));
    // The next one is tomorrow's, or none: the plan ends today.
    QVERIFY(!service.armedFor().isValid() || service.armedFor().date() > today);
    QTRY_COMPARE(dunstctl({QStringLiteral("count"), QStringLiteral("displayed")}),
                 QStringLiteral("1"));
    dunstctl({QStringLiteral("close-all")});

    // The last reading of the week arrives: the result comes.
    diary.add(today, Slot::Evening, 140, 90);
    QTRY_COMPARE(recorder.calls().size(), 2);
    const QString span = first.year() == today.year()
                             ? dayAndMonth(first) + QStringLiteral("–") +
                                   today.toString(QStringLiteral("dd.MM.yyyy"))
                             : first.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral("–") +
                                   today.toString(QStringLiteral("dd.MM.yyyy"));
    QCOMPARE(recorder.calls().at(1).mid(2, 4),
             (QStringList{QStringLiteral("Messwoche abgeschlossen"),
                          QStringLiteral("Messwoche %1: Mittelwert 140/90 mmHg aus 12 Messungen "
                                         "– über dem Grenzwert von 135/85 mmHg")
                              .arg(span),
                          QStringLiteral("arztbericht"), QStringLiteral("Arztbericht erstellen")}));
    // Another write of the month brings no second result.
    diary.add(today, Slot::Second, 120, 80);
    QTest::qWait(300);
    QCOMPARE(recorder.calls().size(), 2);

    // The user chooses the action in dunst.
    QTRY_COMPARE(dunstctl({QStringLiteral("count"), QStringLiteral("displayed")}),
                 QStringLiteral("1"));
    dunstctl({QStringLiteral("action"), QStringLiteral("0")});
    QTRY_COMPARE(launched, QList<QStringList>{QStringList{QStringLiteral("--arztbericht")}});
    dunstctl({QStringLiteral("close-all")});

    // A dialog writes one value after the other: a moment with nothing on
    // in between does not end the service.
    QSignalSpy nothingLeft(&service, &ReminderService::nothingLeft);
    diary.settings.write(SettingKey::PlannedWeek, QString());
    QTest::qWait(50); // the file's change is seen in between
    diary.settings.write(SettingKey::ThirdReminder,
                         QStringLiteral("an;15:30;Mo,Di,Mi,Do,Fr,Sa,So"));
    QTest::qWait(600);
    QCOMPARE(nothingLeft.size(), 0);
    QCOMPARE(service.armedFor().time(), QTime(15, 30));

    // Everything switched off: the service says so once, and its caller ends.
    diary.settings.write(SettingKey::ThirdReminder, QStringLiteral("aus;15:30;Mo"));
    QTRY_COMPARE(nothingLeft.size(), 1);
    QVERIFY(!service.armedFor().isValid());
    QTest::qWait(400);
    QCOMPARE(nothingLeft.size(), 1);
}

QTEST_MAIN(TstReminderService)

#include "tst_reminder_service.moc"
