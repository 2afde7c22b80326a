// Two computers, one gallery, on the real main window: conflict copies told
// at start and merged by clicks, and a month that another program changes
// while it is open, with and without the user's work pending.
#include "main_form_fixture.h"
#include "storage/versions.h"
#include "support/dialog_controls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>

#include <cstdio>

namespace {

const QString kMorning1 =
    QStringLiteral("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0");
const QString kEvening1 =
    QStringLiteral("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0");
const QString kLaptop2 =
    QStringLiteral("Morgens den 02.03.2017 Z=07:10 s=125, d=79, p=61, Gewicht=0");
const QString kLaptop3 =
    QStringLiteral("Abends den 03.03.2017 Z=21:00 s=133, d=84, p=70, Gewicht=0");
const QString kSyncthingCopy =
    QStringLiteral("Muster_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab");
const QString kRemarkCopy =
    QStringLiteral("Muster_03_2017 (conflicted copy 2026-12-09 101500).txt");

QByteArray march(const QStringList &entries)
{
    return monthFileBytes(QStringLiteral("Muster"), QStringLiteral("März 2017"),
                          QStringLiteral("1111"), entries);
}

// As sync tools write: the whole new file renamed over the old one.
void replaceByRename(const QString &path, const QByteArray &bytes)
{
    const QString temporary = QFileInfo(path).absolutePath() + QStringLiteral("/.syncthing.tmp");
    TempHome::writeFile(temporary, bytes);
    QVERIFY(std::rename(qPrintable(temporary), qPrintable(path)) == 0);
}

QLabel *statusLine(const FormFixture &f)
{
    return f.get<QLabel>("StatusLabel");
}

// Lets the file watcher's events arrive; on a local disk none comes later.
void settle()
{
    QTest::qWait(300);
}

// March 2017 with two readings, open in the window.
TMainForm &startWithMarch(FormFixture &f)
{
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(1, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 140, 90, 70);
    f.add(1, 3, 2017, Slot::Evening, QStringLiteral("20:40"), 135, 85, 66);
    f.seam.clear();
    return form;
}

QStringList entriesOf(const QString &path)
{
    return QString::fromLatin1(TempHome::readFile(path))
        .split(QStringLiteral("\r\n"))
        .filter(QStringLiteral(" den "));
}

} // namespace

class TestSyncConflicts : public QObject
{
    Q_OBJECT

private slots:
    void commandStandsBesideTheImport();
    void copiesAreToldOnceAtStartAndMergedByClicks();
    void skippedCopyStaysAndIsToldAgain();
    void monthChangedOnDiskIsReloaded();
    void pendingEditIsKeptAndJoinsTheChangedMonth();
    void pendingRemarkIsKept();
};

void TestSyncConflicts::commandStandsBesideTheImport()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QList<QAction *> actions = f.get<QMenu>("Datei1")->actions();
    QAction *merge = f.get<QAction>("KonflikteZusammenfuehren1");
    QCOMPARE(merge->text(), QStringLiteral("Konflikte zusammenführen …"));
    QCOMPARE(actions.indexOf(merge), actions.indexOf(f.get<QAction>("Importieren1")) + 1);
    // With no copy the command says so, and the status line stays empty.
    QVERIFY(statusLine(f)->isHidden());
    f.menu("KonflikteZusammenfuehren1");
    QCOMPARE(f.seam.messages(),
             QStringList({QStringLiteral("In Ihrer Galerie liegt keine Konfliktkopie.")}));
    QVERIFY(statusLine(f)->isHidden());
}

