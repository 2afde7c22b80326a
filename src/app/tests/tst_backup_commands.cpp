// The backup commands worked through the window as a user works them:
// versions appear as readings are added, edited and remarks saved; a
// version is restored from the dialog and the restore undone; a backup
// folder that cannot be written; the whole gallery to a ZIP file and back.
#include "app/Fassungen.h"
#include "app/entry_list_model.h"
#include "journal/month_journal.h"
#include "main_form_fixture.h"
#include "storage/versions.h"

#include <QDirIterator>
#include <QListWidget>
#include <QTreeWidget>

#include <algorithm>

namespace {

// What the restore dialog showed, and which row the test chose.
struct DialogVisit
{
    QStringList rows;          // the three columns of each row, joined by " | "
    QStringList readings;      // the readings shown for the chosen row
    QList<QStringList> pieces; // what the list draws at its tab stops, per reading
};

// Answers the restore dialog: clicks the row and then "Wiederherstellen".
void chooseVersion(FormFixture &f, int row, DialogVisit &visit)
{
    f.seam.dialogHandler = [row, &visit](QDialog &dialog) {
        auto *versions = qobject_cast<TFassungenDlg *>(&dialog);
        if (!versions)
            return dialog.result();
        versions->show();
        auto *tree = versions->findChild<QTreeWidget *>(QStringLiteral("FassungenListe"));
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = tree->topLevelItem(i);
            visit.rows << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
        }
        auto *restore = versions->findChild<QPushButton *>(QStringLiteral("WiederherstellenBtn"));
        const bool enabledBeforeChoice = restore->isEnabled();
        QTreeWidgetItem *chosen = tree->topLevelItem(row);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(chosen).center());
        auto *readings = versions->findChild<QListWidget *>(QStringLiteral("MessungenListe"));
        for (int i = 0; i < readings->count(); ++i) {
            visit.readings << readings->item(i)->text();
            visit.pieces << readings->item(i)->data(EntryListModel::PiecesRole).toStringList();
        }
        if (enabledBeforeChoice)
            visit.readings << QStringLiteral("restore was possible before a choice");
        QTest::mouseClick(restore, Qt::LeftButton);
        return versions->result();
    };
}

} // namespace

class TestBackupCommands : public QObject
{
    Q_OBJECT

private slots:
    void versionsAppearOnAddEditAndRemark();
    void restoreFromTheDialogAndUndoIt();
    void aBackupFolderThatCannotBeWrittenIsToldOnce();
    void backupFileIntoAnEmptyGalleryGivesTheSameFiles();
    void aDamagedBackupFileChangesNothing();
    void aDamagedMonthInTheBackupIsNamed();
};

void TestBackupCommands::versionsAppearOnAddEditAndRemark()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString file = f.monthFile("Muster", "03", "2017");
    const auto versions = [&f, &file] { return Versions::of(f.gallery(), file); };
    f.add(1, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QCOMPARE(versions().size(), 0); // the first reading makes the file
    const QByteArray oneReading = TempHome::readFile(file);

    f.add(1, 3, 2017, Slot::Evening, "20:40", 135, 85, 66);
    // One version per add, though the add writes the file twice.
    QCOMPARE(versions().size(), 1);
    QCOMPARE(TempHome::readFile(versions().constLast().path), oneReading);
    const QByteArray twoReadings = TempHome::readFile(file);

    f.clickRow(0);
    f.click("BtnEintragBearbeiten"); // taken out into the form: the file loses it
    QCOMPARE(versions().size(), 2);
    QCOMPARE(TempHome::readFile(versions().constLast().path), twoReadings);
    f.click("BitBtn1"); // and added back
    QCOMPARE(versions().size(), 3);
    QCOMPARE(TempHome::readFile(file), twoReadings);

    const QString remark = f.gallery() + QStringLiteral("2017/Muster_03_2017.txt");
    for (const QString &typed : {QStringLiteral("Urlaub"), QStringLiteral(" am Meer")}) {
        f.menu("Bemerkungeingeben1");
        typeText(f.memo(), typed);
        f.clickRow(0); // leaving remark mode saves the remark
    }
    QCOMPARE(TempHome::readFile(remark), QByteArray("Urlaub am Meer\r\n"));
    const QList<Versions::Version> remarkVersions = Versions::of(f.gallery(), remark);
    QCOMPARE(remarkVersions.size(), 1);
    QCOMPARE(TempHome::readFile(remarkVersions.constFirst().path), QByteArray("Urlaub\r\n"));
    QCOMPARE(f.seam.texts(QStringLiteral("warning")), QStringList());
}

