// The user's stories on a real desktop (X server and window manager): what
// the desktop does between the user and the window (tooltips, menus, message
// boxes, other windows) never costs the user's work.
#include "main_form_fixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <memory>

namespace {

const QString kEditQuestion =
    QStringLiteral("Der ausgewählte Eintrag wird in der Liste gelöscht und die einzelnen Werte "
                   "in die Eingabefelder zum Bearbeiten eingetragen. Möchten Sie das?");

// Counts the times the desktop gave the window back to the user: a part of
// it uncovered (expose) or the window active again.
class DesktopWatch : public QObject
{
public:
    explicit DesktopWatch(QWidget &window)
        : m_window(window)
    {
        window.installEventFilter(this);
        window.windowHandle()->installEventFilter(this);
    }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((watched == m_window.windowHandle() && event->type() == QEvent::Expose) ||
            (watched == &m_window && event->type() == QEvent::WindowActivate))
            ++m_count;
        return false;
    }

private:
    QWidget &m_window;
    int m_count = 0;
};

// Clicks one button of the next message box once the desktop shows it.
class BoxAnswer : public QObject
{
public:
    explicit BoxAnswer(QMessageBox::StandardButton button)
        : m_button(button)
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswer::tryAnswer);
        m_timer.start(20);
    }
    bool answered() const { return !m_text.isNull(); }
    const QString &text() const { return m_text; }

private:
    void tryAnswer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->windowHandle()->isExposed())
            return;
        // Answered as the user would, once it has the focus; a desktop that
        // never gives it the focus must not hang the test.
        if (!box->isActiveWindow() && ++m_waits < 150)
            return;
        m_timer.stop();
        m_text = box->text();
        QTest::mouseClick(box->button(m_button), Qt::LeftButton);
    }

    QMessageBox::StandardButton m_button;
    QTimer m_timer;
    QString m_text;
    int m_waits = 0;
};

// The main window as the user sees it, with the real message boxes.
struct DesktopForm : FormFixture
{
    std::unique_ptr<DesktopWatch> watch;

    TMainForm &showAs(const QString &name)
    {
        startAs(name);
        seam.realMessageBoxes = true;
        form->show();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the main window never became active");
        watch = std::make_unique<DesktopWatch>(*form);
        return *form;
    }

    // True once the desktop has given the window back since `before`; the
    // window has then handled what that caused.
    bool shownAgainSince(int before) const
    {
        if (!QTest::qWaitFor([&] { return watch->count() > before; }, 10000))
            return false;
        QTest::qWait(150);
        return true;
    }

    QMenu *openMenu(int title) const
    {
        QMenuBar *bar = form->menuBar();
        QAction *action = bar->actions().at(title);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
        QMenu *menu = action->menu();
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 10000))
            qFatal("the menu did not open");
        return menu;
    }

    void chooseMenuItem(int title, const char *item) const
    {
        QMenu *menu = openMenu(title);
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(get<QAction>(item)).center());
    }

    // Double-clicks the weight to select it and types the new one over it.
    void typeWeight(const QString &text) const
    {
        QTest::mouseDClick(weight(), Qt::LeftButton);
        QTest::mouseRelease(weight(), Qt::LeftButton); // the second release of the double click
        QTest::keyClicks(weight(), text);
    }

    QByteArray monthBytes(const QStringList &entries) const
    {
        return monthFileBytes(QStringLiteral("Muster"), QStringLiteral("März 2017"),
                              QStringLiteral("1111"), entries);
    }
};

bool showTooltipOver(QWidget *widget, QWidget *plain)
{
    QTest::mouseMove(widget);
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }, 10000) ||
        QToolTip::text() != widget->toolTip())
        return false;
    QTest::mouseMove(plain);
    return QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 10000);
}

} // namespace

class TestMainWindowDesktop : public QObject
{
    Q_OBJECT

private slots:
    void startsCentredOnTheDesktop();
    void weightSurvivesTheDesktop_data();
    void weightSurvivesTheDesktop();
    void weightSurvivesTheEditQuestion();
    void correctedWeightAfterTheRefusalIsSaved();
    void remarkTypedKeyByKeyIsSavedByAListClick();
    void editTakesTheClickedEntryAfterATooltip();
    void remarkLimitKeepsRemarkMode();
    void memoFollowsTheArrowKeys();
    void wheelLeavesTheSpinFields();
};

