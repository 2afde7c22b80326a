#include "journal/entry_line.h"
#include "journal/slots.h"

#include <QRandomGenerator>
#include <QTest>

using namespace EntryLine;

namespace {

// A bar stands for the tab that separates the display pieces.
QString bars(const char *text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('|'), QLatin1Char('\t'));
}

} // namespace

class TestEntryLine : public QObject
{
    Q_OBJECT

private slots:
    void buildsFreshLineWithTwoBlanksAfterDen();

    void displayLine_data();
    void displayLine();

    void linesWithoutDisplayForm_data();
    void linesWithoutDisplayForm();
    void arbitraryTextNeverBreaksSplitting();
    void writtenLinesSplitAsTheirMarkersDo_data();
    void writtenLinesSplitAsTheirMarkersDo();
    void dateFieldsOfShownLines_data();
    void dateFieldsOfShownLines();

    void sortKeyOfBothForms();
    void sortsByDayThenSlot();
    void equalLinesCollapseWithoutRegardToCase();
    void oneDigitDayIsKeptWhole();

    void slotsAndMonthNames();
};

void TestEntryLine::buildsFreshLineWithTwoBlanksAfterDen()
{
    Fields f{slotInfo(Slot::Evening).prefix, "05", "03", "2017", "20:40", "135", "85", "66", "0"};
    const QString line = build(f);
    QCOMPARE(line, QStringLiteral("Abends den  05.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0"));

    // Shown and saved again, the fresh line keeps one blank after "den".
    const auto display = toDisplayLine(line);
    QVERIFY(display);
    QCOMPARE(fromDisplayLine(*display),
             QStringLiteral("Abends den 05.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0"));
}

void TestEntryLine::displayLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("saved");

    QTest::newRow("with weight")
        << "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5"
        << bars("Morgens den |01.03.2017 |Z=07:30 |s=140, |d=90, |p=70, |Gewicht=70,5")
        << "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5";
    QTest::newRow("second slot")
        << "Messung2 den 05.03.2017 Z=13:00 s=128, d=80, p=64, Gewicht=0"
        << bars("Messung2 den |05.03.2017 |Z=13:00 |s=128, |d=80, |p=64, |Gewicht=0")
        << "Messung2 den 05.03.2017 Z=13:00 s=128, d=80, p=64, Gewicht=0";
    QTest::newRow("two blanks after den")
        << "Messung3 den  05.03.2017 Z=15:30 s=128, d=80, p=64, Gewicht=0"
        << bars("Messung3 den |05.03.2017 |Z=15:30 |s=128, |d=80, |p=64, |Gewicht=0")
        << "Messung3 den 05.03.2017 Z=15:30 s=128, d=80, p=64, Gewicht=0";
    QTest::newRow("many blanks after den")
        << "Abends den     05.03.2017 Z=20:40 s=128, d=80, p=64, Gewicht=0"
        << bars("Abends den |05.03.2017 |Z=20:40 |s=128, |d=80, |p=64, |Gewicht=0")
        << "Abends den 05.03.2017 Z=20:40 s=128, d=80, p=64, Gewicht=0";
    QTest::newRow("without weight") << "Abends den 07.03.2017 Z=20:40 s=120, d=90, p=70"
                                    << bars("Abends den |07.03.2017 |Z=20:40 |s=120, |d=90, |p=70|")
                                    << "Abends den 07.03.2017 Z=20:40 s=120, d=90, p=70";
    QTest::newRow("outer blanks of pulse and weight")
        << "Abends den 07.03.2017 Z=20:40 s=120, d=90, p=70  "
        << bars("Abends den |07.03.2017 |Z=20:40 |s=120, |d=90, |p=70|")
        << "Abends den 07.03.2017 Z=20:40 s=120, d=90, p=70";
    QTest::newRow("weight with trailing blanks")
        << "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5 "
        << bars("Morgens den |01.03.2017 |Z=07:30 |s=140, |d=90, |p=70, |Gewicht=70,5")
        << "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5";
    QTest::newRow("umlaut in free time text")
        << QString::fromUtf8("Morgens den 01.03.2017 Z=früh s=140, d=90, p=70, Gewicht=0")
        << bars("Morgens den |01.03.2017 |Z=früh |s=140, |d=90, |p=70, |Gewicht=0")
        << QString::fromUtf8("Morgens den 01.03.2017 Z=früh s=140, d=90, p=70, Gewicht=0");
}

