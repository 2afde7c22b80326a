// "Arztbericht erstellen …" from the Datei menu of the real main window, its
// dialog answered by clicks and keys, the report written and opened.
#include "main_form_fixture.h"
#include "report/gui/Arztbericht.h"
#include "support/dialog_controls.h"

#include <QComboBox>
#include <QDirIterator>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>

#include <unistd.h>

namespace {

QString reports(const FormFixture &f)
{
    return f.home.workFolder() + QStringLiteral("Blutdruck-Arztberichte/");
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

// Muster's December 2016 and January 2017 on disk, March 2017 added through
// the form; Erika's January beside them.
void prepareMonths(FormFixture &f)
{
    TempHome::writeFile(f.monthFile("Muster", "12", "2016"),
                        monthFileBytes("Muster", "Dezember 2016", "1111",
                                       {"Morgens den 31.12.2016 Z=07:30 s=150, d=95, p=70, "
                                        "Gewicht=0"}));
    TempHome::writeFile(f.monthFile("Muster", "01", "2017"),
                        monthFileBytes("Muster", "Januar 2017", "1111",
                                       {"Abends den 02.01.2017 Z=20:00 s=128, d=82, p=66, "
                                        "Gewicht=0"}));
    TempHome::writeFile(f.monthFile("Erika", "01", "2017"),
                        monthFileBytes("Erika", "Januar 2017", "1111",
                                       {"Morgens den 03.01.2017 Z=07:30 s=99, d=61, p=50, "
                                        "Gewicht=0"}));
    f.add(14, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 131, 84, 64);
    f.seam.clear();
}

void typeYear(QDialog &dialog, const char *spin, const char *year)
{
    QSpinBox *box = in<QSpinBox>(dialog, spin);
    box->selectAll();
    QTest::keyClicks(box, QLatin1String(year));
}

// Through the menu bar, as the user chooses it: "Datei", then the item.
void chooseFromDateiMenu(FormFixture &f, const char *item)
{
    f.form->show();
    QMenuBar *bar = f.form->menuBar();
    QMenu *menu = f.get<QMenu>("Datei1");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QVERIFY(QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000));
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(f.get<QAction>(item)).center());
}

// Everything below the working folder, each file with its bytes: the refused
// command must leave it as it was.
QMap<QString, QByteArray> workFiles(const FormFixture &f)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(f.home.workFolder(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, QFileInfo(path).isFile() ? TempHome::readFile(path) : QByteArray());
    }
    return files;
}

// Muster's March 2017 with one reading, the window closed over it, and the
// report folder gone as if it had never been made.
void prepareRestartWithoutReportFolder(FormFixture &f)
{
    f.startAs(QStringLiteral("Muster"));
    f.add(14, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 131, 84, 64);
    f.form->close();
    QVERIFY(QDir(reports(f)).removeRecursively());
}

// The start after prepareRestartWithoutReportFolder: no word about the
// folder, and March is shown as on every start.
void startsNormally(FormFixture &f)
{
    f.seam.clear();
    TMainForm &form = f.start();
    form.FormPaint();
    QVERIFY(!form.endedAtStart());
    QCOMPARE(f.seam.endProgramCount, 0);
    QCOMPARE(f.seam.calls.size(), 0);
    QCOMPARE(form.openMonth().path(), f.monthFile("Muster", "03", "2017"));
    QCOMPARE(f.list()->count(), 1);
}

// Answers the report dialog with "Erstellen" for the open month and counts it.
void answerReportDialog(FormFixture &f, int &shown)
{
    f.seam.dialogHandler = [&shown](QDialog &dialog) {
        ++shown;
        dialog.show();
        QTest::keyClick(in<QPushButton>(dialog, "ErstellenBtn"), Qt::Key_Space);
        return dialog.result();
    };
}

QString pdfText(const QString &pdf)
{
    QProcess process;
    // In layout order: a table below other text on the same page would
    // otherwise come out column by column.
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

} // namespace

class TestReportCommand : public QObject
{
    Q_OBJECT

private slots:
    void commandInTheDateiMenuAndItsFolder();
    void lastThreeMonthsByClick();
    void rangeAcrossAYearEndByKeys();
    void reversedRangeCannotBeMade();
    void reportThatCannotBeOpenedIsTold();
    void fileInPlaceOfTheFolderIsToldByTheCommandOnly();
    void readOnlyStartFolderIsToldByTheCommandOnly();
};

