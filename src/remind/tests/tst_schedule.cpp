// The schedule in the time zone of Berlin: in 2026 summer time begins on
// 29 March (02:00 → 03:00) and ends on 25 October (03:00 → 02:00).
#include "remind/schedule.h"

#include <QTest>

namespace {

ReminderSettings morningAt(const QTime &time)
{
    ReminderSettings settings;
    for (SlotReminder &reminder : settings.reminders)
        reminder.time = QTime(20, 40);
    settings.of(Slot::Morning).on = true;
    settings.of(Slot::Morning).time = time;
    return settings;
}

QDateTime local(int y, int m, int d, int h, int min, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::LocalTime);
}

} // namespace

class TstSchedule : public QObject
{
    Q_OBJECT

private slots:
    void nextDueIsTomorrowAfterTodaysTime();
    void nextDueIsStrictlyAfter();
    void nextDueTakesTheEarliestSlot();
    void weekdaysSwitchedOffAreSkipped();
    void nothingSwitchedOnIsNeverDue();
    void summerTimeKeepsTheWallClock();
    void timeInTheSpringGapComesWhenTheClocksJump();
    void repeatedAutumnHourRemindsOnce();
    void dueBetweenHoldsItsLimits();
    void lateLimitIsThirtyMinutes();
    void plannedWeekRemindsMorningAndEvening();
    void plannedWeekEndsOnTheSeventhEvening();
    void plannedWeekInTheFutureIsFound();
    void anyOnCountsWeekdaysAndPlan();
};

void TstSchedule::nextDueIsTomorrowAfterTodaysTime()
{
    const ReminderSettings settings = morningAt(QTime(7, 30));
    const auto due = Schedule::nextDue(settings, local(2026, 3, 3, 21, 0));
    QVERIFY(due);
    QCOMPARE(due->slot, Slot::Morning);
    QCOMPARE(due->day, QDate(2026, 3, 4));
    QCOMPARE(due->at, local(2026, 3, 4, 7, 30));
    // Across the year's end too.
    QCOMPARE(Schedule::nextDue(settings, local(2026, 12, 31, 8, 0))->at, local(2027, 1, 1, 7, 30));
}

void TstSchedule::nextDueIsStrictlyAfter()
{
    const ReminderSettings settings = morningAt(QTime(7, 30));
    QCOMPARE(Schedule::nextDue(settings, local(2026, 3, 3, 7, 29, 59))->at,
             local(2026, 3, 3, 7, 30));
    QCOMPARE(Schedule::nextDue(settings, local(2026, 3, 3, 7, 30))->at, local(2026, 3, 4, 7, 30));
    QCOMPARE(Schedule::nextDue(settings, local(2026, 3, 3, 7, 30, 1))->at,
             local(2026, 3, 4, 7, 30));
}

void TstSchedule::nextDueTakesTheEarliestSlot()
{
    ReminderSettings settings = morningAt(QTime(7, 30));
    settings.of(Slot::Evening).on = true;
    settings.of(Slot::Evening).time = QTime(20, 40);
    settings.of(Slot::Second).on = true;
    settings.of(Slot::Second).time = QTime(13, 0);
    const auto due = Schedule::nextDue(settings, local(2026, 3, 3, 8, 0));
    QCOMPARE(due->slot, Slot::Second);
    QCOMPARE(due->at, local(2026, 3, 3, 13, 0));
    QCOMPARE(Schedule::nextDue(settings, due->at)->slot, Slot::Evening);
}

void TstSchedule::weekdaysSwitchedOffAreSkipped()
{
    ReminderSettings settings = morningAt(QTime(7, 30));
    settings.of(Slot::Morning).weekdays = {true, true, true, true, true, false, false};
    // Friday 6 March 2026, after the reminder: the next is on Monday.
    const auto due = Schedule::nextDue(settings, local(2026, 3, 6, 8, 0));
    QCOMPARE(due->day, QDate(2026, 3, 9));
    QVERIFY(Schedule::isDueOn(settings, Slot::Morning, QDate(2026, 3, 6)));
    QVERIFY(!Schedule::isDueOn(settings, Slot::Morning, QDate(2026, 3, 7)));
    QVERIFY(!Schedule::isDueOn(settings, Slot::Morning, QDate(2026, 3, 8)));
    QVERIFY(Schedule::isDueOn(settings, Slot::Morning, QDate(2026, 3, 9)));
    // Sunday alone: six days later.
    settings.of(Slot::Morning).weekdays = {false, false, false, false, false, false, true};
    QCOMPARE(Schedule::nextDue(settings, local(2026, 3, 8, 7, 30))->day, QDate(2026, 3, 15));
}

