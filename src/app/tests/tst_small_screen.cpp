// The main window, its menus, the month table and every dialog on small
// desktops (tools/run-on-desktop.sh --screen 1024x600, with --panel 28 or 40
// at the bottom) and on 1366 x 768: every control inside the free area, the
// list with five whole rows and the memo with three whole lines, normal and
// maximized; the table scrolling with its designed cell sizes; the list's
// readings whole, as painted; small dialogs without a maximize button.
#include "app/entry_list.h"
#include "app/tab_stop_delegate.h"
#include "journal/entry_line.h"
#include "main_form_fixture.h"
#include "table/gui/Tabellep.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEngine>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

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

QString describe(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

QString desktopName()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return QStringLiteral("%1x%2-free%3")
        .arg(screen->geometry().width())
        .arg(screen->geometry().height())
        .arg(screen->availableGeometry().height());
}

// Saves the whole desktop when VANTORIA_SCREENSHOTS names a folder.
void screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("VANTORIA_SCREENSHOTS");
    if (!folder.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            folder + QLatin1Char('/') + desktopName() + QLatin1Char('-') + name);
}

bool wideDesktop()
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    return screen.width() >= 1366 && screen.height() >= 768;
}

// The frame as the window manager has drawn it. Qt keeps a window's frame
// margins from before a maximize for a while, so its frameGeometry() can be
// a border's width off just after the change.
QRect drawnFrame(const QWidget &window)
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-frame"), QStringLiteral("-id"),
                                                QString::number(window.winId())});
    xwininfo.waitForFinished(5000);
    const QString info = QString::fromLatin1(xwininfo.readAllStandardOutput());
    const auto number = [&info](const char *label) {
        const QRegularExpression line(QLatin1String(label) + QStringLiteral(":\\s+(-?\\d+)"));
        return line.match(info).captured(1).toInt();
    };
    const QRect frame(number("Absolute upper-left X"), number("Absolute upper-left Y"),
                      number("Width"), number("Height"));
    return frame.isEmpty() ? window.frameGeometry() : frame;
}

// The actions the window manager offers for a window (_NET_WM_ALLOWED_ACTIONS).
QString allowedActions(const QWidget &window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                          QStringLiteral("_NET_WM_ALLOWED_ACTIONS")});
    xprop.waitForFinished(5000);
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

bool offersMaximize(const QWidget &window)
{
    return allowedActions(window).contains(QLatin1String("_NET_WM_ACTION_MAXIMIZE"));
}

// A paint device that keeps every text painted on it, where it was painted.
class TextRecorder : public QPaintDevice
{
public:
    struct Text
    {
        QRectF rect;
        QString text;
    };

    explicit TextRecorder(QSize size)
        : m_size(size)
    {}
    const QList<Text> &texts() const { return m_engine.texts; }
    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmNumColors:
            return INT_MAX;
        default:
            return 96; // resolutions and sizes in millimetres alike
        }
    }

private:
    struct Engine : QPaintEngine
    {
        Engine()
            : QPaintEngine(QPaintEngine::AllFeatures)
        {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF &at, const QTextItem &item) override
        {
            const QRectF rect(at.x(), at.y() - item.ascent(), item.width(),
                              item.ascent() + item.descent());
            texts.append({painter()->transform().mapRect(rect), item.text()});
        }
        Type type() const override { return User; }
        QList<Text> texts;
    };

    QSize m_size;
    mutable Engine m_engine;
};

// The texts the list paints in its viewport, as the user sees them.
QList<TextRecorder::Text> paintedTexts(QListView &list)
{
    TextRecorder recorder(list.viewport()->size());
    list.viewport()->render(&recorder);
    return recorder.texts();
}

// A full month with every piece at its widest.
QStringList widestMonth()
{
    QStringList lines;
    const QString prefixes[] = {QStringLiteral("Morgens den "), QStringLiteral("Messung2 den "),
                                QStringLiteral("Messung3 den "), QStringLiteral("Abends den ")};
    for (int day = 1; day <= 31; ++day) {
        for (const QString &prefix : prefixes) {
            EntryLine::Fields fields;
            fields.slotPrefix = prefix.chopped(1);
            fields.day = QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
            fields.month = QStringLiteral("12");
            fields.year = QStringLiteral("2024");
            fields.time = QStringLiteral("23:58");
            fields.systolic = QStringLiteral("288");
            fields.diastolic = QStringLiteral("188");
            fields.pulse = QStringLiteral("188");
            fields.weight = QStringLiteral("123,45");
            lines.append(*EntryLine::toDisplayLine(EntryLine::build(fields)));
        }
    }
    return lines;
}

