#include "app/form_geometry.h"

#include "app/Machpaus.h"
#include "app/screen_info.h"
#include "ui_main_window.h"

#include <QGestureEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPinchGesture>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWindow>

// Resources of a static library are registered by name from the global namespace.
static void registerPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

// Gives a picture label its pixmap when the label is first shown.
class LazyPicture : public QObject
{
public:
    LazyPicture(QLabel &label, QString file)
        : QObject(&label)
        , m_file(std::move(file))
    {
        label.installEventFilter(this);
        if (label.isVisible())
            load(label);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            load(*static_cast<QLabel *>(watched));
        return QObject::eventFilter(watched, event);
    }

private:
    void load(QLabel &label)
    {
        if (label.pixmap().isNull())
            label.setPixmap(QPixmap(m_file));
        label.removeEventFilter(this);
    }

    QString m_file;
};

// Five rows of the list and three lines of the memo (it scrolls), frames and
// scroll bars included: the least that still serves on a low screen.
int minimumListHeight(const QListView &list)
{
    int row = list.sizeHintForRow(0);
    if (row <= 0)
        row = QFontMetrics(list.font()).lineSpacing() + 2;
    return 5 * row + 2 * list.frameWidth() + list.horizontalScrollBar()->sizeHint().height();
}

int minimumMemoHeight(const QPlainTextEdit &memo)
{
    return 3 * QFontMetrics(memo.font()).lineSpacing() + 2 * memo.frameWidth() +
           int(2 * memo.document()->documentMargin()) +
           memo.horizontalScrollBar()->sizeHint().height();
}

} // namespace

FormGeometry::FormGeometry(QMainWindow &window, Ui::TMainForm &ui, ScreenInfo *screenInfo,
                           TMachPause &pause)
    : m_window(window)
    , m_ui(ui)
    , m_pause(pause)
    , m_screenInfo(screenInfo)
{
    if (!m_screenInfo) {
        m_desktopScreenInfo = std::make_unique<DesktopScreenInfo>();
        m_screenInfo = m_desktopScreenInfo.get();
    }
}

FormGeometry::~FormGeometry() = default;

void FormGeometry::setUp()
{
    const int touchPoints = m_screenInfo->touchScreenPoints();
    m_touchCapable = touchPoints > 1;
    m_portraitScreen = screenIsPortrait();

    // The presses on the free areas and the gestures of the window.
    for (QObject *watched :
         {static_cast<QObject *>(&m_window), static_cast<QObject *>(m_ui.centralwidget),
          static_cast<QObject *>(m_ui.UpDownSchalterGroup),
          static_cast<QObject *>(m_ui.GewichtGroup)})
        watched->installEventFilter(this);
    if (touchPoints > 0) {
        for (QWidget *widget :
             {static_cast<QWidget *>(&m_window), static_cast<QWidget *>(m_ui.UpDownSchalterGroup),
              static_cast<QWidget *>(m_ui.GewichtGroup)})
            widget->setAttribute(Qt::WA_AcceptTouchEvents);
        m_window.grabGesture(Qt::PinchGesture);
    }

    setUpPictures();
    // Before the window is shown, so that showing it needs no second try.
    setTitleButtons(!m_portraitScreen);
}

bool FormGeometry::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == m_ui.UpDownSchalterGroup)
            return UpDownSchalterGroupMouseDown(mouse);
        if (watched == m_ui.GewichtGroup)
            return GewichtGroupMouseDown(mouse);
        if (watched == m_ui.centralwidget)
            return FormMouseDown(mouse);
    } else if (event->type() == QEvent::Gesture && watched == &m_window) {
        return gestureEvent(static_cast<QGestureEvent *>(event));
    }
    return false;
}

