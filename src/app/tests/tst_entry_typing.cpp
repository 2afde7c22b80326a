// The time and the weight typed with real keys on a real desktop, the
// controls as a screen reader meets and works them, and remark mode as the
// user sees it.
#include "main_form_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>

namespace {

const QString kLimitRefusal =
    QStringLiteral("Die Eingabe von mehr als 310 Kilogramm ist nicht möglich!");
const QString kDifferenceRefusal =
    QStringLiteral("Bitte überprüfen Sie Ihre aktuelle Gewichtsangabe. Es sind 15 Kg Unterschied "
                   "zum bisherigen Mittelwert!");

QString timeRefusal(const QString &time)
{
    return QStringLiteral("Die Uhrzeit „") + time +
           QStringLiteral("“ ist ungültig. Bitte geben Sie im Feld Uhrzeit eine Zeit von 00:00 "
                          "bis 24:00 in der Form HH:MM ein.");
}

// Saves the whole desktop when VANTORIA_SCREENSHOTS names a folder.
void screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("VANTORIA_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300); // the desktop shows what the window has painted
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name);
}

struct TypingForm : FormFixture
{
    QLineEdit *time() const { return get<QLineEdit>("Edit1"); }

    TMainForm &showAs(const QString &name)
    {
        startAs(name);
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the main window never became active");
        return *form;
    }

    // Clicks into the field, selects all with Ctrl+A and types over it.
    static void typeOver(QLineEdit *edit, const QString &text)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }

    void chooseMenuItem(int title, const char *item) const
    {
        QMenuBar *bar = form->menuBar();
        QAction *action = bar->actions().at(title);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
        QMenu *menu = action->menu();
        QVERIFY(QTest::qWaitFor([menu] { return menu->isVisible(); }, 10000));
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(get<QAction>(item)).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    QByteArray monthBytes(const QStringList &entries) const
    {
        return monthFileBytes(QStringLiteral("Muster"), QStringLiteral("März 2017"),
                              QStringLiteral("1111"), entries);
    }
};

QString description(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

QString name(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// A check box worked as a screen reader works it: through its action.
void doAction(QWidget *widget, const QString &action)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QVERIFY(accessible->actionInterface());
    // The toggle is the action a reader offers; a press works all the same.
    if (action == QAccessibleActionInterface::toggleAction())
        QVERIFY(accessible->actionInterface()->actionNames().contains(action));
    accessible->actionInterface()->doAction(action);
}

} // namespace

class TestEntryTyping : public QObject
{
    Q_OBJECT

private slots:
    void weightIsTypedAsOnTheScale();
    void emptiedWeightCountsAsZero();
    void weightLimits_data();
    void weightLimits();
    void timeIsTypedAsOnTheClock_data();
    void timeIsTypedAsOnTheClock();
    void accessibleTextsAreTrue();
    void switchesWorkThroughTheirAccessibleActions();
    void remarkModeIsVisible();
};

void TestEntryTyping::weightIsTypedAsOnTheScale()
{
    TypingForm f;
    TMainForm &form = f.showAs(QStringLiteral("Muster"));
    f.fill(5, 3, 2017, Slot::Evening, "20:40", 135, 85, 66);
    f.setWeightSwitch(true);
    QLineEdit *weight = f.weight();

    TypingForm::typeOver(weight, QStringLiteral("78,4"));
    QCOMPARE(weight->text(), QStringLiteral("78,4"));
    QCOMPARE(double(form.CurrentWeight()), 78.4);
    screenshot(QStringLiteral("weight-78,4.png"));

    // A point becomes the comma; a second separator and a third decimal
    // are refused without a word.
    TypingForm::typeOver(weight, QStringLiteral("78.4"));
    QCOMPARE(weight->text(), QStringLiteral("78,4"));
    QTest::keyClicks(weight, QStringLiteral("5,.6"));
    QCOMPARE(weight->text(), QStringLiteral("78,45"));
    QCOMPARE(f.seam.messages(), QStringList());

    // Home, Shift+Right and typing over the selection; End and Backspace.
    QTest::keyClick(weight, Qt::Key_Home);
    QTest::keyClick(weight, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(weight->selectedText(), QStringLiteral("7"));
    QTest::keyClick(weight, Qt::Key_6);
    QCOMPARE(weight->text(), QStringLiteral("68,45"));
    QTest::keyClick(weight, Qt::Key_End);
    QTest::keyClick(weight, Qt::Key_Backspace);
    QCOMPARE(weight->text(), QStringLiteral("68,4"));
    // A minus is never typed.
    QTest::keyClick(weight, Qt::Key_Home);
    QTest::keyClick(weight, Qt::Key_Minus);
    QCOMPARE(weight->text(), QStringLiteral("68,4"));

    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")),
             f.monthBytes({"Abends den 05.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=68,4"}));
}