void TestBackupCommands::restoreFromTheDialogAndUndoIt()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    const QString file = f.monthFile("Muster", "03", "2017");
    f.add(1, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    f.add(1, 3, 2017, Slot::Evening, "20:40", 135, 85, 66);
    f.add(2, 3, 2017, Slot::Morning, "07:30", 128, 80, 64);
    const QByteArray threeReadings = TempHome::readFile(file);
    f.clickRow(1);
    f.click("BtnEintragBearbeiten"); // the evening reading is taken out
    const QByteArray twoReadings = TempHome::readFile(file);
    QCOMPARE(f.list()->count(), 2);

    DialogVisit visit;
    chooseVersion(f, 0, visit);
    f.menu("FruehereFassung1");
    // Newest first: before the edit, before the third add, before the second.
    QCOMPARE(visit.rows.size(), 3);
    QVERIFY2(visit.rows.at(0).endsWith(" | 3 Messungen | +1 / \u22120 Messungen"),
             qPrintable(visit.rows.at(0)));
    QVERIFY2(visit.rows.at(1).endsWith(" | 2 Messungen | +1 / \u22121 Messungen"),
             qPrintable(visit.rows.at(1)));
    QVERIFY2(visit.rows.at(2).endsWith(" | 1 Messung | +0 / \u22121 Messungen"),
             qPrintable(visit.rows.at(2)));
    QVERIFY(QDateTime::fromString(visit.rows.at(0).section(" | ", 0, 0),
                                  QStringLiteral("dd.MM.yyyy  HH:mm:ss"))
                .isValid());
    QCOMPARE(visit.readings,
             (QStringList{"Morgens den \t01.03.2017 \tZ=07:30 \ts=140, \td=90, \tp=70, \tGewicht=0",
                          "Abends den \t01.03.2017 \tZ=20:40 \ts=135, \td=85, \tp=66, \tGewicht=0",
                          "Morgens den \t02.03.2017 \tZ=07:30 \ts=128, \td=80, \tp=64, "
                          "\tGewicht=0"}));
    // Drawn in the main window's columns.
    QCOMPARE(visit.pieces.size(), 3);
    QCOMPARE(visit.pieces.at(1), (QStringList{"Abends den ", "01.03.2017 ", "Z=20:40 ", "s=135, ",
                                              "d=85, ", "p=66, ", "Gewicht=0"}));
    QCOMPARE(TempHome::readFile(file), threeReadings);
    QCOMPARE(f.list()->count(), 3); // the window shows the restored month
    QCOMPARE(f.line(1), visit.readings.at(1));

    // The month as it was before the restore is now the newest version.
    DialogVisit undo;
    chooseVersion(f, 0, undo);
    f.menu("FruehereFassung1");
    QCOMPARE(undo.rows.size(), 4);
    QVERIFY2(undo.rows.at(0).endsWith(" | 2 Messungen | +0 / \u22121 Messungen"),
             qPrintable(undo.rows.at(0)));
    QCOMPARE(TempHome::readFile(file), twoReadings);
    QCOMPARE(f.list()->count(), 2);
    QCOMPARE(f.seam.texts(QStringLiteral("warning")), QStringList());
}

