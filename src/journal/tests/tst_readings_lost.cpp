#include "journal/month_file.h"
#include "support/readings_lost_reference.h"

#include <QRandomGenerator>
#include <QTest>

// MonthFile::readingsLost matches lines exactly first and brings only the
// rest into their comparable form; it must answer as the plain comparison of
// every line's form does (tests/support/readings_lost_reference.h).
class TestReadingsLost : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void answersAsTheComparisonOfForms();
};

namespace {

const QString kWritten =
    QStringLiteral("Morgens den 05.03.2017 Z=07:30 s=132, d=80, p=70, Gewicht=70,5");
const QString kEvening =
    QStringLiteral("Abends den 05.03.2017 Z=07:30 s=132, d=80, p=70, Gewicht=70,5");

// Pieces the random lines are made of: few numbers, so that lines share
// their digits often; blanks of every kind; letters whose case changes
// length or leaves Latin-1.
const QStringList kSlots = {
    QStringLiteral("Morgens"), QStringLiteral("Abends"), QStringLiteral("MORGENS"),
    QStringLiteral("Mittags"), QStringLiteral("abends"), QStringLiteral("A"),
    QStringLiteral("M"),       QStringLiteral("Ä"),      QStringLiteral("Mİ"),
};
const QStringList kDens = {QStringLiteral(" den"), QStringLiteral(" DEN"), QStringLiteral(" Den"),
                           QStringLiteral("den"), QString()};
const QStringList kBlanks = {QStringLiteral(" "),
                             QStringLiteral("  "),
                             QStringLiteral("\t"),
                             QStringLiteral(" \t"),
                             QStringLiteral("\x01"),
                             QStringLiteral("\x1f"),
                             QString()};
const QStringList kDates = {QStringLiteral("05.03.2017"), QStringLiteral("5.03.2017"),
                            QStringLiteral("05.03.2017 "), QStringLiteral("06.03.2017")};
const QStringList kMarkers = {
    QStringLiteral(" Z="),  QStringLiteral(" s="),  QStringLiteral(", d="),
    QStringLiteral(", p="), QStringLiteral(" z="),  QStringLiteral(", D="),
    QStringLiteral("Z="),   QStringLiteral("\tp="), QString()};
const QStringList kValues = {QStringLiteral("07:30"), QStringLiteral("132"),   QStringLiteral("80"),
                             QStringLiteral("70"),    QStringLiteral("1\t32"), QString()};
const QStringList kWeights = {
    QStringLiteral(", Gewicht=70,5"),     QStringLiteral(", Gewicht=70\t,5"),
    QStringLiteral(", Gewicht=0  "),      QStringLiteral(", GEWICHT=70,5"),
    QStringLiteral(", Gewicht=\x02kg"),   QStringLiteral(", Gewicht=70,5 \x1f"),
    QStringLiteral(" Notiz ÄÖÜß \u212A"), QString()};
const QStringList kOddLines = {QString(),
                               QStringLiteral("[Personendaten]"),
                               QStringLiteral("BenutzerName=Muster"),
                               QStringLiteral("M"),
                               QStringLiteral("A\t"),
                               QStringLiteral("Morgens \u212Aaffee ſ"),
                               QStringLiteral("Morgens kaffee s"),
                               QStringLiteral("morgens den 05.03.2017 Z=07:30")};

class LineMaker
{
public:
    explicit LineMaker(quint32 seed)
        : m_random(seed)
    {}

    int below(int count) { return int(m_random.bounded(count)); }
    const QString &pick(const QStringList &from) { return from.at(below(int(from.size()))); }

    QString line()
    {
        if (below(8) == 0)
            return pick(kOddLines);
        QString line = pick(kSlots) + pick(kDens) + pick(kBlanks) + pick(kDates);
        for (int piece = 0; piece < 4; ++piece)
            line += (below(10) == 0 ? pick(kMarkers) : kMarkers.at(piece)) + pick(kValues);
        return line + pick(kWeights);
    }

    // The line as another save or a hand edit could have left it.
    QString changed(QString line)
    {
        if (line.isEmpty())
            return line;
        const qsizetype at = below(int(line.size()));
        switch (below(6)) {
        case 0:
            line[at] = line.at(at).isUpper() ? line.at(at).toLower() : line.at(at).toUpper();
            break;
        case 1:
            line.insert(at, pick(kBlanks));
            break;
        case 2:
            line.remove(at, 1);
            break;
        case 3:
            line.replace(QStringLiteral("den "), QStringLiteral("den  "));
            break;
        case 4:
            line += pick(kBlanks);
            break;
        default:
            return this->line();
        }
        return line;
    }

    QStringList lines()
    {
        QStringList lines;
        for (int count = below(12); count > 0; --count)
            lines << line();
        return lines;
    }

    QStringList nextOf(const QStringList &lines)
    {
        QStringList next;
        for (const QString &line : lines) {
            const int fate = below(10);
            if (fate == 0)
                continue; // dropped
            next << (fate < 4 ? changed(line) : line);
            if (fate == 9)
                next << line;
        }
        if (below(3) == 0)
            next.insert(below(int(next.size()) + 1), line());
        return next;
    }

