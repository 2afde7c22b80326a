#include "base/conversion_error.h"
#include "base/german_numbers.h"
#include "journal/field_rules.h"

#include <QTest>

using namespace FieldRules;

class TestFieldRules : public QObject
{
    Q_OBJECT

private slots:
    void daysInMonth_data();
    void daysInMonth();
    void timeSteps_data();
    void timeSteps();
    void timeStepRefusesJunk();
    void weightSteps();
    void mismatchAgainstLastLine();
    void typableTime_data();
    void typableTime();
    void normalizedTime_data();
    void normalizedTime();
    void typableWeight_data();
    void typableWeight();
    void weightValueAndStoredForm();
    void weightLimits();
    void refusalTexts();
    void duplicateIsFoundInDisplayLines();
    void editParsing();
    void presetParsing();
    void yearFromTitle_data();
    void yearFromTitle();
    void spinFieldTexts_data();
    void spinFieldTexts();
};

void TestFieldRules::daysInMonth_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("days");
    QTest::newRow("jan") << 1 << 2017 << 31;
    QTest::newRow("apr") << 4 << 2017 << 30;
    QTest::newRow("jul") << 7 << 2017 << 31;
    QTest::newRow("aug") << 8 << 2017 << 31;
    QTest::newRow("sep") << 9 << 2017 << 30;
    QTest::newRow("dec") << 12 << 2017 << 31;
    QTest::newRow("feb 2016") << 2 << 2016 << 29;
    QTest::newRow("feb 2017") << 2 << 2017 << 28;
    QTest::newRow("feb 1900") << 2 << 1900 << 28;
    QTest::newRow("feb 2000") << 2 << 2000 << 29;
}

void TestFieldRules::daysInMonth()
{
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(int, days);
    QCOMPARE(FieldRules::daysInMonth(month, year), days);
    QCOMPARE(limitDay(31, month, year), days);
    QCOMPARE(limitDay(3, month, year), 3);
}

void TestFieldRules::timeSteps_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("result");
    QTest::newRow("07:15 down") << "07:15" << false << "07:05";
    QTest::newRow("07:05 down") << "07:05" << false << "06:50";
    QTest::newRow("07:55 up") << "07:55" << true << "08:00";
    QTest::newRow("07:00 up") << "07:00" << true << "07:10";
    QTest::newRow("23:50 up") << "23:50" << true << "24:00";
    QTest::newRow("24:00 up") << "24:00" << true << "00:10";
    QTest::newRow("00:00 down") << "00:00" << false << "24:00";
    QTest::newRow("24:00 down") << "24:00" << false << "23:50";
    QTest::newRow("7.30 up") << "7.30" << true << "00:10";
    QTest::newRow("7.30 down") << "7.30" << false << "23:50";
    QTest::newRow("one digit hour") << "7:30" << true << "07:40";
}

void TestFieldRules::timeSteps()
{
    QFETCH(QString, time);
    QFETCH(bool, up);
    QFETCH(QString, result);
    QCOMPARE(stepTime(time, up), result);
}

void TestFieldRules::timeStepRefusesJunk()
{
    // Typed text can hold a colon only through a pasted text; the step must
    // end in the conversion error, not in a made-up time.
    QVERIFY_THROWS_EXCEPTION(ConversionError, stepTime(QStringLiteral("ab:cd"), true));
}

void TestFieldRules::weightSteps()
{
    long double weight = GermanNumbers::toFloat(QStringLiteral("70,5"));
    for (int i = 0; i < 3; ++i)
        weight = *stepWeight(weight, 3, true);
    QCOMPARE(GermanNumbers::formatGeneral(weight), QStringLiteral("70,8"));

    const auto belowOne = stepWeight(5, 1, false);
    QVERIFY(belowOne);
    QCOMPARE(GermanNumbers::formatGeneral(*belowOne), QStringLiteral("-5"));
    QVERIFY(!stepWeight(*belowOne, 1, false));
    QVERIFY(!stepWeight(0.5L, 3, false));
    QCOMPARE(double(*stepWeight(70, 2, false)), 69.0);

    QCOMPARE(double(*stepWeight(500, 1, true)), 510.0);
    QVERIFY(!stepWeight(500.1L, 3, true));
}