void FormGeometry::setUpPictures()
{
    registerPictures();
    m_ui.ImageWeiss->setScaledContents(true);
    const struct
    {
        QLabel *label;
        const char *file;
    } pictures[] = {{m_ui.ImageWeiss, ":/pictures/weiss.png"},
                    {m_ui.Image1, ":/pictures/image1.png"},
                    {m_ui.Image2, ":/pictures/image2.png"},
                    {m_ui.Image3, ":/pictures/image3.png"}};
    for (const auto &picture : pictures) {
        // The pictures show only in a maximized window: decode each the first
        // time it is shown, not at every start.
        new LazyPicture(*picture.label, QString::fromLatin1(picture.file));
        picture.label->setAlignment(Qt::AlignCenter); // stays centred when the frame cuts it
    }
}

bool FormGeometry::applyLayout()
{
    WindowLayout::Input input;
    input.screen = m_screenInfo->screenSize(m_window);
    input.available = m_screenInfo->availableGeometry(m_window);
    const QRect outer = m_window.frameGeometry();
    const QRect inner = m_window.geometry();
    input.decoration =
        QSize(outer.width() - inner.width(),
              outer.height() - inner.height() + m_window.menuBar()->sizeHint().height());
    // The window manager tells the title bar only once the window is shown.
    if (outer == inner && !m_window.isMaximized())
        input.decoration.rheight() += m_window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    input.minimumListHeight = minimumListHeight(*m_ui.ListBox1);
    input.minimumMemoHeight = minimumMemoHeight(*m_ui.Memo2);
    input.maximized = m_window.isMaximized();
    input.touchCapable = m_touchCapable;
    input.portraitScreen = m_portraitScreen;
    input.portraitSeen = m_portraitSeen;
    input.image1Visible = m_ui.Image1->isVisibleTo(&m_window);
    input.image2Visible = m_ui.Image2->isVisibleTo(&m_window);
    input.image3Visible = m_ui.Image3->isVisibleTo(&m_window);
    const WindowLayout::Result result = WindowLayout::compute(input);
    applyLayoutResult(result);
    return !result.skipRefresh;
}

void FormGeometry::applyLayoutResult(const WindowLayout::Result &result)
{
    if (result.maximizeButton)
        setTitleButtons(*result.maximizeButton);

    if (result.workArea) {
        const QSize size(result.workArea->width(),
                         result.workArea->height() + m_window.menuBar()->sizeHint().height());
        if (m_window.isMaximized()) {
            // The window system sizes a maximized window; resizing it here
            // would end the maximized state. The work area follows the free
            // screen area it was given; the normal size must not hold it
            // taller than that area.
            m_window.setMinimumSize(0, 0);
            m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            // A fixed border, but the window system must still be allowed
            // to maximize it while the title bar offers that.
            m_normalSize = size;
            m_window.setMinimumSize(size);
            if (m_window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint))
                m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            else
                m_window.setMaximumSize(size);
            m_window.resize(size);
        }
        m_ui.centralwidget->resize(*result.workArea);
    }

    if (result.stack) {
        const WindowLayout::Stack &stack = *result.stack;
        m_ui.Memo2->setGeometry(m_ui.Memo2->x(), stack.memo2, m_ui.Memo2->width(),
                                stack.memoHeight);
        const WindowLayout::ButtonPlaces places = WindowLayout::buttonPlaces(stack);
        m_ui.BitBtn1->setGeometry(places.bitBtn1);
        m_ui.BtnEintragBearbeiten->setGeometry(places.editButton);
        m_ui.BtnBalkendiagrammErstellen->setGeometry(places.barChart);
        m_ui.LinienDiagrammErstellen->setGeometry(places.lineChart);
        m_ui.UpDownSchalterGroup->move(m_ui.UpDownSchalterGroup->x(), stack.upDownGroup);
        m_ui.GewichtGroup->setGeometry(places.weightGroup);
        m_ui.Bevel1->resize(m_ui.Bevel1->width(), stack.bevel1Height);
        m_ui.ListBox1->resize(m_ui.ListBox1->width(), stack.listHeight);
    }

    const auto place = [](QWidget *widget, const std::optional<QRect> &rect,
                          const std::optional<bool> &visible) {
        if (rect)
            widget->setGeometry(*rect);
        if (visible)
            widget->setVisible(*visible);
    };
    place(m_ui.Bevel3, result.bevel3, result.bevel3Visible);
    place(m_ui.ImageWeiss, result.imageWeiss, result.imageWeissVisible);
    place(m_ui.Image1, result.image1, result.image1Visible);
    place(m_ui.Image2, result.image2, result.image2Visible);
    place(m_ui.Image3, result.image3, result.image3Visible);
}

