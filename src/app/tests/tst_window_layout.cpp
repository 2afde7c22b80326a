#include "app/main_window.h"
#include "app/screen_info.h"
#include "support/fake_seam.h"
#include "support/temp_home.h"
#include "ui/window_layout.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace WindowLayout;

namespace {

// A screen of the test's choosing; counts the window moves it is asked for.
class FakeScreen : public ScreenInfo
{
public:
    QSize screen{1600, 1000};
    std::optional<QRect> available = QRect(0, 0, 1600, 960);
    int touchPoints = 0;
    int moves = 0;

    QSize screenSize(const QWidget &) const override { return screen; }
    std::optional<QRect> availableGeometry(const QWidget &) const override { return available; }
    int touchScreenPoints() const override { return touchPoints; }
    bool startSystemMove(QWindow &) override
    {
        ++moves;
        return true;
    }
};

Input maximizedWithFrame(int bevel3Width)
{
    // The right frame starts at 646 and ends 15 pixels before the edge.
    Input input;
    input.screen = QSize(bevel3Width + 661, 900);
    input.available = QRect(QPoint(0, 0), input.screen);
    input.decoration = QSize(0, 30);
    input.maximized = true;
    return input;
}

int shownPicture(const Result &result)
{
    const bool one = result.image1Visible.value(), two = result.image2Visible.value(),
               three = result.image3Visible.value();
    if (int(one) + int(two) + int(three) != 1)
        return 0;
    return one ? 1 : two ? 2 : 3;
}

} // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    // the rules
    void stackingGivesTheDesignedPositions();
    void normalLandscapeShowsOnlyTheWorkColumn();
    void maximizedChoosesOnePictureByTheFrameWidth_data();
    void maximizedChoosesOnePictureByTheFrameWidth();
    void thresholdWidthsKeepThePicture_data();
    void thresholdWidthsKeepThePicture();
    void pictureLargerThanTheFrameStaysInside();
    void maximizedWithoutAvailableAreaSkipsTheRefresh();
    void sidePanelsNarrowTheMaximizedWindow();
    void uprightScreenAfterPortraitNarrowsTheFrame();
    void uprightTouchGivesTheCompactForm();
    void uprightWithoutTouchChangesNothing();
    void onePinchTogglesOnce();
    void lowWorkAreaGivesUpListThenMemo_data();
    void lowWorkAreaGivesUpListThenMemo();
    void lowScreenGetsALowerWindow();
    void lowerStillMovesTheButtonsBesideTheEntryGroup_data();
    void lowerStillMovesTheButtonsBesideTheEntryGroup();
    void fittingIntoTheFreeArea();

    // the real window
    void windowNormalLandscape();
    void windowMaximizedShowsImage1Centred();
    void windowUprightTouch();
    void orientationCheckRemovesTheMaximizeButton();
    void draggingByTheFreeAreas();
};

void TestWindowLayout::stackingGivesTheDesignedPositions()
{
    const Stack stack = stackFor(730);
    QCOMPARE(stack.memo2, 536);
    QCOMPARE(stack.editButton, 488);
    QCOMPARE(stack.chartButtons, 488);
    QCOMPARE(stack.bitBtn1, 440);
    QCOMPARE(stack.upDownGroup, 177);
    QCOMPARE(stack.weightGroup, 283);
    // the left frame and the list keep their designed sizes
    QCOMPARE(stack.bevel1Height, 664);
    QCOMPARE(stack.listHeight, 132);

    // a taller window moves everything down by the same amount
    const Stack tall = stackFor(930);
    QCOMPARE(tall.memo2, 736);
    QCOMPARE(tall.upDownGroup, 377);
    QCOMPARE(tall.weightGroup, 483);
    QCOMPARE(tall.listHeight, 332);
}

void TestWindowLayout::normalLandscapeShowsOnlyTheWorkColumn()
{
    Input input;
    input.screen = QSize(1920, 1080);
    input.available = QRect(0, 0, 1920, 1040);
    input.image1Visible = true; // shown while it was maximized
    const Result result = compute(input);
    QVERIFY(!result.skipRefresh);
    QCOMPARE(result.maximizeButton, std::optional<bool>(true));
    QCOMPARE(result.windowSize, std::optional<QSize>(QSize(651, 730)));
    QCOMPARE(result.workArea, std::optional<QSize>(QSize(651, 671)));
    QCOMPARE(result.stack->memo2, 536);
    for (const auto &visible : {result.imageWeissVisible, result.bevel3Visible,
                                result.image1Visible, result.image2Visible, result.image3Visible})
        QCOMPARE(visible, std::optional<bool>(false));
}

