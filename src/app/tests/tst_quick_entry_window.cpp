// The quick entry on a real desktop: Ctrl+E in the main window, the reading
// typed, date, slot and time changed by keyboard in the dialog, Enter.
#include "app/SchnellEingabe.h"
#include "main_form_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QScreen>
#include <QTimeEdit>

namespace {

// What the dialog showed when it opened, and what it said to refused lines.
struct Seen
{
    QString date;
    QString slot;
    QString time;
    QString notes;
    QStringList errors; // the red line after each refused line
    QString hint;       // the standing hint beneath the field
    bool errorsBeneathTheField = true;
};

using DialogSteps = std::function<void(TSchnellEingabeDlg &)>;

// Runs the quick entry dialog on screen: `steps` type into it as the user
// would; the dialog's own buttons and keys end it.
void driveDialog(FormFixture &f, Seen &seen, const DialogSteps &steps)
{
    f.seam.dialogHandler = [&seen, steps](QDialog &dialog) {
        auto *quick = qobject_cast<TSchnellEingabeDlg *>(&dialog);
        if (!quick)
            return dialog.result();
        quick->setResult(QDialog::Rejected);
        quick->show();
        QApplication::setActiveWindow(quick);
        if (!QTest::qWaitForWindowActive(quick))
            qWarning("the quick entry dialog did not become active");
        seen.date = quick->findChild<QDateEdit *>(QStringLiteral("DatumEdit"))->text();
        seen.slot = quick->findChild<QComboBox *>(QStringLiteral("MessungCombo"))->currentText();
        seen.time = quick->findChild<QTimeEdit *>(QStringLiteral("UhrzeitEdit"))->text();
        const auto *notes = quick->findChild<QLabel *>(QStringLiteral("FormularLabel"));
        seen.notes = notes->isVisible() ? notes->text() : QString();
        seen.hint = quick->findChild<QLabel *>(QStringLiteral("HinweisLabel"))->text();
        steps(*quick);
        quick->hide();
        return quick->result();
    };
}

QLineEdit *valuesField(TSchnellEingabeDlg &dialog)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("WerteEdit"));
}

// Types a line into the focused values field and presses Enter; a refused
// line leaves its red error in `seen`.
void typeLine(TSchnellEingabeDlg &dialog, Seen &seen, const QString &line)
{
    QLineEdit *field = valuesField(dialog);
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeText(field, line);
    QTest::keyClick(field, Qt::Key_Return);
    if (!dialog.isVisible())
        return;
    const auto *error = dialog.findChild<QLabel *>(QStringLiteral("FehlerLabel"));
    seen.errors << (error->isVisible() ? error->text() : QString());
    seen.errorsBeneathTheField = seen.errorsBeneathTheField &&
                                 error->geometry().top() >= field->geometry().bottom() &&
                                 error->palette().color(QPalette::WindowText).red() > 150 &&
                                 error->palette().color(QPalette::WindowText).green() < 60;
}

// The shortcut, as the user presses it in the main window.
void pressCtrlE(TMainForm &form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
}

// Ctrl+E, one line typed, Enter.
void enterQuickly(FormFixture &f, TMainForm &form, Seen &seen, const QString &line)
{
    driveDialog(f, seen,
                [&seen, line](TSchnellEingabeDlg &dialog) { typeLine(dialog, seen, line); });
    pressCtrlE(form);
}

// Saves the whole desktop when VANTORIA_SCREENSHOTS names a folder.
void screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("VANTORIA_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300); // the window manager's frame and the first paint
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name);
}

QByteArray fileOf(const FormFixture &f, const char *month)
{
    return TempHome::readFile(
        f.monthFile(QStringLiteral("Muster"), QLatin1String(month), QStringLiteral("2017")));
}

} // namespace

class TestQuickEntryWindow : public QObject
{
    Q_OBJECT

private slots:
    void rightAfterStartTheReadingIsForNow();
    void theGallerysMonthIsJoinedAndItsFreeSlotProposed();
    void dateSlotAndTimeChangedByKeyboard();
    void aLineThatDoesNotParseIsNamedInRed();
    void theDesignsRefusalsStillSpeak();
    void withWeight();
};

