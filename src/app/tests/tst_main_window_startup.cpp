#include "main_form_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace {

const QString kLfCr = QStringLiteral("\n\r");

int storedValueCount(const QString &settingsFile)
{
    return int(TempHome::readFile(settingsFile).count("\n\""));
}

} // namespace

class TestMainWindowStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartAsksForTheNameAtTheFirstPaint();
    void vanishedLastFileIsForgotten();
    void vanishedFolderDeletesTheSettingsAndEnds();
    void otherStartFolderIsOnlyReported();
    void galleryThatCannotBeCreatedEnds();
    void folderNamesFromTheSettings();
    void deleteCommand();
    void cancelInTheNameDialogEnds();
    void unsafeNamesAreRefusedAndTheDialogStays();
    void nameChangeStartsAnEmptyMonthForTheNewName();
    void helpAndAbout();
    void menuCaptionsKeepTheirBlanks();
};

void TestMainWindowStartup::firstStartAsksForTheNameAtTheFirstPaint()
{
    FormFixture f;
    f.answerName(QStringLiteral("Muster"));
    TMainForm &form = f.start();
    QVERIFY(!form.endedAtStart());
    QCOMPARE(storedValueCount(f.home.settingsFile()), 19);
    QCOMPARE(form.settings().read(SettingKey::InstallFolder), f.home.workFolder());
    QVERIFY(QFileInfo(f.gallery()).isDir());
    QVERIFY(QFileInfo(f.home.workFolder() + "Blutdruck-Daten im Browser/").isDir());
    QCOMPARE(f.seam.texts("dialog"), QStringList());

    form.FormPaint();
    QCOMPARE(f.seam.texts("dialog"), QStringList{"NameEingDlg"});
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.windowTitle(), QStringLiteral("Messwerte von Muster"));
    QCOMPARE(f.get<QLabel>("Labeltest")->text(), QStringLiteral("Blutdruckmesswerte von Muster"));
    QCOMPARE(form.settings().read(SettingKey::UserName), QStringLiteral("Muster"));
    QCOMPARE(f.get<QLabel>("Label3")->text(), QStringLiteral("Heute ist der 15.03.2017"));
    QCOMPARE(f.list()->count(), 0);
    QCOMPARE(f.memo()->toPlainText(), QString());
    QCOMPARE(f.spin(1)->text(), QStringLiteral("01"));
    QCOMPARE(f.spin(2)->text(), QStringLiteral("03"));
    QCOMPARE(f.spin(3)->text(), QStringLiteral("2017"));
    QCOMPARE(f.get<QPushButton>("BitBtn3")->text(), QStringLiteral("Morgens"));
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), QStringLiteral("07:30"));
    QVERIFY(!f.get<QPushButton>("BtnEintragBearbeiten")->isEnabled());
    QVERIFY(!f.get<QPushButton>("BtnBalkendiagrammErstellen")->isEnabled());
    QVERIFY(!f.weightSwitch()->isChecked());
    QVERIFY(!f.weight()->isEnabled());
    QVERIFY(QDir(f.gallery()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    form.FormPaint(); // the dialog belongs to the first paint only
    QCOMPARE(f.seam.texts("dialog").size(), 1);

    // The closing window remembers that no month file was opened yet.
    form.close();
    QCOMPARE(form.settings().read(SettingKey::LastMonthFile), QString());
}

void TestMainWindowStartup::vanishedLastFileIsForgotten()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    QDir().mkpath(f.gallery() + "2017");
    f.form->settings().write(SettingKey::LastMonthFile, f.monthFile("Muster", "03", "2017"));

    TMainForm &form = f.start();
    QCOMPARE(f.seam.messages(),
             QStringList{"Die zuletzt geöffnete Datei \"Muster_03_2017.tab\" existiert nicht mehr! "
                         "Der Eintrag in der Registry wird gelöscht."});
    QCOMPARE(f.seam.texts("information").size(), 1);
    QCOMPARE(form.settings().read(SettingKey::LastMonthFile), QString());
    QVERIFY(!form.endedAtStart());
    QCOMPARE(f.seam.endProgramCount, 0);

    form.FormPaint();
    QCOMPARE(f.seam.messages().size(), 1);
    QCOMPARE(f.list()->count(), 0);
    QCOMPARE(f.get<QLabel>("Labeltest")->text(), QStringLiteral("Blutdruckmesswerte von Muster"));
    QCOMPARE(f.seam.texts("dialog"), QStringList());
}

