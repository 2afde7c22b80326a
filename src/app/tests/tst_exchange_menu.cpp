// "Datei" → "Exportieren …" and "Importieren …" on the real main window: the
// menu, the dialogs clicked and typed into, the files written byte by byte,
// the messages, and the open month shown anew after an import.
#include "exchange/gui/Exportieren.h"
#include "exchange/gui/Importieren.h"
#include "main_form_fixture.h"
#include "support/dialog_controls.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>

namespace {

QString importFixture(const char *name)
{
    return QStringLiteral(VANTORIA_TEST_DATA_DIR "/import/") + QLatin1String(name);
}

QStringList tableRows(QTableWidget *table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.append(table->item(row, column)->text());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// March 2017 with two readings, open in the window.
TMainForm &startWithMarch(FormFixture &f)
{
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(1, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 140, 90, 70, QStringLiteral("70,5"));
    f.add(1, 3, 2017, Slot::Evening, QStringLiteral("20:40"), 135, 85, 66);
    f.seam.clear();
    return form;
}

} // namespace

class TestExchangeMenu : public QObject
{
    Q_OBJECT

private slots:
    void commandsStandInTheFileMenu();
    void exportTheOpenMonthAsCsv();
    void exportARangeAsFhir();
    void exportCarriesTheMedicationsOfThePeriod();
    void cancelledSaveWritesNothing();
    void importIntoTheOpenMonth();
    void askedDateFormDecides();
    void badFilesChangeNothing();
};

void TestExchangeMenu::commandsStandInTheFileMenu()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QList<QAction *> actions = f.get<QMenu>("Datei1")->actions();
    const auto at = [&](const char *name) { return actions.indexOf(f.get<QAction>(name)); };
    QCOMPARE(f.get<QAction>("Exportieren1")->text(), QStringLiteral("Exportieren …"));
    QCOMPARE(f.get<QAction>("Importieren1")->text(), QStringLiteral("Importieren …"));
    QCOMPARE(at("Exportieren1"), at("oeffnen") + 1);
    QCOMPARE(at("Importieren1"), at("oeffnen") + 2);
    QVERIFY(at("Importieren1") < at("beenden1"));
}

void TestExchangeMenu::exportTheOpenMonthAsCsv()
{
    FormFixture f;
    startWithMarch(f);
    QString offered;
    f.seam.dialogHandler = [&offered](QDialog &dialog) {
        offered = in<QRadioButton>(dialog, "OffenerMonat")->text();
        click(dialog, "FormatCsv");
        click(dialog, "ExportierenBtn");
        return dialog.result();
    };
    const QString target = f.home.workFolder() + QStringLiteral("export.csv");
    f.seam.saveFileAnswers = {target};
    f.menu("Exportieren1");

    QCOMPARE(offered, QStringLiteral("der geöffnete &Monat (März 2017)"));
    QCOMPARE(f.seam.texts("save"),
             QStringList{f.home.workFolder() +
                         QStringLiteral("Blutdruck_Muster_2017-03.csv|CSV-Dateien (*.csv)")});
    QCOMPARE(TempHome::readFile(target),
             QByteArray("\xEF\xBB\xBF"
                        "Datum;Wochentag;Messung;Uhrzeit;Systolisch (mmHg);Diastolisch (mmHg);"
                        "Puls (1/min);Gewicht (kg)\r\n"
                        "01.03.2017;Mittwoch;Morgens;07:30;140;90;70;70,5\r\n"
                        "01.03.2017;Mittwoch;Abends;20:40;135;85;66;\r\n"));
    QCOMPARE(f.seam.messages(),
             QStringList{QStringLiteral("2 Messungen aus März 2017 in die Datei „") + target +
                         QStringLiteral("“ exportiert.")});
}