void TestQuickEntryWindow::rightAfterStartTheReadingIsForNow()
{
    FormFixture f;
    f.startAs(QStringLiteral("Muster"));
    f.add(28, 2, 2017, Slot::Evening, QStringLiteral("20:40"), 140, 90, 70);
    const QByteArray february = fileOf(f, "02");
    // The next start loads February and presets the form from its last reading.
    f.form->close();
    TMainForm &form = f.start();
    form.FormPaint();
    QCOMPARE(f.spin(1)->value(), 28);
    QCOMPARE(form.CurrentSlot(), Slot::Evening);
    f.seam.clear();
    f.seam.fixedToday = QDate(2017, 3, 15);
    f.seam.fixedTime = QTime(7, 40);

    Seen seen;
    driveDialog(f, seen, [&seen](TSchnellEingabeDlg &dialog) {
        screenshot(QStringLiteral("quick-entry-after-start.png"));
        typeLine(dialog, seen, QStringLiteral("135/85 72"));
    });
    pressCtrlE(form);

    QCOMPARE(seen.date, QStringLiteral("15.03.2017"));
    QCOMPARE(seen.slot, QStringLiteral("Morgens"));
    QCOMPARE(seen.time, QStringLiteral("07:40"));
    QCOMPARE(seen.errors, QStringList());
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(fileOf(f, "03"),
             monthFileBytes(QStringLiteral("Muster"), QStringLiteral("März 2017"),
                            QStringLiteral("1111"),
                            {QStringLiteral("Morgens den 15.03.2017 Z=07:40 s=135, d=85, p=72, "
                                            "Gewicht=0")}));
    QCOMPARE(fileOf(f, "02"), february);
    QCOMPARE(form.listLines().size(), 1);
    QCOMPARE(form.openMonth().month(), QStringLiteral("03"));
}

void TestQuickEntryWindow::theGallerysMonthIsJoinedAndItsFreeSlotProposed()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(15, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 132, 80, 70);
    f.menu("neuerstellen1");
    f.add(28, 2, 2017, Slot::Evening, QStringLiteral("20:40"), 140, 90, 70);
    QCOMPARE(form.openMonth().month(), QStringLiteral("02"));
    f.seam.clear();
    // Nearer the morning than the second slot, but the morning is taken
    // in the gallery's March, which is not open.
    f.seam.fixedTime = QTime(9, 5);

    Seen seen;
    enterQuickly(f, form, seen, QStringLiteral("128/82 66"));

    QCOMPARE(seen.slot, QStringLiteral("Messung 2"));
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(fileOf(f, "03"),
             monthFileBytes(QStringLiteral("Muster"), QStringLiteral("März 2017"),
                            QStringLiteral("1111"),
                            {QStringLiteral("Morgens den 15.03.2017 Z=07:30 s=132, d=80, p=70, "
                                            "Gewicht=0"),
                             QStringLiteral("Messung2 den 15.03.2017 Z=09:05 s=128, d=82, p=66, "
                                            "Gewicht=0")}));
    QCOMPARE(form.listLines().size(), 2);
}

void TestQuickEntryWindow::dateSlotAndTimeChangedByKeyboard()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.seam.fixedTime = QTime(7, 40);
    Seen seen;
    driveDialog(f, seen, [&seen](TSchnellEingabeDlg &dialog) {
        // Alt and the underlined letter reach each field; the date and the
        // time are typed section by section, the slot is chosen by its letter.
        QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
        QVERIFY(dialog.findChild<QDateEdit *>(QStringLiteral("DatumEdit"))->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("14"));
        QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("A"));
        QTest::keyClick(&dialog, Qt::Key_U, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2105"));
        QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);
        typeLine(dialog, seen, QStringLiteral("131/79 64"));
    });
    pressCtrlE(form);
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.listLines(),
             QStringList{QStringLiteral("Abends den \t14.03.2017 \tZ=21:05 \ts=131, \td=79, "
                                        "\tp=64, \tGewicht=0")});
}

