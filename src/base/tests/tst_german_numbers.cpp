// German numbers under every process locale a user may have: the forms the
// program shows and writes must not follow LC_NUMERIC.
#include "base/conversion_error.h"
#include "base/german_numbers.h"

#include <QRandomGenerator>
#include <QTest>

#include <clocale>

namespace {

// The locales the users and the tests run under; each one must give the
// same texts. fr_FR groups with a narrow no-break space, tr_TR lower-cases
// "I" to a dotless i.
const char *const kLocales[] = {"C", "de_DE.UTF-8", "fr_FR.UTF-8", "tr_TR.UTF-8"};

class ProcessLocale
{
public:
    explicit ProcessLocale(const char *name)
        : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        m_active = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, m_previous.constData()); }
    bool active() const { return m_active; }

private:
    QByteArray m_previous;
    bool m_active = false;
};

void addLocaleRows(const char *what)
{
    for (const char *locale : kLocales)
        QTest::addRow("%s %s", what, locale) << QByteArray(locale);
}

} // namespace

class TestGermanNumbers : public QObject
{
    Q_OBJECT

private slots:
    void formatsIgnoreTheProcessLocale_data();
    void formatsIgnoreTheProcessLocale();
    void readingIgnoresTheProcessLocale_data();
    void readingIgnoresTheProcessLocale();
    void refusalsKeepTheirWording();
    void roundingAtTheHalf();
    void plainDecimalsAreTheirOwnGeneralForm();
};

void TestGermanNumbers::formatsIgnoreTheProcessLocale_data()
{
    QTest::addColumn<QByteArray>("locale");
    addLocaleRows("formats");
}

void TestGermanNumbers::formatsIgnoreTheProcessLocale()
{
    QFETCH(QByteArray, locale);
    ProcessLocale process(locale.constData());
    QVERIFY2(process.active(), "locale missing: tools/setup.sh generates it");

    QCOMPARE(GermanNumbers::formatFixed2(385.0L / 3), QStringLiteral("128,33"));
    QCOMPARE(GermanNumbers::formatFixed2(85), QStringLiteral("85,00"));
    QCOMPARE(GermanNumbers::formatFixed2(0.125L), QStringLiteral("0,13"));
    QCOMPARE(GermanNumbers::formatFixed2(0.124999L), QStringLiteral("0,12"));
    QCOMPARE(GermanNumbers::formatGeneral(70.6L), QStringLiteral("70,6"));
    QCOMPARE(GermanNumbers::formatGeneral(72), QStringLiteral("72"));
    QCOMPARE(GermanNumbers::formatGeneral(-5), QStringLiteral("-5"));
    QCOMPARE(GermanNumbers::formatGeneral(0.1L), QStringLiteral("0,1"));
    QCOMPARE(GermanNumbers::formatGrouped1(1002), QStringLiteral("1.002,0"));
    QCOMPARE(GermanNumbers::formatGrouped1(1234567.25L), QStringLiteral("1.234.567,3"));
    QCOMPARE(GermanNumbers::formatGrouped1(80.75L), QStringLiteral("80,8"));
    QCOMPARE(GermanNumbers::formatGrouped1(999.95L), QStringLiteral("1.000,0"));
    QCOMPARE(GermanNumbers::formatTwoDigits1(9.46L), QStringLiteral("09,5"));
    QCOMPARE(GermanNumbers::formatTwoDigits1(80.25L), QStringLiteral("80,3"));
    // Means whose decimal value is a half but whose binary value lies just
    // below it round up, as on paper.
    const long double day = (GermanNumbers::toFloat(QStringLiteral("79,1")) +
                             GermanNumbers::toFloat(QStringLiteral("79,2"))) /
                            2;
    QCOMPARE(GermanNumbers::formatTwoDigits1(day), QStringLiteral("79,2"));
    QCOMPARE(GermanNumbers::formatGrouped1(day), QStringLiteral("79,2"));
    QCOMPARE(GermanNumbers::formatTwoDigits1(79.14L), QStringLiteral("79,1"));
}

void TestGermanNumbers::readingIgnoresTheProcessLocale_data()
{
    QTest::addColumn<QByteArray>("locale");
    addLocaleRows("reads");
}