void TestMainWindowDesktop::startsCentredOnTheDesktop()
{
    // Another window on the left: the window manager alone would place the
    // new window in the free area beside it.
    QWidget other;
    other.setWindowTitle(QStringLiteral("Notizen"));
    other.setGeometry(0, 0, 700, 1000);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    DesktopForm f;
    TMainForm &form = f.showAs(QStringLiteral("Muster"));
    const QPoint centre = form.screen()->geometry().center();
    QTRY_VERIFY2((form.frameGeometry().center() - centre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2")
                                .arg(form.frameGeometry().center().x())
                                .arg(form.frameGeometry().center().y())));
}

void TestMainWindowDesktop::weightSurvivesTheDesktop_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::newRow("tooltip") << QStringLiteral("tooltip");
    QTest::newRow("menu") << QStringLiteral("menu");
    QTest::newRow("other window") << QStringLiteral("other window");
}

void TestMainWindowDesktop::weightSurvivesTheDesktop()
{
    QFETCH(QString, desktop);
    DesktopForm f;
    TMainForm &form = f.showAs(QStringLiteral("Muster"));
    f.fill(5, 3, 2017, Slot::Evening, "20:40", 135, 85, 66);
    f.setWeightSwitch(true);
    f.typeWeight(QStringLiteral("72"));
    QCOMPARE(f.weight()->text(), QStringLiteral("72"));

    const int before = f.watch->count();
    if (desktop == QLatin1String("tooltip")) {
        QVERIFY(showTooltipOver(f.spin(4), f.get<QWidget>("Label1")));
    } else if (desktop == QLatin1String("menu")) {
        QMenu *menu = f.openMenu(1);
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
    } else {
        QWidget other;
        other.setWindowTitle(QStringLiteral("Notizen"));
        other.setGeometry(form.geometry().adjusted(60, 60, -60, -300));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.close();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    QVERIFY(f.shownAgainSince(before));
    QVERIFY(f.weightSwitch()->isChecked());
    QVERIFY(f.weight()->isEnabled());

    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList());
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")),
             f.monthBytes({"Abends den 05.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=72"}));
}

void TestMainWindowDesktop::weightSurvivesTheEditQuestion()
{
    DesktopForm f;
    TMainForm &form = f.showAs(QStringLiteral("Muster"));
    f.add(12, 3, 2017, Slot::Evening, "20:45", 141, 91, 71, "72");
    f.add(13, 3, 2017, Slot::Morning, "07:30", 130, 85, 65, "71");
    const QString path = f.monthFile("Muster", "03", "2017");
    const QByteArray before = TempHome::readFile(path);
    // Each add leaves the switch off; the user ticks it for the weight.
    QVERIFY(!f.weightSwitch()->isChecked());
    f.setWeightSwitch(true);

    f.clickRow(0);
    const int shown = f.watch->count();
    BoxAnswer yes(QMessageBox::Yes);
    f.click("BtnEintragBearbeiten");
    QCOMPARE(yes.text(), kEditQuestion);
    QVERIFY(f.shownAgainSince(shown));
    QCOMPARE(TempHome::readFile(path),
             f.monthBytes({"Morgens den 13.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=71"}));
    QVERIFY(f.weightSwitch()->isChecked());
    QCOMPARE(f.weight()->text(), QStringLiteral("72"));

    // Added back unchanged, it is the same line in the same place.
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(), QStringList{kEditQuestion});
    QCOMPARE(TempHome::readFile(path), before);
    QCOMPARE(form.CurrentSlot(), Slot::Morning);
}

void TestMainWindowDesktop::correctedWeightAfterTheRefusalIsSaved()
{
    DesktopForm f;
    f.showAs(QStringLiteral("Muster"));
    f.add(12, 3, 2017, Slot::Evening, "20:45", 141, 91, 71, "72");
    f.fill(13, 3, 2017, Slot::Morning, "07:30", 130, 85, 65, "90");

    const int shown = f.watch->count();
    BoxAnswer ok(QMessageBox::Ok);
    f.click("BitBtn1");
    QCOMPARE(ok.text(), QStringLiteral("Bitte überprüfen Sie Ihre aktuelle Gewichtsangabe. Es "
                                       "sind 15 Kg Unterschied zum bisherigen Mittelwert!"));
    QVERIFY(f.shownAgainSince(shown));
    QVERIFY(f.weight()->isEnabled());

    f.typeWeight(QStringLiteral("73"));
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages().size(), 1);
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")),
             f.monthBytes({"Abends den 12.03.2017 Z=20:45 s=141, d=91, p=71, Gewicht=72",
                           "Morgens den 13.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=73"}));
}