void TestFieldRules::mismatchAgainstLastLine()
{
    const QString last =
        QStringLiteral("Abends den \t05.03.2017 \tZ=20:40 \ts=135, \td=86, \tp=0, \tGewicht=0");
    QVERIFY(!monthMismatch(last, QStringLiteral("03")));
    QVERIFY(!monthMismatch(last, QStringLiteral("3")));
    QVERIFY(monthMismatch(last, QStringLiteral("04")));
    QVERIFY(!monthMismatch(QString(), QStringLiteral("11")));
    QVERIFY(!yearMismatch(last, QStringLiteral("2017")));
    QVERIFY(yearMismatch(last, QStringLiteral("2018")));
    QVERIFY(!yearMismatch(QString(), QStringLiteral("1900")));
}

void TestFieldRules::typableTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typable");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("07:30") << "07:30" << true;
    QTest::newRow("7:30") << "7:30" << true;
    QTest::newRow("7.30") << "7.30" << true;
    QTest::newRow("7:") << "7:" << true;
    QTest::newRow("0730") << "0730" << true;
    QTest::newRow("five digits") << "07300" << false;
    QTest::newRow("three hour digits") << "073:0" << false;
    QTest::newRow("three minute digits") << "07:300" << false;
    QTest::newRow("two separators") << "07:30:" << false;
    QTest::newRow("separator first") << ":30" << false;
    QTest::newRow("comma") << "07,30" << false;
    QTest::newRow("letter") << "07:3a" << false;
    QTest::newRow("blank") << "07 30" << false;
}

void TestFieldRules::typableTime()
{
    QFETCH(QString, text);
    QFETCH(bool, typable);
    QCOMPARE(isTypableTime(text), typable);
}

void TestFieldRules::normalizedTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("07:30") << "07:30"
                           << "07:30";
    QTest::newRow("7:30") << "7:30"
                          << "07:30";
    QTest::newRow("7.30") << "7.30"
                          << "07:30";
    QTest::newRow("07.30") << "07.30"
                           << "07:30";
    QTest::newRow("0730") << "0730"
                          << "07:30";
    QTest::newRow("730") << "730"
                         << "07:30";
    QTest::newRow("0:00") << "0:00"
                          << "00:00";
    QTest::newRow("000") << "000"
                         << "00:00";
    QTest::newRow("23.59") << "23.59"
                           << "23:59";
    QTest::newRow("24.00") << "24.00"
                           << "24:00";
    QTest::newRow("2400") << "2400"
                          << "24:00";
    // No time from 00:00 to 24:00: the add names the text as typed.
    QTest::newRow("24.01") << "24.01"
                           << "24.01";
    QTest::newRow("2401") << "2401"
                          << "2401";
    QTest::newRow("7:60") << "7:60"
                          << "7:60";
    QTest::newRow("760") << "760"
                         << "760";
    QTest::newRow("7:3") << "7:3"
                         << "7:3";
    QTest::newRow("73") << "73"
                        << "73";
    QTest::newRow("7") << "7"
                       << "7";
    QTest::newRow("empty") << ""
                           << "";
}

void TestFieldRules::normalizedTime()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QCOMPARE(FieldRules::normalizedTime(text), stored);
    QCOMPARE(isValidTime(stored), stored != text || isValidTime(text));
}

