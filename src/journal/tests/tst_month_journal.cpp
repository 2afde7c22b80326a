// The typed month: readings read from entry lines, and a month written back
// exactly as the window's save writes it.
#include "base/text_file.h"
#include "journal/entry_line.h"
#include "journal/month_journal.h"

#include <QFile>
#include <QTest>

class TestMonthJournal : public QObject
{
    Q_OBJECT

private slots:
    void readsTheEntryLine();
    void refusesLinesWithoutAReading_data();
    void refusesLinesWithoutAReading();
    void writesBackTheProgramsOwnFilesUnchanged_data();
    void writesBackTheProgramsOwnFilesUnchanged();
    void addKeepsOneReadingASlotAndTheOrder();
    void handEditedFileKeepsItsForeignLinesInTheirOrder();
    void readingOfAWrittenLineEqualsTheMarkersReading();
};

void TestMonthJournal::readsTheEntryLine()
{
    const auto reading =
        Reading::parse(QStringLiteral("Messung3 den 28.02.2017 Z=15:30 s=131, d=81, p=61, "
                                      "Gewicht=78,4"));
    QVERIFY(reading);
    QCOMPARE(reading->date, QDate(2017, 2, 28));
    QCOMPARE(reading->slot, Slot::Third);
    QCOMPARE(reading->time, QStringLiteral("15:30"));
    QCOMPARE(reading->systolic, 131);
    QCOMPARE(reading->diastolic, 81);
    QCOMPARE(reading->pulse, 61);
    QCOMPARE(reading->weight(), std::optional<long double>(78.4L));

    const auto noWeight = Reading::parse(QStringLiteral(
        "Abends den  01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0")); // two blanks
    QVERIFY(noWeight);
    QCOMPARE(noWeight->weight(), std::nullopt);
    QCOMPARE(Reading::format(Slot::Evening, QDate(2017, 3, 1), "20:40", 135, 85, 66, "0"),
             QStringLiteral("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0"));
}

void TestMonthJournal::refusesLinesWithoutAReading_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("no diastolic") << "Abends den 01.03.2017 Z=20:40 s=135, p=66, Gewicht=0";
    QTest::newRow("pressure abc") << "Abends den 01.03.2017 Z=20:40 s=abc, d=85, p=66, Gewicht=0";
    QTest::newRow("31 February") << "Abends den 31.02.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0";
    QTest::newRow("no slot") << "Mittags den 01.03.2017 Z=12:40 s=135, d=85, p=66, Gewicht=0";
    QTest::newRow("day 1 digit") << "Abends den 1.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0";
}

void TestMonthJournal::refusesLinesWithoutAReading()
{
    QFETCH(QString, line);
    QCOMPARE(Reading::parse(line), std::nullopt);
    // The month keeps the line as it stands.
    const MonthJournal month =
        MonthJournal::fromFileLines({QStringLiteral("[Personendaten]"), line});
    QCOMPARE(month.readings().size(), 0);
    QCOMPARE(month.unreadLines(), QStringList{line});
    QCOMPARE(month.fileLines(QStringLiteral("Muster"), 3, 2017).constLast(), line);
}

void TestMonthJournal::writesBackTheProgramsOwnFilesUnchanged_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::newRow("full January") << QStringLiteral(VANTORIA_TEST_DATA_DIR
                                                    "/months/Muster_01_2024.tab")
                                  << 1 << 2024;
    QTest::newRow("January after an add in the window")
        << QStringLiteral(VANTORIA_TEST_DATA_DIR "/locales/Muster_01_2024.tab") << 1 << 2024;
}

void TestMonthJournal::writesBackTheProgramsOwnFilesUnchanged()
{
    QFETCH(QString, path);
    QFETCH(int, month);
    QFETCH(int, year);
    const std::optional<MonthJournal> journal = MonthJournal::read(path);
    QVERIFY(journal);
    QVERIFY(journal->unreadLines().isEmpty());
    QCOMPARE(journal->fileLines(journal->header().userName, month, year),
             *TextFile::readLines(path));
}

