// "Jahresübersicht im Browser …" from the Tabelle menu and by Ctrl+J on the
// real main window: its dialog answered by clicks and keys, the page written
// beside Chart.js and opened in the browser.
#include "main_form_fixture.h"
#include "support/dialog_controls.h"

#include <QComboBox>
#include <QDirIterator>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QString pages(const FormFixture &f)
{
    return f.home.workFolder() + QStringLiteral("Blutdruck-Daten im Browser/");
}

QMap<QString, QByteArray> galleryFiles(const FormFixture &f)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(f.gallery(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, TempHome::readFile(path));
    }
    return files;
}

// Muster's November and December 2016 and January 2017 on disk, March 2017
// added through the form; Erika's February beside them.
void prepareMonths(FormFixture &f)
{
    TempHome::writeFile(f.monthFile("Muster", "11", "2016"),
                        monthFileBytes("Muster", "November 2016", "1111",
                                       {"Morgens den 03.11.2016 Z=07:30 s=150, d=95, p=70, "
                                        "Gewicht=80,5",
                                        "Abends den 03.11.2016 Z=20:00 s=141, d=90, p=66, "
                                        "Gewicht=0"}));
    TempHome::writeFile(f.monthFile("Muster", "12", "2016"),
                        monthFileBytes("Muster", "Dezember 2016", "1111",
                                       {"Morgens den 31.12.2016 Z=07:30 s=138, d=86, p=70, "
                                        "Gewicht=0"}));
    TempHome::writeFile(f.monthFile("Muster", "01", "2017"),
                        monthFileBytes("Muster", "Januar 2017", "1111",
                                       {"Abends den 02.01.2017 Z=20:00 s=128, d=82, p=66, "
                                        "Gewicht=0",
                                        "Abends den 03.01.2017 Z=20:00 s=1x8, d=82, p=66"}));
    TempHome::writeFile(f.monthFile("Erika", "02", "2017"),
                        monthFileBytes("Erika", "Februar 2017", "1111",
                                       {"Morgens den 03.02.2017 Z=07:30 s=99, d=61, p=50, "
                                        "Gewicht=0"}));
    f.add(14, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 131, 84, 64);
    f.seam.clear();
}

// Through the menu bar, as the user chooses it: "Tabelle", then the item.
void chooseFromTabelleMenu(FormFixture &f)
{
    f.form->show();
    QMenuBar *bar = f.form->menuBar();
    QMenu *menu = f.get<QMenu>("Tabelle1");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QVERIFY(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000));
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(f.get<QAction>("Jahresuebersicht1")).center());
}

void pressCtrlJ(FormFixture &f)
{
    f.form->show();
    QApplication::setActiveWindow(f.form.get());
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QTest::keyClick(f.form.get(), Qt::Key_J, Qt::ControlModifier);
}

QString pageText(const QString &path)
{
    return QString::fromLatin1(TempHome::readFile(path));
}

// A medication file as a user's editor may leave it: Windows-1252, CRLF.
QByteArray medicationFileBytes(const char *formatLine, const QList<const char *> &entries)
{
    QByteArray bytes = QByteArray(formatLine) + "\r\n#Name\tSt\xe4rke\tEinnahme\tErster Tag\t"
                                                "Letzter Tag\tNotiz\r\n";
    for (const char *entry : entries)
        bytes += QByteArray(entry) + "\r\n";
    return bytes;
}

QString medicationFile(const FormFixture &f)
{
    return f.gallery() + QStringLiteral("Muster_Medikamente.txt");
}

// "Jahresübersicht im Browser …" for the year of the open month (2017).
QString showYearOverview(FormFixture &f)
{
    f.seam.dialogHandler = [](QDialog &dialog) {
        dialog.show();
        click(dialog, "ZeigenBtn");
        return dialog.result();
    };
    f.menu("Jahresuebersicht1");
    const QString page = pages(f) + QStringLiteral("2017/Muster_Übersicht_01_2017-12_2017.html");
    return f.seam.texts("document") == QStringList{page} ? pageText(page) : QString();
}

QString lineOf(const QString &page, const QString &start)
{
    for (const QString &line : page.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(start))
            return line;
    }
    return {};
}

const QString kPartlyRead = QStringLiteral(
    "<p class=\"hinweis\" style=\"text-align: center\">Einige Zeilen der Medikamentenliste "
    "lassen sich nicht lesen; ihre Änderungen sind nicht eingezeichnet.</p>");
