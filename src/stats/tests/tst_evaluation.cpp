#include "base/conversion_error.h"
#include "stats/evaluation.h"

#include <QTest>

namespace {

QString displayLine(const char *s, const char *d, const char *p)
{
    return QStringLiteral("Morgens den \t05.03.2024 \tZ=08:15 \ts=%1, \td=%2, \tp=%3, \tGewicht=0")
        .arg(QLatin1String(s), QLatin1String(d), QLatin1String(p));
}

const QString kHeading = QStringLiteral("\t\t\t\t Auswertung des aktuellen Datensatzes:\r\n");

} // namespace

class TestEvaluation : public QObject
{
    Q_OBJECT

private slots:
    void threeDigitReading();
    void twoDigitReading();
    void equalPressures();
    void oneDigitValue();
    void lineWithoutWeightPiece();
    void valuesThatDoNotConvert_data();
    void valuesThatDoNotConvert();
};

void TestEvaluation::threeDigitReading()
{
    const QStringList items = evaluationItems(displayLine("135", "85", "70"));
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.at(0), kHeading);
    QCOMPARE(items.at(1), "\t\t      Systole= 135 mmHg, Diastole= 85 mmHg, Puls= 70 (HF)\r\n");
    QCOMPARE(items.at(2), "\t\t      Arterieller Mitteldruck (MAD): 101,7 mmHg  (70-105 =Normal)");
    QCOMPARE(items.at(3), "\t\t      Pulsdruck: 50 mmHg        (Niedriger als 50 mmHg=Normal)");
    // As memo lines: six lines, the second and fourth empty.
    const QStringList memo = items.join("\r\n").split("\r\n");
    QCOMPARE(memo.size(), 6);
    QVERIFY(memo.at(1).isEmpty() && memo.at(3).isEmpty());
}

void TestEvaluation::twoDigitReading()
{
    QStringList partial;
    const QStringList items = evaluationItems(displayLine("98", "62", "58"), &partial);
    QCOMPARE(items.at(1), "\t\t      Systole= 98 mmHg, Diastole= 62 mmHg, Puls= 58 (HF)\r\n");
    // 62 + 36 * 0.3333333 = 73.9999988
    QCOMPARE(items.at(2), "\t\t      Arterieller Mitteldruck (MAD): 74,0 mmHg  (70-105 =Normal)");
    QCOMPARE(items.at(3), "\t\t      Pulsdruck: 36 mmHg        (Niedriger als 50 mmHg=Normal)");
    QCOMPARE(partial, items);
}

void TestEvaluation::equalPressures()
{
    const QStringList items = evaluationItems(displayLine("85", "85", "60"));
    QVERIFY(items.at(2).contains(": 85,0 mmHg"));
    QVERIFY(items.at(3).contains("Pulsdruck: 0 mmHg"));
    // A large pulse pressure reads like any other.
    const QStringList wide = evaluationItems(displayLine("230", "80", "60"));
    QCOMPARE(wide.at(3), "\t\t      Pulsdruck: 150 mmHg        (Niedriger als 50 mmHg=Normal)");
    QVERIFY(wide.at(2).contains(": 130,0 mmHg"));
}

void TestEvaluation::oneDigitValue()
{
    // "d=0, " leaves "0 " behind: still the number 0.
    const QStringList items = evaluationItems(displayLine("120", "0", "0"));
    QVERIFY(items.at(1).contains("Diastole= 0  mmHg"));
    QVERIFY(items.at(2).contains(": 40,0 mmHg"));
    QVERIFY(items.at(3).contains("Pulsdruck: 120 mmHg"));
}

void TestEvaluation::lineWithoutWeightPiece()
{
    const QString line = "Abends den \t07.03.2017 \tZ=20:40 \ts=120, \td=90, \tp=70\t";
    const QStringList items = evaluationItems(line);
    QCOMPARE(items.at(1), "\t\t      Systole= 120 mmHg, Diastole= 90 mmHg, Puls= 70\t (HF)\r\n");
    QVERIFY(items.at(2).contains(": 100,0 mmHg"));
}

void TestEvaluation::valuesThatDoNotConvert_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    const QString notWhole = QString::fromUtf8(" ist kein gültiger Integerwert");
    QTest::newRow("letters") << displayLine("1a5", "85", "70") << "'1a5'" + notWhole;
    QTest::newRow("decimal point") << displayLine("135", "8.5", "70") << "'8.5'" + notWhole;
    QTest::newRow("no s=") << QString("Morgens den \t05.03.2024 \tZ=08:15 \td=85, \tp=70")
                           << "''" + notWhole;
    QTest::newRow("cut short") << QString("Morgens den 05.03.2024 Z=08:15 s=") << "''" + notWhole;
    QTest::newRow("empty") << QString() << "''" + notWhole;
}

void TestEvaluation::valuesThatDoNotConvert()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    QStringList partial;
    try {
        evaluationItems(line, &partial);
        QFAIL("no conversion error");
    } catch (const ConversionError &error) {
        QCOMPARE(error.message(), message);
    }
    // The heading and the values line were made before the conversion.
    QCOMPARE(partial.size(), 2);
    QCOMPARE(partial.at(0), kHeading);
}

QTEST_GUILESS_MAIN(TestEvaluation)
#include "tst_evaluation.moc"