void TestReportCommand::commandInTheDateiMenuAndItsFolder()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    // Made at start, beside the gallery and the chart pages.
    QVERIFY(QFileInfo(reports(f)).isDir());
    QAction *action = f.get<QAction>("Arztbericht1");
    QCOMPARE(action->text(), QStringLiteral("Arztbericht erstellen …"));
    const QList<QAction *> items = f.get<QMenu>("Datei1")->actions();
    QCOMPARE(items.indexOf(action) + 1, items.indexOf(f.get<QAction>("N2")));
    QCOMPARE(items.constLast(), f.get<QAction>("beenden1"));
}

void TestReportCommand::lastThreeMonthsByClick()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    const QMap<QString, QByteArray> before = galleryFiles(f);
    QStringList shown;
    bool openMonthChosen = false;
    bool rangeEnabled = true;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        dialog.show();
        openMonthChosen = in<QRadioButton>(dialog, "MonatRadio")->isChecked();
        rangeEnabled = in<QComboBox>(dialog, "VonMonatCombo")->isEnabled();
        shown << in<QLabel>(dialog, "NameLabel")->text()
              << in<QRadioButton>(dialog, "MonatRadio")->text()
              << in<QRadioButton>(dialog, "DreiMonateRadio")->text();
        choose(dialog, "DreiMonateRadio");
        click(dialog, "ErstellenBtn");
        return dialog.result();
    };
    chooseFromDateiMenu(f, "Arztbericht1");
    // The open month is chosen, and the range idle, until the user picks another.
    QVERIFY(openMonthChosen);
    QVERIFY(!rangeEnabled);
    QCOMPARE(shown, (QStringList{"Bericht für: Muster", "&Geöffneter Monat (März 2017)",
                                 "&Die letzten 3 Monate (Januar 2017 bis März 2017)"}));
    const QString pdf = reports(f) + QStringLiteral("Muster_Bericht_01_2017-03_2017.pdf");
    QCOMPARE(f.seam.texts("document"), QStringList{pdf});
    QCOMPARE(f.seam.messages(), QStringList());
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("Zeitraum: Januar 2017 bis März 2017")));
    QVERIFY(text.contains(QStringLiteral("Erstellt am 15.03.2017")));
    QVERIFY(text.contains(QStringLiteral("14.03.2017 Dienstag Morgens 07:30 131 84 64")));
    QVERIFY(text.contains(QStringLiteral("02.01.2017")));
    QVERIFY(!text.contains(QStringLiteral("31.12.2016"))); // before the period
    QVERIFY(!text.contains(QStringLiteral("03.01.2017"))); // Erika's
    QCOMPARE(galleryFiles(f), before);
}

void TestReportCommand::rangeAcrossAYearEndByKeys()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    prepareMonths(f);
    f.seam.dialogHandler = [](QDialog &dialog) {
        dialog.show();
        choose(dialog, "BereichRadio");
        QTest::keyClick(in<QComboBox>(dialog, "VonMonatCombo"), Qt::Key_End); // Dezember
        typeYear(dialog, "VonJahrSpin", "2016");
        QTest::keyClick(in<QComboBox>(dialog, "BisMonatCombo"), Qt::Key_Up); // Februar
        click(dialog, "ErstellenBtn");
        return dialog.result();
    };
    f.menu("Arztbericht1");
    const QString pdf = reports(f) + QStringLiteral("Muster_Bericht_12_2016-02_2017.pdf");
    QCOMPARE(f.seam.texts("document"), QStringList{pdf});
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("Zeitraum: Dezember 2016 bis Februar 2017")));
    QVERIFY(text.contains(QStringLiteral("31.12.2016 Samstag Morgens 07:30 150 95 70")));
    QVERIFY(!text.contains(QStringLiteral("14.03.2017")));
}

void TestReportCommand::reversedRangeCannotBeMade()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    QString hint;
    bool createEnabled = true;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        dialog.show();
        choose(dialog, "BereichRadio");
        typeYear(dialog, "VonJahrSpin", "2018");
        hint = in<QLabel>(dialog, "HinweisLabel")->text();
        createEnabled = in<QPushButton>(dialog, "ErstellenBtn")->isEnabled();
        click(dialog, "ErstellenBtn"); // disabled: nothing happens
        click(dialog, "AbbrechenBtn");
        return dialog.result();
    };
    f.menu("Arztbericht1");
    QCOMPARE(hint, QStringLiteral("Der erste Monat liegt nach dem letzten."));
    QVERIFY(!createEnabled);
    QCOMPARE(f.seam.texts("document"), QStringList());
    QCOMPARE(QDir(reports(f)).entryList(QDir::Files), QStringList());
}