const QString kUnreadable = QStringLiteral(
    "<p class=\"hinweis\" style=\"text-align: center\">Die Medikamentenliste lässt sich nicht "
    "lesen; Änderungen der Medikamente sind nicht eingezeichnet.</p>");

} // namespace

class TestOverviewCommand : public QObject
{
    Q_OBJECT

private slots:
    void commandInTheTabelleMenu();
    void yearOfTheOpenMonthByMenuClicks();
    void allMonthsByCtrlJAndKeys();
    void rangeAcrossAYearEndGoesToTheLastYear();
    void monthsWithoutReadingsAreTold();
    void pageThatCannotBeWrittenIsTold();
    void medicationChangesAreMarkedAtTheirMonths();
    void medicationFileThatCannotBeReadLeavesTheMarksOut_data();
    void medicationFileThatCannotBeReadLeavesTheMarksOut();
};

void TestOverviewCommand::commandInTheTabelleMenu()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    QAction *action = f.get<QAction>("Jahresuebersicht1");
    QCOMPARE(action->text(), QStringLiteral("Jahresübersicht im Browser …"));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+J")));
    const QList<QAction *> items = f.get<QMenu>("Tabelle1")->actions();
    QCOMPARE(items, (QList<QAction *>{f.get<QAction>("Tabelleanzeigen1"), action}));
}

void TestOverviewCommand::yearOfTheOpenMonthByMenuClicks()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    const QMap<QString, QByteArray> before = galleryFiles(f);
    QStringList shown;
    bool yearChosen = false;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        dialog.show();
        yearChosen = in<QRadioButton>(dialog, "JahrRadio")->isChecked();
        shown << dialog.windowTitle() << in<QLabel>(dialog, "NameLabel")->text()
              << in<QRadioButton>(dialog, "JahrRadio")->text()
              << in<QRadioButton>(dialog, "ZwoelfMonateRadio")->text()
              << in<QRadioButton>(dialog, "AlleMonateRadio")->text();
        click(dialog, "ZeigenBtn");
        return dialog.result();
    };
    chooseFromTabelleMenu(f);
    QVERIFY(yearChosen);
    QCOMPARE(shown, (QStringList{"Jahresübersicht im Browser", "Übersicht für: Muster",
                                 "Das &Jahr des geöffneten Monats (Januar 2017 bis Dezember 2017)",
                                 "Die letzten &12 Monate (April 2016 bis März 2017)",
                                 "&Alle Monate (November 2016 bis März 2017)"}));
    const QString page = pages(f) + QStringLiteral("2017/Muster_Übersicht_01_2017-12_2017.html");
    QCOMPARE(f.seam.texts("document"), QStringList{page});
    QCOMPARE(f.seam.messages(), QStringList());
    QVERIFY(QFileInfo(pages(f) + QStringLiteral("2017/Chart.min.js")).size() > 100000);
    const QString text = pageText(page);
    QVERIFY(text.contains(QStringLiteral("var monate = ['Januar 2017', 'Februar 2017', ")));
    // January's unreadable line is named; Erika's February is not Muster's.
    QVERIFY(text.contains(QStringLiteral("<tr><td>Januar 2017</td><td class=\"zahl\">1</td>")));
    QVERIFY(text.contains(QStringLiteral("<td>1 Eintrag nicht lesbar, nicht berücksichtigt</td>")));
    QVERIFY(text.contains(
        QStringLiteral("<tr><td>Februar 2017</td><td colspan=\"9\">keine Daten</td></tr>")));
    QVERIFY(text.contains(QStringLiteral("<tr><td>März 2017</td><td class=\"zahl\">1</td><td "
                                         "class=\"zahl\">131,0</td>")));
    QVERIFY(text.contains(QStringLiteral("linie('Systole', '")));
    QVERIFY(text.contains(QStringLiteral("[128.00, null, 131.00, null, null, null, null, null, "
                                         "null, null, null, null]")));
    QCOMPARE(galleryFiles(f), before);
}