void TestQuickEntryWindow::aLineThatDoesNotParseIsNamedInRed()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    Seen seen;
    driveDialog(f, seen, [&seen](TSchnellEingabeDlg &dialog) {
        typeLine(dialog, seen, QStringLiteral("13585"));
        typeLine(dialog, seen, QStringLiteral("281/85 72"));
        typeLine(dialog, seen, QStringLiteral("135/85 72 78,4"));
        // Typing again takes the error away until the next Enter.
        typeText(valuesField(dialog), QStringLiteral("1"));
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("FehlerLabel"))->isVisible());
        QTest::keyClick(valuesField(dialog), Qt::Key_Escape);
    });
    pressCtrlE(form);
    QCOMPARE(seen.errors,
             (QStringList{QStringLiteral("„13585“ ist keine lesbare Messung. Erwartet wird die "
                                         "Form „135/85 72“."),
                          QStringLiteral("Der systolische Wert muss zwischen 0 und 280 mmHg "
                                         "liegen."),
                          QStringLiteral("Ein Gewicht wird nur übernommen, wenn „Das Gewicht "
                                         "eingeben“ eingeschaltet ist.")}));
    QVERIFY(seen.errorsBeneathTheField);
    QVERIFY(!seen.errors.contains(seen.hint));
    // Escape closed it; nothing was added.
    QCOMPARE(form.listLines(), QStringList());
    QCOMPARE(f.seam.messages(), QStringList());
    QVERIFY(!QFile::exists(
        f.monthFile(QStringLiteral("Muster"), QStringLiteral("03"), QStringLiteral("2017"))));
}

void TestQuickEntryWindow::theDesignsRefusalsStillSpeak()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    const QStringList usualTimes = {QStringLiteral("07:30"), QStringLiteral("13:00"),
                                    QStringLiteral("15:30"), QStringLiteral("20:40")};
    for (const Slot slot : kAllSlots)
        f.add(15, 3, 2017, slot, usualTimes.at(int(slot)), 140, 90, 70);
    f.seam.clear();
    f.seam.fixedTime = QTime(20, 30);
    Seen seen;
    enterQuickly(f, form, seen, QStringLiteral("120/80 60"));
    // The day is full: the dialog says so, and the add refuses as always.
    QCOMPARE(seen.notes,
             QStringLiteral("Für den 15.03.2017 sind schon alle vier Messungen eingetragen."));
    QCOMPARE(seen.slot, QStringLiteral("Abends"));
    QCOMPARE(f.seam.texts("information"),
             QStringList{QStringLiteral("Ein Eintrag mit dem Datum: Abends den 15.03.2017 "
                                        "existiert schon in der Liste!")});
    QCOMPARE(form.listLines().size(), 4);
}

void TestQuickEntryWindow::withWeight()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.fill(6, 3, 2017, Slot::Evening, QStringLiteral("20:15"), 140, 90, 70, QStringLiteral("80,0"));
    f.seam.fixedTime = QTime(19, 50);
    Seen seen;
    enterQuickly(f, form, seen, QStringLiteral("135 85 72 78.45"));
    QCOMPARE(seen.notes,
             QStringLiteral("Gewicht im Formular: 80,0 kg (gilt, wenn Sie keines eingeben)"));
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.listLines(),
             QStringList{QStringLiteral("Abends den \t15.03.2017 \tZ=19:50 \ts=135, \td=85, "
                                        "\tp=72, \tGewicht=78,45")});

    // Without a typed weight the form's weight counts, also when the
    // reading goes into another month.
    f.setWeightSwitch(true);
    f.weight()->setText(QStringLiteral("79,5"));
    f.seam.fixedToday = QDate(2017, 4, 2);
    f.seam.fixedTime = QTime(7, 0);
    enterQuickly(f, form, seen, QStringLiteral("130/80 60"));
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(form.listLines(),
             QStringList{QStringLiteral("Morgens den \t02.04.2017 \tZ=07:00 \ts=130, \td=80, "
                                        "\tp=60, \tGewicht=79,5")});
}

QTEST_MAIN(TestQuickEntryWindow)
#include "tst_quick_entry_window.moc"