void TestEntryTyping::emptiedWeightCountsAsZero()
{
    TypingForm f;
    TMainForm &form = f.showAs(QStringLiteral("Muster"));
    f.add(4, 3, 2017, Slot::Morning, "07:30", 130, 85, 65, "72");
    QLabel *info = f.get<QLabel>("GewichtInfoLabel");
    f.fill(5, 3, 2017, Slot::Morning, "07:30", 135, 85, 66, "0");
    const QString infoForZero = info->text();
    const QColor colourForZero = info->palette().color(QPalette::WindowText);

    // Emptied with Ctrl+A and Backspace, the field stays empty and counts
    // as 0, as does the delete of the last digit.
    TypingForm::typeOver(f.weight(), QStringLiteral("8"));
    QCOMPARE(double(form.CurrentWeight()), 8.0);
    QTest::keyClick(f.weight(), Qt::Key_Backspace);
    QCOMPARE(f.weight()->text(), QString());
    QCOMPARE(double(form.CurrentWeight()), 0.0);
    QCOMPARE(info->text(), infoForZero);
    QCOMPARE(info->palette().color(QPalette::WindowText), colourForZero);
    QTest::keyClick(f.weight(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.weight(), Qt::Key_Delete);
    QCOMPARE(f.weight()->text(), QString());
    QCOMPARE(f.seam.messages(), QStringList());

    // Stored as 0, as with the switch off.
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")),
             f.monthBytes({"Morgens den 04.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=72",
                           "Morgens den 05.03.2017 Z=07:30 s=135, d=85, p=66, Gewicht=0"}));

    // A weight that ends in its comma is stored without it.
    f.fill(6, 3, 2017, Slot::Morning, "07:30", 136, 86, 67, "0");
    TypingForm::typeOver(f.weight(), QStringLiteral("78,"));
    QCOMPARE(f.weight()->text(), QStringLiteral("78,"));
    QCOMPARE(double(form.CurrentWeight()), 78.0);
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QVERIFY(TempHome::readFile(f.monthFile("Muster", "03", "2017"))
                .contains("Morgens den 06.03.2017 Z=07:30 s=136, d=86, p=67, Gewicht=78\r\n"));
}

