// "Medikamente …" from the Bearbeiten menu of the real main window, its
// dialog driven by clicks and keys: entries added, refused, given a new dose,
// ended and deleted, each saved at once with a version of the list before.
#include "app/DosisAendern.h"
#include "app/Medikamente.h"
#include "main_form_fixture.h"
#include "storage/medication_store.h"
#include "storage/versions.h"
#include "support/dialog_controls.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QMenu>
#include <QTreeWidget>

namespace {

void typeInto(QWidget &dialog, const char *edit, const QString &text)
{
    auto *field = in<QLineEdit>(dialog, edit);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}

// "03.03.2017" typed as a user types into the date field: the old date
// deleted from its start, then the digits, which step from day to month to
// year by themselves.
void typeDay(QWidget &dialog, const char *edit, const char *day)
{
    auto *field = in<QDateEdit>(dialog, edit);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, QString::fromLatin1(day).remove(QLatin1Char('.')));
    QCOMPARE(field->date().toString(QStringLiteral("dd.MM.yyyy")), QString::fromLatin1(day));
}

QStringList rows(QWidget &dialog)
{
    auto *list = in<QTreeWidget>(dialog, "MedikamenteListe");
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int column = 0; column < list->columnCount(); ++column)
            columns << list->topLevelItem(i)->text(column);
        texts << columns.join(QStringLiteral(" | "));
    }
    return texts;
}

void clickRow(QWidget &dialog, int row)
{
    auto *list = in<QTreeWidget>(dialog, "MedikamenteListe");
    const QRect place = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

QStringList fileLines(const FormFixture &f)
{
    return QString::fromLatin1(
               TempHome::readFile(MedicationStore::filePath(f.gallery(), QStringLiteral("Muster"))))
        .split(QStringLiteral("\r\n"));
}

} // namespace

class TestMedicationDialog : public QObject
{
    Q_OBJECT

private slots:
    void planKeptThroughTheDialog()
    {
        FormFixture f;
        f.startAs(QStringLiteral("Muster"));
        auto *item = f.get<QAction>("Medikamente1");
        QCOMPARE(item->text(), QStringLiteral("Medikamente …"));
        QVERIFY(f.get<QMenu>("Bearbeiten1")->actions().contains(item));

        QStringList seen;
        f.seam.dialogHandler = [&f, &seen](QDialog &dialog) {
            if (auto *dose = qobject_cast<TDosisDlg *>(&dialog)) {
                dose->show();
                typeInto(*dose, "NeueStaerkeEdit", QStringLiteral("10 mg"));
                typeInto(*dose, "NeueEinnahmeEdit", QStringLiteral("1-0-0"));
                typeDay(*dose, "AbTagEdit", "01.04.2017");
                QTest::mouseClick(
                    in<QDialogButtonBox>(*dose, "Knoepfe")->button(QDialogButtonBox::Ok),
                    Qt::LeftButton);
                return dose->result();
            }
            if (!qobject_cast<TMedikamenteDlg *>(&dialog))
                return dialog.result();
            dialog.show();
            typeInto(dialog, "NameEdit", QStringLiteral("Ramipril"));
            typeInto(dialog, "StaerkeEdit", QStringLiteral("5 mg"));
            typeInto(dialog, "EinnahmeEdit", QStringLiteral("1-0-1"));
            typeInto(dialog, "NotizEdit", QStringLiteral("zum Frühstück"));
            typeDay(dialog, "ErsterTagEdit", "03.03.2017");
            click(dialog, "HinzufuegenBtn");
            seen << rows(dialog);

            // Refused: no name; a last day before the first.
            typeInto(dialog, "NameEdit", QString());
            click(dialog, "HinzufuegenBtn");
            typeInto(dialog, "NameEdit", QStringLiteral("ASS"));
            typeDay(dialog, "ErsterTagEdit", "03.03.2017");
            click(dialog, "LetzterTagCheck");
            typeDay(dialog, "LetzterTagEdit", "02.03.2017");
            click(dialog, "HinzufuegenBtn");
            // The same day is one day of intake.
            typeDay(dialog, "LetzterTagEdit", "03.03.2017");
            typeInto(dialog, "NotizEdit", QString());
            click(dialog, "HinzufuegenBtn");

            clickRow(dialog, 0);
            seen << in<QLineEdit>(dialog, "NameEdit")->text() +
                        in<QDateEdit>(dialog, "ErsterTagEdit")->date().toString(Qt::ISODate);
            click(dialog, "DosisBtn");

            // Bisoprolol ends today (15.03.2017) when no last day is ticked.
            typeInto(dialog, "NameEdit", QStringLiteral("Bisoprolol"));
            typeInto(dialog, "StaerkeEdit", QStringLiteral("2,5 mg"));
            typeInto(dialog, "NotizEdit", QString());
            typeDay(dialog, "ErsterTagEdit", "01.02.2017");
            click(dialog, "HinzufuegenBtn");
            clickRow(dialog, 3);
            click(dialog, "BeendenBtn");
            click(dialog, "BeendenBtn"); // once only

            // ASS deleted after the question; "Nein" first keeps it.
            f.seam.yesNoAnswers = {false, true};
            clickRow(dialog, 2);
            click(dialog, "LoeschenBtn");
            clickRow(dialog, 2);
            click(dialog, "LoeschenBtn");
            seen << rows(dialog);
            click(dialog, "SchliessenBtn");
            return dialog.result();
        };
        f.menu("Medikamente1");

        QCOMPARE(seen.at(0), QStringLiteral("Ramipril | 5 mg | 1-0-1 | 03.03.2017 |  | zum "
                                            "Frühstück"));
        QCOMPARE(seen.at(1), QStringLiteral("Ramipril2017-03-03"));
        QCOMPARE(seen.mid(2),
                 (QStringList{
                     QStringLiteral("Ramipril | 5 mg | 1-0-1 | 03.03.2017 | 31.03.2017 | zum "
                                    "Frühstück"),
                     QStringLiteral("Ramipril | 10 mg | 1-0-0 | 01.04.2017 |  | zum Frühstück"),
                     QStringLiteral("Bisoprolol | 2,5 mg | 1-0-1 | 01.02.2017 | 15.03.2017 | "),
                 }));
        QCOMPARE(
            f.seam.messages(),
            (QStringList{
                QStringLiteral("Bitte geben Sie den Namen des Medikaments ein."),
                QStringLiteral("Der letzte Tag (02.03.2017) liegt vor dem ersten Tag "
                               "(03.03.2017). Bitte korrigieren Sie die Daten."),
                QStringLiteral("„Bisoprolol 2,5 mg“ ist schon beendet (letzter Tag "
                               "15.03.2017)."),
                QStringLiteral("„ASS 5 mg“ wirklich aus der Liste löschen? Zum Absetzen nehmen "
                               "Sie besser „Beenden“: dann bleibt es im Arztbericht "
                               "sichtbar."),
                QStringLiteral("„ASS 5 mg“ wirklich aus der Liste löschen? Zum Absetzen nehmen "
                               "Sie besser „Beenden“: dann bleibt es im Arztbericht "
                               "sichtbar."),
            }));
        QCOMPARE(
            fileLines(f),
            (QStringList{
                QStringLiteral("Vantoria-Medikamentenplan 1"),
                QStringLiteral("#Name\tSt\u00e4rke\tEinnahme\tErster Tag\tLetzter Tag\tNotiz"),
                QStringLiteral("Ramipril\t5 mg\t1-0-1\t03.03.2017\t31.03.2017\tzum "
                               "Fr\u00fchst\u00fcck"),
                QStringLiteral("Ramipril\t10 mg\t1-0-0\t01.04.2017\t\tzum Fr\u00fchst\u00fcck"),
                QStringLiteral("Bisoprolol\t2,5 mg\t1-0-1\t01.02.2017\t15.03.2017\t"),
                QString(),
            }));
        // Each save after the first kept the list before it.
        const QString file = MedicationStore::filePath(f.gallery(), QStringLiteral("Muster"));
        QVERIFY(!Versions::of(f.gallery(), file).isEmpty());
    }

