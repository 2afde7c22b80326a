// Readings typed as one line, and list lines read out as sentences.
#include "journal/quick_entry.h"
#include "journal/reading_sentence.h"

#include <QTest>

class TstQuickEntry : public QObject
{
    Q_OBJECT

private slots:
    void acceptedForms_data();
    void acceptedForms();
    void refusals_data();
    void refusals();
    void proposedSlots_data();
    void proposedSlots();
    void sentences_data();
    void sentences();
};

void TstQuickEntry::acceptedForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("weightOn");
    QTest::addColumn<QString>("reading"); // "s d p" and " w" when a weight came
    QTest::newRow("slash") << "135/85 72" << false << "135 85 72";
    QTest::newRow("blanks") << "135 85 72" << false << "135 85 72";
    QTest::newRow("blanks around the slash, tabs, edges")
        << "  135 / 85\t72 " << false << "135 85 72";
    QTest::newRow("weight with comma") << "135/85 72 78,4" << true << "135 85 72 78,4";
    QTest::newRow("weight with point") << "135 85 72 78.4" << true << "135 85 72 78,4";
    QTest::newRow("whole weight") << "135/85 72 78" << true << "135 85 72 78";
    QTest::newRow("weight may be left out") << "135/85 72" << true << "135 85 72";
    QTest::newRow("lowest values") << "0/0 0" << false << "0 0 0";
    QTest::newRow("highest values") << "280/280 280" << false << "280 280 280";
    QTest::newRow("leading zeros") << "095/060 060" << false << "95 60 60";
    QTest::newRow("highest weight") << "120/80 60 310" << true << "120 80 60 310";
    QTest::newRow("highest weight with tenth") << "120/80 60 310,0" << true << "120 80 60 310,0";
    QTest::newRow("one step below the highest weight")
        << "120/80 60 309,9" << true << "120 80 60 309,9";
    QTest::newRow("lowest weight") << "120/80 60 0,1" << true << "120 80 60 0,1";
    QTest::newRow("lowest weight in hundredths") << "120/80 60 0,01" << true << "120 80 60 0,01";
    QTest::newRow("two decimals, as the scale shows them")
        << "135/85 72 78,45" << true << "135 85 72 78,45";
    QTest::newRow("highest weight with hundredths")
        << "120/80 60 310,00" << true << "120 80 60 310,00";
    QTest::newRow("one hundredth below the highest weight")
        << "120/80 60 309,99" << true << "120 80 60 309,99";
}

void TstQuickEntry::acceptedForms()
{
    QFETCH(QString, text);
    QFETCH(bool, weightOn);
    QFETCH(QString, reading);
    const QuickEntry::Result result = QuickEntry::parse(text, weightOn);
    QVERIFY2(result.reading, qPrintable(result.refusal));
    QVERIFY(result.refusal.isEmpty());
    QString seen = QStringLiteral("%1 %2 %3")
                       .arg(result.reading->systolic)
                       .arg(result.reading->diastolic)
                       .arg(result.reading->pulse);
    if (result.reading->weight)
        seen += QLatin1Char(' ') + *result.reading->weight;
    QCOMPARE(seen, reading);
}

void TstQuickEntry::refusals_data()
{
    // The text itself is named, and the form it should have.
    const auto unreadable = [](const QString &text, bool weightOn) {
        return QStringLiteral("„") + text +
               QStringLiteral("“ ist keine lesbare Messung. Erwartet wird die Form „135/85 72“") +
               (weightOn ? QStringLiteral(" oder „135/85 72 78,4“.") : QStringLiteral("."));
    };
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("weightOn");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("empty") << "" << false
                           << "Bitte geben Sie die Werte ein, zum Beispiel „135/85 72“.";
    QTest::newRow("blanks only, weight on")
        << "   " << true
        << "Bitte geben Sie die Werte ein, zum Beispiel „135/85 72“ oder „135/85 72 78,4“.";
    QTest::newRow("two values") << "135/85" << false << unreadable("135/85", false);
    QTest::newRow("letters") << "135/85 Puls 72" << true << unreadable("135/85 Puls 72", true);
    QTest::newRow("two slashes") << "135//85 72" << false << unreadable("135//85 72", false);
    QTest::newRow("slash before the pulse")
        << "135/85/72" << false << unreadable("135/85/72", false);
    QTest::newRow("sign") << "-135/85 72" << false << unreadable("-135/85 72", false);
    QTest::newRow("four digits") << "1350/85 72" << false << unreadable("1350/85 72", false);
    QTest::newRow("three decimals")
        << " 135/85 72 78,455 " << true << unreadable("135/85 72 78,455", true);
    QTest::newRow("comma in a pressure")
        << "135,5/85 72" << false << unreadable("135,5/85 72", false);
    QTest::newRow("five values") << "135/85 72 78 1" << true << unreadable("135/85 72 78 1", true);
    QTest::newRow("systolic one above")
        << "281/85 72" << false << "Der systolische Wert muss zwischen 0 und 280 mmHg liegen.";
    QTest::newRow("diastolic one above")
        << "135/281 72" << false << "Der diastolische Wert muss zwischen 0 und 280 mmHg liegen.";
    QTest::newRow("pulse one above")
        << "135/85 281" << false << "Der Puls muss zwischen 0 und 280 Schlägen pro Minute liegen.";
    QTest::newRow("weight one tenth above")
        << "135/85 72 310,1" << true << "Das Gewicht muss größer als 0 und höchstens 310 kg sein.";
    QTest::newRow("weight one hundredth above")
        << "135/85 72 310,01" << true << "Das Gewicht muss größer als 0 und höchstens 310 kg sein.";
    QTest::newRow("weight zero with decimals")
        << "135/85 72 0,00" << true << "Das Gewicht muss größer als 0 und höchstens 310 kg sein.";
    QTest::newRow("weight zero") << "135/85 72 0" << true
                                 << "Das Gewicht muss größer als 0 und höchstens 310 kg sein.";
    QTest::newRow("weight while the switch is off")
        << "135/85 72 78,4" << false
        << "Ein Gewicht wird nur übernommen, wenn „Das Gewicht eingeben“ eingeschaltet ist.";
}