void TestEntryTyping::weightLimits_data()
{
    QTest::addColumn<bool>("withMean"); // a first reading of 72 kg this month
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // the field after typing
    QTest::addColumn<QStringList>("whileTyping");
    QTest::addColumn<QString>("stored"); // empty: the add refuses
    QTest::addColumn<QString>("refusal");
    QTest::newRow("310") << false << "310"
                         << "310" << QStringList() << "310" << QString();
    QTest::newRow("310,01") << false << "310,01"
                            << "310,01" << QStringList() << QString() << kLimitRefusal;
    QTest::newRow("0,01") << false << "0,01"
                          << "0,01" << QStringList() << "0,01" << QString();
    QTest::newRow("two decimals") << false << "78,45"
                                  << "78,45" << QStringList() << "78,45" << QString();
    QTest::newRow("third decimal refused") << false << "78,456"
                                           << "78,45" << QStringList() << "78,45" << QString();
    // With a mean the field is held to 310 kg as it is typed.
    QTest::newRow("310 with mean") << true << "310"
                                   << "310" << QStringList() << QString() << kDifferenceRefusal;
    QTest::newRow("310,01 with mean")
        << true << "310,01"
        << "310" << QStringList{kLimitRefusal} << QString() << kDifferenceRefusal;
    QTest::newRow("15,0 above") << true << "87"
                                << "87" << QStringList() << QString() << kDifferenceRefusal;
    QTest::newRow("14,99 above") << true << "86,99"
                                 << "86,99" << QStringList() << "86,99" << QString();
    QTest::newRow("15,0 below") << true << "57,0"
                                << "57,0" << QStringList() << QString() << kDifferenceRefusal;
    QTest::newRow("14,99 below") << true << "57,01"
                                 << "57,01" << QStringList() << "57,01" << QString();
}

void TestEntryTyping::weightLimits()
{
    QFETCH(bool, withMean);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QStringList, whileTyping);
    QFETCH(QString, stored);
    QFETCH(QString, refusal);
    TypingForm f;
    f.showAs(QStringLiteral("Muster"));
    QStringList entries;
    if (withMean) {
        f.add(4, 3, 2017, Slot::Morning, "07:30", 130, 85, 65, "72");
        entries << "Morgens den 04.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=72";
    }
    f.fill(5, 3, 2017, Slot::Morning, "07:30", 135, 85, 66, "0");
    f.seam.clear();
    TypingForm::typeOver(f.weight(), typed);
    QCOMPARE(f.weight()->text(), shown);
    QCOMPARE(f.seam.messages(), whileTyping);

    f.seam.clear();
    f.click("BitBtn1");
    const QString path = f.monthFile("Muster", "03", "2017");
    if (stored.isEmpty()) {
        QCOMPARE(f.seam.messages(), QStringList{refusal});
        QCOMPARE(TempHome::readFile(path), withMean ? f.monthBytes(entries) : QByteArray());
        return;
    }
    QCOMPARE(f.seam.messages(), QStringList());
    entries << "Morgens den 05.03.2017 Z=07:30 s=135, d=85, p=66, Gewicht=" + stored;
    QCOMPARE(TempHome::readFile(path), f.monthBytes(entries));
}

void TestEntryTyping::timeIsTypedAsOnTheClock_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // once the field is left
    QTest::addColumn<bool>("taken");
    QTest::newRow("07:30") << "07:30"
                           << "07:30" << true;
    QTest::newRow("7:30") << "7:30"
                          << "07:30" << true;
    QTest::newRow("7.30") << "7.30"
                          << "07:30" << true;
    QTest::newRow("0730") << "0730"
                          << "07:30" << true;
    QTest::newRow("730") << "730"
                         << "07:30" << true;
    QTest::newRow("letters refused") << "7a:3b0"
                                     << "07:30" << true;
    QTest::newRow("fifth digit refused") << "07301"
                                         << "07:30" << true;
    QTest::newRow("24.00") << "24.00"
                           << "24:00" << true;
    // No time: left as typed, and the add says so.
    QTest::newRow("24.01") << "24.01"
                           << "24.01" << false;
    QTest::newRow("7:3") << "7:3"
                         << "7:3" << false;
}

void TestEntryTyping::timeIsTypedAsOnTheClock()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, taken);
    TypingForm f;
    f.showAs(QStringLiteral("Muster"));
    f.fill(5, 3, 2017, Slot::Evening, "20:40", 135, 85, 66);
    TypingForm::typeOver(f.time(), typed);
    QTest::keyClick(f.time(), Qt::Key_Tab);
    QTRY_VERIFY(!f.time()->hasFocus());
    QCOMPARE(f.time()->text(), shown);
    QCOMPARE(f.seam.messages(), QStringList());

    f.click("BitBtn1");
    if (!taken) {
        QCOMPARE(f.seam.messages(), QStringList{timeRefusal(shown)});
        QCOMPARE(f.list()->count(), 0);
        return;
    }
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")),
             f.monthBytes({"Abends den 05.03.2017 Z=" + shown + " s=135, d=85, p=66, Gewicht=0"}));
}