// Every reading painted in the viewport: its pieces in order, none over
// the next, each inside the viewport; `whole`: none shortened by "…".
// Without `whole`, a piece that does not fit ends in "…" instead of being
// cut through a number.
void checkPaintedReadings(QListView &list, bool whole, const char *state)
{
    const QList<TextRecorder::Text> texts = paintedTexts(list);
    const int width = list.viewport()->width();
    int weights = 0;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const TextRecorder::Text &text = texts.at(i);
        const QString where = QStringLiteral("%1: \"%2\" at %3..%4 in a viewport %5 wide")
                                  .arg(QLatin1String(state), text.text)
                                  .arg(text.rect.left())
                                  .arg(text.rect.right())
                                  .arg(width);
        QVERIFY2(text.rect.left() >= 0 && text.rect.right() <= width + 0.5, qPrintable(where));
        const bool shortened = text.text.endsWith(QChar(0x2026));
        QVERIFY2(!(whole && shortened), qPrintable(where));
        if (text.text.startsWith(QLatin1String("Gewicht=")))
            ++weights;
        if (!shortened && text.text.startsWith(QLatin1String("Gewicht=")))
            QCOMPARE(text.text, QStringLiteral("Gewicht=123,45"));
        // The next piece of the same row starts right of this one.
        if (i + 1 < texts.size() && qFuzzyCompare(texts.at(i + 1).rect.top(), text.rect.top()))
            QVERIFY2(texts.at(i + 1).rect.left() >= text.rect.right() - 0.5, qPrintable(where));
    }
    if (whole)
        QVERIFY2(weights >= 5, state);
}

} // namespace

class TestSmallScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowNormalAndMaximized();
    void menusOpenInsideTheFreeArea();
    void monthTableFitsAndScrolls();
    void listShowsWholeReadings();
    void narrowListShortensInsteadOfCutting();
    void dialogsFitAndOnlyLargeOnesMaximize();
    void importPreviewShowsItsLastColumn();

private:
    void checkEverythingReachable(FormFixture &f, const char *state);
};

void TestSmallScreen::initTestCase()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen->geometry().size() != QSize(1024, 600) &&
        screen->geometry().size() != QSize(1366, 768))
        QSKIP("needs the desktop of tools/run-on-desktop.sh --screen 1024x600 or 1366x768");
    // The panel of the desktop is real: the free area leaves it out.
    const int panel = qEnvironmentVariableIntValue("VANTORIA_DESKTOP_PANEL_HEIGHT");
    QCOMPARE(screen->availableGeometry(),
             QRect(QPoint(0, 0), screen->geometry().size() - QSize(0, panel)));
}