void TestEntryLine::displayLine()
{
    QFETCH(QString, line);
    QFETCH(QString, display);
    QFETCH(QString, saved);
    QVERIFY(isEntryLine(line));
    const auto shown = toDisplayLine(line);
    QVERIFY(shown);
    QCOMPARE(*shown, display);
    QCOMPARE(shown->count(QLatin1Char('\t')), 6);
    QCOMPARE(fromDisplayLine(*shown), saved);
    // A saved line displays the same way again.
    QCOMPARE(toDisplayLine(saved), shown);
}

void TestEntryLine::linesWithoutDisplayForm_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("empty") << "";
    QTest::newRow("no den") << "Morgens 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0";
    QTest::newRow("den at the end") << "Morgens den";
    QTest::newRow("no Z=") << "Morgens den 01.03.2017 07:30 s=140, d=90, p=70, Gewicht=0";
    QTest::newRow("no s=") << "Morgens den 01.03.2017 Z=07:30 140, d=90, p=70, Gewicht=0";
    QTest::newRow("no d=") << "Morgens den 01.03.2017 Z=07:30 s=140, 90, p=70, Gewicht=0";
    QTest::newRow("no p=") << "Abends den 01.03.2017 Z=07:30 s=140, d=90, 70, Gewicht=0";
    QTest::newRow("markers out of order") << "Abends den 01.03.2017 s=140, Z=07:30 d=90, p=70";
}

void TestEntryLine::linesWithoutDisplayForm()
{
    QFETCH(QString, line);
    // Shown before a good line and after it: nothing carries over.
    QVERIFY(toDisplayLine("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0"));
    QCOMPARE(toDisplayLine(line), std::nullopt);
}

void TestEntryLine::arbitraryTextNeverBreaksSplitting()
{
    // Fragments of the grammar in random order: every split either yields
    // seven pieces that join back to the text, or no display line at all.
    const QStringList parts = {"den", " ",  "  ", "Z=",       "s=",
                               "d=",  "p=", ",",  "Gewicht=", "1",
                               ".",   "M",  "A",  "=",        QString(QChar(0xE4)),
                               "\r"};
    QRandomGenerator random(20170301);
    int shown = 0;
    for (int round = 0; round < 20000; ++round) {
        QString line;
        const int length = random.bounded(16);
        for (int i = 0; i < length; ++i)
            line += parts.at(random.bounded(parts.size()));
        const auto display = toDisplayLine(line);
        (void)sortKey(line);
        if (!display)
            continue;
        ++shown;
        QCOMPARE(display->count(QLatin1Char('\t')), 6);
        const QString joined = fromDisplayLine(*display);
        QVERIFY2(line.startsWith(joined.left(joined.indexOf(QLatin1StringView("den")) + 3)),
                 qPrintable(line));
        QCOMPARE(toDisplayLine(joined), display);
    }
    QVERIFY(shown > 0);
}

// A line in the written form is cut where its walk found the pieces; the
// same line with a blank at its end is no longer written form and is cut by
// the markers, which drop that blank: both give one display line.
void TestEntryLine::writtenLinesSplitAsTheirMarkersDo_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("display");
    const auto row = [](const char *name, const char *line, const char *display) {
        QTest::newRow(name) << QString::fromUtf8(line) << QString::fromUtf8(display);
    };
    row("one digit", "Morgens den 05.03.2017 Z=7:3 s=9, d=0, p=1, Gewicht=0",
        "Morgens den \t05.03.2017 \tZ=7:3 \ts=9, \td=0, \tp=1, \tGewicht=0");
    row("two digits", "Messung2 den 05.03.2017 Z=13:00 s=10, d=99, p=10, Gewicht=70,5",
        "Messung2 den \t05.03.2017 \tZ=13:00 \ts=10, \td=99, \tp=10, \tGewicht=70,5");
    row("three digits", "Messung3 den 31.12.2017 Z=15:30 s=100, d=999, p=100, Gewicht=310",
        "Messung3 den \t31.12.2017 \tZ=15:30 \ts=100, \td=999, \tp=100, \tGewicht=310");
    row("highest", "Abends den 29.02.2016 Z=24:00 s=999, d=999, p=999, Gewicht=9",
        "Abends den \t29.02.2016 \tZ=24:00 \ts=999, \td=999, \tp=999, \tGewicht=9");
}

