// The readings before and after a change of the medication: which days each
// side takes, how many readings it needs, and the texts.
#include "stats/medication_effect.h"

#include <QTest>

namespace {

Reading reading(const QDate &date, Slot slot, int systolic, int diastolic)
{
    return *Reading::parse(Reading::format(slot, date, QStringLiteral("07:30"), systolic, diastolic,
                                           70, QStringLiteral("0")));
}

// One Morgens reading on each of `count` days before `day` (the day before
// first), then one on each of `after` days from `day` on.
QList<Reading> around(const QDate &day, int before, int after, int systolicBefore = 150,
                      int systolicAfter = 130)
{
    QList<Reading> readings;
    for (int n = 1; n <= before; ++n)
        readings << reading(day.addDays(-n), Slot::Morning, systolicBefore, 90);
    for (int n = 0; n < after; ++n)
        readings << reading(day.addDays(n), Slot::Morning, systolicAfter, 80);
    return readings;
}

Medication medication(const char *name, const char *strength, const QDate &first,
                      std::optional<QDate> last = std::nullopt)
{
    return {QString::fromUtf8(name),
            QString::fromUtf8(strength),
            QStringLiteral("1-0-0"),
            first,
            last,
            QString()};
}

MedicationChange start(const QDate &day)
{
    return {MedicationChange::Kind::Start, day, medication("Ramipril", "5 mg", day), std::nullopt};
}

} // namespace

class TestMedicationEffect : public QObject
{
    Q_OBJECT

private slots:
    void changeOnTheFirstDayOfAMonth()
    {
        // 2026: February has 28 days, so "before" runs from 15.02. to 28.02.
        const QDate day(2026, 3, 1);
        QList<Reading> readings = around(day, 14, 14);
        readings << reading(QDate(2026, 2, 14), Slot::Morning, 250, 150)  // day - 15
                 << reading(QDate(2026, 3, 15), Slot::Morning, 250, 150); // day + 14
        const MedicationEffect effect = medicationEffect(start(day), readings);
        QCOMPARE(effect.before.count, 14);
        QCOMPARE(effect.after.count, 14);
        QCOMPARE(effect.text(), QStringLiteral("Ramipril 5 mg ab 01.03.2026: vorher 150/90 mmHg "
                                               "(14 Messungen), nachher 130/80 mmHg (14 "
                                               "Messungen)"));
    }

    void changeAtAYearEnd()
    {
        const QDate day(2027, 1, 1);
        QList<Reading> readings = around(day, 14, 14);
        readings << reading(QDate(2026, 12, 17), Slot::Evening, 250, 150)
                 << reading(QDate(2027, 1, 15), Slot::Evening, 250, 150);
        const MedicationEffect effect = medicationEffect(start(day), readings);
        QCOMPARE(effect.before.count, 14);
        QCOMPARE(effect.after.count, 14);
        QCOMPARE(effect.before.systolicSum, 14 * 150);
        const EffectSpan span = effectSpan({start(day)});
        QCOMPARE(span.first, QDate(2026, 12, 18));
        QCOMPARE(span.last, QDate(2027, 1, 14));
    }

    void readingsOnlyOnOneSide()
    {
        const QDate day(2026, 3, 3);
        const MedicationEffect onlyBefore = medicationEffect(start(day), around(day, 20, 0));
        QVERIFY(!onlyBefore.enoughReadings());
        QCOMPARE(onlyBefore.text(), QStringLiteral("Ramipril 5 mg ab 03.03.2026: zu wenige "
                                                   "Messungen (vorher 14, nachher 0)"));
        const MedicationEffect onlyAfter = medicationEffect(start(day), around(day, 0, 20));
        QCOMPARE(onlyAfter.text(), QStringLiteral("Ramipril 5 mg ab 03.03.2026: zu wenige "
                                                  "Messungen (vorher 0, nachher 14)"));
    }

    void sixReadingsOnEachSideAreEnough()
    {
        const QDate day(2026, 3, 3);
        for (const auto &[before, after, enough] :
             {std::tuple{5, 6, false}, {6, 5, false}, {6, 6, true}, {7, 7, true}, {5, 5, false}}) {
            const MedicationEffect effect =
                medicationEffect(start(day), around(day, before, after));
            QCOMPARE(effect.before.count, before);
            QCOMPARE(effect.after.count, after);
            QCOMPARE(effect.enoughReadings(), enough);
            QCOMPARE(effect.text().contains(QStringLiteral("zu wenige")), !enough);
        }
        QCOMPARE(medicationEffect(start(day), around(day, 6, 6)).text(),
                 QStringLiteral("Ramipril 5 mg ab 03.03.2026: vorher 150/90 mmHg (6 Messungen), "
                                "nachher 130/80 mmHg (6 Messungen)"));
    }