void TestReportCommand::reportThatCannotBeOpenedIsTold()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.seam.launchSucceeds = false;
    f.seam.dialogHandler = [](QDialog &dialog) {
        dialog.show();
        QTest::keyClick(in<QPushButton>(dialog, "ErstellenBtn"), Qt::Key_Space);
        return dialog.result();
    };
    f.menu("Arztbericht1");
    const QString pdf = reports(f) + QStringLiteral("Muster_Bericht_03_2017-03_2017.pdf");
    QCOMPARE(f.seam.texts("warning"),
             QStringList{"Der Bericht wurde gespeichert, konnte aber nicht geöffnet werden, weil "
                         "kein Programm zum Anzeigen von PDF-Dateien gestartet werden konnte. Er "
                         "liegt hier:\r\n" +
                         pdf});
    QVERIFY(TempHome::readFile(pdf).startsWith("%PDF"));
}

void TestReportCommand::fileInPlaceOfTheFolderIsToldByTheCommandOnly()
{
    FormFixture f;
    prepareRestartWithoutReportFolder(f);
    const QString inTheWay = f.home.workFolder() + QStringLiteral("Blutdruck-Arztberichte");
    TempHome::writeFile(inTheWay, "Notizen");
    startsNormally(f);
    if (QTest::currentTestFailed())
        return;

    int dialogs = 0;
    answerReportDialog(f, dialogs);
    const QMap<QString, QByteArray> before = workFiles(f);
    chooseFromDateiMenu(f, "Arztbericht1");
    // Told before the period is chosen, which would be chosen in vain.
    QCOMPARE(dialogs, 0);
    QCOMPARE(f.seam.messages(),
             QStringList{"Der Ordner „" + inTheWay +
                         "“ für die Arztberichte konnte nicht angelegt werden: An dieser Stelle "
                         "liegt bereits eine Datei mit demselben Namen."});
    QCOMPARE(f.seam.texts("warning").size(), 1);
    QCOMPARE(f.seam.texts("document"), QStringList());
    QCOMPARE(workFiles(f), before);

    // The user moves the file away; the next try makes the folder and the report.
    QVERIFY(QFile::rename(inTheWay, inTheWay + QStringLiteral(".txt")));
    f.seam.clear();
    chooseFromDateiMenu(f, "Arztbericht1");
    QCOMPARE(dialogs, 1);
    const QString pdf = reports(f) + QStringLiteral("Muster_Bericht_03_2017-03_2017.pdf");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(f.seam.texts("document"), QStringList{pdf});
    QVERIFY(pdfText(pdf).contains(QStringLiteral("14.03.2017 Dienstag Morgens 07:30 131 84 64")));
    QCOMPARE(TempHome::readFile(inTheWay + QStringLiteral(".txt")), QByteArray("Notizen"));
}

void TestReportCommand::readOnlyStartFolderIsToldByTheCommandOnly()
{
    if (::geteuid() == 0)
        QSKIP("root may write into a read-only folder; the file in the folder's place stands in "
              "for it");
    FormFixture f;
    prepareRestartWithoutReportFolder(f);
    const QString work = f.home.workFolder();
    const QFileDevice::Permissions writable = QFileInfo(work).permissions();
    QFile::setPermissions(work, writable & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                             QFileDevice::WriteGroup | QFileDevice::WriteOther));
    const auto restore = qScopeGuard([&] { QFile::setPermissions(work, writable); });
    startsNormally(f);
    if (QTest::currentTestFailed())
        return;

    int dialogs = 0;
    answerReportDialog(f, dialogs);
    f.menu("Arztbericht1");
    QCOMPARE(dialogs, 0);
    QCOMPARE(f.seam.messages(),
             QStringList{"Der Ordner „" + reports(f).chopped(1) +
                         "“ für die Arztberichte konnte nicht angelegt werden: Sie haben keine "
                         "Berechtigung, im Ordner „" +
                         work.chopped(1) + "“ etwas anzulegen."});
    QVERIFY(!QFileInfo::exists(reports(f)));

    QFile::setPermissions(work, writable);
    f.seam.clear();
    f.menu("Arztbericht1");
    QCOMPARE(dialogs, 1);
    QCOMPARE(f.seam.messages(), QStringList());
    QVERIFY(TempHome::readFile(reports(f) + QStringLiteral("Muster_Bericht_03_2017-03_2017.pdf"))
                .startsWith("%PDF"));
}

QTEST_MAIN(TestReportCommand)
#include "tst_report_command.moc"