void TestSyncConflicts::copiesAreToldOnceAtStartAndMergedByClicks()
{
    FormFixture f;
    startWithMarch(f);
    const QString file =
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("03"), QStringLiteral("2017"));
    const QString year = f.gallery() + QStringLiteral("2017/");
    const QByteArray desk = TempHome::readFile(file);
    TempHome::writeFile(year + "Muster_03_2017.txt", "Urlaub\r\n");
    TempHome::writeFile(year + kSyncthingCopy, march({kMorning1, kEvening1, kLaptop2, kLaptop3}));
    TempHome::writeFile(year + kRemarkCopy, "Kur\r\n");
    // Another user's copy is none of Muster's.
    TempHome::writeFile(year + "Erika_03_2017.sync-conflict-20261209-101500-ABCDEFG.tab", "x\r\n");

    // The next start opens the month and tells the copies once.
    f.form->close();
    f.start();
    f.form->FormPaint();
    QCOMPARE(f.list()->count(), 2);
    QVERIFY(!statusLine(f)->isHidden());
    QCOMPARE(statusLine(f)->text(),
             QStringLiteral("2 Konfliktkopien gefunden – Datei → Konflikte zusammenführen …"));
    QCOMPARE(f.seam.messages(), QStringList());
    statusLine(f)->clear();
    f.seam.openFileAnswers = {file};
    f.menu("oeffnen");
    QCOMPARE(statusLine(f)->text(), QString());

    QStringList previewRows;
    QString monthHint;
    QString theirRemark;
    bool bothPreset = false;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        dialog.show();
        if (auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("VorschauTabelle"))) {
            for (int row = 0; row < table->rowCount(); ++row)
                previewRows.append(table->item(row, 0)->text() + u'|' +
                                   table->item(row, 3)->text());
            monthHint = in<QLabel>(dialog, "HinweisLabel")->text();
        } else {
            theirRemark = in<QPlainTextEdit>(dialog, "KopieBemerkung")->toPlainText();
            bothPreset = in<QRadioButton>(dialog, "BeideRadio")->isChecked();
        }
        click(dialog, "UebernehmenBtn");
        return dialog.result();
    };
    f.menu("KonflikteZusammenfuehren1");

    QCOMPARE(previewRows, QStringList({"02.03.2017 07:10|nur in der Kopie: wird übernommen",
                                       "03.03.2017 21:00|nur in der Kopie: wird übernommen",
                                       "01.03.2017 07:30|in beiden: bleibt, wie sie ist",
                                       "01.03.2017 20:40|in beiden: bleibt, wie sie ist"}));
    QCOMPARE(monthHint, QStringLiteral("„Übernehmen“ trägt 2 Messungen in „Muster_03_2017.tab“ "
                                       "ein, ohne eine gespeicherte Messung zu ändern, und legt "
                                       "die Kopie im Ordner „Sicherungen/2017“ ab."));
    QCOMPARE(theirRemark, QStringLiteral("Kur"));
    QVERIFY(bothPreset);
    // Every reading once, the window shows them, and the remark holds both.
    QCOMPARE(entriesOf(file), QStringList({kMorning1, kEvening1, kLaptop2, kLaptop3}));
    QCOMPARE(f.list()->count(), 4);
    QCOMPARE(TempHome::readFile(year + "Muster_03_2017.txt"), QByteArray("Urlaub\r\n\r\nKur\r\n"));
    // The copies are kept beside the versions, the old month as a version.
    const QString kept = f.gallery() + QStringLiteral("Sicherungen/2017/");
    QVERIFY(!QFileInfo::exists(year + kSyncthingCopy));
    QVERIFY(!QFileInfo::exists(year + kRemarkCopy));
    QVERIFY(QFileInfo::exists(kept + kSyncthingCopy));
    QCOMPARE(TempHome::readFile(kept + kRemarkCopy), QByteArray("Kur\r\n"));
    const QList<Versions::Version> versions = Versions::of(f.gallery(), file);
    QVERIFY(!versions.isEmpty());
    QCOMPARE(TempHome::readFile(versions.constLast().path), desk);
    QCOMPARE(statusLine(f)->text(), QStringLiteral("Konflikte zusammengeführt."));
    // The merge is the window's own write: it is never taken for another's.
    settle();
    QCOMPARE(statusLine(f)->text(), QStringLiteral("Konflikte zusammengeführt."));
    QCOMPARE(f.seam.messages(), QStringList());
}

void TestSyncConflicts::skippedCopyStaysAndIsToldAgain()
{
    FormFixture f;
    startWithMarch(f);
    const QString year = f.gallery() + QStringLiteral("2017/");
    const QString file =
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("03"), QStringLiteral("2017"));
    const QByteArray before = TempHome::readFile(file);
    TempHome::writeFile(year + kSyncthingCopy, march({kLaptop2}));
    TempHome::writeFile(year + "Muster_03_2017 (Erikas conflicted copy 2026-12-09).tab",
                        march({kLaptop3}));
    int asked = 0;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        ++asked;
        click(dialog, asked == 1 ? "UeberspringenBtn" : "AbbrechenBtn");
        return dialog.result();
    };
    f.menu("KonflikteZusammenfuehren1");
    // Skipped, then stopped: nothing written, both copies in place.
    QCOMPARE(asked, 2);
    QCOMPARE(TempHome::readFile(file), before);
    QVERIFY(QFileInfo::exists(year + kSyncthingCopy));
    QCOMPARE(statusLine(f)->text(),
             QStringLiteral("2 Konfliktkopien gefunden – Datei → Konflikte zusammenführen …"));
}