void TestWindowLayout::maximizedChoosesOnePictureByTheFrameWidth_data()
{
    QTest::addColumn<int>("frameWidth");
    QTest::addColumn<int>("picture");
    QTest::newRow("500") << 500 << 1;
    QTest::newRow("481") << 481 << 1;
    QTest::newRow("479") << 479 << 2;
    QTest::newRow("400") << 400 << 2;
    QTest::newRow("301") << 301 << 2;
    QTest::newRow("299") << 299 << 3;
    QTest::newRow("250") << 250 << 3;
}

void TestWindowLayout::maximizedChoosesOnePictureByTheFrameWidth()
{
    QFETCH(int, frameWidth);
    QFETCH(int, picture);
    // whatever showed before gives way
    for (int before = 1; before <= 3; ++before) {
        Input input = maximizedWithFrame(frameWidth);
        input.image1Visible = before == 1;
        input.image2Visible = before == 2;
        input.image3Visible = before == 3;
        const Result result = compute(input);
        QVERIFY(!result.skipRefresh);
        QCOMPARE(result.bevel3->width(), frameWidth);
        QCOMPARE(shownPicture(result), picture);
        QCOMPARE(result.imageWeissVisible, std::optional<bool>(true));
        QCOMPARE(result.bevel3Visible, std::optional<bool>(true));
        const QRect shown = picture == 1   ? *result.image1
                            : picture == 2 ? *result.image2
                                           : *result.image3;
        const QSize designed = picture == 1   ? Designed().image1
                               : picture == 2 ? Designed().image2
                                              : Designed().image3;
        QCOMPARE(shown.size(), designed);
        // centre on centre, to the pixel the sizes allow
        QVERIFY(qAbs(2 * shown.left() + shown.width() - (2 * result.bevel3->left() + frameWidth)) <=
                1);
        QVERIFY(qAbs(2 * shown.top() + shown.height() -
                     (2 * result.bevel3->top() + result.bevel3->height())) <= 1);
        QVERIFY(result.imageWeiss->contains(shown));
    }
}

void TestWindowLayout::thresholdWidthsKeepThePicture_data()
{
    QTest::addColumn<int>("frameWidth");
    QTest::newRow("300") << 300;
    QTest::newRow("480") << 480;
}

void TestWindowLayout::thresholdWidthsKeepThePicture()
{
    QFETCH(int, frameWidth);
    for (int before = 1; before <= 3; ++before) {
        Input input = maximizedWithFrame(frameWidth);
        input.image1Visible = before == 1;
        input.image2Visible = before == 2;
        input.image3Visible = before == 3;
        const Result result = compute(input);
        QCOMPARE(result.bevel3->width(), frameWidth);
        QCOMPARE(shownPicture(result), before);
    }
}

void TestWindowLayout::pictureLargerThanTheFrameStaysInside()
{
    // At exactly 300 the large picture keeps showing; it is cut to the white
    // area instead of covering the work column.
    Input input = maximizedWithFrame(300);
    input.image1Visible = true;
    const Result result = compute(input);
    QVERIFY(result.image1->left() >= result.imageWeiss->left());
    QVERIFY(result.image1->right() <= result.imageWeiss->right());
    QVERIFY(result.image1->left() > 15 + 621);
    QVERIFY(qAbs(2 * result.image1->left() + result.image1->width() - (2 * 646 + 300)) <= 1);
}

void TestWindowLayout::maximizedWithoutAvailableAreaSkipsTheRefresh()
{
    Input input = maximizedWithFrame(500);
    input.available.reset();
    input.image2Visible = true;
    const Result result = compute(input);
    QVERIFY(result.skipRefresh);
    QCOMPARE(result.maximizeButton, std::optional<bool>(true));
    QVERIFY(!result.windowSize && !result.stack && !result.image1Visible && !result.image2Visible);

    // only the maximized state asks for the area
    input.maximized = false;
    QVERIFY(!compute(input).skipRefresh);
}

