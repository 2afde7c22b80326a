#include "app/command_guard.h"
#include "base/text_file.h"
#include "main_form_fixture.h"
#include "table/gui/Tabellep.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString kMonths = QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/");

QStringList fileEntries(const QString &path)
{
    QStringList entries;
    for (const QByteArray &line : TempHome::readFile(path).split('\n')) {
        if (line.startsWith('M') || line.startsWith('A'))
            entries << QString::fromLatin1(line).chopped(1);
    }
    return entries;
}

} // namespace

class TestMainWindowJournal : public QObject
{
    Q_OBJECT

private slots:
    void entriesAddedOutOfOrderEndSorted();
    void monthAndYearRefusals();
    void newMonthAcceptsAnyDate();
    void duplicateRefusal();
    void weightRefusal();
    void fieldRulesInTheForm();
    void slotCycleWithM1AndM3();
    void editAnEarlierEntry();
    void editTheOnlyEntry();
    void editNeedsSelectionAndYes();
    void failedWriteKeepsTheFile();
    void eachAddWritesTheMonthOnce();
    void remarkLeftByListClickIsSaved();
    void openMonthFollowsEveryCommand();
    void remarkLimitAndSavePoints();
    void openFileOfAnotherUser();
    void openedFileCannotNameAFileOutsideTheGallery();
    void restartLoadsTheLastMonth();
    void refreshTwiceChangesNothing();
    void badValueKeepsEveryReadingOfTheFile();
    void monthTableOpensAfterItsPauses();
    void weightSwitchIsOffAfterEachAdd();
    void weightLimitsAtTheirExactValues_data();
    void weightLimitsAtTheirExactValues();
    void remarkBeforeAnyMonthGoesToTheFirstAddedMonth();
    void unreadableMonthNamesItself();
    void textsOutOfRangeAreHeldToTheSpinFields();
    void chosenFileIsShownWhenTheGalleryDiffers();
    void chartButtonsWaitForTheFirstEntry();
    void monthSavedAsUtf16OpensAndIsSavedInTheProgramsForm();
};

void TestMainWindowJournal::monthSavedAsUtf16OpensAndIsSavedInTheProgramsForm()
{
    const QStringList entries{"Morgens den 05.03.2017 Z=07:30 s=128, d=80, p=64, Gewicht=80,5",
                              "Abends den 05.03.2017 Z=20:40 s=141, d=91, p=70, Gewicht=0"};
    const QString text =
        QString::fromLatin1(monthFileBytes("Muster", "März 2017", "1101", entries));
    for (const bool bigEndian : {false, true}) {
        FormFixture f;
        f.startAs(QStringLiteral("Muster"));
        const QString path = f.monthFile("Muster", "03", "2017");
        QVERIFY(QDir().mkpath(f.gallery() + "2017"));
        // As an editor on Windows saves it: a byte-order mark, then UTF-16.
        QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        for (const QChar c : text) {
            const auto high = char(c.unicode() >> 8);
            const auto low = char(c.unicode() & 0xFF);
            bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
        }
        TempHome::writeFile(path, bytes);
        f.form->settings().write(SettingKey::LastMonthFile, path);

        TMainForm &form = f.start();
        form.FormPaint();
        QCOMPARE(f.seam.messages(), QStringList());
        QCOMPARE(f.list()->count(), 2);
        QCOMPARE(f.line(1),
                 QStringLiteral("Abends den \t05.03.2017 \tZ=20:40 \ts=141, \td=91, \tp=70, "
                                "\tGewicht=0"));
        QVERIFY(!f.get<QCheckBox>("CheckBoxM3")->isChecked());
        QCOMPARE(form.openMonth().statistics().monthMeans().systolic(), QStringLiteral("134,50"));

        // The next save writes the month in the program's form, every reading kept.
        f.add(6, 3, 2017, Slot::Morning, "07:30", 130, 85, 66);
        QCOMPARE(f.seam.messages(), QStringList());
        QCOMPARE(TempHome::readFile(path),
                 monthFileBytes("Muster", "März 2017", "1101",
                                entries + QStringList{"Morgens den 06.03.2017 Z=07:30 s=130, "
                                                      "d=85, p=66, Gewicht=0"}));
    }
}

void TestMainWindowJournal::entriesAddedOutOfOrderEndSorted()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(10, 3, 2017, Slot::Evening, "20:50", 135, 85, 66);
    QCOMPARE(f.get<QPushButton>("BitBtn3")->text(), QStringLiteral("Morgens"));
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), QStringLiteral("07:30"));
    f.add(3, 3, 2017, Slot::Morning, "07:15", 140, 90, 70);
    f.add(10, 3, 2017, Slot::Morning, "07:20", 130, 80, 60);
    QCOMPARE(f.seam.messages(), QStringList());

    const QString path = f.monthFile("Muster", "03", "2017");
    QCOMPARE(TempHome::readFile(path),
             monthFileBytes("Muster", "März 2017", "1111",
                            {"Morgens den 03.03.2017 Z=07:15 s=140, d=90, p=70, Gewicht=0",
                             "Morgens den 10.03.2017 Z=07:20 s=130, d=80, p=60, Gewicht=0",
                             "Abends den 10.03.2017 Z=20:50 s=135, d=85, p=66, Gewicht=0"}));
    QCOMPARE(
        form.listLines(),
        (QStringList{"Morgens den \t03.03.2017 \tZ=07:15 \ts=140, \td=90, \tp=70, \tGewicht=0",
                     "Morgens den \t10.03.2017 \tZ=07:20 \ts=130, \td=80, \tp=60, \tGewicht=0",
                     "Abends den \t10.03.2017 \tZ=20:50 \ts=135, \td=85, \tp=66, \tGewicht=0"}));
    QCOMPARE(form.openMonth().path(), path);
    QCOMPARE(f.list()->currentRow(), 2);
    QVERIFY(f.memo()->isReadOnly());
    QVERIFY2(f.memo()->toPlainText().contains("Systole= 135 mmHg, Diastole= 85"),
             qPrintable(f.memo()->toPlainText()));
    QCOMPARE(f.get<QLabel>("monaticherMittelwertLabel")->text(),
             QStringLiteral("Systole=135  Diastole=85"));
    QCOMPARE(f.get<QLabel>("Labeltest")->text(),
             QStringLiteral("Blutdruckmesswerte  März 2017  Muster"));
    QVERIFY(f.get<QPushButton>("BtnEintragBearbeiten")->isEnabled());
    QVERIFY(f.get<QPushButton>("BtnBalkendiagrammErstellen")->isEnabled());
    QVERIFY(QFileInfo(f.home.workFolder() + "Blutdruck-Daten im Browser/2017").isDir());
    // Each slot remembers its last time; the form went on to the next slot.
    QCOMPARE(form.settings().read(SettingKey::MorningTime), QStringLiteral("07:20"));
    QCOMPARE(form.settings().read(SettingKey::EveningTime), QStringLiteral("20:50"));
    QCOMPARE(f.get<QPushButton>("BitBtn3")->text(), QStringLiteral("Messung 2"));
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), QStringLiteral("13:00"));
    QCOMPARE(form.openMonth().statistics().dayTable().text(Quantity::Systolic, 10),
             QStringLiteral("133"));
}