void TstSchedule::nothingSwitchedOnIsNeverDue()
{
    ReminderSettings settings = morningAt(QTime(7, 30));
    settings.of(Slot::Morning).on = false;
    QVERIFY(!Schedule::nextDue(settings, local(2026, 3, 3, 0, 0)));
    settings.of(Slot::Morning).on = true;
    settings.of(Slot::Morning).weekdays.fill(false);
    QVERIFY(!Schedule::nextDue(settings, local(2026, 3, 3, 0, 0)));
    QVERIFY(Schedule::dueBetween(settings, local(2026, 3, 1, 0, 0), local(2026, 3, 31, 0, 0))
                .isEmpty());
}

void TstSchedule::summerTimeKeepsTheWallClock()
{
    const ReminderSettings settings = morningAt(QTime(7, 30));
    // The night to 29 March is an hour shorter.
    const auto spring = Schedule::nextDue(settings, local(2026, 3, 28, 7, 30));
    QCOMPARE(spring->at.time(), QTime(7, 30));
    QCOMPARE(spring->at.offsetFromUtc(), 7200);
    QCOMPARE(local(2026, 3, 28, 7, 30).secsTo(spring->at), 23 * 3600);
    // The night to 25 October is an hour longer.
    const auto autumn = Schedule::nextDue(settings, local(2026, 10, 24, 7, 30));
    QCOMPARE(autumn->at.time(), QTime(7, 30));
    QCOMPARE(autumn->at.offsetFromUtc(), 3600);
    QCOMPARE(local(2026, 10, 24, 7, 30).secsTo(autumn->at), 25 * 3600);
}

void TstSchedule::timeInTheSpringGapComesWhenTheClocksJump()
{
    const QDate day(2026, 3, 29);
    const QDateTime jump = QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC);
    QCOMPARE(Schedule::dueAt(day, QTime(2, 0)), jump);
    QCOMPARE(Schedule::dueAt(day, QTime(2, 30)), jump);
    QCOMPARE(Schedule::dueAt(day, QTime(2, 59)), jump);
    // Either side of the gap the time is kept.
    QCOMPARE(Schedule::dueAt(day, QTime(1, 59)).time(), QTime(1, 59));
    QCOMPARE(Schedule::dueAt(day, QTime(3, 0)), jump);
    QCOMPARE(Schedule::dueAt(day, QTime(3, 1)), jump.addSecs(60));
    const auto due = Schedule::nextDue(morningAt(QTime(2, 30)), local(2026, 3, 28, 23, 0));
    QCOMPARE(due->day, day);
    QCOMPARE(due->at, jump);
}

void TstSchedule::repeatedAutumnHourRemindsOnce()
{
    const ReminderSettings settings = morningAt(QTime(2, 30));
    const auto first = Schedule::nextDue(settings, local(2026, 10, 24, 23, 0));
    QCOMPARE(first->day, QDate(2026, 10, 25));
    QCOMPARE(first->at.toUTC(), QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC));
    // The second 02:30 of that night brings no second reminder.
    const auto next = Schedule::nextDue(settings, first->at);
    QCOMPARE(next->day, QDate(2026, 10, 26));
    const QDateTime secondHalfPast = QDateTime(QDate(2026, 10, 25), QTime(1, 30), Qt::UTC);
    QCOMPARE(Schedule::dueBetween(settings, first->at, secondHalfPast.addSecs(60)).size(), 0);
}

void TstSchedule::dueBetweenHoldsItsLimits()
{
    ReminderSettings settings = morningAt(QTime(7, 30));
    settings.of(Slot::Evening).on = true;
    const QDateTime at = local(2026, 3, 3, 7, 30);
    // After is left out, until is taken.
    QCOMPARE(Schedule::dueBetween(settings, at.addSecs(-1), at).size(), 1);
    QCOMPARE(Schedule::dueBetween(settings, at, at.addSecs(1)).size(), 0);
    QCOMPARE(Schedule::dueBetween(settings, at.addSecs(-2), at.addSecs(-1)).size(), 0);
    QCOMPARE(Schedule::dueBetween(settings, at, at).size(), 0);
    // Across midnight, in time order.
    const QList<Schedule::Due> night =
        Schedule::dueBetween(settings, local(2026, 3, 3, 20, 0), local(2026, 3, 4, 8, 0));
    QCOMPARE(night.size(), 2);
    QCOMPARE(night[0].at, local(2026, 3, 3, 20, 40));
    QCOMPARE(night[1].at, local(2026, 3, 4, 7, 30));
}