void TestEntryLine::writtenLinesSplitAsTheirMarkersDo()
{
    QFETCH(QString, line);
    QFETCH(QString, display);
    QVERIFY(WrittenPieces::of(line));
    QCOMPARE(EntryLine::toDisplayLine(line), std::optional<QString>(display));
    const QString byMarkers = line + QLatin1Char(' ');
    QVERIFY(!WrittenPieces::of(byMarkers));
    QCOMPARE(EntryLine::toDisplayLine(byMarkers), std::optional<QString>(display));
}

void TestEntryLine::dateFieldsOfShownLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields"); // day, month, year; "-" for none
    QTest::newRow("shown") << "Morgens den \t05.03.2017 \tZ=07:30 \ts=1"
                           << QStringList{"05", "03", "2017"};
    QTest::newRow("blanks in day and year")
        << "Abends den \t 5.03. 2017\tZ" << QStringList{"5", "03", "2017"};
    QTest::newRow("last piece") << "M\t31.12.1999" << QStringList{"31", "12", "1999"};
    QTest::newRow("no year") << "M\t31.12.\tZ" << QStringList{"31", "12", "-"};
    QTest::newRow("one dot") << "M\t31.12\tZ" << QStringList{"31", "-", "-"};
    QTest::newRow("no dot") << "M\t3112\tZ" << QStringList{"-", "-", "-"};
    QTest::newRow("no tab") << "Morgens den 05.03.2017" << QStringList{"-", "-", "-"};
    QTest::newRow("dots after the date") << "M\t\t05.03.2017" << QStringList{"-", "-", "-"};
}

void TestEntryLine::dateFieldsOfShownLines()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    const DateFields date = dateFieldsOf(line);
    const auto text = [](const std::optional<QString> &field) {
        return field ? *field : QStringLiteral("-");
    };
    QCOMPARE((QStringList{text(date.day), text(date.month), text(date.year)}), fields);
}

void TestEntryLine::sortKeyOfBothForms()
{
    const QString line = "Messung2 den 05.03.2017 Z=13:00 s=128, d=80, p=64, Gewicht=0";
    QCOMPARE(sortKey(line), QStringLiteral("05b"));
    QCOMPARE(sortKey(*toDisplayLine(line)), QStringLiteral("05b"));
    QCOMPARE(sortKey("Abends den 31.03.2017 Z=1 s=1, d=1, p=1"), QStringLiteral("31d"));
    QCOMPARE(sortKey("Morgens den 5.03.2017 Z=1 s=1, d=1, p=1"), QStringLiteral("05a"));
    QCOMPARE(sortKey("no date here"), QString());
}

void TestEntryLine::sortsByDayThenSlot()
{
    const QString m05 = "Morgens den 05.03.2017 Z=07:30 s=120, d=80, p=60, Gewicht=0";
    const QString b05 = "Messung2 den 05.03.2017 Z=13:00 s=128, d=80, p=64, Gewicht=0";
    const QString c05 = "Messung3 den 05.03.2017 Z=15:30 s=128, d=80, p=64, Gewicht=0";
    const QString d05 = "Abends den 05.03.2017 Z=20:40 s=128, d=80, p=64, Gewicht=0";
    const QString d10 = *toDisplayLine("Abends den 10.03.2017 Z=20:40 s=1, d=1, p=1, Gewicht=0");
    const QString m03 = *toDisplayLine("Morgens den 03.03.2017 Z=07:30 s=1, d=1, p=1, Gewicht=0");
    // A fresh line (entry form, two blanks) among display lines.
    const QString m10 = "Morgens den  10.03.2017 Z=07:30 s=1, d=1, p=1, Gewicht=0";

    QCOMPARE(sortLines({d10, m03, m10}), (QStringList{m03, m10, d10}));
    QCOMPARE(sortLines({d05, c05, b05, m05}), (QStringList{m05, b05, c05, d05}));
    QCOMPARE(sortLines({c05, m05, d10, b05, m03}), (QStringList{m03, m05, b05, c05, d10}));
    QCOMPARE(sortLines({}), QStringList());
}