    void damagedLinesStayAndAForeignFileIsLeftAlone()
    {
        FormFixture f;
        f.startAs(QStringLiteral("Muster"));
        const QString file = MedicationStore::filePath(f.gallery(), QStringLiteral("Muster"));
        TempHome::writeFile(file, "Vantoria-Medikamentenplan 1\r\nRamipril 5 mg seit M\xe4rz\r\n");
        QString hint;
        QStringList shown;
        f.seam.dialogHandler = [&](QDialog &dialog) {
            if (!qobject_cast<TMedikamenteDlg *>(&dialog))
                return dialog.result();
            dialog.show();
            hint = in<QLabel>(dialog, "HinweisLabel")->text();
            typeInto(dialog, "NameEdit", QStringLiteral("ASS"));
            typeInto(dialog, "StaerkeEdit", QStringLiteral("100 mg"));
            click(dialog, "HinzufuegenBtn");
            shown = rows(dialog);
            click(dialog, "SchliessenBtn");
            return dialog.result();
        };
        f.menu("Medikamente1");
        QCOMPARE(hint, QStringLiteral("Diese Zeilen der Datei lassen sich nicht lesen und bleiben "
                                      "unverändert erhalten: Zeile 2: 1 statt 6 durch "
                                      "Tabulatoren getrennte Felder"));
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0), QStringLiteral("Zeile 2: nicht lesbar |  |  |  |  | Ramipril 5 mg "
                                             "seit März"));
        QCOMPARE(fileLines(f).at(2), QStringLiteral("Ramipril 5 mg seit M\u00e4rz"));
        QVERIFY(fileLines(f).at(3).startsWith(QStringLiteral("ASS\t100 mg\t\t15.03.2017\t")));

        // Not a list of this program: shown, never written.
        TempHome::writeFile(file, "Meine Tabletten\r\n");
        bool addEnabled = true;
        f.seam.dialogHandler = [&](QDialog &dialog) {
            if (!qobject_cast<TMedikamenteDlg *>(&dialog))
                return dialog.result();
            hint = in<QLabel>(dialog, "HinweisLabel")->text();
            addEnabled = in<QPushButton>(dialog, "HinzufuegenBtn")->isEnabled();
            return int(QDialog::Rejected);
        };
        f.menu("Medikamente1");
        QVERIFY(!addEnabled);
        QVERIFY(hint.contains(QStringLiteral("ist keine Medikamentenliste dieses Programms")));
        QCOMPARE(TempHome::readFile(file), QByteArray("Meine Tabletten\r\n"));
    }
};

QTEST_MAIN(TestMedicationDialog)
#include "tst_medication_dialog.moc"
