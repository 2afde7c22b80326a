#include "base/conversion_error.h"
#include "journal/entry_line.h"

#include <QTest>

using namespace EntryLine;

namespace {

QString written(int day, int systolic, int diastolic, int pulse, const char *weight = "0")
{
    return Reading::format(Slot::Evening, QDate(2024, 3, day), QStringLiteral("20:40"), systolic,
                           diastolic, pulse, QString::fromLatin1(weight));
}

template <typename Call> QString conversionMessage(Call call)
{
    try {
        call();
    } catch (const ConversionError &error) {
        return error.message();
    }
    return QString();
}

MeanTexts texts(const char *s, const char *d, const char *p)
{
    const auto one = [](const char *text) {
        return text ? std::optional<QString>(QString::fromUtf8(text)) : std::nullopt;
    };
    return {one(s), one(d), one(p)};
}

} // namespace

class TestParsedLine : public QObject
{
    Q_OBJECT

private slots:
    void writtenFormReadByPieces_data();
    void writtenFormReadByPieces();
    void otherLinesGoToTheMarkers_data();
    void otherLinesGoToTheMarkers();
    void monthAndDayMeansCutDifferently();
    void weightOfTheStatistics();
    void evaluationTexts_data();
    void evaluationTexts();
    void tablePiecesDay_data();
    void tablePiecesDay();
    void tablePiecesOfBothForms();
    void tableSlotAndWeight();
    void copyOutlivesTheLine();
    void widestPieces();
};

// Every value at the limits of one, two and three digits: read by the pieces
// and by the markers alike.
void TestParsedLine::writtenFormReadByPieces_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("value");
    for (int day : {1, 9, 10, 31}) {
        for (int value : {0, 9, 10, 99, 100, 999}) {
            QTest::addRow("day %d value %d", day, value) << day << value;
        }
    }
}

void TestParsedLine::writtenFormReadByPieces()
{
    QFETCH(int, day);
    QFETCH(int, value);
    const QString line = written(day, value, value, value, "80,5");
    const Parsed parsed(line);
    QVERIFY(parsed.written());
    QCOMPARE(parsed.written()->systolic, value);
    const Parsed markers = Parsed::byMarkers(line);
    QVERIFY(!markers.written());
    QCOMPARE(parsed.monthMeanTexts(), markers.monthMeanTexts());
    QCOMPARE(parsed.dayMeanTexts().day, markers.dayMeanTexts().day);
    QCOMPARE(parsed.dayMeanTexts().values, markers.dayMeanTexts().values);
    QCOMPARE(parsed.statisticsWeight(), markers.statisticsWeight());
    QCOMPARE(*parsed.statisticsWeight(), u"80,5");
}

void TestParsedLine::otherLinesGoToTheMarkers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<MeanTexts>("means");
    QTest::newRow("four digits") << written(5, 1000, 80, 60) << texts("1000", "80", "60");
    QTest::newRow("leading zero")
        << written(5, 120, 80, 60).replace(QStringLiteral("d=80"), QStringLiteral("d=080"))
        << texts("120", "080", "60");
    QTest::newRow("no comma after s") << QStringLiteral("Morgens den 05.03.2024 Z=1 s=120 d=80")
                                      << texts(nullptr, nullptr, nullptr);
    QTest::newRow("pulse ends at the weight")
        << QStringLiteral("Morgens den 05.03.2024 Z=1 s=120, d=80, p= 64 Gewicht=70")
        << texts("120", "80", "64");
    QTest::newRow("blank in the pulse")
        << QStringLiteral("Abends den  5.03.2024 Z=1 s=1, d=2, p= 6 4") << texts("1", "2", "6 4");
    QTest::newRow("no pulse") << QStringLiteral("Morgens den 05.03.2024 Z=1 s=1, d=2, Gewicht=0")
                              << texts("1", "2", nullptr);
    QTest::newRow("no comma after d")
        << QStringLiteral("Morgens den 05.03.2024 Z=1 s=1, d=2") << texts("1", nullptr, nullptr);
}