void TestSyncConflicts::monthChangedOnDiskIsReloaded()
{
    FormFixture f;
    TMainForm &form = startWithMarch(f);
    const QString file =
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("03"), QStringLiteral("2017"));
    // The window's own adds and remarks are no news.
    f.add(4, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 128, 80, 64);
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Kur"));
    f.clickRow(0); // leaving the remark saves it
    QVERIFY(!form.RemarkModified());
    QCOMPARE(TempHome::readFile(f.gallery() + QStringLiteral("2017/Muster_03_2017.txt")),
             QByteArray("Kur\r\n"));
    settle();
    QVERIFY(statusLine(f)->isHidden());
    QCOMPARE(f.list()->count(), 3);

    QStringList entries = entriesOf(file);
    entries.insert(2, kLaptop2);
    replaceByRename(file, march(entries));
    QTRY_COMPARE_WITH_TIMEOUT(f.list()->count(), 4, 5000);
    QCOMPARE(form.listLines().filter(QStringLiteral("02.03.2017")).size(), 1);
    QCOMPARE(statusLine(f)->text(), QStringLiteral("„Muster_03_2017.tab“ wurde außerhalb des "
                                                   "Programms geändert und neu geladen."));
    QCOMPARE(f.seam.messages(), QStringList());

    // Again after the rename ended the first watch; and the remark too.
    entries.append(kLaptop3);
    replaceByRename(file, march(entries));
    QTRY_COMPARE_WITH_TIMEOUT(f.list()->count(), 5, 5000);
    replaceByRename(f.gallery() + QStringLiteral("2017/Muster_03_2017.txt"), "Vom Laptop\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(statusLine(f)->text(),
                              QStringLiteral("„Muster_03_2017.txt“ wurde außerhalb des "
                                             "Programms geändert und neu geladen."),
                              5000);
    f.menu("Bemerkungeingeben1");
    QCOMPARE(f.memo()->toPlainText(), QStringLiteral("Vom Laptop"));
}

void TestSyncConflicts::pendingEditIsKeptAndJoinsTheChangedMonth()
{
    FormFixture f;
    TMainForm &form = startWithMarch(f);
    const QString file =
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("03"), QStringLiteral("2017"));
    // The morning reading is taken out to be edited (the question answered
    // with yes): the file no longer holds it, the form does.
    f.clickRow(0);
    f.click("BtnEintragBearbeiten");
    QVERIFY(form.EditPending());
    QCOMPARE(f.list()->count(), 1);
    QCOMPARE(f.spin(4)->value(), 140);
    f.seam.clear();

    replaceByRename(file, march({kLaptop2, kEvening1}));
    QTRY_COMPARE_WITH_TIMEOUT(f.seam.messages().size(), 1, 5000);
    QVERIFY(f.seam.messages().constFirst().startsWith(
        QStringLiteral("Die Datei „Muster_03_2017.tab“ wurde gerade außerhalb des Programms "
                       "geändert")));
    QVERIFY(f.seam.messages().constFirst().contains(
        QStringLiteral("Die Messung, die Sie gerade bearbeiten, bleibt im Formular.")));
    QCOMPARE(statusLine(f)->text(), QStringLiteral("„Muster_03_2017.tab“ wurde außerhalb des "
                                                   "Programms geändert. Ihre Eingabe bleibt "
                                                   "erhalten."));
    // The form and the list are as the user left them.
    QCOMPARE(f.spin(4)->value(), 140);
    QCOMPARE(f.list()->count(), 1);
    QVERIFY(form.EditPending());

    // The corrected reading joins the month as it is on disk now.
    f.spin(4)->setValue(142);
    f.seam.clear();
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QVERIFY(!form.EditPending());
    QCOMPARE(
        entriesOf(file),
        QStringList({QStringLiteral("Morgens den 01.03.2017 Z=07:30 s=142, d=90, p=70, Gewicht=0"),
                     kEvening1, kLaptop2}));
    QCOMPARE(f.list()->count(), 3);
    settle();
    QCOMPARE(f.seam.messages(), QStringList());
}

void TestSyncConflicts::pendingRemarkIsKept()
{
    FormFixture f;
    TMainForm &form = startWithMarch(f);
    const QString file =
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("03"), QStringLiteral("2017"));
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Neue Tabletten"));
    QVERIFY(form.RemarkModified());

    QStringList entries = entriesOf(file);
    entries.append(kLaptop3);
    replaceByRename(file, march(entries));
    QTRY_COMPARE_WITH_TIMEOUT(f.seam.messages().size(), 1, 5000);
    QVERIFY(f.seam.messages().constFirst().contains(
        QStringLiteral("Ihre noch nicht gespeicherte Bemerkung bleibt erhalten.")));
    QCOMPARE(f.memo()->toPlainText(), QStringLiteral("Neue Tabletten"));
    QVERIFY(form.RemarkModified());
    QCOMPARE(f.list()->count(), 2);
    // Nothing of the window was written meanwhile.
    QCOMPARE(entriesOf(file), entries);
    QVERIFY(!QFileInfo::exists(f.gallery() + QStringLiteral("2017/Muster_03_2017.txt")));

    // The next reading brings the month from disk first: all four stay.
    f.seam.clear();
    f.add(5, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 128, 80, 64);
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(entriesOf(file).size(), 4);
    QVERIFY(entriesOf(file).contains(kLaptop3));
}

QTEST_MAIN(TestSyncConflicts)
#include "tst_sync_conflicts.moc"