void TestExchangeMenu::exportARangeAsFhir()
{
    FormFixture f;
    startWithMarch(f);
    TempHome::writeFile(
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("02"), QStringLiteral("2017")),
        monthFileBytes(QStringLiteral("Muster"), QStringLiteral("Februar 2017"),
                       QStringLiteral("1111"),
                       {QStringLiteral("Abends den 28.02.2017 Z=20:40 s=131, "
                                       "d=81, p=61, Gewicht=0")}));
    bool rangeChosen = false;
    f.seam.dialogHandler = [&rangeChosen](QDialog &dialog) {
        auto *from = in<QDateEdit>(dialog, "VonMonat");
        from->setFocus();
        from->setCurrentSection(QDateTimeEdit::MonthSection);
        QTest::keyClick(from, Qt::Key_Down); // 03.2017 becomes 02.2017
        rangeChosen = in<QRadioButton>(dialog, "Bereich")->isChecked();
        click(dialog, "FormatFhir");
        click(dialog, "ExportierenBtn");
        return dialog.result();
    };
    const QString target = f.home.workFolder() + QStringLiteral("akte.json");
    f.seam.saveFileAnswers = {target};
    f.menu("Exportieren1");

    QVERIFY(rangeChosen);
    QCOMPARE(f.seam.texts("save").constFirst().section(u'/', -1),
             QStringLiteral("Blutdruck_Muster_2017-02_bis_2017-03.json|FHIR-JSON (*.json)"));
    const QJsonArray entries = QJsonDocument::fromJson(TempHome::readFile(target))
                                   .object()
                                   .value(QStringLiteral("entry"))
                                   .toArray();
    // Patient; February: pressure, pulse; March: pressure, pulse, weight, pressure, pulse.
    QCOMPARE(entries.size(), 1 + 2 + 5);
    QCOMPARE(
        f.seam.messages(),
        QStringList{QStringLiteral("3 Messungen aus Februar 2017 bis März 2017 in die Datei „") +
                    target + QStringLiteral("“ exportiert.")});
}

// Only the medications that overlap March 2017: as a second CSV file beside
// the readings, and as MedicationStatements in the FHIR bundle.
void TestExchangeMenu::exportCarriesTheMedicationsOfThePeriod()
{
    FormFixture f;
    startWithMarch(f);
    TempHome::writeFile(f.gallery() + QStringLiteral("Muster_Medikamente.txt"),
                        "Vantoria-Medikamentenplan 1\r\n"
                        "ASS\t100 mg\t0-1-0\t01.01.2017\t28.02.2017\t\r\n"
                        "Ramipril\t5 mg\t1-0-1\t01.01.2017\t01.03.2017\tHausarzt\r\n"
                        "Ramipril\t10 mg\t1-0-1\t02.03.2017\t\t\r\n");
    bool csv = true;
    f.seam.dialogHandler = [&csv](QDialog &dialog) {
        click(dialog, csv ? "FormatCsv" : "FormatFhir");
        click(dialog, "ExportierenBtn");
        return dialog.result();
    };
    const QString target = f.home.workFolder() + QStringLiteral("export.csv");
    f.seam.saveFileAnswers = {target};
    f.menu("Exportieren1");
    const QString medications =
        f.home.workFolder() + QStringLiteral("Muster_Medikamente_2017-03.csv");
    QCOMPARE(TempHome::readFile(medications),
             QByteArray("\xEF\xBB\xBF"
                        "Medikament;St\xC3\xA4rke;Einnahme;Erster Tag;Letzter Tag;Notiz\r\n"
                        "Ramipril;5 mg;1-0-1;01.01.2017;01.03.2017;Hausarzt\r\n"
                        "Ramipril;10 mg;1-0-1;02.03.2017;;\r\n"));
    QCOMPARE(f.seam.messages(),
             QStringList{QStringLiteral("2 Messungen aus März 2017 in die Datei „") + target +
                         QStringLiteral("“ exportiert.\r\nDie Medikamente des Zeitraums stehen "
                                        "in der Datei „") +
                         medications + QStringLiteral("“.")});

    csv = false;
    const QString bundle = f.home.workFolder() + QStringLiteral("akte.json");
    f.seam.saveFileAnswers = {bundle};
    f.menu("Exportieren1");
    QStringList statements;
    for (const QJsonValue &entry : QJsonDocument::fromJson(TempHome::readFile(bundle))
                                       .object()
                                       .value(QStringLiteral("entry"))
                                       .toArray()) {
        const QJsonObject resource = entry.toObject().value(QStringLiteral("resource")).toObject();
        if (resource.value(QStringLiteral("resourceType")) == QStringLiteral("MedicationStatement"))
            statements << resource.value(QStringLiteral("medicationCodeableConcept"))
                                  .toObject()
                                  .value(QStringLiteral("text"))
                                  .toString() +
                              QLatin1Char(' ') +
                              resource.value(QStringLiteral("status")).toString();
    }
    // Today is 15.03.2017 in the tests.
    QCOMPARE(statements, (QStringList{QStringLiteral("Ramipril 5 mg completed"),
                                      QStringLiteral("Ramipril 10 mg active")}));
}