void TestParsedLine::otherLinesGoToTheMarkers()
{
    QFETCH(QString, line);
    QFETCH(MeanTexts, means);
    const Parsed parsed(line);
    QVERIFY(!parsed.written());
    QCOMPARE(parsed.monthMeanTexts(), means);
}

void TestParsedLine::monthAndDayMeansCutDifferently()
{
    // The month means cut after the slot prefix, the day means after the
    // line's first dot: a dot before the prefix shows the difference.
    const Parsed parsed(QStringLiteral("Mx.y Morgens den 05.03.2024 Z=1 s=120, d=80, p=60"));
    QCOMPARE(parsed.monthMeanTexts(), texts("120", "80", "60"));
    const DayMeanTexts day = parsed.dayMeanTexts();
    QCOMPARE(day.day, QStringLiteral("Mx"));
    QCOMPARE(day.values, texts("120", "80", "60"));
    QCOMPARE(Parsed(QStringLiteral("Morgens den  5.03.2024 Z=1 s=1, d=2, p=3")).dayMeanTexts().day,
             QStringLiteral(" 5"));
    QCOMPARE(Parsed(QStringLiteral("Morgens ohne Datum Z=1 s=1, d=2, p=3")).dayMeanTexts().day,
             QString());
    QCOMPARE(Parsed(written(7, 1, 2, 3)).dayMeanTexts().day, QStringLiteral("07"));
}

void TestParsedLine::weightOfTheStatistics()
{
    QCOMPARE(Parsed(written(1, 1, 1, 1, "0")).statisticsWeight(), QStringView(u"0"));
    QCOMPARE(*Parsed(QStringLiteral("Messung2 den 03.03.2024 Z=1 s=1, d=1, p=1, Gewicht= 81,00 "))
                  .statisticsWeight(),
             u" 81,00 ");
    QVERIFY(
        !Parsed(QStringLiteral("Messung3 den 02.03.2024 Z=1 s=1, d=1, p=1")).statisticsWeight());
    // The day before the date's dot must be a number; the line is refused.
    const Parsed badDay(QStringLiteral("Morgens den x5.03.2024 Z=1 s=1, d=1, p=1, Gewicht=80"));
    QCOMPARE(conversionMessage([&] { (void)badDay.statisticsWeight(); }),
             QStringLiteral("'x5' ist kein gültiger Integerwert"));
    // Without a dot there is no day to refuse.
    QCOMPARE(*Parsed(QStringLiteral("Abends den heute Gewicht=80")).statisticsWeight(), u"80");
    // A line ending right after its dot keeps no weight.
    QVERIFY(!Parsed(QStringLiteral("Abends den 05.")).statisticsWeight());
}

void TestParsedLine::evaluationTexts_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("systolic");
    QTest::addColumn<QString>("diastolic");
    QTest::addColumn<QString>("pulse");
    QTest::newRow("three digits") << QStringLiteral("x\ts=135, \td=100, \tp=120, \tGewicht=0")
                                  << "135"
                                  << "100"
                                  << "120";
    QTest::newRow("two digits") << QStringLiteral("x\ts=98, \td=99, \tp=10, \t") << "98"
                                << "99"
                                << "10";
    QTest::newRow("one digit") << QStringLiteral("x\ts=9, \td=0, \tp=1, ") << "9 "
                               << "0 "
                               << "1 ";
    QTest::newRow("missing") << QStringLiteral("x s=120, p=60") << "120"
                             << ""
                             << "60";
}

void TestParsedLine::evaluationTexts()
{
    QFETCH(QString, line);
    const EvaluationTexts values = Parsed(line).evaluationTexts();
    QTEST(values.systolic, "systolic");
    QTEST(values.diastolic, "diastolic");
    QTEST(values.pulse, "pulse");
}

void TestParsedLine::tablePiecesDay_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("day");
    QTest::newRow("00") << "00.03.2024" << 0;
    QTest::newRow("01") << "01.03.2024" << 1;
    QTest::newRow("31") << "31.03.2024" << 31;
    QTest::newRow("32") << "32.03.2024" << 0;
    QTest::newRow("one digit") << "5.03.2024" << 0;
    QTest::newRow("letter") << "0x.03.2024" << 0;
}