void TestGermanNumbers::readingIgnoresTheProcessLocale()
{
    QFETCH(QByteArray, locale);
    ProcessLocale process(locale.constData());
    QVERIFY2(process.active(), "locale missing: tools/setup.sh generates it");

    QCOMPARE(GermanNumbers::toFloat(QStringLiteral("78,4")), 78.4L);
    QCOMPARE(GermanNumbers::toFloat(QStringLiteral(" 128,33 ")), 128.33L);
    QCOMPARE(GermanNumbers::toFloat(QStringLiteral("+0,5")), 0.5L);
    QCOMPARE(GermanNumbers::toFloat(QStringLiteral("-1,25E2")), -125.0L);
    QCOMPARE(GermanNumbers::toFloat(QStringLiteral("1e-6000")), 0.0L);
    QCOMPARE(GermanNumbers::toInt(QStringLiteral("  -42")), qint64(-42));
    // A written mean reads back to the text it came from.
    const long double mean = GermanNumbers::toFloat(GermanNumbers::formatFixed2(385.0L / 3));
    QCOMPARE(GermanNumbers::formatFixed2(mean), QStringLiteral("128,33"));
}

void TestGermanNumbers::refusalsKeepTheirWording()
{
    const auto floatError = [](const char *text) {
        try {
            GermanNumbers::toFloat(QString::fromUtf8(text));
        } catch (const ConversionError &error) {
            return error.message();
        }
        return QString();
    };
    // A German point or a thousands separator is no decimal comma.
    QCOMPARE(floatError("80.5"), QStringLiteral("'80.5' ist kein gültiger Gleitkommawert"));
    QCOMPARE(floatError("1.002,0"), QStringLiteral("'1.002,0' ist kein gültiger Gleitkommawert"));
    QCOMPARE(floatError("1e6000"), QStringLiteral("'1e6000' ist kein gültiger Gleitkommawert"));
    QCOMPARE(floatError(","), QStringLiteral("',' ist kein gültiger Gleitkommawert"));
    QVERIFY_THROWS_EXCEPTION(ConversionError, GermanNumbers::toInt(QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(ConversionError, GermanNumbers::toInt32(QStringLiteral("2147483648")));
    QCOMPARE(GermanNumbers::toInt32(QStringLiteral("2147483647")), 2147483647);
}

void TestGermanNumbers::roundingAtTheHalf()
{
    QCOMPARE(roundHalfUp(134.5L), 135.0L);
    QCOMPARE(roundHalfUp(134.49L), 134.0L);
    QCOMPARE(roundToDigits(2.5L, 0), 3.0L);
    QCOMPARE(roundToDigits(2.49L, 0), 2.0L);
    QCOMPARE(roundToDigits(80.75L, 1), 80.8L);
}

void TestGermanNumbers::plainDecimalsAreTheirOwnGeneralForm()
{
    // What the quick reader takes must read and write back exactly as the
    // general reader and writer do; the rest is left to them.
    QRandomGenerator random(8122026);
    for (int round = 0; round < 20000; ++round) {
        const int integerDigits = random.bounded(1, 7);
        const int fractionDigits = random.bounded(0, 16 - integerDigits);
        QString text = QString::number(random.bounded(1, 10));
        for (int i = 1; i < integerDigits; ++i)
            text += QString::number(random.bounded(10));
        if (fractionDigits > 0) {
            text += QLatin1Char(',');
            for (int i = 1; i < fractionDigits; ++i)
                text += QString::number(random.bounded(10));
            text += QString::number(random.bounded(1, 10));
        }
        const std::optional<long double> plain = GermanNumbers::plainDecimal(text);
        QVERIFY2(plain, qPrintable(text));
        QCOMPARE(*plain, GermanNumbers::toFloat(text));
        QCOMPARE(GermanNumbers::formatGeneral(*plain), text);
    }
    QCOMPARE(GermanNumbers::plainDecimal(u"999999,123456789"), 999999.123456789L);
    for (const char *other : {"", "0", "0,5", "07", "80,50", "80,", ",5", " 80", "80 ", "1.002",
                              "1234567", "1,234567890123456", "-5", "1e2", "8O"})
        QVERIFY2(!GermanNumbers::plainDecimal(QString::fromLatin1(other)), other);
}

QTEST_GUILESS_MAIN(TestGermanNumbers)
#include "tst_german_numbers.moc"