void TestSmallScreen::checkEverythingReachable(FormFixture &f, const char *state)
{
    TMainForm &form = *f.form;
    const QRect free = form.screen()->availableGeometry();
    // Each look at the frame asks xwininfo; on a loaded machine the window
    // manager's last move can take longer than the usual five seconds.
    QTRY_VERIFY2_WITH_TIMEOUT(
        free.contains(drawnFrame(form)),
        qPrintable(QStringLiteral("%1: the frame %2 is not inside %3")
                       .arg(QLatin1String(state), describe(drawnFrame(form)), describe(free))),
        20000);
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
    EntryListView *list = f.list();
    list->scrollToBottom();
    int whole = 0;
    for (int row = 0; row < list->count(); ++row) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        if (rect.top() >= 0 && rect.bottom() < list->viewport()->height())
            ++whole;
    }
    QVERIFY2(whole >= 5, qPrintable(QStringLiteral("%1: %2 whole rows").arg(state).arg(whole)));
    // The controls do not overlap, wherever the buttons stand.
    const char *const blocks[] = {"ListBox1",
                                  "UpDownSchalterGroup",
                                  "GewichtGroup",
                                  "BitBtn1",
                                  "BtnEintragBearbeiten",
                                  "BtnBalkendiagrammErstellen",
                                  "LinienDiagrammErstellen",
                                  "Memo2"};
    for (const char *one : blocks) {
        for (const char *other : blocks) {
            if (qstrcmp(one, other) != 0)
                QVERIFY2(
                    !f.get<QWidget>(one)->geometry().intersects(f.get<QWidget>(other)->geometry()),
                    qPrintable(
                        QStringLiteral("%1: %2 overlaps %3")
                            .arg(QLatin1String(state), QLatin1String(one), QLatin1String(other))));
        }
    }
    // Three whole lines of the evaluation show.
    auto *memo = f.get<QPlainTextEdit>("Memo2");
    const qreal line = memo->document()->firstBlock().layout()->lineAt(0).height();
    const qreal room = memo->viewport()->height() - memo->document()->documentMargin();
    QVERIFY2(room >= 3 * line, qPrintable(QStringLiteral("%1: the memo has %2 pixels for lines "
                                                         "of %3")
                                              .arg(QLatin1String(state))
                                              .arg(room)
                                              .arg(line)));
}

void TestSmallScreen::mainWindowNormalAndMaximized()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    for (int day = 1; day <= 4; ++day) {
        f.add(day, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 130 + day, 80, 70);
        f.add(day, 3, 2017, Slot::Evening, QStringLiteral("20:00"), 125 + day, 78, 66);
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

void TestSmallScreen::menusOpenInsideTheFreeArea()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect free = form.screen()->availableGeometry();
    for (QAction *action : form.menuBar()->actions()) {
        QMenu *menu = action->menu();
        if (!menu)
            continue;
        form.menuBar()->setActiveAction(action);
        QTRY_VERIFY(menu->isVisible());
        QTRY_VERIFY2(
            free.contains(menu->geometry()),
            qPrintable(menu->objectName() + QLatin1Char(' ') + describe(menu->geometry())));
        if (menu->objectName() == QLatin1String("Datei1"))
            screenshot(QStringLiteral("menu-datei.png"));
        menu->hide();
    }
}

void TestSmallScreen::monthTableFitsAndScrolls()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    f.add(31, 3, 2017, Slot::Evening, QStringLiteral("20:45"), 135, 85, 70, QStringLiteral("80,5"));
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
    if (!wideDesktop()) {
        QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
        QVERIFY(grid->verticalScrollBar()->maximum() > 0);
    }
    const QModelIndex last = grid->model()->index(31, 21);
    grid->scrollTo(last);
    QVERIFY(grid->viewport()->rect().contains(grid->visualRect(last)));
    QVERIFY(globalRect(*grid).intersects(free));
    // A large window the user resizes: it keeps its maximize button.
    QTRY_VERIFY(offersMaximize(*table));
    table->close();
}

void TestSmallScreen::listShowsWholeReadings()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    EntryListView *list = f.list();
    EntryList::setLines(*list, widestMonth());
    EntryList::selectLast(*list);
    QTest::qWait(50);
    screenshot(QStringLiteral("list-widest-month.png"));
    // From 1366 x 768 up every reading shows whole; below, none is cut.
    checkPaintedReadings(*list, wideDesktop(), "bottom");
    if (QTest::currentTestFailed())
        return;
    list->scrollToTop();
    checkPaintedReadings(*list, wideDesktop(), "top");
}