void TestParsedLine::tablePiecesDay()
{
    QFETCH(QString, date);
    const auto pieces =
        Parsed(QStringLiteral("Morgens den ") + date + QStringLiteral(" Z=1 s=1, d=2, p=3"))
            .tablePieces();
    QVERIFY(pieces);
    QTEST(pieces->day, "day");
    QCOMPARE(pieces->dayText, QStringView(date).left(2));
}

void TestParsedLine::tablePiecesOfBothForms()
{
    const QString line = written(5, 140, 90, 7, "70,5");
    const QString shown = *toDisplayLine(line);
    for (const QString &form : {line, shown}) {
        const auto pieces = Parsed(form).tablePieces();
        QVERIFY(pieces);
        QCOMPARE(pieces->slot, std::optional<Slot>(Slot::Evening));
        QCOMPARE(pieces->day, 5);
        QCOMPARE(pieces->time, u"20:40 ");
        QCOMPARE(pieces->systolic, u"140, ");
        QCOMPARE(pieces->diastolic, u"90, ");
        QCOMPARE(pieces->pulse, u"7, ");
        QCOMPARE(pieces->weight, u"70,5");
        QCOMPARE(pieces->weightNumber(), 70.5L);
    }
    // A missing marker fills no row.
    QVERIFY(!Parsed(QStringLiteral("Morgens den 05.03.2024 Z=1 s=1, d=2")).tablePieces());
    QVERIFY(!Parsed(QStringLiteral("Morgens 05.03.2024 Z=1 s=1, d=2, p=3")).tablePieces());
}

void TestParsedLine::tableSlotAndWeight()
{
    const auto slotOf = [](const char *prefix) {
        return Parsed(QString::fromLatin1(prefix) + QStringLiteral(" 05.03.2024 Z=1 s=1, d=2, p=3"))
            .tablePieces()
            ->slot;
    };
    QCOMPARE(slotOf("Messung2 den"), std::optional<Slot>(Slot::Second));
    QCOMPARE(slotOf("Messung3 den"), std::optional<Slot>(Slot::Third));
    QCOMPARE(slotOf("Abend den"), std::optional<Slot>(Slot::Evening));
    QCOMPARE(slotOf("Mittags den"), std::nullopt);

    const auto weightOf = [](const char *weight) {
        return Parsed(QStringLiteral("Morgens den 05.03.2024 Z=1 s=1, d=2, p=3, Gewicht=") +
                      QString::fromLatin1(weight))
            .tablePieces();
    };
    QVERIFY(weightOf("0")->weight.isEmpty());
    QCOMPARE(weightOf("00")->weight, u"00");
    QCOMPARE(weightOf("0,1")->weightNumber(), 0.1L);
    QCOMPARE(conversionMessage([&] { (void)weightOf("8O")->weightNumber(); }),
             QStringLiteral("'8O' ist kein gültiger Gleitkommawert"));
}

void TestParsedLine::copyOutlivesTheLine()
{
    std::optional<Parsed> kept;
    std::optional<TablePieces> pieces;
    {
        const QString line = written(12, 130, 85, 66, "79,9");
        kept = Parsed(line);
        pieces = Parsed(line + QString()).tablePieces();
    }
    QCOMPARE(kept->written()->weightText, u"79,9");
    QCOMPARE(*kept->statisticsWeight(), u"79,9");
    QCOMPARE(pieces->systolic, u"130, ");
}

void TestParsedLine::widestPieces()
{
    const QList<QStringList> pieces = EntryLine::widestPieces(QLatin1Char('8'));
    QCOMPARE(pieces.size(), 7);
    QCOMPARE(pieces.at(0).size(), 4);
    QCOMPARE(pieces.at(0).at(1), QStringLiteral("Messung2 den "));
    // Together they are the widest display line.
    QString line = pieces.at(0).at(2);
    for (qsizetype column = 1; column < pieces.size(); ++column)
        line += pieces.at(column).at(0);
    QCOMPARE(line, QStringLiteral("Messung3 den 88.88.8888 Z=88:88 s=888, d=888, p=888, "
                                  "Gewicht=888,88"));
}

QTEST_GUILESS_MAIN(TestParsedLine)
#include "tst_parsed_line.moc"