void TestBackupCommands::aBackupFolderThatCannotBeWrittenIsToldOnce()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(1, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    TempHome::writeFile(f.gallery() + QStringLiteral("Sicherungen"), "a file in the way");
    f.add(1, 3, 2017, Slot::Evening, "20:40", 135, 85, 66);
    f.add(2, 3, 2017, Slot::Morning, "07:30", 128, 80, 64);
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral("Urlaub"));
    f.clickRow(0);
    f.menu("Bemerkungeingeben1");
    typeText(f.memo(), QStringLiteral(" am Meer"));
    f.clickRow(0);

    QCOMPARE(f.list()->count(), 3);
    QCOMPARE(MonthJournal::read(f.monthFile("Muster", "03", "2017"))->readings().size(),
             qsizetype(3));
    QCOMPARE(TempHome::readFile(f.gallery() + QStringLiteral("2017/Muster_03_2017.txt")),
             QByteArray("Urlaub am Meer\r\n"));
    const QString folder = f.gallery() + QStringLiteral("Sicherungen/2017/");
    QCOMPARE(f.seam.messages(),
             QStringList{QStringLiteral("Vor dem Speichern konnte keine frühere Fassung gesichert "
                                        "werden:\r\nDer Ordner „") +
                         folder +
                         QStringLiteral("“ lässt sich nicht anlegen.\r\n\r\nIhre Eingaben werden "
                                        "trotzdem gespeichert. Solange der Ordner „Sicherungen“ "
                                        "in Ihrer Galerie nicht beschrieben werden kann, entstehen "
                                        "keine früheren Fassungen. Diese Meldung erscheint bis zum "
                                        "nächsten Start von Vantoria nur einmal.")});
    QCOMPARE(f.seam.texts(QStringLiteral("warning")).size(), 1);
}

void TestBackupCommands::backupFileIntoAnEmptyGalleryGivesTheSameFiles()
{
    FormFixture from;
    from.startAs(QStringLiteral("Muster"));
    from.add(1, 3, 2017, Slot::Morning, "07:30", 140, 90, 70, "80,5");
    from.add(1, 3, 2017, Slot::Evening, "20:40", 135, 85, 66);
    from.menu("neuerstellen1");
    from.add(9, 4, 2017, Slot::Morning, "07:30", 128, 80, 64);
    from.menu("Bemerkungeingeben1");
    typeText(from.memo(), QStringLiteral("Kur in Bad Tölz"));
    from.clickRow(0);
    from.seam.clear();
    const QString zip = from.home.root() + QStringLiteral("/Sicherung");
    from.seam.saveFileAnswers << zip;
    from.menu("SicherungskopieErstellen1");
    QCOMPARE(from.seam.texts(QStringLiteral("save")),
             QStringList{from.home.workFolder() +
                         QStringLiteral("Blutdruck-Sicherung-2017-03-15.zip|Sicherungskopien "
                                        "(*.zip)")});
    QCOMPARE(from.seam.messages(), QStringList{QStringLiteral(
                                       "Die Sicherungskopie „Sicherung.zip“ wurde erstellt. Sie "
                                       "enthält 2 Tabellen, 1 Bemerkung und Ihre Einstellungen.")});

    FormFixture into;
    into.startAs(QStringLiteral("Muster"));
    const QByteArray settings = TempHome::readFile(into.home.settingsFile());
    into.seam.openFileAnswers << zip + QStringLiteral(".zip");
    into.menu("SicherungskopieEinlesen1");
    QCOMPARE(into.seam.texts(QStringLiteral("question")),
             QStringList{QStringLiteral(
                 "Die Sicherungskopie enthält:\r\nMärz 2017 (Muster): 2 neu\r\nApril 2017 "
                 "(Muster): 1 neu\r\nBemerkungen: 1 neu\r\n\r\nVorhandene Messungen, Bemerkungen "
                 "und Ihre Einstellungen werden nicht überschrieben. Jetzt übernehmen?")});
    QCOMPARE(into.seam.texts(QStringLiteral("information")),
             QStringList{QStringLiteral(
                 "3 Messungen übernommen, 0 schon vorhanden, 0 ohne freien Platz.\r\nBemerkungen: "
                 "1 übernommen.\r\nDie Einstellungen der Sicherungskopie wurden nicht übernommen; "
                 "Ihre jetzigen Einstellungen gelten weiter.")});
    QCOMPARE(TempHome::filesBelow(into.gallery(), Versions::kFolderName),
             TempHome::filesBelow(from.gallery(), Versions::kFolderName));
    QCOMPARE(TempHome::readFile(into.home.settingsFile()), settings);
}