void TestMainWindowJournal::monthAndYearRefusals()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString path = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(path);
    f.seam.clear();

    f.fill(6, 4, 2018, Slot::Morning, "08:10", 141, 91, 71);
    QVERIFY(form.MonthMismatch());
    QVERIFY(form.YearMismatch());
    f.click("BitBtn1");
    QCOMPARE(
        f.seam.texts("information"),
        (QStringList{
            "Überprüfen Sie bitte die Monatsangabe \"04\" sie stimmt nicht mit den bisherigen "
            "Eintragungen überein!\r\nWenn Sie eine Tabelle für einen neuen Monat beginnen "
            "möchten, dann wählen Sie den Menüpunkt\r\n\"Datei|neu erstellen (neuer Monat oder "
            "Jahr)\" aus.",
            "Überprüfen Sie bitte die Jahresangabe \"2018\" sie stimmt nicht mit den bisherigen "
            "Eintragungen überein!\r\nWenn Sie eine Tabelle für ein neues Jahr beginnen "
            "möchten, dann wählen Sie den Menüpunkt\r\n\"Datei|neu erstellen (neuer Monat oder "
            "Jahr)\" aus."}));
    QCOMPARE(f.list()->count(), 1);
    QCOMPARE(TempHome::readFile(path), before);
    QVERIFY(!QFileInfo::exists(f.monthFile("Muster", "04", "2018")));
    // The refusal comes before the time is remembered.
    QCOMPARE(form.settings().read(SettingKey::MorningTime), QStringLiteral("07:30"));

    f.spin(3)->setValue(2017);
    QVERIFY(!form.YearMismatch());
    f.seam.clear();
    f.click("BitBtn1");
    QCOMPARE(f.seam.texts("information").size(), 1);
    QVERIFY(f.seam.texts("information")
                .constFirst()
                .startsWith("Überprüfen Sie bitte die Monatsangabe \"04\""));

    f.spin(2)->setValue(3);
    QVERIFY(!form.MonthMismatch());
    f.seam.clear();
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(fileEntries(path).size(), 2);
}

void TestMainWindowJournal::newMonthAcceptsAnyDate()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    // The fields already show the date the new month starts with.
    f.fill(1, 4, 2018, Slot::Morning, "07:30", 140, 90, 70);
    QVERIFY(form.MonthMismatch());
    f.seam.fixedToday = QDate(2018, 4, 2);
    f.menu("neuerstellen1");
    QVERIFY(!form.MonthMismatch());
    QVERIFY(!form.YearMismatch());
    f.seam.clear();
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(fileEntries(f.monthFile("Muster", "04", "2018")).size(), 1);
}

void TestMainWindowJournal::duplicateRefusal()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 3, 2017, Slot::Evening, "20:40", 135, 86, 60);
    f.add(6, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString path = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(path);
    f.seam.clear();

    f.add(5, 3, 2017, Slot::Evening, "21:05", 120, 80, 60);
    QCOMPARE(f.seam.messages(),
             QStringList{
                 "Ein Eintrag mit dem Datum: Abends den 05.03.2017 existiert schon in der Liste!"});
    QCOMPARE(f.list()->count(), 2);
    QCOMPARE(TempHome::readFile(path), before);
    QCOMPARE(form.CurrentSlot(), Slot::Evening);
    // The time was remembered before the check.
    QCOMPARE(form.settings().read(SettingKey::EveningTime), QStringLiteral("21:05"));
}

void TestMainWindowJournal::weightRefusal()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    QLabel *info = f.get<QLabel>("GewichtInfoLabel");
    const QString refusal = QStringLiteral("Bitte überprüfen Sie Ihre aktuelle Gewichtsangabe. Es "
                                           "sind 15 Kg Unterschied zum bisherigen Mittelwert!");

    // A month without weights has no mean: any weight is taken.
    f.add(1, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    f.add(2, 3, 2017, Slot::Morning, "07:30", 140, 90, 70, "90");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(fileEntries(f.monthFile("Muster", "03", "2017")).last(),
             QStringLiteral("Morgens den 02.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=90"));

    f.seam.fixedToday = QDate(2017, 4, 15);
    f.menu("neuerstellen1");
    f.add(1, 4, 2017, Slot::Morning, "07:30", 140, 90, 70, "72");
    QCOMPARE(double(form.openMonth().weightMean()), 72.0);
    QCOMPARE(info->text(), QStringLiteral("Monatlicher Mittelwert: 72,0 kg"));

    f.fill(2, 4, 2017, Slot::Morning, "07:30", 140, 90, 70, "90");
    QCOMPARE(double(form.WeightDifference()), 18.0);
    QCOMPARE(info->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(info->toolTip(), QStringLiteral("Bitte aktuelle Eingabe überprüfen. Rot = 15 Kg "
                                             "Unterschied zum bisherigen Mittelwert!"));
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList{refusal});

    f.setWeightSwitch(false);
    form.ZeigGewichtInfo();
    QVERIFY(info->palette().color(QPalette::WindowText) != QColor(Qt::red));
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), (QStringList{refusal, refusal}));
    QCOMPARE(f.list()->count(), 1);

    f.weight()->setText("85,9"); // within 15 kg
    QCOMPARE(double(form.WeightDifference()), 85.9 - 72.0);
    f.weight()->setText("0");
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages().size(), 2);
    QCOMPARE(f.list()->count(), 2);

    // Above 310 kg the field is corrected while a mean exists.
    f.seam.clear();
    f.weight()->setText("320");
    QCOMPARE(f.seam.messages(),
             QStringList{"Die Eingabe von mehr als 310 Kilogramm ist nicht möglich!"});
    QCOMPARE(f.weight()->text(), QStringLiteral("310"));
    QCOMPARE(double(form.CurrentWeight()), 310.0);

    // A new month after the red state: the first entry is not refused.
    f.seam.clear();
    f.seam.fixedToday = QDate(2017, 5, 15);
    f.menu("neuerstellen1");
    QCOMPARE(double(form.WeightDifference()), 0.0);
    f.add(1, 5, 2017, Slot::Morning, "07:30", 140, 90, 70, "90");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(fileEntries(f.monthFile("Muster", "05", "2017")),
             QStringList{"Morgens den 01.05.2017 Z=07:30 s=140, d=90, p=70, Gewicht=90"});
}