void TestExchangeMenu::cancelledSaveWritesNothing()
{
    FormFixture f;
    startWithMarch(f);
    f.seam.dialogHandler = [](QDialog &dialog) {
        click(dialog, "LetzteZwoelfMonate");
        click(dialog, "ExportierenBtn");
        return dialog.result();
    };
    f.menu("Exportieren1"); // the save dialog answers with cancel
    QCOMPARE(f.seam.texts("save").size(), 1);
    QCOMPARE(f.seam.messages(), QStringList());

    // A period without readings says so and asks for no file.
    f.seam.clear();
    f.seam.fixedToday = QDate(2018, 6, 1);
    f.seam.dialogHandler = [](QDialog &dialog) {
        click(dialog, "LetzteDreiMonate");
        click(dialog, "ExportierenBtn");
        return dialog.result();
    };
    f.menu("Exportieren1");
    QCOMPARE(f.seam.texts("save"), QStringList());
    QCOMPARE(f.seam.messages(),
             QStringList{QStringLiteral("Für April 2018 bis Juni 2018 sind keine Messungen "
                                        "gespeichert.")});
}

void TestExchangeMenu::importIntoTheOpenMonth()
{
    FormFixture f;
    TMainForm &form = startWithMarch(f);
    f.seam.openFileAnswers = {importFixture("geraet_bom_semikolon.csv")};
    QStringList preview;
    QString faults;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        preview = tableRows(in<QTableWidget>(dialog, "VorschauTabelle"));
        faults = in<QPlainTextEdit>(dialog, "FehlerListe")->toPlainText();
        // The weights of this device are not wanted: no column for them.
        auto *weight = in<QComboBox>(dialog, "SpalteGewicht");
        weight->setFocus();
        QTest::keyClick(weight, Qt::Key_Home);
        click(dialog, "UebernehmenBtn");
        return dialog.result();
    };
    f.menu("Importieren1");

    QCOMPARE(preview, QStringList{QStringLiteral("März 2017|4|0|0|1 (Zeile 6)")});
    QCOMPARE(faults, QStringLiteral("Zeile 6: Die Uhrzeit „abends“ ist nicht lesbar."));
    QCOMPARE(f.seam.messages(),
             QStringList{QStringLiteral("4 Messungen übernommen, 0 schon vorhanden, "
                                        "1 fehlerhafte Zeile (Zeile 6)")});
    const QStringList entries = {
        QStringLiteral("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5"),
        QStringLiteral("Messung2 den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=0"),
        QStringLiteral("Messung3 den 01.03.2017 Z=20:05 s=133, d=84, p=68, Gewicht=0"),
        QStringLiteral("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0"),
        QStringLiteral("Morgens den 02.03.2017 Z=07:40 s=138, d=88, p=70, Gewicht=0"),
        QStringLiteral("Messung2 den 03.03.2017 Z=13:10 s=128, d=82, p=64, Gewicht=0")};
    QCOMPARE(TempHome::readFile(f.monthFile(QStringLiteral("Muster"), QStringLiteral("03"),
                                            QStringLiteral("2017"))),
             monthFileBytes(QStringLiteral("Muster"), QStringLiteral("März 2017"),
                            QStringLiteral("1111"), entries));
    // The window shows the month as it now is.
    QCOMPARE(form.listLines().size(), 6);
    QCOMPARE(form.listLines().at(1),
             QStringLiteral("Messung2 den \t01.03.2017 \tZ=07:12 \ts=141, \td=91, \tp=72, "
                            "\tGewicht=0"));

    // The same file once more: everything is there already.
    f.seam.clear();
    f.seam.openFileAnswers = {importFixture("geraet_bom_semikolon.csv")};
    bool canTakeOver = true;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        preview = tableRows(in<QTableWidget>(dialog, "VorschauTabelle"));
        canTakeOver = in<QPushButton>(dialog, "UebernehmenBtn")->isEnabled();
        click(dialog, "AbbrechenBtn");
        return dialog.result();
    };
    f.menu("Importieren1");
    QCOMPARE(preview, QStringList{QStringLiteral("März 2017|0|4|0|1 (Zeile 6)")});
    QVERIFY(!canTakeOver);
    QCOMPARE(f.seam.messages(), QStringList());
}