void TestWindowLayout::sidePanelsNarrowTheMaximizedWindow()
{
    Input input;
    input.screen = QSize(1280, 800);
    input.available = QRect(64, 0, 1216, 770); // a dock at the left, a panel at the bottom
    input.decoration = QSize(2, 50);
    input.maximized = true;
    const Result result = compute(input);
    QCOMPARE(result.windowSize, std::optional<QSize>(QSize(1216, 770)));
    QCOMPARE(result.workArea, std::optional<QSize>(QSize(1214, 720)));
    QCOMPARE(result.bevel3->width(), 1214 - 661);
    QCOMPARE(result.bevel3->bottom(), 720 - 3 - 1);
    // the memo ends 7 pixels above the bottom, as in the designed window
    QCOMPARE(result.stack->memo2 + 128, 720 - 7);
}

void TestWindowLayout::uprightScreenAfterPortraitNarrowsTheFrame()
{
    Input input = maximizedWithFrame(500);
    input.portraitSeen = true;
    input.screen = QSize(1000, 900); // narrower than the 1161 wide window
    input.image3Visible = true;
    Result result = compute(input);
    QCOMPARE(result.bevel3->width(), 1000 - 621 - 21);
    QCOMPARE(result.imageWeiss->width(), 1000 - 621 - 30);
    QCOMPARE(shownPicture(result), 2);

    input.portraitSeen = false;
    result = compute(input);
    QCOMPARE(result.bevel3->width(), 500);
}

void TestWindowLayout::uprightTouchGivesTheCompactForm()
{
    for (const bool maximized : {false, true}) {
        Input input;
        input.screen = QSize(800, 1280);
        input.available = QRect(0, 0, 800, 1240);
        input.touchCapable = true;
        input.portraitScreen = true;
        input.maximized = maximized;
        input.image1Visible = true;
        const Result result = compute(input);
        QCOMPARE(result.windowSize, std::optional<QSize>(QSize(651, 730)));
        QCOMPARE(result.stack->memo2, 536);
        QCOMPARE(result.stack->chartButtons, 488);
        QCOMPARE(result.stack->bitBtn1, 440);
        QCOMPARE(result.stack->upDownGroup, 177);
        QCOMPARE(result.stack->weightGroup, 283);
        for (const auto &visible : {result.bevel3Visible, result.image1Visible,
                                    result.image2Visible, result.image3Visible})
            QCOMPARE(visible, std::optional<bool>(false));
        // a maximized window keeps its title bar
        QCOMPARE(result.maximizeButton,
                 maximized ? std::optional<bool>() : std::optional<bool>(false));
    }
}

void TestWindowLayout::uprightWithoutTouchChangesNothing()
{
    Input input;
    input.screen = QSize(800, 1280);
    input.available.reset();
    input.portraitScreen = true;
    input.maximized = true;
    const Result result = compute(input);
    QVERIFY(!result.skipRefresh);
    QVERIFY(!result.maximizeButton && !result.windowSize && !result.stack && !result.bevel3Visible);
}

void TestWindowLayout::lowWorkAreaGivesUpListThenMemo_data()
{
    // Minimums of the test: list 90, memo 50; designed list 132, memo 128.
    QTest::addColumn<int>("workHeight");
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("memo");
    QTest::addColumn<int>("stackHeight");
    QTest::newRow("designed height") << 671 << 132 << 128 << 671;
    QTest::newRow("one higher: all moves down") << 672 << 133 << 128 << 672;
    QTest::newRow("one lower: the list gives") << 670 << 131 << 128 << 670;
    QTest::newRow("list at its minimum") << 629 << 90 << 128 << 629;
    QTest::newRow("one more: the memo gives") << 628 << 90 << 127 << 628;
    QTest::newRow("both at their minimums") << 551 << 90 << 50 << 551;
    QTest::newRow("lower still: never below the minimums") << 550 << 90 << 50 << 551;
    QTest::newRow("far lower") << 300 << 90 << 50 << 551;
}

void TestWindowLayout::lowWorkAreaGivesUpListThenMemo()
{
    QFETCH(int, workHeight);
    QFETCH(int, list);
    QFETCH(int, memo);
    QFETCH(int, stackHeight);
    const Stack stack = stackForWorkArea(workHeight, 90, 50);
    QCOMPARE(stack.listHeight, list);
    QCOMPARE(stack.memoHeight, memo);
    QCOMPARE(WindowLayout::stackHeight(stack), stackHeight);
    // The controls keep their order and gaps from the list down to the memo.
    QCOMPARE(stack.upDownGroup, 38 + list + 7);
    QCOMPARE(stack.bitBtn1, stack.upDownGroup + 255 + 8);
    QCOMPARE(stack.memo2, stack.bitBtn1 + 96);
    QCOMPARE(stack.bevel1Height, stack.memo2 + memo);
    // Without minimums the designed stack stays, whatever the height.
    QCOMPARE(stackForWorkArea(workHeight, 0, 0).listHeight, std::max(132, list));
}