void TstSchedule::lateLimitIsThirtyMinutes()
{
    const Schedule::Due due{Slot::Morning, QDate(2026, 3, 3), local(2026, 3, 3, 7, 30)};
    QVERIFY(!Schedule::tooLate(due, local(2026, 3, 3, 7, 30)));
    QVERIFY(!Schedule::tooLate(due, local(2026, 3, 3, 7, 59, 59)));
    QVERIFY(!Schedule::tooLate(due, local(2026, 3, 3, 8, 0)));
    QVERIFY(Schedule::tooLate(due, local(2026, 3, 3, 8, 0, 1)));
    QVERIFY(Schedule::tooLate(due, local(2026, 3, 3, 14, 0)));
}

void TstSchedule::plannedWeekRemindsMorningAndEvening()
{
    ReminderSettings settings; // every reminder off
    settings.of(Slot::Morning).time = QTime(7, 30);
    settings.of(Slot::Evening).time = QTime(20, 40);
    settings.of(Slot::Evening).weekdays.fill(false);
    settings.plannedWeek = QDate(2026, 3, 3);
    const QList<QDate> days = Schedule::measuringWeekDays(QDate(2026, 3, 3));
    QCOMPARE(days.size(), 7);
    QCOMPARE(days.constFirst(), QDate(2026, 3, 3));
    QCOMPARE(days.constLast(), QDate(2026, 3, 9));
    for (const QDate &day : days) {
        QVERIFY(Schedule::isDueOn(settings, Slot::Morning, day));
        QVERIFY(Schedule::isDueOn(settings, Slot::Evening, day));
        QVERIFY(!Schedule::isDueOn(settings, Slot::Second, day));
        QVERIFY(!Schedule::isDueOn(settings, Slot::Third, day));
    }
    QVERIFY(!Schedule::isDueOn(settings, Slot::Morning, QDate(2026, 3, 2)));
    QVERIFY(!Schedule::isDueOn(settings, Slot::Evening, QDate(2026, 3, 10)));
    const QList<Schedule::Due> week =
        Schedule::dueBetween(settings, local(2026, 3, 1, 0, 0), local(2026, 3, 12, 0, 0));
    QCOMPARE(week.size(), 14);
    QCOMPARE(week.constFirst().at, local(2026, 3, 3, 7, 30));
    QCOMPARE(week.constLast().at, local(2026, 3, 9, 20, 40));
}

void TstSchedule::plannedWeekEndsOnTheSeventhEvening()
{
    ReminderSettings settings;
    settings.plannedWeek = QDate(2026, 3, 3);
    const auto due = [](Slot slot, int day) {
        return Schedule::Due{slot, QDate(2026, 3, day), QDateTime()};
    };
    QVERIFY(Schedule::endsPlannedWeek(settings, due(Slot::Evening, 9)));
    QVERIFY(!Schedule::endsPlannedWeek(settings, due(Slot::Morning, 9)));
    QVERIFY(!Schedule::endsPlannedWeek(settings, due(Slot::Evening, 8)));
    QVERIFY(!Schedule::endsPlannedWeek(settings, due(Slot::Evening, 10)));
    settings.plannedWeek.reset();
    QVERIFY(!Schedule::endsPlannedWeek(settings, due(Slot::Evening, 9)));
}

void TstSchedule::plannedWeekInTheFutureIsFound()
{
    ReminderSettings settings;
    settings.of(Slot::Morning).time = QTime(7, 30);
    settings.of(Slot::Evening).time = QTime(20, 40);
    settings.plannedWeek = QDate(2026, 6, 1);
    const auto due = Schedule::nextDue(settings, local(2026, 3, 3, 12, 0));
    QVERIFY(due);
    QCOMPARE(due->at, local(2026, 6, 1, 7, 30));
    QCOMPARE(Schedule::nextDue(settings, local(2026, 6, 7, 20, 39))->at, local(2026, 6, 7, 20, 40));
    // After the seventh evening nothing is due any more.
    QVERIFY(!Schedule::nextDue(settings, local(2026, 6, 7, 20, 40)));
}

void TstSchedule::anyOnCountsWeekdaysAndPlan()
{
    ReminderSettings settings;
    QVERIFY(!settings.anyOn(QDate(2026, 3, 3)));
    settings.of(Slot::Third).on = true;
    QVERIFY(settings.anyOn(QDate(2026, 3, 3)));
    settings.of(Slot::Third).weekdays.fill(false);
    QVERIFY(!settings.anyOn(QDate(2026, 3, 3)));
    // A plan counts until its seventh day has passed.
    settings.plannedWeek = QDate(2026, 3, 3);
    QVERIFY(settings.anyOn(QDate(2026, 3, 9)));
    QVERIFY(!settings.anyOn(QDate(2026, 3, 10)));
}

int main(int argc, char *argv[])
{
    // Before anything reads the clock's zone.
    qputenv("TZ", "Europe/Berlin");
    QCoreApplication app(argc, argv);
    TstSchedule test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_schedule.moc"
