// The quick entry through its dialog, the spoken list rows, the keyboard's
// way through the form and its visible focus, on the real main window.
#include "main_form_fixture.h"

#include "app/SchnellEingabe.h"
#include "app/focus_ring.h"
#include "storage/settings_store.h"
#include "settings/colour_value.h"

#include <QApplication>
#include <QImage>
#include <QMenu>

namespace {

// What the quick entry dialog is given: keys typed into its field, then Enter
// or Escape; a text that is refused is answered by the next script line.
struct QuickScript
{
    QStringList lines; // each typed and confirmed with Enter
    bool escapeAtEnd = false;
    QStringList shown;    // the dialog's state line, at each opening
    QStringList refusals; // the hint after each refused line
};

void driveQuickEntry(FormFixture &f, QuickScript &script)
{
    f.seam.dialogHandler = [&script](QDialog &dialog) {
        auto *quick = qobject_cast<TSchnellEingabeDlg *>(&dialog);
        if (!quick)
            return dialog.result();
        quick->show();
        script.shown << quick->findChild<QLabel *>(QStringLiteral("FormularLabel"))->text();
        auto *edit = quick->findChild<QLineEdit *>(QStringLiteral("WerteEdit"));
        for (const QString &line : std::as_const(script.lines)) {
            edit->clear();
            typeText(edit, line);
            QTest::keyClick(edit, Qt::Key_Return);
            if (!quick->isVisible())
                return quick->result();
            script.refusals << quick->findChild<QLabel *>(QStringLiteral("HinweisLabel"))->text();
        }
        if (script.escapeAtEnd)
            QTest::keyClick(edit, Qt::Key_Escape);
        return quick->result();
    };
}

// The shortcut, as the user presses it in the main window.
void pressCtrlE(TMainForm &form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
}

const char *const kTabOrder[] = {"SpinEdit1",   "SpinEdit2", "SpinEdit3",
                                 "BitBtn3",     "Edit1",     "SpinEdit4",
                                 "SpinEdit5",   "SpinEdit6", "GewichtsEingabeCheckBox",
                                 "GewichtEdit", "BitBtn1"};

} // namespace

class TestDesktopAids : public QObject
{
    Q_OBJECT

private slots:
    void quickEntryAddsThroughTheAddCommand();
    void quickEntryWithWeight();
    void quickEntryRefusesAndEscapes();
    void quickEntryKeepsTheDesignsRefusals();
    void listRowsReadAsSentences();
    void tabFollowsTheForm();
    void focusIsVisibleInBothColourSets_data();
    void focusIsVisibleInBothColourSets();
};

void TestDesktopAids::quickEntryAddsThroughTheAddCommand()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.fill(5, 2, 2017, Slot::Morgens, QStringLiteral("07:30"), 140, 90, 70);
    QuickScript script{{QStringLiteral("132/80 70")}, false, {}, {}};
    driveQuickEntry(f, script);
    QAction *action = f.get<QAction>("SchnellEingabe1");
    QCOMPARE(action->text(), QStringLiteral("Messung schnell eingeben …"));
    QVERIFY(f.get<QMenu>("Bearbeiten1")->actions().contains(action));
    pressCtrlE(form);

    QCOMPARE(script.shown, QStringList{QStringLiteral(
                               "Datum: 05.02.2017    Messung: Morgens    Uhrzeit: 07:30")});
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.listLines(),
             QStringList{QStringLiteral("Morgens den \t05.02.2017 \tZ=07:30 \ts=132, \td=80, "
                                        "\tp=70, \tGewicht=0")});
    QCOMPARE(TempHome::readFile(f.monthFile(QStringLiteral("Muster"), QStringLiteral("02"),
                                            QStringLiteral("2017"))),
             monthFileBytes(QStringLiteral("Muster"), QStringLiteral("Februar 2017"),
                            QStringLiteral("1111"),
                            {QStringLiteral("Morgens den 05.02.2017 Z=07:30 s=132, d=80, p=70, "
                                            "Gewicht=0")}));
    // The add moved on to the next slot, as after a click on the button.
    QCOMPARE(form.CurrentSlot(), Slot::Messung2);
}