void TestEntryTyping::accessibleTextsAreTrue()
{
    TypingForm f;
    f.showAs(QStringLiteral("Muster"));
    // The design's hints stay word for word; the reader hears the steps.
    const struct
    {
        const char *button;
        const char *tooltip;
        const char *name;
    } steps[] = {{"RadioButton1", "Ganzzahl vor dem Komma", "Schrittweite 10 kg"},
                 {"RadioButton2", "1.Stelle nach dem Komma", "Schrittweite 1 kg"},
                 {"RadioButton3", "2.Stelle nach dem Komma", "Schrittweite 0,1 kg"}};
    for (const auto &step : steps) {
        auto *button = f.get<QRadioButton>(step.button);
        QCOMPARE(button->toolTip(), QString::fromUtf8(step.tooltip));
        QCOMPARE(name(button), QString::fromUtf8(step.name));
        QVERIFY2(!description(button).contains(QStringLiteral("Stelle")),
                 qPrintable(description(button)));
    }
    QCOMPARE(f.spin(4)->toolTip(),
             QStringLiteral("Geben sie hier den systolischen (oberen) Blutdruckmeßwert ein."));
    QCOMPARE(description(f.spin(4)),
             QStringLiteral("Systolischer (oberer) Wert, mit den Pfeiltasten einstellen"));
    QCOMPARE(description(f.spin(5)),
             QStringLiteral("Diastolischer (unterer) Wert, mit den Pfeiltasten einstellen"));
    QCOMPARE(description(f.spin(6)),
             QStringLiteral("Puls, Schläge pro Minute, mit den Pfeiltasten einstellen"));
    for (int number = 1; number <= 3; ++number)
        QVERIFY(description(f.spin(number)).endsWith("mit den Pfeiltasten einstellen"));

    // No control of the window asks to type where nothing can be typed, or
    // speaks in the old spelling.
    for (QWidget *widget : f.form->findChildren<QWidget *>()) {
        const QString said = name(widget) + QLatin1Char(' ') + description(widget);
        QVERIFY2(!said.contains(QStringLiteral("Geben sie")) &&
                     !said.contains(QStringLiteral("meß"), Qt::CaseInsensitive),
                 qPrintable(widget->objectName() + QStringLiteral(": ") + said));
        QVERIFY2(!said.contains(QStringLiteral("gewählten Stelle")),
                 qPrintable(widget->objectName() + QStringLiteral(": ") + said));
    }
}