void TestMainWindowJournal::fieldRulesInTheForm()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    QLineEdit *time = f.get<QLineEdit>("Edit1");

    // No journal open: the year field decides February.
    f.spin(3)->setValue(2016);
    f.spin(2)->setValue(1);
    f.spin(1)->setValue(31);
    f.spin(2)->setValue(2);
    QCOMPARE(f.spin(1)->text(), QStringLiteral("29"));
    f.spin(2)->setValue(3);
    f.spin(1)->setValue(31);
    f.spin(2)->setValue(4);
    QCOMPARE(f.spin(1)->text(), QStringLiteral("30"));
    f.spin(1)->setValue(5);
    QCOMPARE(f.spin(1)->text(), QStringLiteral("05"));

    // A journal of 2017 is open: February has 28 days whatever the year field says.
    f.add(5, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    f.spin(3)->setValue(2016);
    f.spin(1)->setValue(31);
    f.spin(2)->setValue(2);
    QCOMPARE(f.spin(1)->text(), QStringLiteral("28"));

    time->setText("7.30");
    f.clickArrow("SpinButton1", true);
    QCOMPARE(time->text(), QStringLiteral("00:10"));
    time->setText("00:00");
    f.clickArrow("SpinButton1", false);
    QCOMPARE(time->text(), QStringLiteral("24:00"));

    f.setWeightSwitch(true);
    QVERIFY(f.weight()->isEnabled());
    QVERIFY(f.get<QRadioButton>("RadioButton3")->isEnabled());
    f.click("RadioButton3");
    f.weight()->setText("70,5");
    for (int i = 0; i < 3; ++i)
        f.clickArrow("SpinButton2", true);
    QCOMPARE(f.weight()->text(), QStringLiteral("70,8"));
    f.click("RadioButton1");
    f.weight()->setText("5");
    f.clickArrow("SpinButton2", false);
    QCOMPARE(f.weight()->text(), QStringLiteral("-5"));
    f.clickArrow("SpinButton2", false);
    QCOMPARE(f.weight()->text(), QStringLiteral("-5"));

    // A weight with a point is read with the comma, as the scale shows it.
    f.seam.clear();
    f.weight()->setText("70.5");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(f.weight()->text(), QStringLiteral("70,5"));
    QCOMPARE(double(form.CurrentWeight()), 70.5);

    // Paints keep what the user set; a new month gives a fresh form.
    f.weight()->setText("71");
    form.FormPaint();
    form.FormPaint();
    QVERIFY(f.weightSwitch()->isChecked());
    QVERIFY(f.weight()->isEnabled());
    QCOMPARE(f.weight()->text(), QStringLiteral("71"));
    f.menu("neuerstellen1");
    QVERIFY(!f.weightSwitch()->isChecked());
    QVERIFY(!f.weight()->isEnabled());
}

void TestMainWindowJournal::slotCycleWithM1AndM3()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    QPushButton *slotButton = f.get<QPushButton>("BitBtn3");
    QLineEdit *time = f.get<QLineEdit>("Edit1");
    f.get<QCheckBox>("CheckBoxM2")->click();
    f.get<QCheckBox>("CheckBoxM4")->click();

    f.click("BitBtn3");
    QCOMPARE(slotButton->text(), QStringLiteral("Messung 3"));
    QCOMPARE(form.SlotPrefix(), QStringLiteral("Messung3 den "));
    QCOMPARE(time->text(), QStringLiteral("15:30"));
    f.click("BitBtn3");
    QCOMPARE(slotButton->text(), QStringLiteral("Morgens"));
    QCOMPARE(time->text(), QStringLiteral("07:30"));

    f.add(4, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QCOMPARE(slotButton->text(), QStringLiteral("Messung 3"));
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")),
             monthFileBytes("Muster", "März 2017", "1010",
                            {"Morgens den 04.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0"}));

    // Turning a switch off does not move the current slot; the next advance skips it.
    f.get<QCheckBox>("CheckBoxM3")->click();
    QCOMPARE(form.CurrentSlot(), Slot::Third);
    f.click("BitBtn3");
    QCOMPARE(slotButton->text(), QStringLiteral("Morgens"));
    f.click("BitBtn3");
    QCOMPARE(slotButton->text(), QStringLiteral("Morgens"));

    f.get<QCheckBox>("CheckBoxM1")->click();
    QVERIFY(f.get<QCheckBox>("CheckBoxM1")->isChecked());
}

void TestMainWindowJournal::editAnEarlierEntry()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(12, 3, 2017, Slot::Evening, "20:45", 141, 91, 71, "72,3");
    f.add(13, 3, 2017, Slot::Morning, "07:30", 130, 85, 65, "72");
    f.add(20, 3, 2017, Slot::Morning, "07:40", 125, 80, 60, "71,8");
    const QString path = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(path);
    f.seam.clear();

    f.clickRow(0);
    f.click("BtnEintragBearbeiten");
    QCOMPARE(
        f.seam.texts("yesno-information"),
        QStringList{
            "Der ausgewählte Eintrag wird in der Liste gelöscht und die einzelnen Werte in die "
            "Eingabefelder zum Bearbeiten eingetragen. Möchten Sie das?"});
    QCOMPARE(f.seam.messages().size(), 1);
    QCOMPARE(f.get<QPushButton>("BitBtn3")->text(), QStringLiteral("Abends"));
    QCOMPARE(f.spin(1)->text(), QStringLiteral("12"));
    QCOMPARE(f.spin(2)->text(), QStringLiteral("03"));
    QCOMPARE(f.spin(3)->text(), QStringLiteral("2017"));
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), QStringLiteral("20:45"));
    QCOMPARE(f.spin(4)->value(), 141);
    QCOMPARE(f.spin(5)->value(), 91);
    QCOMPARE(f.spin(6)->value(), 71);
    QCOMPARE(f.weight()->text(), QStringLiteral("72,3"));
    QCOMPARE(fileEntries(path),
             (QStringList{"Morgens den 13.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=72",
                          "Morgens den 20.03.2017 Z=07:40 s=125, d=80, p=60, Gewicht=71,8"}));
    QCOMPARE(f.list()->count(), 2);

    // Added again unchanged, with weight entry on, it is the same line in the same place.
    f.setWeightSwitch(true);
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages().size(), 1);
    QCOMPARE(TempHome::readFile(path), before);

    // With weight entry off it comes back without its weight.
    f.clickRow(0);
    f.click("BtnEintragBearbeiten");
    f.setWeightSwitch(false);
    f.click("BitBtn1");
    QCOMPARE(fileEntries(path).constFirst(),
             QStringLiteral("Abends den 12.03.2017 Z=20:45 s=141, d=91, p=71, Gewicht=0"));
}