void TstQuickEntry::refusals()
{
    QFETCH(QString, text);
    QFETCH(bool, weightOn);
    QFETCH(QString, refusal);
    const QuickEntry::Result result = QuickEntry::parse(text, weightOn);
    QVERIFY(!result.reading);
    QCOMPARE(result.refusal, refusal);
}

void TstQuickEntry::proposedSlots_data()
{
    // Each slot as "time switch taken": "07:30 on free", "--:-- off taken".
    QTest::addColumn<QString>("now");
    QTest::addColumn<QStringList>("day");
    QTest::addColumn<QString>("proposed"); // the slot's label, or "none"
    const QStringList usual = {"07:30 on free", "13:00 on free", "15:30 on free", "20:40 on free"};
    QTest::newRow("early morning") << "05:00" << usual << "Morgens";
    QTest::newRow("at the slot's time") << "13:00" << usual << "Messung2";
    QTest::newRow("one minute nearer the third")
        << "14:16" << usual << "Messung3"; // 76 minutes after 13:00, 74 before 15:30
    QTest::newRow("half way, the earlier wins") << "14:15" << usual << "Messung2";
    QTest::newRow("one minute nearer the second") << "14:14" << usual << "Messung2";
    QTest::newRow("late at night, no wrap to the morning") << "23:59" << usual << "Abends";
    QTest::newRow("just after midnight") << "00:00" << usual << "Morgens";
    QTest::newRow("the morning is taken")
        << "07:40"
        << QStringList{"07:30 on taken", "13:00 on free", "15:30 on free", "20:40 on free"}
        << "Messung2";
    QTest::newRow("only the switched-on slots, while one is free")
        << "13:05"
        << QStringList{"07:30 on free", "13:00 off free", "15:30 off free", "20:40 on free"}
        << "Morgens";
    QTest::newRow("the switched-on slots are taken: any free one")
        << "07:40"
        << QStringList{"07:30 on taken", "13:00 off free", "15:30 off free", "20:40 on taken"}
        << "Messung2";
    QTest::newRow("a slot without a usual time comes last")
        << "20:00"
        << QStringList{"07:30 on free", "--:-- on free", "15:30 on free", "--:-- on free"}
        << "Messung3";
    QTest::newRow("every slot taken")
        << "20:00"
        << QStringList{"07:30 on taken", "13:00 on taken", "15:30 off taken", "20:40 on taken"}
        << "none";
}

void TstQuickEntry::proposedSlots()
{
    QFETCH(QString, now);
    QFETCH(QStringList, day);
    QFETCH(QString, proposed);
    std::array<QuickEntry::SlotOfDay, 4> slotsOfDay;
    for (std::size_t index = 0; index < slotsOfDay.size(); ++index) {
        const QStringList parts = day.at(qsizetype(index)).split(QLatin1Char(' '));
        const QTime time = QTime::fromString(parts.at(0), QStringLiteral("hh:mm"));
        if (time.isValid())
            slotsOfDay[index].time = time;
        slotsOfDay[index].switchedOn = parts.at(1) == QLatin1String("on");
        slotsOfDay[index].taken = parts.at(2) == QLatin1String("taken");
    }
    const std::optional<Slot> slot =
        QuickEntry::proposeSlot(QTime::fromString(now, QStringLiteral("hh:mm")), slotsOfDay);
    QCOMPARE(slot ? slotInfo(*slot).label : QStringLiteral("none"), proposed);
}

void TstQuickEntry::sentences_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("morning") << "Morgens den \t05.02.2017 \tZ=07:30 \ts=132, \td=80, \tp=70, "
                                "\tGewicht=0"
                             << "Morgens, 5. Februar 2017, 7:30 Uhr, 132 zu 80, Puls 70";
    QTest::newRow("second slot with weight")
        << "Messung2 den \t15.03.2024 \tZ=13:05 \ts=118, \td=76, \tp=64, \tGewicht=78,4"
        << "Messung 2, 15. März 2024, 13:05 Uhr, 118 zu 76, Puls 64, Gewicht 78,4 kg";
    QTest::newRow("evening, december, midnight")
        << "Abends den \t31.12.2023 \tZ=00:00 \ts=140, \td=90, \tp=80, \tGewicht=0"
        << "Abends, 31. Dezember 2023, 0:00 Uhr, 140 zu 90, Puls 80";
    QTest::newRow("third slot, no weight piece")
        << "Messung3 den \t01.01.2024 \tZ=15:30 \ts=135, \td=87, \tp=66"
        << "Messung 3, 1. Januar 2024, 15:30 Uhr, 135 zu 87, Puls 66";
    QTest::newRow("no reading") << "Kommentar"
                                << "";
    QTest::newRow("month 13") << "Morgens den \t05.13.2017 \tZ=07:30 \ts=132, \td=80, \tp=70, "
                                 "\tGewicht=0"
                              << "";
}

void TstQuickEntry::sentences()
{
    QFETCH(QString, line);
    QFETCH(QString, sentence);
    QCOMPARE(readingSentence(line), sentence);
}

QTEST_GUILESS_MAIN(TstQuickEntry)
#include "tst_quick_entry.moc"