void TestEntryLine::equalLinesCollapseWithoutRegardToCase()
{
    const QString first = "Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0";
    const QString shouted = "Abends den 01.03.2017 Z=20:40 S=135, D=85, P=66, GEWICHT=0";
    const QString other = "Abends den 01.03.2017 Z=20:41 s=135, d=85, p=66, Gewicht=0";
    const QString morning = "Morgens den 01.03.2017 Z=07:30 s=135, d=85, p=66, Gewicht=0";
    // Of lines that differ only in case, the one that stood first stays.
    QCOMPARE(sortLines({first, morning, shouted, other}), (QStringList{morning, first, other}));
    QCOMPARE(sortLines({shouted, first}), QStringList{shouted});
}

void TestEntryLine::oneDigitDayIsKeptWhole()
{
    const QString m04 = "Morgens den 04.03.2017 Z=07:30 s=120, d=80, p=60, Gewicht=0";
    const QString hand = "Morgens den 5.03.2017 Z=07:30 s=121, d=81, p=61, Gewicht=0";
    const QString handShown = *toDisplayLine(hand);
    const QString b05 = "Messung2 den 05.03.2017 Z=13:00 s=128, d=80, p=64, Gewicht=0";
    const QString m12 = "Morgens den 12.03.2017 Z=07:30 s=120, d=80, p=60, Gewicht=0";

    // It sorts as day 05 and comes back character for character.
    QCOMPARE(sortLines({m12, b05, hand, m04}), (QStringList{m04, hand, b05, m12}));
    QCOMPARE(sortLines({m12, b05, handShown, m04}), (QStringList{m04, handShown, b05, m12}));
    QCOMPARE(fromDisplayLine(handShown), hand);
}

void TestEntryLine::slotsAndMonthNames()
{
    QCOMPARE(slotFromPrefix("Messung3 den "), std::optional<Slot>(Slot::Third));
    QCOMPARE(slotFromPrefix("Messung3 den"), std::nullopt);
    for (Slot slot : kAllSlots) {
        const SlotInfo &info = slotInfo(slot);
        QVERIFY(info.prefix.startsWith(info.label + " den "));
        QCOMPARE(slotFromPrefix(info.prefix), std::optional<Slot>(slot));
    }

    const std::array<bool, 4> m1m3 = {true, false, true, false};
    QCOMPARE(nextSwitchedOnSlot(Slot::Morning, m1m3), Slot::Third);
    QCOMPARE(nextSwitchedOnSlot(Slot::Third, m1m3), Slot::Morning);
    // A current slot whose switch is off still moves on to a switched-on one.
    QCOMPARE(nextSwitchedOnSlot(Slot::Evening, m1m3), Slot::Morning);
    const std::array<bool, 4> m1only = {true, false, false, false};
    QCOMPARE(nextSwitchedOnSlot(Slot::Morning, m1only), Slot::Morning);
    QCOMPARE(nextSwitchedOnSlot(Slot::Second, {false, false, false, false}), Slot::Second);

    QCOMPARE(germanMonthName(3), QString::fromUtf8("März"));
    QCOMPARE(germanMonthName(1), QStringLiteral("Januar"));
    QCOMPARE(germanMonthName(12), QStringLiteral("Dezember"));
    QCOMPARE(germanMonthName(0), QString());
    QCOMPARE(germanMonthName(13), QString());
}

QTEST_GUILESS_MAIN(TestEntryLine)
#include "tst_entry_line.moc"