void TestMainWindowJournal::editTheOnlyEntry()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(9, 3, 2017, Slot::Second, "13:10", 128, 80, 64);
    const QString path = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(path);

    f.clickRow(0);
    f.click("BtnEintragBearbeiten");
    QCOMPARE(f.list()->count(), 0);
    QVERIFY(!f.get<QPushButton>("BtnEintragBearbeiten")->isEnabled());
    QVERIFY(!f.get<QPushButton>("BtnBalkendiagrammErstellen")->isEnabled());
    QCOMPARE(f.memo()->toPlainText(), QString());
    // The file loses the entry too, so that the reading, once added back to
    // another month, is kept in one file only.
    QCOMPARE(fileEntries(path), QStringList());
    QVERIFY(TempHome::readFile(path).startsWith(before.left(before.indexOf("\r\n\r\n") + 4)));
    QCOMPARE(f.get<QPushButton>("BitBtn3")->text(), QStringLiteral("Messung 2"));
    QCOMPARE(f.spin(1)->text(), QStringLiteral("09"));
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), QStringLiteral("13:10"));

    f.click("BitBtn1");
    QCOMPARE(TempHome::readFile(path), before);
}

void TestMainWindowJournal::editNeedsSelectionAndYes()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(9, 3, 2017, Slot::Morning, "07:30", 128, 80, 64);
    f.add(10, 3, 2017, Slot::Morning, "07:30", 129, 81, 65);
    const QString path = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(path);
    f.seam.clear();

    f.list()->setCurrentRow(-1);
    f.click("BtnEintragBearbeiten");
    QCOMPARE(
        f.seam.texts("information"),
        QStringList{"Sie müssen zuerst einen Eintrag in der Liste durch Anklicken auswählen!"});
    QCOMPARE(f.seam.texts("yesno-information").size(), 0);

    f.clickRow(0);
    f.seam.yesNoAnswers = {false};
    f.click("BtnEintragBearbeiten");
    QCOMPARE(f.list()->count(), 2);
    QCOMPARE(TempHome::readFile(path), before);
    QCOMPARE(f.spin(1)->text(), QStringLiteral("10"));
}

void TestMainWindowJournal::failedWriteKeepsTheFile()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(9, 3, 2017, Slot::Morning, "07:30", 128, 80, 64);
    const QString path = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(path);
    f.seam.clear();

    TextFile::setWriteFaultForTesting([](const QString &) { return false; });
    f.add(10, 3, 2017, Slot::Morning, "07:30", 129, 81, 65);
    TextFile::setWriteFaultForTesting({});
    QCOMPARE(f.seam.texts("warning"), QStringList{"Fehler beim Erzeugen der Datei " + path});
    QCOMPARE(TempHome::readFile(path), before);
    QCOMPARE(f.list()->count(), 2);
    QCOMPARE(form.CurrentSlot(), Slot::Morning);
    QCOMPARE(QDir(f.gallery() + "2017").entryList(QDir::Files), QStringList{"Muster_03_2017.tab"});
}

void TestMainWindowJournal::eachAddWritesTheMonthOnce()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString path = f.monthFile("Muster", "03", "2017");
    QStringList written;
    TextFile::setWriteFaultForTesting([&written](const QString &file) {
        written << file;
        return true;
    });
    f.add(9, 3, 2017, Slot::Morning, "07:30", 128, 80, 64);
    f.add(10, 3, 2017, Slot::Morning, "07:30", 129, 81, 65);
    TextFile::setWriteFaultForTesting({});
    // The save that closes an add finds the lines the add wrote: it keeps
    // the file as it is, and no second version of the month is made.
    QCOMPARE(written.count(path), 2);
    QCOMPARE(fileEntries(path),
             (QStringList{"Morgens den 09.03.2017 Z=07:30 s=128, d=80, p=64, Gewicht=0",
                          "Morgens den 10.03.2017 Z=07:30 s=129, d=81, p=65, Gewicht=0"}));
    QCOMPARE(f.list()->count(), 2);
    QCOMPARE(f.seam.messages(), QStringList());
}

void TestMainWindowJournal::remarkLeftByListClickIsSaved()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    f.add(4, 3, 2017, Slot::Morning, "07:30", 150, 95, 75);
    const QString remark = f.gallery() + "2017/Muster_03_2017.txt";
    QVERIFY(!f.memo()->toPlainText().isEmpty());

    f.menu("Bemerkungeingeben1");
    QVERIFY(!f.memo()->isReadOnly());
    QCOMPARE(f.memo()->toPlainText(), QString());
    QTest::keyClicks(f.memo(), QStringLiteral("Blutdruck gut"));
    QTest::keyClick(f.memo(), Qt::Key_Return);
    typeText(f.memo(), QStringLiteral("Ärger im Büro"));
    QVERIFY(form.RemarkModified());
    form.FormPaint(); // a paint leaves the remark alone
    QVERIFY(!f.memo()->isReadOnly());
    QCOMPARE(f.memo()->toPlainText(), QStringLiteral("Blutdruck gut\nÄrger im Büro"));

    f.clickRow(0);
    QCOMPARE(TempHome::readFile(remark), QByteArray("Blutdruck gut\r\n\xC4rger im B\xFCro\r\n"));
    QVERIFY(!form.RemarkModified());
    QVERIFY(f.memo()->isReadOnly());
    QVERIFY2(f.memo()->toPlainText().contains("Systole= 140 mmHg, Diastole= 90"),
             qPrintable(f.memo()->toPlainText()));

    // Entering again shows the saved remark.
    f.menu("Bemerkungeingeben1");
    QCOMPARE(f.memo()->toPlainText(), QStringLiteral("Blutdruck gut\nÄrger im Büro"));
    QVERIFY(!form.RemarkModified());
}