void TestOverviewCommand::allMonthsByCtrlJAndKeys()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    f.seam.dialogHandler = [](QDialog &dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitForWindowActive(&dialog))
            qFatal("the overview dialog did not become active");
        // From the chosen year two down to all months, then the default button.
        in<QRadioButton>(dialog, "JahrRadio")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return dialog.result();
    };
    pressCtrlJ(f);
    const QString page = pages(f) + QStringLiteral("2017/Muster_Übersicht_11_2016-03_2017.html");
    QCOMPARE(f.seam.texts("document"), QStringList{page});
    const QString text = pageText(page);
    QVERIFY(text.contains(QStringLiteral("var monate = ['November 2016', 'Dezember 2016', "
                                         "'Januar 2017', 'Februar 2017', 'März 2017'];")));
    // (150 + 141) / 2 in November; its weight alone.
    QVERIFY(text.contains(QStringLiteral("[145.50, 138.00, 128.00, null, 131.00]")));
    QVERIFY(text.contains(QStringLiteral("zeichne('gewicht', [linie('Gewicht', '")));
    QVERIFY(text.contains(QStringLiteral("[80.50, null, null, null, null]")));
    QVERIFY(text.contains(QStringLiteral("mindestens sechs Monate mit Messungen")));
}

void TestOverviewCommand::rangeAcrossAYearEndGoesToTheLastYear()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    bool showEnabled = false;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        dialog.show();
        choose(dialog, "BereichRadio");
        QTest::keyClick(in<QComboBox>(dialog, "VonMonatCombo"), Qt::Key_End); // Dezember
        QSpinBox *year = in<QSpinBox>(dialog, "VonJahrSpin");
        year->selectAll();
        QTest::keyClicks(year, "2016");
        QTest::keyClick(in<QComboBox>(dialog, "BisMonatCombo"), Qt::Key_Up); // Februar
        showEnabled = in<QPushButton>(dialog, "ZeigenBtn")->isEnabled();
        click(dialog, "ZeigenBtn");
        return dialog.result();
    };
    f.menu("Jahresuebersicht1");
    QVERIFY(showEnabled);
    const QString page = pages(f) + QStringLiteral("2017/Muster_Übersicht_12_2016-02_2017.html");
    QCOMPARE(f.seam.texts("document"), QStringList{page});
    QVERIFY(pageText(page).contains(
        QStringLiteral("var monate = ['Dezember 2016', 'Januar 2017', 'Februar 2017'];")));
    QVERIFY(!QFileInfo::exists(pages(f) +
                               QStringLiteral("2016/Muster_Übersicht_12_2016-02_2017.html")));
}

void TestOverviewCommand::monthsWithoutReadingsAreTold()
{
    FormFixture f;
    f.startAs(QStringLiteral("Neu"));
    QString allMonths;
    QString hint;
    bool showEnabled = true;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        dialog.show();
        allMonths = in<QRadioButton>(dialog, "AlleMonateRadio")->text();
        choose(dialog, "AlleMonateRadio");
        hint = in<QLabel>(dialog, "HinweisLabel")->text();
        showEnabled = in<QPushButton>(dialog, "ZeigenBtn")->isEnabled();
        choose(dialog, "ZwoelfMonateRadio");
        click(dialog, "ZeigenBtn");
        return dialog.result();
    };
    f.menu("Jahresuebersicht1");
    QCOMPARE(allMonths, QStringLiteral("&Alle Monate (keine Monate)"));
    QCOMPARE(hint, QStringLiteral("Es gibt noch keine Monatsdateien."));
    QVERIFY(!showEnabled);
    // Without an open month the last months end with today's (15.03.2017).
    QCOMPARE(f.seam.texts("information"),
             QStringList{"Von Neu gibt es in den Monaten April 2016 bis März 2017 keine "
                         "Messungen. Es wurde keine Übersicht erstellt."});
    QCOMPARE(f.seam.texts("document"), QStringList());
    QVERIFY(
        !QFileInfo::exists(pages(f) + QStringLiteral("2017/Neu_Übersicht_04_2016-03_2017.html")));
}

void TestOverviewCommand::pageThatCannotBeWrittenIsTold()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    // A file where the year's chart folder belongs.
    QVERIFY(QDir(pages(f) + QStringLiteral("2017")).removeRecursively());
    TempHome::writeFile(pages(f) + QStringLiteral("2017"), "kein Ordner");
    f.seam.dialogHandler = [](QDialog &dialog) {
        dialog.show();
        click(dialog, "ZeigenBtn");
        return dialog.result();
    };
    f.menu("Jahresuebersicht1");
    const QStringList messages = f.seam.messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), QStringLiteral("Ordner \"") + pages(f) +
                                 QStringLiteral("2017\" konnte nicht erstellt werden! "));
    QVERIFY2(messages.at(1).startsWith(
                 QStringLiteral("Die Seite „Muster_Übersicht_01_2017-12_2017.html“ konnte nicht "
                                "im Ordner „") +
                 pages(f) + QStringLiteral("2017“ gespeichert werden.\r\n")),
             qPrintable(messages.at(1)));
    QCOMPARE(f.seam.texts("document"), QStringList());
    QCOMPARE(TempHome::readFile(pages(f) + QStringLiteral("2017")), QByteArray("kein Ordner"));
}