void TestMainWindowDesktop::remarkTypedKeyByKeyIsSavedByAListClick()
{
    DesktopForm f;
    TMainForm &form = f.showAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    f.add(4, 3, 2017, Slot::Morning, "07:30", 150, 95, 75);
    const QString remark = f.gallery() + "2017/Muster_03_2017.txt";

    const int shown = f.watch->count();
    f.chooseMenuItem(1, "Bemerkungeingeben1");
    QVERIFY(f.shownAgainSince(shown));
    QVERIFY(!f.memo()->isReadOnly());
    QTRY_COMPARE(QApplication::focusWidget(), f.memo());
    QTest::keyClicks(f.memo(), QStringLiteral("Blutdruck gut"));
    QTest::keyClick(f.memo(), Qt::Key_Return);
    typeText(f.memo(), QStringLiteral("Ärger im Büro"));
    QVERIFY(showTooltipOver(f.spin(5), f.get<QWidget>("Label1")));
    QVERIFY(!QFileInfo::exists(remark)); // nothing is written before the user leaves

    f.clickRow(0);
    QCOMPARE(TempHome::readFile(remark), QByteArray("Blutdruck gut\r\n\xC4rger im B\xFCro\r\n"));
    QVERIFY(f.memo()->isReadOnly());
    QVERIFY2(f.memo()->toPlainText().contains("Systole= 140 mmHg, Diastole= 90"),
             qPrintable(f.memo()->toPlainText()));
    QVERIFY(!form.RemarkModified());

    // The saved remark is shown the next time, ready to be edited.
    const int again = f.watch->count();
    f.chooseMenuItem(1, "Bemerkungeingeben1");
    QVERIFY(f.shownAgainSince(again));
    QVERIFY(!f.memo()->isReadOnly());
    QCOMPARE(f.memo()->toPlainText(), QStringLiteral("Blutdruck gut\nÄrger im Büro"));
}

void TestMainWindowDesktop::editTakesTheClickedEntryAfterATooltip()
{
    DesktopForm f;
    TMainForm &form = f.showAs(QStringLiteral("Muster"));
    f.add(12, 3, 2017, Slot::Evening, "20:45", 141, 91, 71);
    f.add(13, 3, 2017, Slot::Morning, "07:30", 130, 85, 65);
    f.add(20, 3, 2017, Slot::Morning, "07:40", 125, 80, 60);

    f.clickRow(0);
    const int shown = f.watch->count();
    QVERIFY(showTooltipOver(f.spin(6), f.get<QWidget>("Label1")));
    QVERIFY(f.shownAgainSince(shown));
    QCOMPARE(f.list()->currentRow(), 0);

    BoxAnswer yes(QMessageBox::Yes);
    f.click("BtnEintragBearbeiten");
    QCOMPARE(yes.text(), kEditQuestion);
    QCOMPARE(TempHome::readFile(f.monthFile("Muster", "03", "2017")),
             f.monthBytes({"Morgens den 13.03.2017 Z=07:30 s=130, d=85, p=65, Gewicht=0",
                           "Morgens den 20.03.2017 Z=07:40 s=125, d=80, p=60, Gewicht=0"}));
    QCOMPARE(form.CurrentSlot(), Slot::Evening);
    QCOMPARE(f.spin(1)->text(), QStringLiteral("12"));
    QCOMPARE(f.get<QLineEdit>("Edit1")->text(), QStringLiteral("20:45"));
    QCOMPARE(f.spin(4)->value(), 141);
}