void TestMainWindowJournal::openMonthFollowsEveryCommand()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    const OpenMonth &month = form.openMonth();
    QSignalSpy changes(&month, &OpenMonth::changed);
    const QString path = f.monthFile("Muster", "03", "2017");

    // An add changes the month, and the load that shows the written file again.
    f.add(12, 3, 2017, Slot::Evening, "20:45", 141, 91, 71, "72,3");
    QCOMPARE(changes.count(), 2);
    QCOMPARE(month.lines().size(), 1);
    QCOMPARE(month.lastEntryLine(),
             QStringLiteral("Abends den 12.03.2017 Z=20:45 s=141, d=91, p=71, Gewicht=72,3"));
    QVERIFY(qAbs(double(month.weightMean()) - 72.3) < 1e-9);
    f.add(13, 3, 2017, Slot::Morning, "07:30", 131, 85, 65);
    QCOMPARE(changes.count(), 4);
    QCOMPARE(month.lines().size(), 2);
    QCOMPARE(month.lastEntryLine(),
             QStringLiteral("Morgens den 13.03.2017 Z=07:30 s=131, d=85, p=65, Gewicht=0"));
    QCOMPARE(month.lines(), form.listLines());
    QCOMPARE(month.path(), path);
    QCOMPARE(month.statistics().monthMeans().labelText(),
             QStringLiteral("Systole=136  Diastole=88"));

    // A refused add changes nothing.
    f.add(13, 3, 2017, Slot::Morning, "07:30", 131, 85, 65);
    QCOMPARE(f.seam.messages().size(), 1);
    QCOMPARE(changes.count(), 4);
    QCOMPARE(month.lines().size(), 2);

    // An edit takes the line out, then the save loads the month again.
    f.clickRow(0);
    f.click("BtnEintragBearbeiten");
    QCOMPARE(changes.count(), 6);
    QCOMPARE(month.lines(), form.listLines());
    QCOMPARE(month.lines().size(), 1);
    QCOMPARE(fileEntries(path),
             QStringList{"Morgens den 13.03.2017 Z=07:30 s=131, d=85, p=65, Gewicht=0"});

    // A remark saved is one change; "neu erstellen" empties the month.
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Kur"));
    f.clickRow(0);
    QCOMPARE(changes.count(), 7);
    f.menu("neuerstellen1");
    QCOMPARE(changes.count(), 8);
    QCOMPARE(month.lines(), QStringList());
    QCOMPARE(f.list()->count(), 0);
}

void TestMainWindowJournal::remarkLimitAndSavePoints()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString remark = f.gallery() + "2017/Muster_03_2017.txt";
    f.seam.clear();

    // The memo showed an evaluation, so leaving writes an empty remark.
    f.menu("Bemerkungeingeben1");
    f.clickRow(0);
    QVERIFY(f.memo()->isReadOnly());
    QCOMPARE(TempHome::readFile(remark), QByteArray());
    QVERIFY(QFileInfo::exists(remark));

    f.menu("Bemerkungeingeben1");
    QTest::keyClicks(f.memo(), QString(249, QLatin1Char('a')));
    QTest::keyClick(f.memo(), Qt::Key_B);
    QCOMPARE(f.seam.messages(), QStringList());
    QTest::keyClick(f.memo(), Qt::Key_C);
    QCOMPARE(f.seam.messages(),
             QStringList{"Die Länge des Bemerkungstextes ist auf 250 Zeichen begrenzt!"});
    QCOMPARE(f.memo()->toPlainText(), QString(249, QLatin1Char('a')) + QLatin1Char('b'));
    QVERIFY(!f.memo()->isReadOnly()); // the user goes on editing

    // A line break counts two characters.
    QTest::keyClick(f.memo(), Qt::Key_Backspace);
    QTest::keyClick(f.memo(), Qt::Key_Return);
    QCOMPARE(f.seam.messages().size(), 2);
    QCOMPARE(f.memo()->toPlainText(), QString(249, QLatin1Char('a')));
    QTest::keyClick(f.memo(), Qt::Key_B);

    f.clickRow(0);
    QCOMPARE(TempHome::readFile(remark), QString(249, QLatin1Char('a')).toLatin1() + "b\r\n");
    QVERIFY(f.memo()->isReadOnly());

    // Closing in remark mode writes an unchanged remark never back ...
    f.menu("Bemerkungeingeben1");
    QVERIFY(!form.RemarkModified());
    QFile::remove(remark);
    form.close();
    QVERIFY(!QFileInfo::exists(remark));
    // ... and a changed one always.
    f.start();
    f.form->FormPaint();
    f.menu("Bemerkungeingeben1");
    QTest::keyClick(f.memo(), Qt::Key_X);
    f.form->close();
    QCOMPARE(TempHome::readFile(remark), QByteArrayLiteral("x\r\n"));
}

void TestMainWindowJournal::openFileOfAnotherUser()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Erika"));
    const QString outside = f.home.root() + "/USB/Muster_03_2017.tab";
    const QByteArray source = TempHome::readFile(kMonths + "Muster_03_2017.tab");
    TempHome::writeFile(outside, source);

    f.seam.openFileAnswers = {outside};
    f.setWeightSwitch(true);
    f.menu("oeffnen");
    QVERIFY(!f.weightSwitch()->isChecked()); // an opened month starts a fresh form
    QCOMPARE(f.seam.texts("open").size(), 1);
    QVERIFY(f.seam.texts("open").constFirst().startsWith(f.gallery()));
    QVERIFY(f.seam.texts("open").constFirst().contains("*.tab"));
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.openMonth().userName(), QStringLiteral("Muster"));
    QCOMPARE(form.settings().read(SettingKey::UserName), QStringLiteral("Muster"));
    const QString canonical = f.monthFile("Muster", "03", "2017");
    QCOMPARE(form.openMonth().path(), canonical);
    QCOMPARE(TempHome::readFile(canonical), source);
    QCOMPARE(TempHome::readFile(outside), source);
    QCOMPARE(f.list()->count(), 6);
    QCOMPARE(f.get<QLabel>("Labeltest")->text(),
             QStringLiteral("Blutdruckmesswerte  März 2017  Muster"));
    QVERIFY(!f.get<QCheckBox>("CheckBoxM3")->isChecked());
    QVERIFY(f.get<QCheckBox>("CheckBoxM4")->isChecked()); // no "4M" in the header
    QCOMPARE(f.spin(1)->text(), QStringLiteral("07"));
    QCOMPARE(f.list()->currentRow(), 5);

    // An existing file in the gallery is never overwritten by the import.
    FormFixture g;
    TMainForm &other = g.startAs(QStringLiteral("Erika"));
    const QByteArray mine =
        monthFileBytes("Muster", "März 2017", "1111",
                       {"Morgens den 02.03.2017 Z=07:30 s=111, d=77, p=66, Gewicht=0"});
    TempHome::writeFile(g.monthFile("Muster", "03", "2017"), mine);
    TempHome::writeFile(g.home.root() + "/USB/Muster_03_2017.tab", source);
    g.seam.openFileAnswers = {g.home.root() + "/USB/Muster_03_2017.tab"};
    g.menu("oeffnen");
    QCOMPARE(TempHome::readFile(g.monthFile("Muster", "03", "2017")), mine);
    // The chosen readings are shown, and said to be shown only.
    QCOMPARE(g.seam.messages().size(), 1);
    QVERIFY(g.seam.messages().constFirst().contains(" wird nur angezeigt "));
    QCOMPARE(g.list()->count(), 6);
    g.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QCOMPARE(TempHome::readFile(g.monthFile("Muster", "03", "2017")), mine);
    QCOMPARE(TempHome::readFile(g.home.root() + "/USB/Muster_03_2017.tab"), source);

    // Cancelling the dialog changes nothing, not even the form being filled in.
    const QStringList shown = other.listLines();
    g.clickRow(0);
    g.setWeightSwitch(true);
    g.menu("oeffnen");
    QCOMPARE(other.listLines(), shown);
    QVERIFY(g.weightSwitch()->isChecked());
    QCOMPARE(g.list()->currentRow(), 0);
}