void TestSmallScreen::narrowListShortensInsteadOfCutting()
{
    // A list narrower than any window gives it: the pieces that do not fit
    // end in "…", the others stay whole; no number is cut.
    EntryListView list;
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(12);
    font.setBold(true);
    list.setFont(font);
    list.setItemDelegate(new TabStopDelegate({60, 110, 145, 180, 210, 240}, &list));
    list.setUniformItemSizes(true);
    EntryList::setLines(list, widestMonth().mid(0, 8));
    for (int width : {260, 420}) {
        list.resize(width, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(list.horizontalScrollBar()->maximum(), 0);
        const QList<TextRecorder::Text> texts = paintedTexts(list);
        QVERIFY(std::any_of(texts.begin(), texts.end(), [](const TextRecorder::Text &text) {
            return text.text.endsWith(QChar(0x2026));
        }));
        checkPaintedReadings(list, false, "narrow");
    }
}

void TestSmallScreen::dialogsFitAndOnlyLargeOnesMaximize()
{
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    // The second add keeps the first file as an earlier version.
    f.add(3, 3, 2017, Slot::Morning, QStringLiteral("07:45"), 135, 85, 70);
    f.add(3, 3, 2017, Slot::Evening, QStringLiteral("20:45"), 135, 85, 70);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect free = form.screen()->availableGeometry();
    const struct
    {
        const char *menu;
        bool large;
    } commands[] = {{"Namendern1", false},       {"Einstellungen1", false},
                    {"Exportieren1", false},     {"Arztbericht1", false},
                    {"FruehereFassung1", false}, {"Infoueber", false},
                    {"SchnellEingabe1", false},  {"Importieren1", true}};
    QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("werte.csv"));
    {
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Datum;Uhrzeit;Systolisch;Diastolisch;Puls\n03.03.2017;07:30;130;80;70\n");
    }
    for (const auto &command : commands) {
        QString problem;
        bool seen = false;
        f.seam.openFileAnswers = {csv};
        f.seam.dialogHandler = [&](QDialog &dialog) {
            if (seen)
                return int(QDialog::Rejected);
            seen = true;
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog)) {
                problem = QStringLiteral("not shown");
                return int(QDialog::Rejected);
            }
            // The window manager places the dialog and reads its hints.
            QTest::qWait(200);
            if (!free.contains(dialog.frameGeometry()))
                problem = QStringLiteral("the frame %1 lies beyond %2")
                              .arg(describe(dialog.frameGeometry()), describe(free));
            else if (offersMaximize(dialog) != command.large)
                problem =
                    QStringLiteral("the window manager offers %1").arg(allowedActions(dialog));
            screenshot(QStringLiteral("dialog-%1.png").arg(QLatin1String(command.menu)));
            dialog.hide();
            return int(QDialog::Rejected);
        };
        f.menu(command.menu);
        QVERIFY2(seen, command.menu);
        QVERIFY2(problem.isEmpty(),
                 qPrintable(QLatin1String(command.menu) + QStringLiteral(": ") + problem));
    }
}

void TestSmallScreen::importPreviewShowsItsLastColumn()
{
    if (!wideDesktop())
        QSKIP("the whole preview is promised from 1366 x 768 up");
    FormFixture f;
    TMainForm &form = f.startAs(QStringLiteral("Muster"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Faulty lines in two months, with line numbers of four digits.
    QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("werte.csv"));
    {
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray text = "Datum;Uhrzeit;Systolisch;Diastolisch;Puls\n";
        for (int line = 2; line < 1200; ++line)
            text += line % 2 ? "03.11.2017;07:30;130;80;70\n" : "04.11.2017;abends;131;81;71\n";
        file.write(text);
    }
    f.seam.openFileAnswers = {csv};
    QString problem;
    bool seen = false;
    f.seam.dialogHandler = [&](QDialog &dialog) {
        seen = true;
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            problem = QStringLiteral("not shown");
        QTest::qWait(200);
        auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("VorschauTabelle"));
        const int last = table->columnCount() - 1;
        const int right =
            table->horizontalHeader()->sectionViewportPosition(last) + table->columnWidth(last);
        screenshot(QStringLiteral("import-preview.png"));
        if (table->horizontalScrollBar()->maximum() > 0 || right > table->viewport()->width())
            problem = QStringLiteral("the last column ends at %1 of %2")
                          .arg(right)
                          .arg(table->viewport()->width());
        else if (!table->item(0, last)->text().contains(QLatin1String("Zeile")))
            problem = table->item(0, last)->text();
        else if (!table->screen()->availableGeometry().contains(dialog.frameGeometry()))
            problem = describe(dialog.frameGeometry());
        return int(QDialog::Rejected);
    };
    f.menu("Importieren1");
    QVERIFY(seen);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QTEST_MAIN(TestSmallScreen)
#include "tst_small_screen.moc"