void TestFieldRules::typableWeight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("taken"); // null: refused
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("78") << "78"
                        << "78";
    QTest::newRow("78,") << "78,"
                         << "78,";
    QTest::newRow("78.") << "78."
                         << "78,";
    QTest::newRow("78,4") << "78,4"
                          << "78,4";
    QTest::newRow("78.4") << "78.4"
                          << "78,4";
    QTest::newRow("two decimals") << "78,45"
                                  << "78,45";
    QTest::newRow("third decimal") << "78,456" << QString();
    QTest::newRow("0,01") << "0,01"
                          << "0,01";
    QTest::newRow(",5") << ",5"
                        << ",5";
    QTest::newRow("three digits") << "310"
                                  << "310";
    QTest::newRow("310,01") << "310,01"
                            << "310,01";
    QTest::newRow("four digits") << "1784" << QString();
    QTest::newRow("second comma") << "78,4," << QString();
    QTest::newRow("comma and point") << "78,4." << QString();
    QTest::newRow("step below 1") << "-5"
                                  << "-5";
    QTest::newRow("minus inside") << "7-5" << QString();
    QTest::newRow("letter") << "78a" << QString();
    QTest::newRow("blank") << "78 " << QString();
}

void TestFieldRules::typableWeight()
{
    QFETCH(QString, text);
    QFETCH(QString, taken);
    const std::optional<QString> result = FieldRules::typableWeight(text);
    QCOMPARE(result.has_value(), !taken.isNull());
    if (result)
        QCOMPARE(*result, taken);
}

void TestFieldRules::weightValueAndStoredForm()
{
    QCOMPARE(double(weightValue(QString())), 0.0);
    QCOMPARE(double(weightValue(QStringLiteral(","))), 0.0);
    QCOMPARE(double(weightValue(QStringLiteral("78,"))), 78.0);
    QCOMPARE(double(weightValue(QStringLiteral("78,4"))), 78.4);
    QCOMPARE(double(weightValue(QStringLiteral("0,01"))), 0.01);
    QCOMPARE(double(weightValue(QStringLiteral(",5"))), 0.5);
    QCOMPARE(double(weightValue(QStringLiteral("-5"))), -5.0);
    QVERIFY_THROWS_EXCEPTION(ConversionError, weightValue(QStringLiteral("78a")));

    QCOMPARE(storedWeight(QString()), QStringLiteral("0"));
    QCOMPARE(storedWeight(QStringLiteral(",")), QStringLiteral("0"));
    QCOMPARE(storedWeight(QStringLiteral("78,")), QStringLiteral("78"));
    QCOMPARE(storedWeight(QStringLiteral("78.4")), QStringLiteral("78,4"));
    QCOMPARE(storedWeight(QStringLiteral("78,45")), QStringLiteral("78,45"));
    QCOMPARE(storedWeight(QStringLiteral(",5")), QStringLiteral("0,5"));
    QCOMPARE(storedWeight(QStringLiteral("0,01")), QStringLiteral("0,01"));
    QCOMPARE(storedWeight(QStringLiteral("-5")), QStringLiteral("-5"));
}

void TestFieldRules::weightLimits()
{
    const QString limit = weightLimitRefusal();
    const QString difference = QStringLiteral(
        "Bitte überprüfen Sie Ihre aktuelle Gewichtsangabe. Es sind 15 Kg Unterschied zum "
        "bisherigen Mittelwert!");
    QCOMPARE(weightRefusal(weightValue(QStringLiteral("310")), true, 0), QString());
    QCOMPARE(weightRefusal(weightValue(QStringLiteral("310,01")), true, 0), limit);
    QCOMPARE(weightRefusal(weightValue(QStringLiteral("310,01")), false, 0), QString());
    QCOMPARE(weightRefusal(weightValue(QStringLiteral("0,01")), true, 0), QString());
    QCOMPARE(weightRefusal(87, true, 87 - 72.0L), difference);
    QCOMPARE(weightRefusal(86.99L, true, 86.99L - 72), QString());
    QCOMPARE(weightRefusal(0, true, 72), QString()); // no weight typed
}