void TestMonthJournal::addKeepsOneReadingASlotAndTheOrder()
{
    MonthJournal month;
    const auto evening = Reading::parse(
        QStringLiteral("Abends den 02.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0"));
    const auto morning = Reading::parse(
        QStringLiteral("Morgens den 02.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5"));
    QVERIFY(month.add(*evening));
    QVERIFY(month.add(*morning));
    QVERIFY(!month.add(*evening));
    const QStringList lines = month.fileLines(QStringLiteral("Muster"), 3, 2017);
    QCOMPARE(lines.mid(7), (QStringList{QString(), morning->line, evening->line}));
    QCOMPARE(lines.at(2), QStringLiteral("Datum=März 2017"));
}

// Lines no reading comes from go back after the readings, in the order they
// stood among them; lines that are no entry lines are not written again.
void TestMonthJournal::handEditedFileKeepsItsForeignLinesInTheirOrder()
{
    const QString morning2 =
        QStringLiteral("Morgens den 02.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5");
    const QString evening1 = QStringLiteral("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, "
                                            "Gewicht=0");
    const QString badValue =
        QStringLiteral("Messung2 den 01.03.2017 Z=13:00 s=abc, d=80, p=60, Gewicht=0");
    const QString noMarkers = QStringLiteral("Abends den 02.03.2017 vergessen");
    const QStringList file = {
        QStringLiteral("[Personendaten]"),
        QStringLiteral("BenutzerName=Muster"),
        QStringLiteral("Datum=März 2017"),
        QStringLiteral("1M=1"),
        QStringLiteral("2M=1"),
        QStringLiteral("3M=0"),
        QStringLiteral("4M=1"),
        QString(),
        morning2,
        noMarkers,
        QStringLiteral("Notiz: Arztbesuch"),
        evening1,
        badValue,
    };
    const MonthJournal month = MonthJournal::fromFileLines(file);
    QCOMPARE(month.readings().size(), 2);
    QCOMPARE(month.unreadLines(), (QStringList{noMarkers, badValue}));

    const QStringList written = month.fileLines(QStringLiteral("Muster"), 3, 2017);
    QCOMPARE(written.mid(0, 8), file.mid(0, 8));
    QCOMPARE(written.mid(8), (QStringList{evening1, morning2, noMarkers, badValue}));
    // Read and written again, the file stays as it is.
    QCOMPARE(MonthJournal::fromFileLines(written).fileLines(QStringLiteral("Muster"), 3, 2017),
             written);
}

// Every line in the form the program writes gives the reading its markers
// give, whichever reader takes it.
void TestMonthJournal::readingOfAWrittenLineEqualsTheMarkersReading()
{
    const auto lines =
        TextFile::readLines(QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/Muster_01_2024.tab"));
    QVERIFY(lines);
    int written = 0;
    for (const QString &line : *lines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        const EntryLine::Parsed parsed(line);
        QVERIFY(parsed.written());
        ++written;
        const std::optional<Reading> fast = Reading::parse(parsed);
        const std::optional<Reading> byMarkers = Reading::parse(EntryLine::Parsed::byMarkers(line));
        QVERIFY(fast && byMarkers);
        QCOMPARE(fast->date, byMarkers->date);
        QCOMPARE(fast->slot, byMarkers->slot);
        QCOMPARE(fast->time, byMarkers->time);
        QCOMPARE(fast->systolic, byMarkers->systolic);
        QCOMPARE(fast->diastolic, byMarkers->diastolic);
        QCOMPARE(fast->pulse, byMarkers->pulse);
        QCOMPARE(fast->weightText, byMarkers->weightText);
        QCOMPARE(fast->line, line);
    }
    QCOMPARE(written, 124);
}

QTEST_GUILESS_MAIN(TestMonthJournal)
#include "tst_month_journal.moc"
