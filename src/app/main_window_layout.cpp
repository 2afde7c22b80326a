// Window layout, screen orientation, dragging and touch gestures.
#include "app/main_window.h"

#include "app/Machpaus.h"

#include "ui_main_window.h"

#include <QGestureEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPinchGesture>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>

// Resources of a static library are registered by name from the global namespace.
static void registerPictures()
{
    Q_INIT_RESOURCE(pictures);
}

// Routes the presses on the free areas and the gestures of the main window to
// its handlers; installed on the window, its work area and the two groups.
class TMainForm::LayoutEvents : public QObject
{
public:
    explicit LayoutEvents(TMainForm &form)
        : QObject(&form)
        , m_form(form)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (watched == m_form.ui->UpDownSchalterGroup)
                return m_form.UpDownSchalterGroupMouseDown(mouse);
            if (watched == m_form.ui->GewichtGroup)
                return m_form.GewichtGroupMouseDown(mouse);
            if (watched == m_form.ui->centralwidget)
                return m_form.FormMouseDown(mouse);
        } else if (event->type() == QEvent::Gesture && watched == &m_form) {
            return m_form.gestureEvent(static_cast<QGestureEvent *>(event));
        }
        return false;
    }

private:
    TMainForm &m_form;
};

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

// Five rows of the list and one line of the memo (it scrolls), frames and
// scroll bars included: the least that still serves on a low screen.
int minimumListHeight(const QListWidget &list)
{
    int row = list.sizeHintForRow(0);
    if (row <= 0)
        row = QFontMetrics(list.font()).lineSpacing() + 2;
    return 5 * row + 2 * list.frameWidth() + list.horizontalScrollBar()->sizeHint().height();
}

int minimumMemoHeight(const QPlainTextEdit &memo)
{
    return QFontMetrics(memo.font()).lineSpacing() + 2 * memo.frameWidth() +
           int(2 * memo.document()->documentMargin()) +
           memo.horizontalScrollBar()->sizeHint().height();
}

} // namespace

void TMainForm::setUpTouch()
{
    m_screenInfo = m_environment.screenInfo;
    if (!m_screenInfo) {
        m_desktopScreenInfo = std::make_unique<DesktopScreenInfo>();
        m_screenInfo = m_desktopScreenInfo.get();
    }
    const int touchPoints = m_screenInfo->touchScreenPoints();
    m_touchCapable = touchPoints > 1;
    const QSize screen = m_screenInfo->screenSize(*this);
    m_portraitScreen = screen.width() < screen.height();

    auto *events = new LayoutEvents(*this);
    for (QObject *watched :
         {static_cast<QObject *>(this), static_cast<QObject *>(ui->centralwidget),
          static_cast<QObject *>(ui->UpDownSchalterGroup),
          static_cast<QObject *>(ui->GewichtGroup)})
        watched->installEventFilter(events);
    if (touchPoints > 0) {
        for (QWidget *widget :
             {static_cast<QWidget *>(this), static_cast<QWidget *>(ui->UpDownSchalterGroup),
              static_cast<QWidget *>(ui->GewichtGroup)})
            widget->setAttribute(Qt::WA_AcceptTouchEvents);
        grabGesture(Qt::PinchGesture);
    }

    registerPictures();
    ui->ImageWeiss->setScaledContents(true);
    const struct
    {
        QLabel *label;
        const char *file;
    } pictures[] = {{ui->ImageWeiss, ":/pictures/weiss.png"},
                    {ui->Image1, ":/pictures/image1.png"},
                    {ui->Image2, ":/pictures/image2.png"},
                    {ui->Image3, ":/pictures/image3.png"}};
    for (const auto &picture : pictures) {
        // The pictures show only in a maximized window: decode each the first
        // time it is shown, not at every start.
        new LazyPicture(*picture.label, QString::fromLatin1(picture.file));
        picture.label->setAlignment(Qt::AlignCenter); // stays centred when the frame cuts it
    }
    // Before the window is shown, so that showing it needs no second try.
    setTitleButtons(!m_portraitScreen);
}

bool TMainForm::applyLayout()
{
    WindowLayout::Input input;
    input.screen = m_screenInfo->screenSize(*this);
    input.available = m_screenInfo->availableGeometry(*this);
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    input.decoration = QSize(outer.width() - inner.width(),
                             outer.height() - inner.height() + menuBar()->sizeHint().height());
    // The window manager tells the title bar only once the window is shown.
    if (outer == inner && !isMaximized())
        input.decoration.rheight() += style()->pixelMetric(QStyle::PM_TitleBarHeight);
    input.minimumListHeight = minimumListHeight(*ui->ListBox1);
    input.minimumMemoHeight = minimumMemoHeight(*ui->Memo2);
    input.maximized = isMaximized();
    input.touchCapable = m_touchCapable;
    input.portraitScreen = m_portraitScreen;
    input.portraitSeen = m_portraitSeen;
    input.image1Visible = ui->Image1->isVisibleTo(this);
    input.image2Visible = ui->Image2->isVisibleTo(this);
    input.image3Visible = ui->Image3->isVisibleTo(this);
    const WindowLayout::Result result = WindowLayout::compute(input);
    applyLayoutResult(result);
    return !result.skipRefresh;
}