void TestDesktopAids::quickEntryWithWeight()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.fill(6, 2, 2017, Slot::Abends, QStringLiteral("20:15"), 140, 90, 70, QStringLiteral("80,0"));
    QuickScript script{{QStringLiteral("135 85 72 78,4")}, false, {}, {}};
    driveQuickEntry(f, script);
    f.menu("SchnellEingabe1");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.listLines(),
             QStringList{QStringLiteral("Abends den \t06.02.2017 \tZ=20:15 \ts=135, \td=85, "
                                        "\tp=72, \tGewicht=78,4")});
    QVERIFY(script.shown.constFirst().endsWith(
        QStringLiteral("Gewicht im Formular: 80,0 kg (gilt, wenn Sie keines eingeben)")));
}

void TestDesktopAids::quickEntryRefusesAndEscapes()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.fill(5, 2, 2017, Slot::Morgens, QStringLiteral("07:30"), 140, 90, 70);
    QuickScript script{
        {QStringLiteral("135/85"), QStringLiteral("281/85 72"), QStringLiteral("135/85 72 78,4")},
        true,
        {},
        {}};
    driveQuickEntry(f, script);
    f.menu("SchnellEingabe1");
    QCOMPARE(script.refusals,
             (QStringList{QuickEntry::expectedForm(false),
                          QStringLiteral("Der systolische Wert muss zwischen 0 und 280 mmHg "
                                         "liegen."),
                          QStringLiteral("Ein Gewicht wird nur übernommen, wenn „Das Gewicht "
                                         "eingeben“ eingeschaltet ist.")}));
    // Escape closed it; nothing was added or changed.
    QCOMPARE(form.listLines(), QStringList());
    QCOMPARE(f.spin(4)->value(), 140);
    QCOMPARE(f.seam.messages(), QStringList());
    QVERIFY(!QFile::exists(
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("02"), QStringLiteral("2017"))));
}

void TestDesktopAids::quickEntryKeepsTheDesignsRefusals()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 3, 2017, Slot::Abends, QStringLiteral("20:00"), 140, 90, 70);
    f.selectSlot(Slot::Abends);
    f.spin(1)->setValue(5);
    f.seam.clear();
    QuickScript script{{QStringLiteral("120/80 60")}, false, {}, {}};
    driveQuickEntry(f, script);
    f.menu("SchnellEingabe1");
    QCOMPARE(f.seam.texts("information"),
             QStringList{QStringLiteral("Ein Eintrag mit dem Datum: Abends den 05.03.2017 "
                                        "existiert schon in der Liste!")});
    QCOMPARE(form.listLines().size(), 1);

    // Another month than the list's: the design's month message.
    f.seam.clear();
    f.spin(2)->setValue(4);
    f.menu("SchnellEingabe1");
    QCOMPARE(f.seam.texts("information"),
             QStringList{QStringLiteral("Überprüfen Sie bitte die Monatsangabe \"04\" sie stimmt "
                                        "nicht mit den bisherigen Eintragungen überein!\r\n"
                                        "Wenn Sie eine Tabelle für einen neuen Monat beginnen "
                                        "möchten, dann wählen Sie den Menüpunkt\r\n"
                                        "\"Datei|neu erstellen (neuer Monat oder Jahr)\" aus.")});
    QCOMPARE(form.listLines().size(), 1);
}

void TestDesktopAids::listRowsReadAsSentences()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(5, 2, 2017, Slot::Morgens, QStringLiteral("07:30"), 132, 80, 70);
    f.add(5, 2, 2017, Slot::Abends, QStringLiteral("19:45"), 128, 78, 66, QStringLiteral("78,4"));
    QListWidget *list = f.list();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Morgens, 5. Februar 2017, 7:30 Uhr, 132 zu 80, Puls 70"));
    QCOMPARE(list->item(1)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Abends, 5. Februar 2017, 19:45 Uhr, 128 zu 78, Puls 66, Gewicht "
                            "78,4 kg"));
    // What the list shows and what the program reads stay the display lines.
    QCOMPARE(list->item(0)->text(), form.listLines().constFirst());
    QVERIFY(list->item(0)->text().contains(QLatin1Char('\t')));

    // A row changed in place speaks its new text, and its old one again
    // when that comes back.
    const auto spoken = [list](int row) {
        return list->item(row)->data(Qt::AccessibleTextRole).toString();
    };
    const QString morningLine = list->item(0)->text();
    const QString morning = spoken(0);
    list->item(0)->setText(list->item(1)->text());
    QCOMPARE(spoken(0), spoken(1));
    list->item(0)->setText(QStringLiteral("Notiz"));
    QCOMPARE(spoken(0), QString());
    list->item(0)->setText(morningLine);
    QCOMPARE(spoken(0), morning);
}