void TestMainWindowDesktop::remarkLimitKeepsRemarkMode()
{
    DesktopForm f;
    f.showAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    const QString remark = f.gallery() + "2017/Muster_03_2017.txt";
    f.chooseMenuItem(1, "Bemerkungeingeben1");
    QTRY_VERIFY(!f.memo()->isReadOnly());

    QTest::keyClicks(f.memo(), QString(250, QLatin1Char('a')));
    QCOMPARE(f.seam.messages(), QStringList());
    const int shown = f.watch->count();
    BoxAnswer ok(QMessageBox::Ok);
    QTest::keyClick(f.memo(), 'b');
    QCOMPARE(ok.text(),
             QStringLiteral("Die Länge des Bemerkungstextes ist auf 250 Zeichen begrenzt!"));
    QVERIFY(f.shownAgainSince(shown));
    QVERIFY(!f.memo()->isReadOnly());
    QCOMPARE(f.memo()->toPlainText(), QString(250, QLatin1Char('a')));

    // The user goes on editing where the text was cut.
    QTest::keyClick(f.memo(), Qt::Key_Backspace);
    QTest::keyClick(f.memo(), 'z');
    f.clickRow(0);
    QCOMPARE(TempHome::readFile(remark), QByteArray(249, 'a') + "z\r\n");
}

void TestMainWindowDesktop::memoFollowsTheArrowKeys()
{
    DesktopForm f;
    f.showAs(QStringLiteral("Muster"));
    f.add(3, 3, 2017, Slot::Morning, "07:30", 140, 90, 70);
    f.add(4, 3, 2017, Slot::Morning, "07:30", 150, 95, 75);
    f.add(5, 3, 2017, Slot::Morning, "07:30", 160, 99, 80);

    f.clickRow(2);
    QVERIFY(f.memo()->toPlainText().contains("Systole= 160 mmHg"));
    QTest::keyClick(f.list(), Qt::Key_Up);
    QCOMPARE(f.list()->currentRow(), 1);
    QVERIFY2(f.memo()->toPlainText().contains("Systole= 150 mmHg"),
             qPrintable(f.memo()->toPlainText()));
    QTest::keyClick(f.list(), Qt::Key_Home);
    QVERIFY(f.memo()->toPlainText().contains("Systole= 140 mmHg"));

    // Leaving remark mode by the keys saves the remark as a click does.
    f.chooseMenuItem(1, "Bemerkungeingeben1");
    QTRY_VERIFY(!f.memo()->isReadOnly());
    QTest::keyClicks(f.memo(), QStringLiteral("ok"));
    QTest::keyClick(f.list(), Qt::Key_Down);
    QCOMPARE(TempHome::readFile(f.gallery() + "2017/Muster_03_2017.txt"), QByteArray("ok\r\n"));
    QVERIFY(f.memo()->isReadOnly());
    QVERIFY(f.memo()->toPlainText().contains("Systole= 150 mmHg"));
}

void TestMainWindowDesktop::wheelLeavesTheSpinFields()
{
    DesktopForm f;
    f.showAs(QStringLiteral("Muster"));
    TSpinEdit *systolic = f.spin(4);
    QCOMPARE(systolic->value(), 140);

    // The real wheel of the pointer, through the X server.
    int wheels = 0;
    struct Count : QObject
    {
        int &count;
        explicit Count(int &c)
            : count(c)
        {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == QEvent::Wheel;
            return false;
        }
    } counter(wheels);
    systolic->installEventFilter(&counter);
    QTest::mouseMove(systolic);
    QTRY_VERIFY(systolic->rect().contains(systolic->mapFromGlobal(QCursor::pos())));
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                               {QStringLiteral("click"), QStringLiteral("--repeat"),
                                QStringLiteral("3"), QStringLiteral("4")}),
             0);
    QTRY_VERIFY(wheels > 0);
    QTest::qWait(100);
    QCOMPARE(systolic->value(), 140);
    QVERIFY(!systolic->hasFocus());

    // Its arrow button and, with the focus, the Up and Down keys still step it.
    QTest::mouseClick(systolic, Qt::LeftButton, {},
                      QPoint(systolic->width() - 6, systolic->height() / 4));
    QCOMPARE(systolic->value(), 141);
    QTest::keyClick(systolic, Qt::Key_Up);
    QTest::keyClick(systolic, Qt::Key_Up);
    QTest::keyClick(systolic, Qt::Key_Down);
    QCOMPARE(systolic->value(), 142);
}

QTEST_MAIN(TestMainWindowDesktop)
#include "tst_main_window_desktop.moc"