void TMainForm::applyLayoutResult(const WindowLayout::Result &result)
{
    if (result.maximizeButton)
        setTitleButtons(*result.maximizeButton);

    if (result.workArea) {
        const QSize size(result.workArea->width(),
                         result.workArea->height() + menuBar()->sizeHint().height());
        if (isMaximized()) {
            // The window system sizes a maximized window; resizing it here
            // would end the maximized state. The work area follows the free
            // screen area it was given.
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else {
            // A fixed border, but the window system must still be allowed
            // to maximize it while the title bar offers that.
            m_normalSize = size;
            setMinimumSize(size);
            if (windowFlags().testFlag(Qt::WindowMaximizeButtonHint))
                setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            else
                setMaximumSize(size);
            resize(size);
        }
        ui->centralwidget->resize(*result.workArea);
    }

    if (result.stack) {
        const WindowLayout::Stack &stack = *result.stack;
        const auto moveTop = [](QWidget *widget, int top) { widget->move(widget->x(), top); };
        ui->Memo2->setGeometry(ui->Memo2->x(), stack.memo2, ui->Memo2->width(), stack.memoHeight);
        moveTop(ui->BtnEintragBearbeiten, stack.editButton);
        moveTop(ui->BtnBalkendiagrammErstellen, stack.chartButtons);
        moveTop(ui->LinienDiagrammErstellen, stack.chartButtons);
        moveTop(ui->BitBtn1, stack.bitBtn1);
        moveTop(ui->UpDownSchalterGroup, stack.upDownGroup);
        moveTop(ui->GewichtGroup, stack.weightGroup);
        ui->Bevel1->resize(ui->Bevel1->width(), stack.bevel1Height);
        ui->ListBox1->resize(ui->ListBox1->width(), stack.listHeight);
    }

    const auto place = [](QWidget *widget, const std::optional<QRect> &rect,
                          const std::optional<bool> &visible) {
        if (rect)
            widget->setGeometry(*rect);
        if (visible)
            widget->setVisible(*visible);
    };
    place(ui->Bevel3, result.bevel3, result.bevel3Visible);
    place(ui->ImageWeiss, result.imageWeiss, result.imageWeissVisible);
    place(ui->Image1, result.image1, result.image1Visible);
    place(ui->Image2, result.image2, result.image2Visible);
    place(ui->Image3, result.image3, result.image3Visible);
}

void TMainForm::setTitleButtons(bool maximizeButton)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    if (windowFlags() == flags)
        return;
    // New flags recreate the native window, which hides it.
    const bool visible = isVisible();
    setWindowFlags(flags);
    if (!maximizeButton && m_normalSize.isValid() && !isMaximized())
        setMaximumSize(m_normalSize);
    if (visible)
        show();
}

void TMainForm::Timer1Timer()
{
    const QSize screen = m_screenInfo->screenSize(*this);
    m_portraitScreen = screen.width() < screen.height();
    setTitleButtons(!m_portraitScreen);
}

// ---------------------------------------------------------------------------
// Dragging by the free areas

bool TMainForm::FormMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !windowHandle())
        return false;
    return m_screenInfo->startSystemMove(*windowHandle());
}

bool TMainForm::UpDownSchalterGroupMouseDown(QMouseEvent *event)
{
    return FormMouseDown(event);
}

bool TMainForm::GewichtGroupMouseDown(QMouseEvent *event)
{
    return FormMouseDown(event);
}

// ---------------------------------------------------------------------------
// Pinch: toggles between maximized and normal state

bool TMainForm::gestureEvent(QGestureEvent *event)
{
    auto *pinch = static_cast<QPinchGesture *>(event->gesture(Qt::PinchGesture));
    if (!pinch)
        return false;
    const QPointF location = mapFromGlobal(pinch->centerPoint());
    if (pinch->state() == Qt::GestureStarted) {
        m_zoomGesture.begin(location);
    } else if (m_zoomGesture.update(location, pinch->totalScaleFactor())) {
        m_machPause->Pause(200);
        const bool maximize = !isMaximized();
        QMetaObject::invokeMethod(
            this,
            [this, maximize] {
                if (maximize)
                    showMaximized();
                else
                    showNormal();
            },
            Qt::QueuedConnection);
    }
    event->accept(pinch);
    return true;
}

// ---------------------------------------------------------------------------
// Start position

void TMainForm::centreOnDesktop()
{
    const QScreen *desktop = screen();
    if (!desktop)
        return;
    // Centred in the free area, so that a panel never covers the title bar.
    const QRect area = desktop->availableGeometry();
    const QSize frame = frameGeometry().size();
    move(area.topLeft() + QPoint(std::max(0, (area.width() - frame.width()) / 2),
                                 std::max(0, (area.height() - frame.height()) / 2)));
    // The window manager tells the frame only once the window is on the
    // screen; until then it is centred again at every paint.
    m_placedOnDesktop = windowHandle() && windowHandle()->isExposed();
}