void TestWindowLayout::lowScreenGetsALowerWindow()
{
    Input input;
    input.screen = QSize(1024, 600);
    input.available = QRect(0, 0, 1024, 600);
    input.decoration = QSize(2, 48);
    input.minimumListHeight = 86;
    input.minimumMemoHeight = 45;
    Result result = compute(input);
    QCOMPARE(result.workArea, std::optional<QSize>(QSize(651, 552)));
    QCOMPARE(result.stack->listHeight, 86);
    QCOMPARE(result.stack->memoHeight, 128 - (671 - 552 - (132 - 86)));

    // Maximized, the free area decides; the pictures stay.
    input.maximized = true;
    result = compute(input);
    QCOMPARE(result.workArea, std::optional<QSize>(QSize(1022, 552)));
    QCOMPARE(WindowLayout::stackHeight(*result.stack), 552);
    QCOMPARE(result.bevel3Visible, std::optional<bool>(true));

    // A screen with room keeps the designed window.
    input.maximized = false;
    input.available = QRect(0, 0, 1024, 719);
    QCOMPARE(compute(input).workArea, std::optional<QSize>(QSize(651, 671)));
    input.available = QRect(0, 0, 1024, 718);
    QCOMPARE(compute(input).workArea, std::optional<QSize>(QSize(651, 670)));
}

void TestWindowLayout::lowerStillMovesTheButtonsBesideTheEntryGroup_data()
{
    // Minimums of the test: list 90, memo 50. The designed column needs 551
    // at both; beside the entry group the buttons need 96 less.
    QTest::addColumn<int>("workHeight");
    QTest::addColumn<bool>("compact");
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("memo");
    QTest::newRow("designed column fits") << 551 << false << 90 << 50;
    QTest::newRow("one lower: buttons beside, the list grows") << 550 << true << 90 + 17 << 128;
    QTest::newRow("the memo at its design") << 533 << true << 90 << 128;
    QTest::newRow("one lower: the memo gives") << 532 << true << 90 << 127;
    QTest::newRow("both at their minimums") << 455 << true << 90 << 50;
    QTest::newRow("one more: the memo first") << 456 << true << 90 << 51;
    QTest::newRow("lower still: never below the minimums") << 454 << true << 90 << 50;
}

void TestWindowLayout::lowerStillMovesTheButtonsBesideTheEntryGroup()
{
    QFETCH(int, workHeight);
    QFETCH(bool, compact);
    QFETCH(int, list);
    QFETCH(int, memo);
    const Stack stack = WindowLayout::fittingStack(workHeight, 90, 50);
    QCOMPARE(stack.compact, compact);
    if (!compact)
        return;
    QCOMPARE(stack.listHeight, list);
    QCOMPARE(stack.memoHeight, memo);
    QCOMPARE(WindowLayout::stackHeight(stack), std::max(workHeight, 455));
    // Weight group, add, edit and the two chart buttons beside the entry
    // group, inside its height, none over another; the memo right below.
    const WindowLayout::ButtonPlaces places = WindowLayout::buttonPlaces(stack);
    const QRect group(25, stack.upDownGroup, 372, 255);
    const QRect column(405, group.top(), 221, group.height());
    const QRect blocks[] = {places.weightGroup, places.bitBtn1, places.editButton, places.barChart,
                            places.lineChart};
    for (const QRect &one : blocks) {
        QVERIFY(column.contains(one));
        QVERIFY(!group.intersects(one));
        for (const QRect &other : blocks)
            QVERIFY(&one == &other || !one.intersects(other));
    }
    QCOMPARE(stack.memo2, group.bottom() + 1 + 8);
}

void TestWindowLayout::fittingIntoTheFreeArea()
{
    const QSize table(1210, 654);
    const QSize frame(2, 25);
    // Room enough: the designed size, centred.
    QCOMPARE(fitCentred(table, QRect(0, 0, 1920, 1080), frame),
             QRect(QPoint((1920 - 1212) / 2, (1080 - 679) / 2), table));
    // Exactly enough, and one pixel less in each direction.
    QCOMPARE(fitCentred(table, QRect(0, 0, 1212, 679), frame), QRect(QPoint(0, 0), table));
    QCOMPARE(fitCentred(table, QRect(0, 0, 1211, 678), frame), QRect(0, 0, 1209, 653));
    // A small screen with a panel on top: inside the free area.
    QCOMPARE(fitCentred(table, QRect(0, 30, 1024, 570), frame), QRect(0, 30, 1022, 545));
}