    void meansRoundHalfUp()
    {
        const QDate day(2026, 3, 3);
        QList<Reading> readings;
        // Before: 148 and 149 six times each, 148,5 → 149; diastolic 92,08 → 92.
        for (int n = 1; n <= 6; ++n) {
            readings << reading(day.addDays(-n), Slot::Morning, 148, 92)
                     << reading(day.addDays(-n), Slot::Evening, 149, n == 1 ? 93 : 92);
        }
        // After: 136 five times and 137 once, 136,17 → 136.
        for (int n = 0; n < 6; ++n)
            readings << reading(day.addDays(n), Slot::Morning, n == 0 ? 137 : 136, 84);
        QCOMPARE(medicationEffect(start(day), readings).text(),
                 QStringLiteral("Ramipril 5 mg ab 03.03.2026: vorher 149/92 mmHg (12 Messungen), "
                                "nachher 136/84 mmHg (6 Messungen)"));
    }

    void endDoseAndStartAreToldOnceEach()
    {
        const QList<Medication> plan{
            medication("Ramipril", "5 mg", QDate(2026, 1, 10), QDate(2026, 3, 2)),
            medication(" ramipril", "10 mg", QDate(2026, 3, 3)),
            medication("Bisoprolol", "2,5 mg", QDate(2026, 2, 1), QDate(2026, 3, 10)),
            medication("ASS", "100 mg", QDate(2026, 3, 31)),
        };
        const QList<MedicationChange> changes =
            medicationChanges(plan, QDate(2026, 3, 1), QDate(2026, 3, 31));
        QCOMPARE(changes.size(), 3);
        QCOMPARE(changes.at(0).kind, MedicationChange::Kind::Dose);
        QCOMPARE(changes.at(0).heading(),
                 QStringLiteral("ramipril 10 mg statt 5 mg ab 03.03.2026"));
        QCOMPARE(changes.at(1).kind, MedicationChange::Kind::End);
        QCOMPARE(changes.at(1).day, QDate(2026, 3, 11));
        QCOMPARE(changes.at(1).heading(), QStringLiteral("Bisoprolol 2,5 mg bis 10.03.2026"));
        QCOMPARE(changes.at(2).heading(), QStringLiteral("ASS 100 mg ab 31.03.2026"));
        // The start before the period is no change of it; an end belongs to
        // the period of its last day, though its figures start the day after.
        QCOMPARE(medicationChanges(plan, QDate(2026, 2, 1), QDate(2026, 3, 2)).size(), 1);
        QCOMPARE(medicationChanges(plan, QDate(2026, 3, 10), QDate(2026, 3, 10)).size(), 1);
        QCOMPARE(medicationChanges(plan, QDate(2026, 3, 11), QDate(2026, 3, 30)).size(), 0);
        QCOMPARE(medicationChanges(plan, QDate(2026, 4, 1), QDate(2026, 4, 30)).size(), 0);
    }

    void dayLabelsOfAMonth()
    {
        const QList<Medication> plan{
            medication("Ramipril", "5 mg", QDate(2026, 2, 28), QDate(2026, 3, 30)),
            medication("Ramipril", "10 mg", QDate(2026, 3, 31)),
        };
        const QList<DayLabel> march =
            medicationDayLabels(plan, QDate(2026, 3, 1), QDate(2026, 3, 31));
        QCOMPARE(march.size(), 1);
        QCOMPARE(march.at(0).day, QDate(2026, 3, 31));
        QCOMPARE(march.at(0).text, QStringLiteral("Ramipril 10 mg statt 5 mg"));
        // An end is marked on the first day without it.
        const QList<DayLabel> ended = medicationDayLabels(
            {medication("ASS", "100 mg", QDate(2025, 1, 1), QDate(2026, 2, 28))}, QDate(2026, 3, 1),
            QDate(2026, 3, 31));
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.at(0).day, QDate(2026, 3, 1));
        QCOMPARE(ended.at(0).text, QStringLiteral("ASS 100 mg abgesetzt"));
        const QList<DayLabel> february =
            medicationDayLabels(plan, QDate(2026, 2, 1), QDate(2026, 2, 28));
        QCOMPARE(february.size(), 1);
        QCOMPARE(february.at(0).text, QStringLiteral("Ramipril 5 mg"));
    }

    void summaryOfAnEntry()
    {
        Medication entry = medication("Ramipril", "5 mg", QDate(2026, 3, 3));
        entry.note = QStringLiteral("zum\nFrühstück");
        QCOMPARE(medicationSummary(entry),
                 QStringLiteral("Ramipril 5 mg, 1-0-0, seit 03.03.2026 (zum Frühstück)"));
        entry.lastDay = QDate(2026, 4, 1);
        entry.note.clear();
        QCOMPARE(medicationSummary(entry),
                 QStringLiteral("Ramipril 5 mg, 1-0-0, vom 03.03.2026 bis 01.04.2026"));
    }
};

QTEST_GUILESS_MAIN(TestMedicationEffect)
#include "tst_medication_effect.moc"