void FormGeometry::setTitleButtons(bool maximizeButton)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    if (m_window.windowFlags() == flags)
        return;
    // New flags recreate the native window, which hides it.
    const bool visible = m_window.isVisible();
    m_window.setWindowFlags(flags);
    if (!maximizeButton && m_normalSize.isValid() && !m_window.isMaximized())
        m_window.setMaximumSize(m_normalSize);
    if (visible)
        m_window.show();
}

bool FormGeometry::screenIsPortrait() const
{
    const QSize screen = m_screenInfo->screenSize(m_window);
    return screen.width() < screen.height();
}

void FormGeometry::notePortraitScreen()
{
    if (screenIsPortrait())
        m_portraitSeen = true;
}

void FormGeometry::startOrientationTick(
    const std::function<void(const std::function<void()> &)> &guard)
{
    m_orientationTick = new QTimer(&m_window);
    m_orientationTick->setObjectName(QStringLiteral("Timer1"));
    m_orientationTick->setInterval(1000);
    QObject::connect(m_orientationTick, &QTimer::timeout, &m_window,
                     [this, guard] { guard([this] { Timer1Timer(); }); });
    m_orientationTick->start();
}

void FormGeometry::stopOrientationTick()
{
    if (m_orientationTick)
        m_orientationTick->stop();
}

void FormGeometry::Timer1Timer()
{
    m_portraitScreen = screenIsPortrait();
    setTitleButtons(!m_portraitScreen);
}

// ---------------------------------------------------------------------------
// Dragging by the free areas

bool FormGeometry::FormMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_window.windowHandle())
        return false;
    return m_screenInfo->startSystemMove(*m_window.windowHandle());
}

bool FormGeometry::UpDownSchalterGroupMouseDown(QMouseEvent *event)
{
    return FormMouseDown(event);
}

bool FormGeometry::GewichtGroupMouseDown(QMouseEvent *event)
{
    return FormMouseDown(event);
}

// ---------------------------------------------------------------------------
// Pinch: toggles between maximized and normal state

bool FormGeometry::gestureEvent(QGestureEvent *event)
{
    auto *pinch = static_cast<QPinchGesture *>(event->gesture(Qt::PinchGesture));
    if (!pinch)
        return false;
    const QPointF location = m_window.mapFromGlobal(pinch->centerPoint());
    if (pinch->state() == Qt::GestureStarted) {
        m_zoomGesture.begin(location);
    } else if (m_zoomGesture.update(location, pinch->totalScaleFactor())) {
        m_pause.Pause(200);
        const bool maximize = !m_window.isMaximized();
        QMetaObject::invokeMethod(
            &m_window,
            [window = &m_window, maximize] {
                if (maximize)
                    window->showMaximized();
                else
                    window->showNormal();
            },
            Qt::QueuedConnection);
    }
    event->accept(pinch);
    return true;
}

// ---------------------------------------------------------------------------
// Start position

void FormGeometry::centreUntilPlaced()
{
    if (!m_placedOnDesktop && !m_window.isMaximized())
        centreOnDesktop();
}

void FormGeometry::centreOnDesktop()
{
    const QScreen *desktop = m_window.screen();
    if (!desktop)
        return;
    // Centred in the free area, so that a panel never covers the title bar.
    const QRect area = desktop->availableGeometry();
    const QSize frame = m_window.frameGeometry().size();
    m_window.move(area.topLeft() + QPoint(std::max(0, (area.width() - frame.width()) / 2),
                                          std::max(0, (area.height() - frame.height()) / 2)));
    // The window manager tells the frame only once the window is on the
    // screen; until then it is centred again at every paint.
    m_placedOnDesktop = m_window.windowHandle() && m_window.windowHandle()->isExposed();
}