void TestWindowLayout::onePinchTogglesOnce()
{
    ZoomGesture zoom;
    zoom.begin(QPointF(10, 20));
    QCOMPARE(zoom.lastLocation(), QPointF(10, 20));
    QVERIFY(zoom.update(QPointF(12, 22), 1.2));
    QVERIFY(!zoom.update(QPointF(14, 24), 1.5));
    QVERIFY(!zoom.update(QPointF(15, 25), 1.6));
    QCOMPARE(zoom.lastLocation(), QPointF(15, 25));
    QCOMPARE(zoom.lastScale(), 1.6);
    // the next pinch toggles again
    zoom.begin(QPointF(1, 1));
    QVERIFY(zoom.update(QPointF(2, 2), 0.7));
}

// ---------------------------------------------------------------------------
// The real window, offscreen, on a screen the test chooses

namespace {

struct LayoutFixture
{
    TempHome home;
    FakeSeam seam;
    FakeScreen screen;
    std::unique_ptr<TMainForm> form;

    TMainForm &start()
    {
        MainFormEnvironment environment{home.workFolder(), home.settingsFile(), QString()};
        environment.screenInfo = &screen;
        form = std::make_unique<TMainForm>(seam, environment);
        return *form;
    }
    template <typename T> T *get(const char *name) const
    {
        T *child = form->findChild<T *>(QLatin1String(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    bool shown(const char *name) const { return get<QWidget>(name)->isVisibleTo(form.get()); }
    int top(const char *name) const { return get<QWidget>(name)->y(); }
};

} // namespace

void TestWindowLayout::windowNormalLandscape()
{
    LayoutFixture f;
    TMainForm &form = f.start();
    form.FormPaint();
    QCOMPARE(form.width(), 651);
    QCOMPARE(form.centralWidget()->height(), 671);
    QVERIFY(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    for (const char *name : {"ImageWeiss", "Bevel3", "Image1", "Image2", "Image3"})
        QVERIFY2(!f.shown(name), name);
    QCOMPARE(f.top("Memo2"), 536);
    QCOMPARE(f.top("BitBtn1"), 440);
    // the work column lies inside the window and its frame
    const QRect column = f.get<QWidget>("Bevel1")->geometry();
    QVERIFY(QRect(QPoint(0, 0), form.centralWidget()->size()).contains(column));
    for (const char *name :
         {"ListBox1", "UpDownSchalterGroup", "GewichtGroup", "BitBtn1", "BtnEintragBearbeiten",
          "BtnBalkendiagrammErstellen", "LinienDiagrammErstellen", "Memo2"})
        QVERIFY2(column.contains(f.get<QWidget>(name)->geometry()), name);
}

void TestWindowLayout::windowMaximizedShowsImage1Centred()
{
    LayoutFixture f;
    TMainForm &form = f.start();
    form.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // a window frame narrows the work area by its borders
    const int borders = form.frameGeometry().width() - form.width();
    f.screen.screen = QSize(1161 + borders, 900);
    f.screen.available = QRect(QPoint(0, 0), f.screen.screen);
    form.FormPaint();
    QVERIFY(form.isMaximized());
    const QRect frame = f.get<QWidget>("Bevel3")->geometry();
    QCOMPARE(frame.width(), 500);
    QVERIFY(f.shown("Bevel3") && f.shown("ImageWeiss") && f.shown("Image1"));
    QVERIFY(!f.shown("Image2") && !f.shown("Image3"));
    const QRect picture = f.get<QWidget>("Image1")->geometry();
    QCOMPARE(picture.size(), QSize(458, 613));
    // The pictures are decoded when first shown, not at start.
    QVERIFY(!f.get<QLabel>("Image1")->pixmap().isNull());
    QVERIFY(f.get<QLabel>("Image3")->pixmap().isNull());
    QVERIFY(qAbs(2 * picture.left() + picture.width() - (2 * frame.left() + frame.width())) <= 1);
    QVERIFY(qAbs(2 * picture.top() + picture.height() - (2 * frame.top() + frame.height())) <= 1);
    // the work column follows the taller window down
    const int decoration =
        form.frameGeometry().height() - form.height() + form.menuBar()->sizeHint().height();
    QCOMPARE(f.top("Memo2") + 128 + 7 + decoration, 900);
    QCOMPARE(f.top("LinienDiagrammErstellen"), f.top("BtnBalkendiagrammErstellen"));
    QVERIFY(f.get<QWidget>("Bevel1")->geometry().contains(f.get<QWidget>("Memo2")->geometry()));

    // the narrower screen of a second monitor: the middle picture
    f.screen.screen = QSize(1061 + borders, 900);
    f.screen.available = QRect(QPoint(0, 0), f.screen.screen);
    form.FormPaint();
    QCOMPARE(f.get<QWidget>("Bevel3")->width(), 400);
    QVERIFY(f.shown("Image2") && !f.shown("Image1") && !f.shown("Image3"));
    QCOMPARE(f.get<QLabel>("Image2")->pixmap().size(), QSize(275, 368));

    // back to normal: only the work column
    form.showNormal();
    form.FormPaint();
    QCOMPARE(form.width(), 651);
    QVERIFY(!f.shown("Bevel3") && !f.shown("ImageWeiss") && !f.shown("Image2"));
    QCOMPARE(f.top("Memo2"), 536);
}

void TestWindowLayout::windowUprightTouch()
{
    LayoutFixture f;
    f.screen.screen = QSize(800, 1280);
    f.screen.available = QRect(0, 0, 800, 1240);
    f.screen.touchPoints = 10;
    TMainForm &form = f.start();
    QVERIFY(form.TouchCapable());
    QVERIFY(form.PortraitScreen());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.FormPaint();
    QCOMPARE(form.width(), 651);
    QCOMPARE(form.centralWidget()->height(), 730 - WindowLayout::kNonClientHeight);
    QCOMPARE(f.top("Memo2"), 536);
    QCOMPARE(f.top("BtnEintragBearbeiten"), 488);
    QCOMPARE(f.top("BtnBalkendiagrammErstellen"), 488);
    QCOMPARE(f.top("BitBtn1"), 440);
    QCOMPARE(f.top("UpDownSchalterGroup"), 177);
    QCOMPARE(f.top("GewichtGroup"), 283);
    QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(form.isVisible());

    // a single-point touchscreen is no multi-touch digitizer
    LayoutFixture single;
    single.screen.touchPoints = 1;
    QVERIFY(!single.start().TouchCapable());
}

void TestWindowLayout::orientationCheckRemovesTheMaximizeButton()
{
    LayoutFixture f;
    TMainForm &form = f.start();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!form.PortraitScreen());

    f.screen.screen = QSize(1000, 1600); // the tablet is turned upright
    auto *timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint), 1200);
    QVERIFY(form.PortraitScreen());
    QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(form.isVisible()); // new flags hide a window; it is shown again