void TestDesktopAids::tabFollowsTheForm()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    f.setWeightSwitch(true);
    f.spin(1)->setFocus();
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (std::size_t i = 1; i < std::size(kTabOrder); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (const char *name : kTabOrder)
        expected << QLatin1String(name);
    QCOMPARE(seen, expected);

    // With the weight switch off its field is no stop.
    f.setWeightSwitch(false);
    f.spin(6)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn1"));
}

void TestDesktopAids::focusIsVisibleInBothColourSets_data()
{
    QTest::addColumn<qint32>("windowColour");
    QTest::addColumn<qint32>("listColour");
    QTest::newRow("orange") << ColourValue::DefaultWindowColour << ColourValue::DefaultListColour;
    QTest::newRow("system") << ColourValue::SystemButtonFace << ColourValue::SystemWindowBackground;
}

void TestDesktopAids::focusIsVisibleInBothColourSets()
{
    QFETCH(qint32, windowColour);
    QFETCH(qint32, listColour);
    FormFixture f;
    f.answerName(QStringLiteral("Muster"));
    {
        SettingsStore settings(f.home.settingsFile());
        settings.writeFirstRunValues(f.home.workFolder());
        settings.write(SettingKey::WindowColour, QString::number(windowColour));
        settings.write(SettingKey::ListColour, QString::number(listColour));
    }
    TMainForm &form = f.start();
    form.FormPaint();
    f.add(5, 2, 2017, Slot::Morgens, QStringLiteral("07:30"), 132, 80, 70);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    f.setWeightSwitch(true);

    QStringList names{QStringLiteral("ListBox1"),
                      QStringLiteral("CheckBoxM1"),
                      QStringLiteral("RadioButton2"),
                      QStringLiteral("BtnEintragBearbeiten"),
                      QStringLiteral("LinienDiagrammErstellen"),
                      QStringLiteral("Memo2")};
    for (const char *name : kTabOrder)
        names << QLatin1String(name);
    for (const QString &name : names) {
        QWidget *control = f.get<QWidget>(name.toLatin1().constData());
        // Without the focus there, then with it: the frame around the
        // control must change to black and white, which every colour shows.
        f.get<QWidget>("BitBtn3")->setFocus();
        if (name == QLatin1String("BitBtn3"))
            f.get<QWidget>("Edit1")->setFocus();
        const QImage before = form.grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), control);
        const QImage after = form.grab().toImage();
        const QRect inner(control->mapTo(&form, QPoint(0, 0)), control->size());
        int dark = 0, light = 0, border = 0;
        const QRect ring = inner.adjusted(-FocusRing::kWidth, -FocusRing::kWidth, FocusRing::kWidth,
                                          FocusRing::kWidth);
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            for (int x = ring.left(); x <= ring.right(); ++x) {
                if (inner.contains(x, y) || !after.rect().contains(x, y))
                    continue;
                ++border;
                const int grey = qGray(after.pixel(x, y));
                if (grey < 40 && after.pixel(x, y) != before.pixel(x, y))
                    ++dark;
                if (grey > 215)
                    ++light;
            }
        }
        QVERIFY2(dark > border / 4 && light > border / 8,
                 qPrintable(QStringLiteral("%1: %2 dark and %3 light of %4 frame pixels")
                                .arg(name)
                                .arg(dark)
                                .arg(light)
                                .arg(border)));
    }
}

QTEST_MAIN(TestDesktopAids)
#include "tst_desktop_aids.moc"