// The year 2017: a start, a dose change, an end on the year's last day (its
// mark, the first day without, lies in 2018) and one the day before it.
void TestOverviewCommand::medicationChangesAreMarkedAtTheirMonths()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    TempHome::writeFile(medicationFile(f),
                        medicationFileBytes("Vantoria-Medikamentenplan 1",
                                            {"Ramipril\t5 mg\t1-0-1\t03.01.2017\t13.03.2017\t",
                                             "Ramipril\t10 mg\t1-0-1\t14.03.2017\t\tzum Essen",
                                             "Amlodipin\t5 mg\t1-0-0\t01.06.2016\t30.12.2017\t",
                                             "HCT\t12,5 mg\t1-0-0\t01.06.2016\t31.12.2017\t"}));
    const QMap<QString, QByteArray> before = galleryFiles(f);
    const QString page = showYearOverview(f);
    QVERIFY(!page.isEmpty());
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(lineOf(page, QStringLiteral("var medicationMarks")),
             QStringLiteral("var medicationMarks = [{day: 'Januar 2017', text: '03.01.2017: "
                            "Ramipril 5 mg'}, {day: 'März 2017', text: '14.03.2017: Ramipril 10 "
                            "mg statt 5 mg'}, {day: 'Dezember 2017', text: '31.12.2017: "
                            "Amlodipin 5 mg abgesetzt'}];"));
    QVERIFY(page.contains(QStringLiteral("Chart.plugins.register(")));
    QVERIFY(!page.contains(QStringLiteral("Medikamentenliste")));
    // Read only: neither the list nor a version of it is written.
    QCOMPARE(galleryFiles(f), before);
}

void TestOverviewCommand::medicationFileThatCannotBeReadLeavesTheMarksOut_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: a folder of that name
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("note");
    QTest::newRow("a folder") << QByteArray() << QString() << kUnreadable;
    QTest::newRow("a newer version")
        << medicationFileBytes("Vantoria-Medikamentenplan 2",
                               {"Ramipril\t5 mg\t1-0-1\t03.01.2017\t\t"})
        << QString() << kUnreadable;
    QTest::newRow("no medication file")
        << QByteArray("Ramipril ab 03.01.2017\r\n") << QString() << kUnreadable;
    QTest::newRow("a damaged line")
        << medicationFileBytes(
               "Vantoria-Medikamentenplan 1",
               {"Ramipril\t5 mg\t1-0-1\t31.02.2017\t\t", "Amlodipin\t5 mg\t1-0-0\t10.02.2017\t\t"})
        << QStringLiteral("var medicationMarks = [{day: 'Februar 2017', text: '10.02.2017: "
                          "Amlodipin 5 mg'}];")
        << kPartlyRead;
}

// The page is made and opened as always, without a message box; a sentence
// on it tells why changes may be missing, and the file stays as it is.
void TestOverviewCommand::medicationFileThatCannotBeReadLeavesTheMarksOut()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, marks);
    QFETCH(QString, note);
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    if (file.isEmpty())
        QVERIFY(QDir().mkpath(medicationFile(f)));
    else
        TempHome::writeFile(medicationFile(f), file);
    const QMap<QString, QByteArray> before = galleryFiles(f);
    const QString page = showYearOverview(f);
    QVERIFY(!page.isEmpty());
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(lineOf(page, QStringLiteral("var medicationMarks")), marks);
    QCOMPARE(page.count(note), 1);
    QVERIFY(page.contains(QStringLiteral("<tr><td>März 2017</td><td class=\"zahl\">1</td>")));
    QCOMPARE(galleryFiles(f), before);
    QVERIFY(file.isEmpty() ? QFileInfo(medicationFile(f)).isDir()
                           : TempHome::readFile(medicationFile(f)) == file);
}

QTEST_MAIN(TestOverviewCommand)
#include "tst_overview_command.moc"