void TestMainWindowJournal::refreshTwiceChangesNothing()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70, "72");
    f.add(4, 3, 2017, Slot::Evening, "20:30", 150, 95, 75, "73");
    // The user is in the middle of things: an earlier entry chosen, weight
    // entry on, a remark being typed.
    f.clickRow(0);
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Kopfweh"));
    const auto state = [&f] {
        QStringList shown = f.form->listLines();
        shown << QString::number(f.list()->currentRow()) << f.memo()->toPlainText()
              << QString::number(f.memo()->isReadOnly())
              << QString::number(f.weightSwitch()->isChecked()) << f.weight()->text();
        for (int i = 1; i <= 6; ++i)
            shown << f.spin(i)->text();
        for (const char *name : {"Edit1", "BitBtn3", "Label3", "Labeltest",
                                 "monaticherMittelwertLabel", "GewichtInfoLabel"})
            shown << f.form->findChild<QWidget *>(name)->property("text").toString();
        return shown;
    };
    const QStringList before = state();
    form.FormPaint();
    QCOMPARE(state(), before);
    form.FormPaint();
    QCOMPARE(state(), before);
    QVERIFY(form.RemarkModified());
    QVERIFY(!QFileInfo::exists(f.gallery() + "2017/Muster_03_2017.txt"));
}

void TestMainWindowJournal::openedFileCannotNameAFileOutsideTheGallery()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Erika"));
    const QString outside = f.home.root() + "/USB/fremd.tab";
    TempHome::writeFile(
        outside, monthFileBytes("../../../Fremd", "März 2017", "1111",
                                {"Morgens den 02.03.2017 Z=07:30 s=111, d=77, p=66, Gewicht=0"}));
    f.seam.openFileAnswers = {outside};
    f.menu("oeffnen");
    QCOMPARE(f.list()->count(), 1);
    // The month stays with the user who opened it, inside the gallery.
    QCOMPARE(form.openMonth().userName(), QStringLiteral("Erika"));
    QCOMPARE(form.settings().read(SettingKey::UserName), QStringLiteral("Erika"));
    QCOMPARE(form.openMonth().path(), f.monthFile("Erika", "03", "2017"));
    QCOMPARE(TempHome::readFile(f.monthFile("Erika", "03", "2017")), TempHome::readFile(outside));
    QVERIFY(!QFileInfo::exists(f.home.root() + "/Fremd_03_2017.tab"));
    QVERIFY(!QFileInfo::exists(f.home.workFolder() + "Fremd_03_2017.tab"));

    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QCOMPARE(fileEntries(f.monthFile("Erika", "03", "2017")).size(), 2);
    QVERIFY(!QFileInfo::exists(f.home.root() + "/Fremd_03_2017.tab"));
}

void TestMainWindowJournal::restartLoadsTheLastMonth()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70, "72,5");
    f.add(10, 3, 2017, Slot::Evening, "20:55", 131, 82, 63, "71,5");
    f.form->close();
    const QString path = f.monthFile("Muster", "03", "2017");
    QCOMPARE(f.form->settings().read(SettingKey::LastMonthFile), path);

    f.seam.clear();
    TMainForm &form = f.start();
    form.FormPaint();
    QCOMPARE(f.seam.calls.size(), 0);
    QCOMPARE(f.list()->count(), 2);
    QCOMPARE(form.openMonth().path(), path);
    QCOMPARE(f.get<QLabel>("Labeltest")->text(),
             QStringLiteral("Blutdruckmesswerte  März 2017  Muster"));
    QCOMPARE(f.get<QPushButton>("BitBtn3")->text(), QStringLiteral("Abends"));
    QCOMPARE(f.spin(1)->text(), QStringLiteral("10"));
    QCOMPARE(f.spin(2)->text(), QStringLiteral("03"));
    QCOMPARE(f.spin(3)->text(), QStringLiteral("2017"));
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), QStringLiteral("20:55"));
    QCOMPARE(f.spin(4)->value(), 131);
    QCOMPARE(f.spin(5)->value(), 82);
    QCOMPARE(f.spin(6)->value(), 63);
    QCOMPARE(f.weight()->text(), QStringLiteral("71,5"));
    QVERIFY(!f.weightSwitch()->isChecked());
    QCOMPARE(f.list()->currentRow(), 1);
    QVERIFY(f.memo()->toPlainText().contains("Systole= 131 mmHg, Diastole= 82"));
    QCOMPARE(f.get<QLabel>("GewichtInfoLabel")->text(),
             QStringLiteral("Monatlicher Mittelwert: 72,0 kg"));

    // The next entry of the evening after: no refusal, the month goes on.
    f.add(11, 3, 2017, Slot::Evening, "20:40", 130, 80, 60);
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(fileEntries(path).size(), 3);
}

void TestMainWindowJournal::weightSwitchIsOffAfterEachAdd()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    const QString path = f.monthFile("Muster", "03", "2017");
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70, "72,5");
    QVERIFY(!f.weightSwitch()->isChecked());
    QVERIFY(!f.weight()->isEnabled());
    QCOMPARE(f.weight()->text(), QStringLiteral("72,5")); // the month's last weight, shown

    // The evening reading, typed without touching the weight, has none.
    f.selectSlot(Slot::Evening);
    f.spin(4)->setValue(135);
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QVERIFY(fileEntries(path).constLast().startsWith(QStringLiteral("Abends den 03.03.2017")));
    QVERIFY(fileEntries(path).constLast().endsWith(QStringLiteral(", Gewicht=0")));

    // A repaint leaves a ticked switch alone; the edit keeps it and the weight.
    f.setWeightSwitch(true);
    form.FormPaint();
    QVERIFY(f.weightSwitch()->isChecked());
    f.clickRow(0);
    f.click("BtnEintragBearbeiten");
    QVERIFY(f.weightSwitch()->isChecked());
    QCOMPARE(f.weight()->text(), QStringLiteral("72,5"));
    f.click("BitBtn1");
    QCOMPARE(fileEntries(path).constFirst(),
             QStringLiteral("Morgens den 03.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=72,5"));
    QVERIFY(!f.weightSwitch()->isChecked());
}