    QString allowedToGoOf(const QStringList &lines)
    {
        switch (below(4)) {
        case 0:
            return QString();
        case 1:
            return lines.isEmpty() ? line() : pick(lines);
        case 2:
            return lines.isEmpty() ? QString() : changed(pick(lines));
        default:
            return line();
        }
    }

private:
    QRandomGenerator m_random;
};

} // namespace

void TestReadingsLost::rules_data()
{
    QTest::addColumn<QStringList>("oldLines");
    QTest::addColumn<QStringList>("newLines");
    QTest::addColumn<QString>("allowedToGo");
    QTest::addColumn<QStringList>("lost");

    const QString twoBlanks =
        QString(kWritten).replace(QStringLiteral("den "), QStringLiteral("den  "));
    QTest::newRow("same lines") << QStringList{kWritten, kEvening}
                                << QStringList{kEvening, kWritten} << QString() << QStringList();
    QTest::newRow("second blank after den")
        << QStringList{twoBlanks} << QStringList{kWritten} << QString() << QStringList();
    QTest::newRow("tab in the weight")
        << QStringList{QString(kWritten).replace(QStringLiteral("70,5"), QStringLiteral("70\t,5"))}
        << QStringList{kWritten} << QString() << QStringList();
    QTest::newRow("blanks after the weight") << QStringList{kWritten + QStringLiteral(" \x01")}
                                             << QStringList{kWritten} << QString() << QStringList();
    QTest::newRow("other case, no den found")
        << QStringList{kWritten.toUpper()} << QStringList{kWritten} << QString() << QStringList();
    QTest::newRow("control character after den")
        << QStringList{QString(kWritten).replace(QStringLiteral("den "), QStringLiteral("den\x01"))}
        << QStringList{kWritten} << QString()
        << QStringList{
               QString(kWritten).replace(QStringLiteral("den "), QStringLiteral("den\x01"))};
    QTest::newRow("tab in a line without its form")
        << QStringList{QStringLiteral("Morgens\tNotiz 5")}
        << QStringList{QStringLiteral("Morgens Notiz 5"), QStringLiteral("MorgensNotiz 5")}
        << QString() << QStringList{QStringLiteral("Morgens\tNotiz 5")};
    QTest::newRow("same digits, other slot")
        << QStringList{kWritten} << QStringList{kEvening} << QString() << QStringList{kWritten};
    QTest::newRow("kept only by an entry line")
        << QStringList{kWritten} << QStringList{QStringLiteral("m") + kWritten.mid(1)} << QString()
        << QStringList{kWritten};
    QTest::newRow("taken out once") << QStringList{kWritten, kEvening, kWritten}
                                    << QStringList{kEvening} << twoBlanks << QStringList{kWritten};
    QTest::newRow("taken out, kept anyway")
        << QStringList{kWritten, kEvening} << QStringList{kWritten} << kWritten
        << QStringList{kEvening};
    QTest::newRow("header and odd lines are no readings")
        << QStringList{QStringLiteral("[Personendaten]"), QStringLiteral("BenutzerName=Muster"),
                       QString(), QStringLiteral("xMorgens")}
        << QStringList() << QString() << QStringList();
}

void TestReadingsLost::rules()
{
    QFETCH(QStringList, oldLines);
    QFETCH(QStringList, newLines);
    QFETCH(QString, allowedToGo);
    QFETCH(QStringList, lost);
    QCOMPARE(MonthFile::readingsLost(oldLines, newLines, allowedToGo), lost);
    QCOMPARE(readingsLostByForms(oldLines, newLines, allowedToGo), lost);
}

void TestReadingsLost::answersAsTheComparisonOfForms()
{
    constexpr quint32 kSeed = 20240117;
    LineMaker maker(kSeed);
    int someLost = 0;
    int noneLost = 0;
    for (int round = 0; round < 20000; ++round) {
        const QStringList before = maker.lines();
        const QStringList after = maker.nextOf(before);
        const QString allowedToGo = maker.allowedToGoOf(before);
        const QStringList expected = readingsLostByForms(before, after, allowedToGo);
        const QStringList lost = MonthFile::readingsLost(before, after, allowedToGo);
        if (lost != expected ||
            MonthFile::readingsLost(after, before) != readingsLostByForms(after, before))
            QFAIL(qPrintable(QStringLiteral("round %1 of seed %2:\n%3\n->\n%4\nallowed: %5")
                                 .arg(round)
                                 .arg(kSeed)
                                 .arg(before.join(QLatin1Char('\n')), after.join(QLatin1Char('\n')),
                                      allowedToGo)));
        (expected.isEmpty() ? noneLost : someLost) += 1;
    }
    // Both answers are common, so the rounds do test the matching.
    QVERIFY2(someLost > 2000 && noneLost > 2000,
             qPrintable(QStringLiteral("%1 / %2").arg(someLost).arg(noneLost)));
}

QTEST_GUILESS_MAIN(TestReadingsLost)
#include "tst_readings_lost.moc"