void TestExchangeMenu::askedDateFormDecides()
{
    FormFixture f;
    startWithMarch(f);
    f.seam.openFileAnswers = {importFixture("device_slash_ambiguous.csv")};
    f.seam.yesNoAnswers = {false}; // day before month
    QString form;
    f.seam.dialogHandler = [&form](QDialog &dialog) {
        form = in<QComboBox>(dialog, "DatumsForm")->currentText();
        click(dialog, "UebernehmenBtn");
        return dialog.result();
    };
    f.menu("Importieren1");
    QCOMPARE(f.seam.texts("question").size(), 1);
    QVERIFY(f.seam.texts("question")
                .constFirst()
                .contains(QStringLiteral("„03/04/2017“ kann der 4. März 2017")));
    QCOMPARE(form, QStringLiteral("TT/MM/JJJJ"));
    QVERIFY(QFileInfo::exists(
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("04"), QStringLiteral("2017"))));
}

void TestExchangeMenu::badFilesChangeNothing()
{
    FormFixture f;
    startWithMarch(f);
    const QMap<QString, QByteArray> before = TempHome::filesBelow(f.gallery());
    const QString junk = f.home.workFolder() + QStringLiteral("foto.jpg");
    // The first bytes of a JPEG picture, NULs included.
    static const char picture[] = "\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01";
    TempHome::writeFile(junk, QByteArray(picture, sizeof picture - 1));
    f.seam.openFileAnswers = {junk};
    f.menu("Importieren1");
    QCOMPARE(f.seam.texts("dialog"), QStringList());
    QCOMPARE(f.seam.texts("warning"),
             QStringList{QStringLiteral("Die Datei „foto.jpg“ ist keine Textdatei. Eingelesen "
                                        "werden CSV-Dateien, wie Tabellenkalkulationen und die "
                                        "Apps von Messgeräten sie schreiben.")});

    f.seam.clear();
    f.seam.openFileAnswers = {importFixture("ohne_diastolisch.csv")};
    QString hint;
    bool enabled = true;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        hint = in<QLabel>(dialog, "HinweisLabel")->text();
        enabled = in<QPushButton>(dialog, "UebernehmenBtn")->isEnabled();
        click(dialog, "AbbrechenBtn");
        return dialog.result();
    };
    f.menu("Importieren1");
    QCOMPARE(hint, QStringLiteral("In der Datei fehlt eine Spalte für: Diastolisch. Ordnen Sie "
                                  "die Spalten unter „Spalten“ zu."));
    QVERIFY(!enabled);
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(TempHome::filesBelow(f.gallery()), before);
}

QTEST_MAIN(TestExchangeMenu)
#include "tst_exchange_menu.moc"