void TestBackupCommands::aDamagedBackupFileChangesNothing()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(1, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString zip = f.home.root() + QStringLiteral("/Sicherung.zip");
    f.seam.saveFileAnswers << zip;
    f.menu("SicherungskopieErstellen1");
    QByteArray bytes = TempHome::readFile(zip);
    TempHome::writeFile(zip, bytes.left(bytes.size() - 30)); // cut off at the end
    f.add(2, 3, 2017, Slot::Morning, "07:30", 128, 80, 64);
    const QMap<QString, QByteArray> before = TempHome::filesBelow(f.gallery());
    f.seam.clear();

    f.seam.openFileAnswers << zip;
    f.menu("SicherungskopieEinlesen1");
    const QStringList messages = f.seam.texts(QStringLiteral("warning"));
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.constFirst(),
             QStringLiteral("Die Sicherungskopie „") + zip +
                 QStringLiteral("“ lässt sich nicht einlesen. Die Datei ist beschädigt oder "
                                "keine ZIP-Datei: Das Inhaltsverzeichnis an ihrem Ende fehlt. Es "
                                "wurde nichts übernommen."));
    QCOMPARE(f.seam.messages(), messages);
    QCOMPARE(TempHome::filesBelow(f.gallery()), before);
    QCOMPARE(f.list()->count(), 2);
}

void TestBackupCommands::aDamagedMonthInTheBackupIsNamed()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    for (int day = 1; day <= 20; ++day)
        f.add(day, 3, 2017, Slot::Morning, "07:30", 120 + day, 80, 60);
    const QString zip = f.home.root() + QStringLiteral("/Sicherung.zip");
    f.seam.saveFileAnswers << zip;
    f.menu("SicherungskopieErstellen1");
    // A byte in the middle of the month's compressed data, found through its
    // local header (the month is the first entry).
    QByteArray bytes = TempHome::readFile(zip);
    const auto number = [&bytes](int at, int size) {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | quint8(bytes.at(at + i));
        return int(value);
    };
    const QByteArray member = "Blutdruck-Daten-Galerie/2017/Muster_03_2017.tab";
    QCOMPARE(bytes.mid(30, number(26, 2)), member);
    const int middle = 30 + number(26, 2) + number(28, 2) + number(18, 4) / 2;
    bytes[middle] = char(bytes.at(middle) ^ 0xFF);
    TempHome::writeFile(zip, bytes);
    f.add(21, 3, 2017, Slot::Morning, "07:30", 128, 80, 64);
    const QMap<QString, QByteArray> before = TempHome::filesBelow(f.gallery());
    const QByteArray settings = TempHome::readFile(f.home.settingsFile());
    f.seam.clear();

    f.seam.openFileAnswers << zip;
    f.menu("SicherungskopieEinlesen1");
    const QString start = QStringLiteral("Die Sicherungskopie „") + zip +
                          QStringLiteral("“ lässt sich nicht einlesen. Die Datei ist "
                                         "beschädigt: ");
    const QString end = QStringLiteral(" Es wurde nichts übernommen.");
    const QString named = u'„' + QString::fromLatin1(member) + u'“';
    const QStringList reasons = {
        QStringLiteral("Der Inhalt von ") + named +
            QStringLiteral(" passt nicht zu seiner Prüfsumme."),
        QStringLiteral("Der gepackte Inhalt von ") + named +
            QStringLiteral(" lässt sich nicht entpacken."),
        QStringLiteral("Die Länge von ") + named +
            QStringLiteral(" passt nicht zu den Angaben im Inhaltsverzeichnis.")};
    const QStringList messages = f.seam.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(std::any_of(reasons.begin(), reasons.end(),
                         [&](const QString &reason) {
                             return messages.constFirst() == start + reason + end;
                         }),
             qPrintable(messages.constFirst()));
    QCOMPARE(f.seam.texts(QStringLiteral("warning")), messages);
    QCOMPARE(TempHome::filesBelow(f.gallery()), before);
    QCOMPARE(TempHome::readFile(f.home.settingsFile()), settings);
    QCOMPARE(f.list()->count(), 21);
}

QTEST_MAIN(TestBackupCommands)
#include "tst_backup_commands.moc"