void TestMainWindowStartup::vanishedFolderDeletesTheSettingsAndEnds()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString folder = f.home.root() + "/Weg/2017/";
    f.form->settings().write(SettingKey::LastMonthFile, folder + "Muster_03_2017.tab");

    TMainForm &form = f.start();
    QCOMPARE(
        f.seam.messages(),
        (QStringList{"Die zuletzt geöffnete Datei \"Muster_03_2017.tab\" existiert nicht mehr! "
                     "Der Eintrag in der Registry wird gelöscht.",
                     "Der Ordner \"" + folder + "\" existiert nicht mehr!" + kLfCr +
                         "Der Eintrag in der Registry wird gelöscht." + kLfCr +
                         "Danach wird das Programm beendet und Sie müssen es noch mal starten. "
                         "Dann Ihren Namen eingeben."}));
    QCOMPARE(f.seam.texts("information").size(), 2);
    QCOMPARE(f.seam.endProgramCount, 1);
    QVERIFY(form.endedAtStart());
    QVERIFY(!QFileInfo::exists(f.home.settingsFile()));

    // The next start is a first start.
    f.seam.clear();
    f.start();
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(storedValueCount(f.home.settingsFile()), 19);
    f.form->FormPaint();
    QCOMPARE(f.seam.texts("dialog"), QStringList{"NameEingDlg"});
}

void TestMainWindowStartup::otherStartFolderIsOnlyReported()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString other = f.home.root() + "/Anderswo/";
    QDir().mkpath(other);

    for (int run = 0; run < 2; ++run) {
        f.seam.clear();
        TMainForm &form = f.start(other);
        QCOMPARE(
            f.seam.texts("information"),
            (QStringList{
                "\"Vantoria\" haben Sie schon mal an einem anderen Speicherort benutzt:" + kLfCr +
                    "\"" + f.home.workFolder() + "\"" + kLfCr + kLfCr +
                    "Ihre Daten finden Sie weiterhin im Ordner:" + kLfCr + "\"" +
                    f.home.workFolder() + "Blutdruck-Daten-Galerie/\"",
                "Wenn Sie hier in diesem Ordner zukünftig Ihre Daten anlegen möchten," + kLfCr +
                    "dann betätigen Sie den Menüpunkt \"Optionen|Registry-Eintrag löschen\""}));
        QCOMPARE(f.seam.messages().size(), 2);
        QVERIFY(!form.endedAtStart());
        QCOMPARE(form.openMonth().galleryFolder(), f.gallery());
        QCOMPARE(form.StartFolder(), other);
        QVERIFY(!QFileInfo::exists(other + "Blutdruck-Daten-Galerie"));
        QCOMPARE(form.settings().read(SettingKey::InstallFolder), f.home.workFolder());
    }
    // A folder below the install folder holds it: no message.
    f.seam.clear();
    QDir().mkpath(f.home.workFolder() + "unten");
    f.start(f.home.workFolder() + "unten");
    QCOMPARE(f.seam.messages(), QStringList());
}

void TestMainWindowStartup::galleryThatCannotBeCreatedEnds()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    // A file where the data folder should be: nothing can be created below it.
    const QString blocked = f.home.root() + "/blockiert/";
    TempHome::writeFile(f.home.root() + "/blockiert", "kein Ordner");
    f.form->settings().write(SettingKey::DataFolder, blocked);
    const QByteArray settingsBefore = TempHome::readFile(f.home.settingsFile());

    TMainForm &form = f.start();
    QCOMPARE(f.seam.texts("plain"),
             QStringList{"Ordner \"Blutdruck-Daten-Galerie/\" konnte nicht erstellt werden! "});
    QCOMPARE(
        f.seam.texts("information"),
        QStringList{"Ordner: " + blocked +
                    "Blutdruck-Daten-Galerie/\" existiert nicht!  Das Programm wird beendet."});
    QCOMPARE(f.seam.messages().size(), 2);
    QCOMPARE(f.seam.endProgramCount, 1);
    QVERIFY(form.endedAtStart());
    QCOMPARE(TempHome::readFile(f.home.settingsFile()), settingsBefore);
    form.FormPaint(); // a paint after the end does nothing
    QCOMPARE(f.seam.calls.size(), 3);
}

void TestMainWindowStartup::folderNamesFromTheSettings()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.form->settings().write(SettingKey::GalleryFolderName, "Archiv");
    f.form->settings().write(SettingKey::HtmlFolderName, QString());
    TMainForm &form = f.start();
    QCOMPARE(form.openMonth().galleryFolder(), f.home.workFolder() + "Archiv/");
    QCOMPARE(form.openMonth().htmlFolder(), f.home.workFolder() + "Blutdruck-Daten im Browser/");
    QVERIFY(QFileInfo(form.openMonth().galleryFolder()).isDir());
    QCOMPARE(form.settings().read(SettingKey::HtmlFolderName), QString());
}