    f.screen.screen = QSize(1600, 1000);
    QTRY_VERIFY_WITH_TIMEOUT(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint), 1200);
    QVERIFY(form.isVisible());
}

void TestWindowLayout::draggingByTheFreeAreas()
{
    LayoutFixture f;
    TMainForm &form = f.start();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.FormPaint();

    const auto press = [&](QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        const int before = f.screen.moves;
        QTest::mousePress(widget, button, Qt::NoModifier, at);
        QTest::mouseRelease(widget, button, Qt::NoModifier, at);
        return f.screen.moves - before;
    };
    // the free area of the window, between list and entry group
    QCOMPARE(press(form.centralWidget(), QPoint(643, 20)), 1);
    // the free areas of both groups, and a caption inside one
    auto *entryGroup = f.get<QWidget>("UpDownSchalterGroup");
    QCOMPARE(press(entryGroup, QPoint(entryGroup->width() - 4, entryGroup->height() - 4)), 1);
    auto *weightGroup = f.get<QWidget>("GewichtGroup");
    QCOMPARE(press(weightGroup, QPoint(weightGroup->width() - 4, weightGroup->height() - 4)), 1);
    QCOMPARE(press(f.get<QWidget>("Label1"), QPoint(2, 2)), 1);
    // not with the right button, not on controls that take the press
    QCOMPARE(press(form.centralWidget(), QPoint(643, 20), Qt::RightButton), 0);
    QCOMPARE(press(f.get<QListView>("ListBox1")->viewport(), QPoint(5, 5)), 0);
    QCOMPARE(press(f.get<QWidget>("BitBtn1"), QPoint(5, 5)), 0);
}

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"
