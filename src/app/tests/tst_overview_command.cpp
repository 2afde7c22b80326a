// "Jahresübersicht im Browser …" from the Tabelle menu and by Ctrl+J on the
// real main window: its dialog answered by clicks and keys, the page written
// beside Chart.js and opened in the browser.
#include "main_form_fixture.h"

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

template <typename T> T *in(QDialog &dialog, const char *name)
{
    T *child = dialog.findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("the overview dialog has no control %s", name);
    return child;
}

void click(QDialog &dialog, const char *button)
{
    QTest::mouseClick(in<QAbstractButton>(dialog, button), Qt::LeftButton);
}

// On the round indicator: a radio button stretched by the layout takes
// clicks on its indicator and text only.
void choose(QDialog &dialog, const char *radio)
{
    QRadioButton *button = in<QRadioButton>(dialog, radio);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
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

QTEST_MAIN(TestOverviewCommand)
#include "tst_overview_command.moc"