void TestFieldRules::refusalTexts()
{
    QCOMPARE(
        monthRefusal(QStringLiteral("04")),
        QStringLiteral(
            "Überprüfen Sie bitte die Monatsangabe \"04\" sie stimmt nicht mit den bisherigen "
            "Eintragungen überein!\r\nWenn Sie eine Tabelle für einen neuen Monat beginnen "
            "möchten, dann wählen Sie den Menüpunkt\r\n\"Datei|neu erstellen (neuer Monat oder "
            "Jahr)\" aus."));
    QCOMPARE(
        yearRefusal(QStringLiteral("2018")),
        QStringLiteral(
            "Überprüfen Sie bitte die Jahresangabe \"2018\" sie stimmt nicht mit den bisherigen "
            "Eintragungen überein!\r\nWenn Sie eine Tabelle für ein neues Jahr beginnen "
            "möchten, dann wählen Sie den Menüpunkt\r\n\"Datei|neu erstellen (neuer Monat oder "
            "Jahr)\" aus."));
    QCOMPARE(
        duplicateRefusal(Slot::Second, "05", "03", "2017"),
        QStringLiteral(
            "Ein Eintrag mit dem Datum: Messung2 den 05.03.2017 existiert schon in der Liste!"));
}

void TestFieldRules::duplicateIsFoundInDisplayLines()
{
    const QStringList lines = {
        QStringLiteral("Morgens den \t05.03.2017 \tZ=07:45 \ts=134, \td=84, \tp=72, \tGewicht=71"),
        QStringLiteral("Abends den \t05.03.2017 \tZ=20:40 \ts=135, \td=86, \tp=0, \tGewicht=0"),
    };
    QCOMPARE(findDuplicate(lines, "Abends den ", "05", "03", "2017"), std::optional<int>(1));
    QCOMPARE(findDuplicate(lines, "Messung2 den ", "05", "03", "2017"), std::nullopt);
    QCOMPARE(findDuplicate(lines, "Morgens den ", "05", "04", "2017"), std::nullopt);
}

void TestFieldRules::editParsing()
{
    const ParsedEntry full = parseForEdit(QStringLiteral(
        "Abends den \t12.03.2017 \tZ=20:45 \ts=141, \td=91, \tp=71, \tGewicht=72,3"));
    QCOMPARE(full.slot, std::optional<Slot>(Slot::Evening));
    QCOMPARE(full.day, std::optional<QString>("12"));
    QCOMPARE(full.month, std::optional<QString>("03"));
    QCOMPARE(full.year, std::optional<QString>("2017"));
    QCOMPARE(full.time, std::optional<QString>("20:45"));
    QCOMPARE(full.systolic, std::optional<QString>("141"));
    QCOMPARE(full.diastolic, std::optional<QString>("91"));
    QCOMPARE(full.pulse, std::optional<QString>("71"));
    QCOMPARE(full.weight, std::optional<QString>("72,3"));

    // An old line without weight: pulse is the rest, the weight field stays.
    const ParsedEntry old = parseForEdit(
        QStringLiteral("Morgens den \t07.03.2017 \tZ=07:30 \ts=120, \td=80, \tp=70\t"));
    QCOMPARE(old.slot, std::optional<Slot>(Slot::Morning));
    QCOMPARE(old.pulse, std::optional<QString>("70"));
    QCOMPARE(old.weight, std::nullopt);

    // A time typed with another length comes back whole, the values stay theirs.
    const ParsedEntry longTime = parseForEdit(
        QStringLiteral("Messung2 den \t05.03.2017 \tZ=7.300 \ts=128, \td=80, \tp=64, \tGewicht=0"));
    QCOMPARE(longTime.time, std::optional<QString>("7.300"));
    QCOMPARE(longTime.systolic, std::optional<QString>("128"));
    QCOMPARE(longTime.weight, std::optional<QString>("0"));
}

void TestFieldRules::presetParsing()
{
    const ParsedEntry preset = parseForPreset(
        QStringLiteral("Messung3 den  05.03.2017 Z=15:30 s=128, d=80, p=64, Gewicht=70,5"));
    QCOMPARE(preset.slot, std::optional<Slot>(Slot::Third));
    QCOMPARE(preset.day, std::optional<QString>("05"));
    QCOMPARE(preset.month, std::optional<QString>("03"));
    QCOMPARE(preset.year, std::optional<QString>("2017"));
    QCOMPARE(preset.time, std::optional<QString>("15:30"));
    QCOMPARE(preset.systolic, std::optional<QString>("128"));
    QCOMPARE(preset.diastolic, std::optional<QString>("80"));
    QCOMPARE(preset.pulse, std::optional<QString>("64"));

    const ParsedEntry noWeight =
        parseForPreset(QStringLiteral("Morgens den 07.03.2017 Z=07:30 s=120, d=80, p=70 "));
    QCOMPARE(noWeight.pulse, std::optional<QString>("70"));
    QCOMPARE(noWeight.weight, std::optional<QString>("0"));
}

