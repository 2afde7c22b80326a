// The main window and the month table on a 1024 x 600 desktop (run by
// tools/run-on-desktop.sh --screen 1024x600): every control inside the screen,
// the list with five whole rows, normal and maximized; the table inside the
// free area, scrolling, with its designed cell sizes.
#include "main_form_fixture.h"

#include "table/Tabellep.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

namespace {

const char *const kControls[] = {"ListBox1",
                                 "SpinEdit1",
                                 "SpinEdit2",
                                 "SpinEdit3",
                                 "CheckBoxM1",
                                 "CheckBoxM4",
                                 "BitBtn3",
                                 "Edit1",
                                 "SpinButton1",
                                 "SpinEdit4",
                                 "SpinEdit5",
                                 "SpinEdit6",
                                 "GewichtEdit",
                                 "SpinButton2",
                                 "RadioButton1",
                                 "RadioButton3",
                                 "GewichtsEingabeCheckBox",
                                 "BitBtn1",
                                 "BtnEintragBearbeiten",
                                 "BtnBalkendiagrammErstellen",
                                 "LinienDiagrammErstellen",
                                 "Memo2",
                                 "GewichtInfoLabel",
                                 "monaticherMittelwertLabel"};

QRect globalRect(const QWidget &widget)
{
    return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
}

// Saves the whole desktop when VANTORIA_SCREENSHOTS names a folder.
void screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("VANTORIA_SCREENSHOTS");
    if (!folder.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name);
}

} // namespace

class TestSmallScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowNormalAndMaximized();
    void monthTableFitsAndScrolls();

private:
    void checkEverythingReachable(FormFixture &f, const char *state);
};

void TestSmallScreen::initTestCase()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen->geometry().size() != QSize(1024, 600))
        QSKIP("needs the 1024x600 desktop of tools/run-on-desktop.sh --screen 1024x600");
}

void TestSmallScreen::checkEverythingReachable(FormFixture &f, const char *state)
{
    TMainForm &form = *f.form;
    const QRect free = form.screen()->availableGeometry();
    QTRY_VERIFY2(free.contains(form.frameGeometry()), state);
    const QRect client = globalRect(*form.centralWidget());
    for (const char *name : kControls) {
        const QWidget *control = f.get<QWidget>(name);
        QVERIFY2(control->isVisible(), name);
        const QRect rect = globalRect(*control);
        QVERIFY2(client.contains(rect) && free.contains(rect),
                 qPrintable(QStringLiteral("%1 %2 lies at %3,%4 %5x%6 beyond %7x%8")
                                .arg(QLatin1String(state), QLatin1String(name))
                                .arg(rect.x())
                                .arg(rect.y())
                                .arg(rect.width())
                                .arg(rect.height())
                                .arg(free.width())
                                .arg(free.height())));
    }
    // Five whole rows show, wherever the list stands.
    QListWidget *list = f.list();
    list->scrollToBottom();
    int whole = 0;
    for (int row = 0; row < list->count(); ++row) {
        const QRect rect = list->visualItemRect(list->item(row));
        if (rect.top() >= 0 && rect.bottom() < list->viewport()->height())
            ++whole;
    }
    QVERIFY2(whole >= 5, qPrintable(QStringLiteral("%1: %2 whole rows").arg(state).arg(whole)));
    // The controls do not overlap: the entry group ends above the add button.
    QVERIFY(f.get<QWidget>("UpDownSchalterGroup")->geometry().bottom() <
            f.get<QWidget>("BitBtn1")->geometry().top());
    QVERIFY(f.get<QWidget>("BtnEintragBearbeiten")->geometry().bottom() <
            f.get<QWidget>("Memo2")->geometry().top());
}

void TestSmallScreen::mainWindowNormalAndMaximized()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    for (int day = 1; day <= 4; ++day) {
        f.add(day, 3, 2017, Slot::Morgens, QStringLiteral("07:30"), 130 + day, 80, 70);
        f.add(day, 3, 2017, Slot::Abends, QStringLiteral("20:00"), 125 + day, 78, 66);
    }
    QCOMPARE(f.list()->count(), 8);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    checkEverythingReachable(f, "normal");
    screenshot(QStringLiteral("main-window-1024x600.png"));

    form.showMaximized();
    QTRY_VERIFY(form.isMaximized());
    QTRY_VERIFY(f.get<QWidget>("Bevel3")->isVisible());
    checkEverythingReachable(f, "maximized");
    screenshot(QStringLiteral("main-window-1024x600-maximized.png"));

    form.showNormal();
    QTRY_VERIFY(!form.isMaximized());
    checkEverythingReachable(f, "normal again");
}

void TestSmallScreen::monthTableFitsAndScrolls()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(31, 3, 2017, Slot::Abends, QStringLiteral("20:45"), 135, 85, 70, QStringLiteral("80,5"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TTabellenDlg *table = nullptr;
    f.seam.dialogHandler = [&table](QDialog &dialog) {
        // Shown as the user sees it, and left open for the checks below.
        table = qobject_cast<TTabellenDlg *>(&dialog);
        if (table)
            table->show();
        return int(QDialog::Rejected);
    };
    f.menu("Tabelleanzeigen1");
    QTRY_VERIFY_WITH_TIMEOUT(table, 5000);
    QVERIFY(QTest::qWaitForWindowExposed(table));
    const QRect free = table->screen()->availableGeometry();
    QTRY_VERIFY2_WITH_TIMEOUT(free.contains(table->frameGeometry()),
                              qPrintable(QStringLiteral("%1,%2 %3x%4")
                                             .arg(table->frameGeometry().x())
                                             .arg(table->frameGeometry().y())
                                             .arg(table->frameGeometry().width())
                                             .arg(table->frameGeometry().height())),
                              3000);
    screenshot(QStringLiteral("month-table-1024x600.png"));
    QTableView *grid = table->stringGrid();
    // The cells keep their designed sizes; the grid scrolls to the last one.
    QCOMPARE(grid->columnWidth(0), 60);
    QCOMPARE(grid->columnWidth(5), 15);
    QCOMPARE(grid->columnWidth(21), 60);
    QCOMPARE(grid->rowHeight(31), 24);
    QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
    QVERIFY(grid->verticalScrollBar()->maximum() > 0);
    const QModelIndex last = grid->model()->index(31, 21);
    grid->scrollTo(last);
    QVERIFY(grid->viewport()->rect().contains(grid->visualRect(last)));
    QVERIFY(globalRect(*grid).intersects(free));
    table->close();
}

QTEST_MAIN(TestSmallScreen)
#include "tst_small_screen.moc"