void TestMainWindowJournal::weightLimitsAtTheirExactValues_data()
{
    QTest::addColumn<QString>("monthWeight"); // empty: the month has no weight yet
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("switchedOn");
    QTest::addColumn<QString>("refusal");
    const QString fifteen = QStringLiteral("Bitte überprüfen Sie Ihre aktuelle Gewichtsangabe. Es "
                                           "sind 15 Kg Unterschied zum bisherigen Mittelwert!");
    const QString heaviest =
        QStringLiteral("Die Eingabe von mehr als 310 Kilogramm ist nicht möglich!");
    QTest::newRow("14,9 kg above") << "72"
                                   << "86,9" << true << QString();
    QTest::newRow("15,0 kg above") << "72"
                                   << "87" << true << fifteen;
    QTest::newRow("15,1 kg above") << "72"
                                   << "87,1" << true << fifteen;
    QTest::newRow("14,9 kg below") << "72"
                                   << "57,1" << true << QString();
    QTest::newRow("15,0 kg below") << "72"
                                   << "57" << true << fifteen;
    QTest::newRow("15,0 kg, switch off") << "72"
                                         << "87" << false << fifteen;
    QTest::newRow("309,9 kg") << QString() << "309,9" << true << QString();
    QTest::newRow("310,0 kg") << QString() << "310,0" << true << QString();
    QTest::newRow("310,1 kg") << QString() << "310,1" << true << heaviest;
    QTest::newRow("310,1 kg, switch off") << QString() << "310,1" << false << QString();
}

void TestMainWindowJournal::weightLimitsAtTheirExactValues()
{
    QFETCH(QString, monthWeight);
    QFETCH(QString, weight);
    QFETCH(bool, switchedOn);
    QFETCH(QString, refusal);
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString path = f.monthFile("Muster", "03", "2017");
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70, monthWeight);
    const QByteArray before = TempHome::readFile(path);
    f.seam.clear();

    f.fill(4, 3, 2017, Slot::Morning, "07:30", 141, 91, 71, weight);
    f.setWeightSwitch(switchedOn);
    f.click("BitBtn1");
    if (refusal.isEmpty()) {
        QCOMPARE(f.seam.messages(), QStringList());
        QCOMPARE(fileEntries(path).constLast(),
                 "Morgens den 04.03.2017 Z=07:30 s=141, d=91, p=71, Gewicht=" +
                     (switchedOn ? weight : QStringLiteral("0")));
    } else {
        QCOMPARE(f.seam.messages(), QStringList{refusal});
        QCOMPARE(TempHome::readFile(path), before);
    }
}

void TestMainWindowJournal::remarkBeforeAnyMonthGoesToTheFirstAddedMonth()
{
    // The first start: no month exists yet.
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Neue Tabletten ab heute"));
    f.menu("Bemerkungeingeben1"); // leaving writes it, but no month can hold it yet
    QCOMPARE(TempHome::filesBelow(f.gallery()), (QMap<QString, QByteArray>{}));
    QCOMPARE(f.memo()->toPlainText(), QStringLiteral("Neue Tabletten ab heute"));

    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QCOMPARE(TempHome::readFile(f.gallery() + "2017/Muster_03_2017.txt"),
             QByteArrayLiteral("Neue Tabletten ab heute\r\n"));
    QCOMPARE(TempHome::filesBelow(f.gallery(), "Sicherungen").keys(),
             (QStringList{"2017/Muster_03_2017.tab", "2017/Muster_03_2017.txt"}));

    // A month the gallery holds already keeps its remark first.
    FormFixture g;
    const QString april = g.monthFile("Muster", "04", "2017");
    TempHome::writeFile(april, monthFileBytes("Muster", "April 2017", "1111",
                                              {"Morgens den 02.04.2017 Z=07:30 s=131, d=81, "
                                               "p=61, Gewicht=0"}));
    TempHome::writeFile(g.gallery() + "2017/Muster_04_2017.txt", "Urlaub\r\n");
    g.startAs(QStringLiteral("Muster"));
    g.menu("Bemerkungeingeben1");
    typeText(g.memo(), QStringLiteral("Neue Tabletten"));
    g.add(3, 4, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QCOMPARE(TempHome::readFile(g.gallery() + "2017/Muster_04_2017.txt"),
             QByteArrayLiteral("Urlaub\r\n\r\nNeue Tabletten\r\n"));
    QCOMPARE(fileEntries(april).size(), 2);
}

void TestMainWindowJournal::unreadableMonthNamesItself()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QVERIFY(f.get<QCheckBox>("CheckBoxM3")->isChecked());

    // A "file" no one can read: the title names its month all the same.
    const QString april = f.monthFile("Muster", "04", "2017");
    QVERIFY(QDir().mkpath(april));
    f.seam.clear();
    f.seam.openFileAnswers = {april};
    f.menu("oeffnen");
    QCOMPARE(f.seam.messages(), QStringList{"Fehler beim Lesen der Datei: " + april});
    QCOMPARE(f.get<QLabel>("Labeltest")->text(),
             QStringLiteral("Blutdruckmesswerte  April 2017  Muster"));
    QCOMPARE(f.list()->count(), 0);

    // One too large to open: its header still gives the title and switches.
    f.form->close();
    const QString may = f.monthFile("Muster", "05", "2017");
    QByteArray big = monthFileBytes("Muster", "Mai 2017", "1101", {});
    big += QByteArray("Morgens den 01.05.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0\r\n")
               .repeated(20000);
    TempHome::writeFile(may, big);
    SettingsStore(f.home.settingsFile()).write(SettingKey::LastMonthFile, may);
    f.seam.clear();
    f.start();
    f.form->FormPaint();
    QCOMPARE(f.seam.texts("warning").size(), 1);
    QVERIFY(f.seam.texts("warning").constFirst().contains("zu groß für eine Monatstabelle"));
    QCOMPARE(f.get<QLabel>("Labeltest")->text(),
             QStringLiteral("Blutdruckmesswerte  Mai 2017  Muster"));
    QVERIFY(!f.get<QCheckBox>("CheckBoxM3")->isChecked());
    QVERIFY(f.get<QCheckBox>("CheckBoxM4")->isChecked());
}

