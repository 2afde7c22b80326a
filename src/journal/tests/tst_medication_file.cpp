// The medication file read and written again, and the dialog's edits of its
// plan with their refusals at each limit.
#include "journal/medication.h"

#include <QTest>

namespace {

Medication ramipril()
{
    return {QStringLiteral("Ramipril"), QStringLiteral("5 mg"), QStringLiteral("1-0-1"),
            QDate(2026, 3, 3),          std::nullopt,           QStringLiteral("zum Frühstück")};
}

QStringList fileWith(const QStringList &entries)
{
    return QStringList{MedicationFile::kFormatLine, MedicationFile::kColumnsLine} + entries;
}

} // namespace

class TestMedicationFile : public QObject
{
    Q_OBJECT

private slots:
    void entryLineReadsBackWithEveryAwkwardCharacter()
    {
        Medication awkward = ramipril();
        awkward.name = QStringLiteral("#Beta\\blocker");
        awkward.note = QStringLiteral("morgens\tnüchtern\nabends\r\\n nicht");
        awkward.lastDay = QDate(2026, 12, 31);
        const QString line = MedicationFile::lineOf(awkward);
        QVERIFY(!line.contains(QLatin1Char('\n')));
        QVERIFY(!line.startsWith(QLatin1Char('#')));
        QCOMPARE(line.count(QLatin1Char('\t')), 5);
        QCOMPARE(MedicationFile::parseLine(line), std::optional<Medication>(awkward));
        // And through the whole file, where '#' would start a note.
        const std::optional<MedicationFile::Plan> plan = MedicationFile::read(fileWith({line}));
        QVERIFY(plan);
        QCOMPARE(plan->medications(), QList<Medication>{awkward});
    }

    void writtenFormIsReadable()
    {
        QCOMPARE(MedicationFile::lineOf(ramipril()),
                 QStringLiteral("Ramipril\t5 mg\t1-0-1\t03.03.2026\t\tzum Frühstück"));
    }

    void damagedLinesStayInTheirPlaceAndComeBackUnchanged()
    {
        const QStringList lines = fileWith({
            MedicationFile::lineOf(ramipril()),
            QStringLiteral("Bisoprolol\t2,5 mg\t1-0-0\t31.02.2026\t\t"),
            QStringLiteral("# vom Hausarzt am 01.03."),
            QStringLiteral("Torasemid 10 mg ab März"),
            QString(),
            QStringLiteral("ASS\t100 mg\t0-1-0\t01.03.2026\t28.02.2026\t"),
            QStringLiteral("\t5 mg\t\t01.03.2026\t\t"),
            QStringLiteral("Amlodipin\t5 mg\t\t1.3.2026\t\t"),
            QStringLiteral("Amlodipin\t5 mg\t\t01.03.2026\t\tx\\q"),
        });
        const std::optional<MedicationFile::Plan> plan = MedicationFile::read(lines);
        QVERIFY(plan);
        QCOMPARE(plan->medications(), QList<Medication>{ramipril()});
        QCOMPARE(plan->damagedNotes(),
                 (QStringList{
                     QStringLiteral("Zeile 4: ungültiger erster Tag „31.02.2026“"),
                     QStringLiteral("Zeile 6: 1 statt 6 durch Tabulatoren getrennte Felder"),
                     QStringLiteral("Zeile 8: der letzte Tag liegt vor dem ersten"),
                     QStringLiteral("Zeile 9: kein Name"),
                     QStringLiteral("Zeile 10: ungültiger erster Tag „1.3.2026“"),
                     QStringLiteral("Zeile 11: ein Rückstrich ohne gültiges Zeichen danach"),
                 }));
        QStringList expected = lines;
        expected.removeAll(QString()); // an empty line carries nothing
        QCOMPARE(MedicationFile::write(*plan), expected);
    }

    void lastDayOnTheFirstDayIsOneDayOfIntake()
    {
        Medication oneDay = ramipril();
        oneDay.lastDay = oneDay.firstDay;
        QVERIFY(MedicationFile::parseLine(MedicationFile::lineOf(oneDay)));
        QVERIFY(oneDay.problem().isEmpty());
        oneDay.lastDay = oneDay.firstDay.addDays(-1);
        QVERIFY(!oneDay.problem().isEmpty());
    }

    void onlyTheFormatLineMakesAMedicationFile()
    {
        QVERIFY(!MedicationFile::read({}));
        // A month file, a remark, a file of a newer version: never replaced.
        QVERIFY(!MedicationFile::read(
            {QStringLiteral("[Personendaten]"), QStringLiteral("BenutzerName=Muster")}));
        QVERIFY(!MedicationFile::isMedicationFile({QStringLiteral("Meine Bemerkung")}));
        const QStringList newer{QStringLiteral("Vantoria-Medikamentenplan 2")};
        QVERIFY(MedicationFile::isMedicationFile(newer));
        QVERIFY(!MedicationFile::read(newer));
        const std::optional<MedicationFile::Plan> empty =
            MedicationFile::read({MedicationFile::kFormatLine});
        QVERIFY(empty);
        QVERIFY(empty->lines.isEmpty());
    }

