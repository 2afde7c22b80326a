// The period chooser as the report's and the export's dialogs set it up:
// captions, the choice after prepare, the range fields and the months.
#include "ui/period_chooser.h"

#include <QComboBox>
#include <QDateEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

using Kind = PeriodChoice::Kind;

PeriodChooser::Options rowsOptions()
{
    return {
        {{Kind::OpenMonth, "MonatRadio", QStringLiteral("&Geöffneter Monat (%1)")},
         {Kind::LastThreeMonths, "DreiMonateRadio", QStringLiteral("&Die letzten 3 Monate (%1)")},
         {Kind::Range, "BereichRadio", QStringLiteral("&Von Monat bis Monat:")}},
        PeriodChooser::RangeFields::MonthAndYearRows,
        {PeriodChoice::RecentUpTo::OpenMonth, PeriodChoice::ReversedRange::Invalid}};
}

PeriodChooser::Options lineOptions()
{
    return {
        {{Kind::OpenMonth, "OffenerMonat", QStringLiteral("der geöffnete &Monat (%1)")},
         {Kind::LastThreeMonths, "LetzteDreiMonate", QStringLiteral("die letzten &3 Monate")},
         {Kind::LastTwelveMonths, "LetzteZwoelfMonate", QStringLiteral("die letzten &12 Monate")},
         {Kind::Range, "Bereich", QStringLiteral("&von")}},
        PeriodChooser::RangeFields::MonthFieldsInLine,
        {PeriodChoice::RecentUpTo::Today, PeriodChoice::ReversedRange::TurnedRound}};
}

template <typename T> T *in(PeriodChooser &chooser, const char *name)
{
    T *child = chooser.findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("the chooser has no control %s", name);
    return child;
}

std::unique_ptr<PeriodChooser> prepared(const PeriodChooser::Options &options,
                                        const QDate &openMonth, const QDate &today = {})
{
    auto chooser = std::make_unique<PeriodChooser>();
    chooser->offer(options);
    chooser->prepare(openMonth, today);
    return chooser;
}

// In the order they are shown.
QStringList captions(const PeriodChooser &chooser)
{
    QStringList texts;
    for (const QRadioButton *radio : chooser.findChildren<QRadioButton *>())
        texts << radio->text();
    return texts;
}

MonthRange months(int firstYear, int firstMonth, int lastYear, int lastMonth)
{
    return {QDate(firstYear, firstMonth, 1), QDate(lastYear, lastMonth, 1)};
}

} // namespace

class TestPeriodChooser : public QObject
{
    Q_OBJECT

private slots:
    void captionsNameTheirMonths();
    void onlyTheOfferedChoices();
    void rowsIdleUntilTheRangeIsChosen();
    void reversedRowsAreNoPeriod();
    void editingAMonthFieldChoosesTheRange();
    void lastMonthsEndToday();
    void prepareStartsAfresh();
};

void TestPeriodChooser::captionsNameTheirMonths()
{
    const auto rows = prepared(rowsOptions(), QDate(2017, 2, 14), QDate(2030, 1, 1));
    QCOMPARE(captions(*rows), (QStringList{"&Geöffneter Monat (Februar 2017)",
                                           "&Die letzten 3 Monate (Dezember 2016 bis Februar 2017)",
                                           "&Von Monat bis Monat:"}));

    // A caption without a place for its months stays as it is.
    const auto line = prepared(lineOptions(), QDate(2017, 3, 14));
    QCOMPARE(captions(*line),
             (QStringList{"der geöffnete &Monat (März 2017)", "die letzten &3 Monate",
                          "die letzten &12 Monate", "&von"}));
}

void TestPeriodChooser::onlyTheOfferedChoices()
{
    PeriodChooser rows;
    rows.offer(rowsOptions());
    QCOMPARE(rows.findChildren<QRadioButton *>().size(), 3);
    QVERIFY(!rows.findChild<QDateEdit *>());
    QCOMPARE(rows.findChildren<QComboBox *>().size(), 2);

    PeriodChooser line;
    line.offer(lineOptions());
    QCOMPARE(line.findChildren<QRadioButton *>().size(), 4);
    QVERIFY(!line.findChild<QComboBox *>());
    QVERIFY(!line.findChild<QSpinBox *>());
    QCOMPARE(in<QDateEdit>(line, "VonMonat")->displayFormat(), QStringLiteral("MM.yyyy"));
    QCOMPARE(in<QDateEdit>(line, "BisMonat")->accessibleName(),
             QStringLiteral("letzter Monat des Zeitraums"));
}