void TestMainWindowJournal::textsOutOfRangeAreHeldToTheSpinFields()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString april = f.monthFile("Muster", "04", "2017");
    TempHome::writeFile(
        april, monthFileBytes("Muster", "April 2017", "1111",
                              {"Morgens den 03.04.2017 Z=07:30 s=131, d=81, p=61, Gewicht=0",
                               "Abends den 32.04.2017 Z=20:40 s=290, d=95, p=0, Gewicht=0"}));
    f.seam.openFileAnswers = {april};
    f.menu("oeffnen");
    // Day 32 is held to the field's 31, then to April's 30; 290 mmHg to 280.
    QCOMPARE(f.spin(1)->text(), QStringLiteral("30"));
    QCOMPARE(f.spin(2)->text(), QStringLiteral("04"));
    QCOMPARE(f.spin(4)->value(), 280);
    QCOMPARE(f.spin(5)->value(), 95);
    QCOMPARE(f.spin(6)->value(), 0);
    QCOMPARE(f.get<QPushButton>("BitBtn3")->text(), QStringLiteral("Abends"));
}

void TestMainWindowJournal::chosenFileIsShownWhenTheGalleryDiffers()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(3, 2, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString february = f.monthFile("Muster", "02", "2017");
    const QString march = f.monthFile("Muster", "03", "2017");
    const QByteArray mine =
        monthFileBytes("Muster", "März 2017", "1111",
                       {"Morgens den 02.03.2017 Z=07:30 s=111, d=77, p=66, Gewicht=0"});
    TempHome::writeFile(march, mine);
    const QString outside = f.home.root() + "/USB/Muster_03_2017.tab";
    const QByteArray chosen =
        monthFileBytes("Muster", "März 2017", "1111",
                       {"Morgens den 05.03.2017 Z=07:30 s=150, d=95, p=75, Gewicht=0",
                        "Abends den 05.03.2017 Z=20:30 s=145, d=92, p=72, Gewicht=0"});
    TempHome::writeFile(outside, chosen);
    f.seam.clear();
    f.seam.openFileAnswers = {outside};
    f.menu("oeffnen");
    // The chosen readings are shown, not the gallery's.
    QCOMPARE(f.seam.messages(),
             QStringList{"Die Datei „" + outside +
                         "“ wird nur angezeigt und weder in die Galerie kopiert noch "
                         "gespeichert: In Ihrer Galerie gibt es schon die Tabelle "
                         "„Muster_03_2017.tab“ mit anderen Einträgen. Sie bleibt unverändert; "
                         "die gewählte Datei ebenso."});
    QCOMPARE(f.list()->count(), 2);
    QVERIFY(f.line(0).contains("05.03.2017"));

    // Nothing is written from it, and both files stay as they are.
    f.seam.clear();
    f.add(6, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QCOMPARE(f.seam.messages().size(), 1);
    QCOMPARE(TempHome::readFile(march), mine);
    QCOMPARE(TempHome::readFile(outside), chosen);

    // The next start opens the month that was open before, without a warning.
    form.close();
    QCOMPARE(form.settings().read(SettingKey::LastMonthFile), february);
    f.seam.clear();
    f.start();
    f.form->FormPaint();
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(f.form->openMonth().path(), february);
}

void TestMainWindowJournal::chartButtonsWaitForTheFirstEntry()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(3, 2, 2017, Slot::Morning, "07:30", 140, 90, 70);
    auto *line = f.get<QPushButton>("LinienDiagrammErstellen");
    auto *bar = f.get<QPushButton>("BtnBalkendiagrammErstellen");
    QVERIFY(line->isEnabled());
    f.menu("neuerstellen1");
    QVERIFY(!line->isEnabled());
    QVERIFY(!bar->isEnabled());
    f.seam.clear();
    QTest::mouseClick(line, Qt::LeftButton);
    QCOMPARE(f.seam.calls.size(), 0); // February's page is not shown
    f.add(1, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QVERIFY(line->isEnabled());
    QVERIFY(bar->isEnabled());
}

QTEST_MAIN(TestMainWindowJournal)
#include "tst_main_window_journal.moc"

void TestMainWindowJournal::badValueKeepsEveryReadingOfTheFile()
{
    // A hand-edited value stops the statistics, but the list keeps every line,
    // so that the next add cannot drop the readings below it.
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    const QString path = f.monthFile("Muster", "03", "2017");
    TempHome::writeFile(
        path, monthFileBytes("Muster", "März 2017", "1111",
                             {"Morgens den 01.03.2017 Z=07:30 s=120, d=80, p=60, Gewicht=0",
                              "Morgens den 02.03.2017 Z=07:30 s=abc, d=80, p=60, Gewicht=0",
                              "Morgens den 04.03.2017 Z=07:30 s=130, d=85, p=62, Gewicht=0"}));
    runGuarded(f.seam, &form, [&] { form.MachEs(path); });
    QCOMPARE(f.seam.texts("error"), QStringList{"'abc' ist kein gültiger Gleitkommawert"});
    QCOMPARE(f.list()->count(), 3);

    // The add writes the whole month; its reload meets the same value again.
    f.seam.clear();
    f.fill(5, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    f.click("BitBtn1");
    QCOMPARE(f.seam.texts("error"), QStringList{"'abc' ist kein gültiger Gleitkommawert"});
    QCOMPARE(fileEntries(path),
             QStringList({"Morgens den 01.03.2017 Z=07:30 s=120, d=80, p=60, Gewicht=0",
                          "Morgens den 02.03.2017 Z=07:30 s=abc, d=80, p=60, Gewicht=0",
                          "Morgens den 04.03.2017 Z=07:30 s=130, d=85, p=62, Gewicht=0",
                          "Morgens den 05.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0"}));
}

void TestMainWindowJournal::monthTableOpensAfterItsPauses()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 3, 2017, Slot::Evening, "20:45", 135, 85, 70);
    QElapsedTimer clock;
    clock.start();
    f.menu("Tabelleanzeigen1");
    // The 100 ms pause ran, the table is built and captioned, the display waits.
    QVERIFY(clock.elapsed() >= 100);
    TTabellenDlg *table = form.tabellenDlg();
    QCOMPARE(table->windowTitle(), f.get<QLabel>("Labeltest")->text());
    QCOMPARE(table->grid().cell(16, 5), QStringLiteral("    20:45 "));
    QCOMPARE(f.seam.texts("dialog"), QStringList());
    QVERIFY(form.tabellenAnzeigeTimer()->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(f.seam.texts("dialog"), QStringList{"TabellenDlg"}, 2000);
    QVERIFY(clock.elapsed() >= 600);
    QVERIFY(!form.tabellenAnzeigeTimer()->isActive());
}