void TestEntryTyping::switchesWorkThroughTheirAccessibleActions()
{
    TypingForm f;
    f.showAs(QStringLiteral("Muster"));
    QCheckBox *weightSwitch = f.weightSwitch();
    QVERIFY(!weightSwitch->isChecked());
    QVERIFY(!f.weight()->isEnabled());

    doAction(weightSwitch, QAccessibleActionInterface::toggleAction());
    QVERIFY(weightSwitch->isChecked());
    QVERIFY(f.weight()->isEnabled());
    QVERIFY(f.get<QRadioButton>("RadioButton3")->isEnabled());
    doAction(weightSwitch, QAccessibleActionInterface::toggleAction());
    QVERIFY(!f.weight()->isEnabled());
    doAction(weightSwitch, QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(f.weight()->isEnabled());
    QVERIFY(weightSwitch->isChecked());

    // The last slot switch cannot be turned off, by toggle as by click.
    QCheckBox *boxes[] = {f.get<QCheckBox>("CheckBoxM1"), f.get<QCheckBox>("CheckBoxM2"),
                          f.get<QCheckBox>("CheckBoxM3"), f.get<QCheckBox>("CheckBoxM4")};
    for (QCheckBox *box : boxes)
        QVERIFY(box->isChecked());
    doAction(boxes[1], QAccessibleActionInterface::toggleAction());
    doAction(boxes[2], QAccessibleActionInterface::toggleAction());
    doAction(boxes[3], QAccessibleActionInterface::toggleAction());
    QVERIFY(boxes[0]->isChecked());
    QVERIFY(!boxes[3]->isChecked());
    doAction(boxes[0], QAccessibleActionInterface::toggleAction());
    QVERIFY(boxes[0]->isChecked());
    doAction(boxes[3], QAccessibleActionInterface::toggleAction());
    doAction(boxes[0], QAccessibleActionInterface::toggleAction());
    QVERIFY(!boxes[0]->isChecked());
    doAction(boxes[3], QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(boxes[0]->isChecked());
    QVERIFY(!boxes[3]->isChecked());

    // The slot button now moves between the switched-on slots only.
    f.click("BitBtn3");
    QCOMPARE(f.form->CurrentSlot(), Slot::Morning);
}

void TestEntryTyping::remarkModeIsVisible()
{
    TypingForm f;
    f.showAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    QPlainTextEdit *memo = f.memo();
    const QRect memoGeometry = memo->geometry();
    const QRect textArea = memo->viewport()->geometry();
    QVERIFY(memo->findChildren<QLabel *>().isEmpty());

    f.chooseMenuItem(1, "Bemerkungeingeben1");
    QTRY_VERIFY(!memo->isReadOnly());
    auto *line = memo->findChild<QLabel *>(QStringLiteral("BemerkungHinweis"));
    QVERIFY(line);
    QTRY_VERIFY(line->isVisible());
    QCOMPARE(line->text(), QStringLiteral("Bemerkung zum Monat – wird beim Verlassen gespeichert"));
    const QRect lineInMemo(line->mapTo(memo, QPoint(0, 0)), line->size());
    QVERIFY2(memo->rect().contains(lineInMemo), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                               .arg(lineInMemo.x())
                                                               .arg(lineInMemo.y())
                                                               .arg(lineInMemo.width())
                                                               .arg(lineInMemo.height())));
    QVERIFY(lineInMemo.bottom() < memo->viewport()->geometry().top());
    QVERIFY(lineInMemo.height() >= line->fontMetrics().height());
    QCOMPARE(memo->geometry(), memoGeometry);
    // The frame in the focus colour, on the memo's edge, over its scroll bars.
    QTest::qWait(50);
    const QImage seen = memo->grab().toImage();
    const QColor focus = memo->palette().color(QPalette::Highlight);
    QCOMPARE(seen.pixelColor(1, memo->height() / 2), focus);
    QCOMPARE(seen.pixelColor(memo->width() - 2, memo->height() / 2), focus);
    QCOMPARE(seen.pixelColor(memo->width() / 2, memo->height() - 2), focus);
    screenshot(QStringLiteral("remark-mode.png"));

    QTest::keyClicks(memo, QStringLiteral("Blutdruck gut"));
    QTRY_COMPARE(memo->toPlainText(), QStringLiteral("Blutdruck gut"));
    f.clickRow(0);
    QVERIFY(memo->isReadOnly());
    QVERIFY(memo->findChildren<QLabel *>().isEmpty());
    QVERIFY(!memo->findChild<QWidget *>(QStringLiteral("BemerkungRahmen")));
    QCOMPARE(memo->viewport()->geometry(), textArea);
    QCOMPARE(memo->geometry(), memoGeometry);
    QCOMPARE(TempHome::readFile(f.gallery() + "2017/Muster_03_2017.txt"),
             QByteArray("Blutdruck gut\r\n"));
    QVERIFY(memo->toPlainText().contains("Systole= 140 mmHg"));
}

QTEST_MAIN(TestEntryTyping)
#include "tst_entry_typing.moc"