void TestFieldRules::spinFieldTexts_data()
{
    using FieldRules::SpinField;
    QTest::addColumn<SpinField>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: the field stays as it is
    QTest::newRow("day 0") << SpinField::Day << "0" << 1;
    QTest::newRow("day 1") << SpinField::Day << "1" << 1;
    QTest::newRow("day 31") << SpinField::Day << "31" << 31;
    QTest::newRow("day 32") << SpinField::Day << "32" << 31;
    QTest::newRow("day 032") << SpinField::Day << "032" << 31;
    QTest::newRow("day 0031, too long") << SpinField::Day << "0031" << 1;
    QTest::newRow("day empty") << SpinField::Day << "" << 1;
    QTest::newRow("day -1") << SpinField::Day << "-1" << 1;
    QTest::newRow("day x") << SpinField::Day << "x" << -1;
    QTest::newRow("month 12") << SpinField::Month << "12" << 12;
    QTest::newRow("month 13") << SpinField::Month << "13" << 12;
    QTest::newRow("month 0") << SpinField::Month << "0" << 1;
    QTest::newRow("month 0012, too long") << SpinField::Month << "0012" << 1;
    QTest::newRow("year 1899") << SpinField::Year << "1899" << 1900;
    QTest::newRow("year 1900") << SpinField::Year << "1900" << 1900;
    QTest::newRow("year 9999") << SpinField::Year << "9999" << 9999;
    QTest::newRow("year 999, too short") << SpinField::Year << "999" << 1900;
    QTest::newRow("year 10000, too long") << SpinField::Year << "10000" << 1900;
    QTest::newRow("year empty") << SpinField::Year << "" << 1900;
    QTest::newRow("year 20x7") << SpinField::Year << "20x7" << -1;
    QTest::newRow("value -1") << SpinField::Value << "-1" << 0;
    QTest::newRow("value 0") << SpinField::Value << "0" << 0;
    QTest::newRow("value 280") << SpinField::Value << "280" << 280;
    QTest::newRow("value 281") << SpinField::Value << "281" << 280;
    QTest::newRow("value 99999999999999") << SpinField::Value << "99999999999999" << 280;
    QTest::newRow("value empty") << SpinField::Value << "" << 1;
    QTest::newRow("value 7x") << SpinField::Value << "7x" << -1;
}

void TestFieldRules::spinFieldTexts()
{
    QFETCH(FieldRules::SpinField, field);
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(FieldRules::spinFieldValue(field, text).value_or(-1), value);
}

void TestFieldRules::yearFromTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("year");
    QTest::newRow("loaded month") << QStringLiteral("Blutdruckmesswerte  März 2017  Muster")
                                  << "2017";
    QTest::newRow("1999") << QStringLiteral("Blutdruckmesswerte  Mai 1999  Muster") << "1999";
    QTest::newRow("later pattern wins")
        << QStringLiteral("Blutdruckmesswerte  Juni 2031  Muster1999") << "2031";
    QTest::newRow("none") << QStringLiteral("Blutdruckmesswerte von Muster") << QString();
    QTest::newRow("designed") << QStringLiteral("----") << QString();
}

void TestFieldRules::yearFromTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, year);
    const std::optional<QString> found = FieldRules::yearFromTitle(title);
    if (year.isEmpty())
        QCOMPARE(found, std::nullopt);
    else
        QCOMPARE(found, std::optional<QString>(year));
}

QTEST_GUILESS_MAIN(TestFieldRules)
#include "tst_field_rules.moc"