void TestMainWindowStartup::deleteCommand()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(5, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString month = f.monthFile("Muster", "03", "2017");
    const QByteArray monthBytes = TempHome::readFile(month);
    QVERIFY(!monthBytes.isEmpty());
    const QByteArray settingsBefore = TempHome::readFile(f.home.settingsFile());

    f.seam.clear();
    f.seam.yesNoAnswers = {false};
    f.menu("RegistryEintraegeloeschen1");
    QCOMPARE(f.seam.texts("question"),
             QStringList{"Möchten Sie die Registry-Einträge löschen? " + kLfCr +
                         "Wenn JA, dann wird danach das Programm beendet und " + kLfCr +
                         "Sie müssen es noch mal starten, dann Ihren Namen eingeben."});
    QCOMPARE(TempHome::readFile(f.home.settingsFile()), settingsBefore);
    QVERIFY(f.get<QTimer>("Timer1")->isActive());

    f.seam.yesNoAnswers = {true};
    f.menu("RegistryEintraegeloeschen1");
    QVERIFY(!QFileInfo::exists(f.home.settingsFile()));
    QVERIFY(!f.get<QTimer>("Timer1")->isActive()); // the window was closed
    QCOMPARE(TempHome::readFile(month), monthBytes);

    f.seam.clear();
    f.answerName(QStringLiteral("Erika"));
    f.start();
    QCOMPARE(storedValueCount(f.home.settingsFile()), 19);
    f.form->FormPaint();
    QCOMPARE(f.seam.texts("dialog"), QStringList{"NameEingDlg"});
    QCOMPARE(f.list()->count(), 0);
}

void TestMainWindowStartup::cancelInTheNameDialogEnds()
{
    FormFixture f;
    f.seam.dialogHandler = [](QDialog &dialog) {
        if (auto *names = qobject_cast<TNameEingDlg *>(&dialog))
            typeNameAndClick(*names, QStringLiteral("Muster"), "CancelBtn");
        return dialog.result();
    };
    TMainForm &form = f.start();
    form.FormPaint();
    QCOMPARE(f.seam.endProgramCount, 1);
    QCOMPARE(form.settings().read(SettingKey::UserName), QString());
    QCOMPARE(form.windowTitle(), QStringLiteral("Blutdruckmesswerte -"));

    // From the menu as well, and Escape means the same.
    f.menu("Namendern1");
    QCOMPARE(f.seam.endProgramCount, 2);
    f.seam.dialogHandler = [](QDialog &dialog) {
        dialog.reject();
        return dialog.result();
    };
    f.menu("Namendern1");
    QCOMPARE(f.seam.endProgramCount, 3);
    QCOMPARE(form.settings().read(SettingKey::UserName), QString());
}