void TestPeriodChooser::rowsIdleUntilTheRangeIsChosen()
{
    const auto rows = prepared(rowsOptions(), QDate(2017, 3, 14));
    QVERIFY(in<QRadioButton>(*rows, "MonatRadio")->isChecked());
    QCOMPARE(rows->kind(), Kind::OpenMonth);
    QCOMPARE(rows->months(), months(2017, 3, 2017, 3));
    QCOMPARE(in<QComboBox>(*rows, "VonMonatCombo")->currentText(), QStringLiteral("März"));
    QCOMPARE(in<QSpinBox>(*rows, "BisJahrSpin")->value(), 2017);
    for (const char *field : {"VonMonatCombo", "VonJahrSpin", "BisMonatCombo", "BisJahrSpin"})
        QVERIFY2(!in<QWidget>(*rows, field)->isEnabled(), field);

    QSignalSpy changed(rows.get(), &PeriodChooser::changed);
    in<QRadioButton>(*rows, "BereichRadio")->setChecked(true);
    QVERIFY(!changed.isEmpty());
    for (const char *field : {"VonMonatCombo", "VonJahrSpin", "BisMonatCombo", "BisJahrSpin"})
        QVERIFY2(in<QWidget>(*rows, field)->isEnabled(), field);
    changed.clear();
    in<QComboBox>(*rows, "VonMonatCombo")->setCurrentIndex(11);
    in<QSpinBox>(*rows, "VonJahrSpin")->setValue(2016);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(rows->kind(), Kind::Range);
    QCOMPARE(rows->months(), months(2016, 12, 2017, 3));

    in<QRadioButton>(*rows, "DreiMonateRadio")->setChecked(true);
    QVERIFY(!in<QWidget>(*rows, "VonMonatCombo")->isEnabled());
    QCOMPARE(rows->months(), months(2017, 1, 2017, 3));
}

void TestPeriodChooser::reversedRowsAreNoPeriod()
{
    const auto rows = prepared(rowsOptions(), QDate(2017, 3, 14));
    in<QRadioButton>(*rows, "BereichRadio")->setChecked(true);
    // April to March: one month too late; March to March is still a period.
    in<QComboBox>(*rows, "VonMonatCombo")->setCurrentIndex(3);
    QVERIFY(!rows->months().isValid());
    in<QComboBox>(*rows, "VonMonatCombo")->setCurrentIndex(2);
    QVERIFY(rows->months().isValid());
    in<QSpinBox>(*rows, "VonJahrSpin")->setValue(2018);
    QVERIFY(!rows->months().isValid());
}

void TestPeriodChooser::editingAMonthFieldChoosesTheRange()
{
    const auto line = prepared(lineOptions(), QDate(2017, 3, 14));
    // Setting the fields on the open month chose nothing.
    QVERIFY(in<QRadioButton>(*line, "OffenerMonat")->isChecked());
    QCOMPARE(in<QDateEdit>(*line, "VonMonat")->date(), QDate(2017, 3, 14));
    QCOMPARE(in<QDateEdit>(*line, "BisMonat")->date(), QDate(2017, 3, 14));

    in<QDateEdit>(*line, "BisMonat")->setDate(QDate(2017, 1, 14));
    QVERIFY(in<QRadioButton>(*line, "Bereich")->isChecked());
    QCOMPARE(line->kind(), Kind::Range);
    // Given the other way round, taken the right way round.
    QCOMPARE(line->months(), months(2017, 1, 2017, 3));

    in<QRadioButton>(*line, "OffenerMonat")->setChecked(true);
    in<QDateEdit>(*line, "VonMonat")->setDate(QDate(2016, 11, 14));
    QCOMPARE(line->kind(), Kind::Range);
    QCOMPARE(line->months(), months(2016, 11, 2017, 1));
}

void TestPeriodChooser::lastMonthsEndToday()
{
    const auto line = prepared(lineOptions(), QDate(2016, 11, 30));
    in<QRadioButton>(*line, "LetzteZwoelfMonate")->setChecked(true);
    QCOMPARE(line->kind(), Kind::LastTwelveMonths);
    QCOMPARE(line->months(QDate(2017, 2, 15)), months(2016, 3, 2017, 2));
    in<QRadioButton>(*line, "LetzteDreiMonate")->setChecked(true);
    QCOMPARE(line->months(QDate(2017, 2, 15)), months(2016, 12, 2017, 2));
}

// The dialogs are made once and shown again for every command.
void TestPeriodChooser::prepareStartsAfresh()
{
    const auto rows = prepared(rowsOptions(), QDate(2017, 3, 14));
    in<QRadioButton>(*rows, "BereichRadio")->setChecked(true);
    in<QSpinBox>(*rows, "VonJahrSpin")->setValue(2018);
    QSignalSpy changed(rows.get(), &PeriodChooser::changed);
    rows->prepare(QDate(2016, 5, 1));
    QVERIFY(!changed.isEmpty());
    QVERIFY(in<QRadioButton>(*rows, "MonatRadio")->isChecked());
    QVERIFY(!in<QWidget>(*rows, "VonJahrSpin")->isEnabled());
    QCOMPARE(in<QSpinBox>(*rows, "VonJahrSpin")->value(), 2016);
    QCOMPARE(in<QComboBox>(*rows, "BisMonatCombo")->currentText(), QStringLiteral("Mai"));
    QCOMPARE(in<QRadioButton>(*rows, "MonatRadio")->text(),
             QStringLiteral("&Geöffneter Monat (Mai 2016)"));
    QCOMPARE(rows->months(), months(2016, 5, 2016, 5));

    const auto line = prepared(lineOptions(), QDate(2017, 3, 14));
    in<QDateEdit>(*line, "VonMonat")->setDate(QDate(2017, 1, 1));
    line->prepare(QDate(2017, 4, 2));
    QVERIFY(in<QRadioButton>(*line, "OffenerMonat")->isChecked());
    QCOMPARE(in<QDateEdit>(*line, "VonMonat")->date(), QDate(2017, 4, 2));
    QCOMPARE(line->months(), months(2017, 4, 2017, 4));
}

QTEST_MAIN(TestPeriodChooser)
#include "tst_period_chooser.moc"