    void overlapCountsTheFirstAndLastDays()
    {
        Medication ended = ramipril();
        ended.lastDay = QDate(2026, 3, 31);
        QVERIFY(ended.overlaps(QDate(2026, 3, 31), QDate(2026, 4, 30)));
        QVERIFY(!ended.overlaps(QDate(2026, 4, 1), QDate(2026, 4, 30)));
        QVERIFY(ended.overlaps(QDate(2026, 2, 1), QDate(2026, 3, 3)));
        QVERIFY(!ended.overlaps(QDate(2026, 2, 1), QDate(2026, 3, 2)));
        QVERIFY(ramipril().overlaps(QDate(2030, 1, 1), QDate(2030, 1, 31)));
    }

    void addRefusesWhatCannotBeAnEntry()
    {
        MedicationFile::Plan plan;
        Medication nameless = ramipril();
        nameless.name = QStringLiteral("  ");
        QCOMPARE(MedicationEdit::add(plan, nameless),
                 QStringLiteral("Bitte geben Sie den Namen des Medikaments ein."));
        Medication backwards = ramipril();
        backwards.lastDay = QDate(2026, 3, 2);
        QCOMPARE(MedicationEdit::add(plan, backwards),
                 QStringLiteral("Der letzte Tag (02.03.2026) liegt vor dem ersten Tag "
                                "(03.03.2026). Bitte korrigieren Sie die Daten."));
        QVERIFY(plan.lines.isEmpty());
        QCOMPARE(MedicationEdit::add(plan, ramipril()), QString());
        QCOMPARE(plan.medications(), QList<Medication>{ramipril()});
    }

    void endSetsTheLastDayOnce()
    {
        MedicationFile::Plan plan;
        MedicationEdit::add(plan, ramipril());
        QVERIFY(!MedicationEdit::end(plan, 0, QDate(2026, 3, 2)).isEmpty());
        QVERIFY(!plan.lines.at(0).medication->lastDay);
        QCOMPARE(MedicationEdit::end(plan, 0, QDate(2026, 3, 3)), QString());
        QCOMPARE(plan.lines.at(0).medication->lastDay, QDate(2026, 3, 3));
        QCOMPARE(MedicationEdit::end(plan, 0, QDate(2026, 3, 9)),
                 QStringLiteral("„Ramipril 5 mg“ ist schon beendet (letzter Tag 03.03.2026)."));
        QVERIFY(!MedicationEdit::end(plan, 1, QDate(2026, 3, 9)).isEmpty());
    }

    void doseChangeEndsTheOldDoseTheDayBefore()
    {
        MedicationFile::Plan plan;
        Medication ending = ramipril();
        ending.lastDay = QDate(2026, 6, 30);
        MedicationEdit::add(plan, ending);
        // The first day itself and a day past the last day are refused.
        QVERIFY(!MedicationEdit::changeDose(plan, 0, QStringLiteral("10 mg"), QString(),
                                            QDate(2026, 3, 3))
                     .isEmpty());
        QVERIFY(!MedicationEdit::changeDose(plan, 0, QStringLiteral("10 mg"), QString(),
                                            QDate(2026, 7, 1))
                     .isEmpty());
        QCOMPARE(MedicationEdit::changeDose(plan, 0, QStringLiteral("5 mg"),
                                            QStringLiteral("1-0-1"), QDate(2026, 4, 1)),
                 QStringLiteral("Stärke und Einnahme sind unverändert."));
        QCOMPARE(plan.lines.size(), 1);
        QCOMPARE(MedicationEdit::changeDose(plan, 0, QStringLiteral(" 10 mg "),
                                            QStringLiteral("1-0-0"), QDate(2026, 6, 30)),
                 QString());
        const QList<Medication> after = plan.medications();
        QCOMPARE(after.size(), 2);
        QCOMPARE(after.at(0).strength, QStringLiteral("5 mg"));
        QCOMPARE(after.at(0).lastDay, QDate(2026, 6, 29));
        QCOMPARE(after.at(1).strength, QStringLiteral("10 mg"));
        QCOMPARE(after.at(1).intake, QStringLiteral("1-0-0"));
        QCOMPARE(after.at(1).firstDay, QDate(2026, 6, 30));
        QCOMPARE(after.at(1).lastDay, QDate(2026, 6, 30));
        QCOMPARE(after.at(1).note, ending.note);
    }

    void doseChangeOnTheDayAfterTheFirst()
    {
        MedicationFile::Plan plan;
        MedicationEdit::add(plan, ramipril());
        QCOMPARE(MedicationEdit::changeDose(plan, 0, QStringLiteral("10 mg"), QString(),
                                            QDate(2026, 3, 4)),
                 QString());
        QCOMPARE(plan.medications().at(0).lastDay, QDate(2026, 3, 3));
        QVERIFY(!plan.medications().at(1).lastDay);
    }

    void removeTakesDamagedLinesToo()
    {
        std::optional<MedicationFile::Plan> plan = MedicationFile::read(
            fileWith({QStringLiteral("kaputt"), MedicationFile::lineOf(ramipril())}));
        QVERIFY(plan);
        QCOMPARE(MedicationEdit::remove(*plan, 0), QString());
        QCOMPARE(plan->damagedNotes(), QStringList());
        QCOMPARE(plan->medications().size(), 1);
        QVERIFY(!MedicationEdit::remove(*plan, 1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMedicationFile)
#include "tst_medication_file.moc"