void TestMainWindowStartup::unsafeNamesAreRefusedAndTheDialogStays()
{
    FormFixture f;
    QStringList refusedResults;
    f.seam.dialogHandler = [&refusedResults](QDialog &dialog) {
        auto *names = qobject_cast<TNameEingDlg *>(&dialog);
        if (!names)
            return int(QDialog::Rejected);
        for (const QString &bad :
             {QStringLiteral("../Muster"), QStringLiteral(".."), QStringLiteral("."),
              QStringLiteral("Mu") + QChar(0) + QStringLiteral("ster"),
              QString::fromUtf8("Łukasz")}) {
            dialog.setResult(QDialog::Rejected);
            names->setEnteredName(bad); // a NUL cannot be typed
            QTest::mouseClick(names->findChild<QPushButton *>("OKBtn"), Qt::LeftButton);
            refusedResults << QString::number(dialog.result());
        }
        typeNameAndClick(*names, QStringLiteral("Muster"), "OKBtn");
        return dialog.result();
    };
    TMainForm &form = f.start();
    form.FormPaint();
    QCOMPARE(refusedResults, QStringList(5, QStringLiteral("0")));
    const QStringList refusals = f.seam.texts("information");
    QCOMPARE(refusals.size(), 5);
    // The month files' code page cannot hold it: saved, it would become '?'.
    QCOMPARE(refusals.constLast(),
             QString::fromUtf8("Der Name enthält das Zeichen „Ł“, das in den Monatstabellen nicht "
                               "gespeichert werden kann (sie sind im Zeichensatz Windows-1252 "
                               "geschrieben). Bitte wählen Sie einen Namen ohne dieses Zeichen."));
    for (const QString &text : refusals)
        QVERIFY2(text.contains(QStringLiteral("Name")), qPrintable(text));
    QCOMPARE(form.settings().read(SettingKey::UserName), QStringLiteral("Muster"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Messwerte von Muster"));
    QCOMPARE(f.seam.endProgramCount, 0);
    QVERIFY(!QFileInfo::exists(f.home.workFolder() + "Muster"));

    // An empty name stays allowed; the next start asks again.
    f.seam.clear();
    f.answerName(QString());
    f.menu("Namendern1");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.windowTitle(), QStringLiteral("Messwerte von "));
    f.add(2, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QVERIFY(QFileInfo::exists(f.gallery() + "2017/_03_2017.tab"));
    form.close();
    f.start();
    f.form->FormPaint();
    QCOMPARE(f.seam.texts("dialog").size(), 2);
}

void TestMainWindowStartup::nameChangeStartsAnEmptyMonthForTheNewName()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QByteArray old = TempHome::readFile(f.monthFile("Muster", "03", "2017"));
    f.answerName(QStringLiteral("Erika"));
    f.menu("Namendern1");
    QCOMPARE(f.list()->count(), 0);
    QCOMPARE(form.windowTitle(), QStringLiteral("Messwerte von Erika"));
    QCOMPARE(f.get<QLabel>("Labeltest")->text(), QStringLiteral("Blutdruckmesswerte von Erika"));
    f.add(6, 3, 2017, Slot::Morning, "07:30", 141, 91, 71);
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")), old);
    QCOMPARE(TempHome::readFile(f.monthFile("Erika", "03", "2017")),
             monthFileBytes("Erika", "März 2017", "1111",
                            {"Morgens den 06.03.2017 Z=07:30 s=141, d=91, p=71, Gewicht=0"}));
}

void TestMainWindowStartup::helpAndAbout()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString help = f.home.workFolder() + "Blutdruckmesswerte-Hilfe.pdf";
    // No help anywhere: the user learns where it was looked for.
    f.menu("HilfeThemen");
    QCOMPARE(f.seam.texts("document"), QStringList());
    QCOMPARE(f.seam.texts("warning"),
             QStringList{"Die Hilfe „Blutdruckmesswerte-Hilfe.pdf“ wurde nicht gefunden. "
                         "Gesucht wurde hier:\r\n" +
                         help});
    // A help that no PDF viewer opens is told with the place of the file.
    TempHome::writeFile(help, "%PDF-1.4");
    f.seam.clear();
    f.seam.launchSucceeds = false;
    f.menu("HilfeThemen");
    QCOMPARE(f.seam.texts("document"), QStringList{help});
    QCOMPARE(f.seam.texts("warning"),
             QStringList{"Die Hilfe konnte nicht geöffnet werden, weil kein Programm zum "
                         "Anzeigen von PDF-Dateien gestartet werden konnte. Sie liegt hier:\r\n" +
                         help});

    // Without a copy in the start folder the installed one is opened.
    FormFixture g;
    const QString installed = g.home.root() + "/share/vantoria/";
    TempHome::writeFile(installed + "Blutdruckmesswerte-Hilfe.pdf", "%PDF-1.4");
    g.form = std::make_unique<TMainForm>(
        g.seam, MainFormEnvironment{g.home.workFolder(), g.home.settingsFile(), installed});
    g.menu("HilfeThemen");
    QCOMPARE(g.seam.texts("document"), QStringList{installed + "Blutdruckmesswerte-Hilfe.pdf"});

    f.menu("Infoueber");
    QCOMPARE(f.seam.texts("dialog").size(), 1);
}

void TestMainWindowStartup::menuCaptionsKeepTheirBlanks()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    const QList<QPair<const char *, QString>> items = {
        {"neuerstellen1", "&neu erstellen (neuer Monat oder Jahr)                "},
        {"N1", QString(10, ' ')},
        {"oeffnen", "öffnen"},
        {"N2", QString(11, ' ')},
        {"beenden1", "beenden"},
        {"Bemerkungeingeben1", "Bemerkung &eingeben/lesen          "},
        {"Einstellungen1", "Einstellungen     "},
        {"Tabelleanzeigen1", "anzeigen"},
        {"Namendern1", "Name ändern"},
        {"N3", QString(11, ' ')},
        {"RegistryEintraegeloeschen1", "Registry-Einträge löschen        "},
        {"HilfeThemen", "Hilfe&themen"},
        {"N4", QString(16, ' ')},
        {"Infoueber", "&Info ..."},
    };
    for (const auto &[name, caption] : items)
        QCOMPARE(form.findChild<QAction *>(QLatin1String(name))->text(), caption);
    QStringList titles;
    for (QAction *menu : form.menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, QStringList({"Datei    ", "Bearbeiten        ", "Einstellungen     ",
                                  " Tabelle   ", " Optionen     ", "Hilfe      "}));
    // The spacers do nothing.
    form.findChild<QAction *>("N1")->trigger();
    QCOMPARE(f.seam.calls.size(), 0);
}

QTEST_MAIN(TestMainWindowStartup)
#include "tst_main_window_startup.moc"
