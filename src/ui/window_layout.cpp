#include "ui/window_layout.h"

#include <algorithm>

namespace WindowLayout {

namespace {

QRect centredIn(const QRect &frame, QSize size, const QRect &clip)
{
    QRect rect(QPoint(0, 0), size);
    rect.moveLeft(frame.left() + (frame.width() - size.width()) / 2);
    rect.moveTop(frame.top() + (frame.height() - size.height()) / 2);
    return rect.intersected(clip);
}

void hidePictures(Result &result)
{
    result.imageWeissVisible = false;
    result.bevel3Visible = false;
    result.image1Visible = false;
    result.image2Visible = false;
    result.image3Visible = false;
}

void placeRightFrame(const Input &input, const Designed &d, QSize workArea, Result &result)
{
    QRect bevel3(d.bevel3Left, d.frameTop, workArea.width() - d.bevel3Left - d.rightMargin,
                 workArea.height() - d.frameTop - d.bottomMargin);
    QRect white = bevel3.adjusted(d.whiteInset, d.whiteInset, -d.whiteInset, -d.whiteInset);
    if (input.portraitSeen && input.screen.width() < workArea.width()) {
        white.setWidth(input.screen.width() - d.bevel1Width - 30);
        bevel3.setWidth(input.screen.width() - d.bevel1Width - 21);
    }
    result.bevel3 = bevel3;
    result.imageWeiss = white;

    const int w = bevel3.width();
    bool one = input.image1Visible;
    bool two = input.image2Visible;
    bool three = input.image3Visible;
    if (w > 300 && w < 480) {
        one = false, two = true, three = false;
    } else if (w > 480) {
        one = true, two = false, three = false;
    } else if (w < 300) {
        one = false, two = false, three = true;
    }
    result.image1Visible = one;
    result.image2Visible = two;
    result.image3Visible = three;
    result.image1 = centredIn(bevel3, d.image1, white);
    result.image2 = centredIn(bevel3, d.image2, white);
    result.image3 = centredIn(bevel3, d.image3, white);
}

} // namespace

Stack stackFor(int outerHeight, const Designed &d)
{
    Stack stack;
    stack.memo2 = outerHeight - (d.memoHeight + 66);
    stack.editButton = stack.memo2 - d.buttonHeight - 8;
    stack.chartButtons = stack.memo2 - d.buttonHeight - 8;
    stack.bitBtn1 = stack.chartButtons - d.buttonHeight - 8;
    stack.upDownGroup = stack.bitBtn1 - d.upDownGroupHeight - 8;
    stack.weightGroup = stack.bitBtn1 - d.weightGroupHeight - 26;
    stack.bevel1Height = stack.memo2 + d.memoHeight + 4 - d.frameTop;
    stack.listHeight = stack.upDownGroup - 7 - d.listTop;
    stack.memoHeight = d.memoHeight;
    return stack;
}

Stack stackForWorkArea(int workHeight, int minimumListHeight, int minimumMemoHeight,
                       const Designed &d)
{
    const Stack designed = stackFor(d.normalHeight, d);
    int deficit = stackHeight(designed, d) - workHeight;
    if (deficit <= 0)
        return stackFor(workHeight + kNonClientHeight, d);
    if (minimumListHeight == 0 && minimumMemoHeight == 0)
        return designed;
    const int fromList = std::clamp(designed.listHeight - minimumListHeight, 0, deficit);
    deficit -= fromList;
    Designed fitted = d;
    fitted.memoHeight -= std::clamp(d.memoHeight - minimumMemoHeight, 0, deficit);
    const int lowest = stackHeight(designed, d) - fromList - (d.memoHeight - fitted.memoHeight);
    return stackFor(std::max(workHeight, lowest) + kNonClientHeight, fitted);
}

Stack compactStackForWorkArea(int workHeight, int minimumListHeight, int minimumMemoHeight,
                              const Designed &d)
{
    // Everything but the list and the memo: the list's top, the entry group
    // with its gaps, the frame's end.
    const int fixed = d.listTop + 7 + d.upDownGroupHeight + 8 + d.bottomMargin + d.frameTop;
    int room = std::max(0, workHeight - fixed - minimumListHeight - minimumMemoHeight);
    const int toMemo = std::clamp(d.memoHeight - minimumMemoHeight, 0, room);
    room -= toMemo;

    Stack stack;
    stack.compact = true;
    stack.listHeight = minimumListHeight + room;
    stack.memoHeight = minimumMemoHeight + toMemo;
    stack.upDownGroup = d.listTop + stack.listHeight + 7;
    stack.weightGroup = stack.upDownGroup;
    stack.bitBtn1 = stack.weightGroup + d.weightGroupHeight + d.compactGap;
    stack.editButton = stack.bitBtn1 + d.compactButtonHeight + d.compactGap;
    stack.chartButtons = stack.editButton + d.compactButtonHeight + d.compactGap;
    stack.memo2 = stack.upDownGroup + d.upDownGroupHeight + 8;
    stack.bevel1Height = stack.memo2 + stack.memoHeight + 4 - d.frameTop;
    return stack;
}

Stack fittingStack(int workHeight, int minimumListHeight, int minimumMemoHeight, const Designed &d)
{
    const Stack stack = stackForWorkArea(workHeight, minimumListHeight, minimumMemoHeight, d);
    if (stackHeight(stack, d) <= workHeight || (minimumListHeight == 0 && minimumMemoHeight == 0))
        return stack;
    return compactStackForWorkArea(workHeight, minimumListHeight, minimumMemoHeight, d);
}

ButtonPlaces buttonPlaces(const Stack &stack, const Designed &d)
{
    ButtonPlaces places;
    places.weightGroup =
        QRect(d.weightGroupLeft, stack.weightGroup, d.weightGroupWidth, d.weightGroupHeight);
    if (stack.compact) {
        const int half = (d.weightGroupWidth - d.compactGap) / 2;
        const int height = d.compactButtonHeight;
        places.bitBtn1 = QRect(d.weightGroupLeft, stack.bitBtn1, d.weightGroupWidth, height);
        places.editButton = QRect(d.weightGroupLeft, stack.editButton, d.weightGroupWidth, height);
        places.barChart = QRect(d.weightGroupLeft, stack.chartButtons, half, height);
        places.lineChart =
            QRect(d.weightGroupLeft + d.weightGroupWidth - half, stack.chartButtons, half, height);
        return places;
    }
    const int step = d.rowButtonWidth + d.rowButtonGap;
    places.bitBtn1 = QRect(d.buttonsLeft, stack.bitBtn1, d.addButtonWidth, d.buttonHeight);
    places.editButton = QRect(d.buttonsLeft, stack.editButton, d.rowButtonWidth, d.buttonHeight);
    places.barChart =
        QRect(d.buttonsLeft + step, stack.chartButtons, d.rowButtonWidth, d.buttonHeight);
    places.lineChart =
        QRect(d.buttonsLeft + 2 * step, stack.chartButtons, d.rowButtonWidth, d.buttonHeight);
    return places;
}

int stackHeight(const Stack &stack, const Designed &d)
{
    return stack.memo2 + stack.memoHeight + d.bottomMargin + d.frameTop;
}

QRect fitCentred(QSize wanted, const QRect &available, QSize frame)
{
    const QSize size = wanted.boundedTo(available.size() - frame).expandedTo(QSize(1, 1));
    QRect outer(QPoint(0, 0), size + frame);
    outer.moveCenter(available.center());
    outer.moveTopLeft(
        QPoint(std::max(outer.left(), available.left()), std::max(outer.top(), available.top())));
    return QRect(outer.topLeft(), size);
}

Result compute(const Input &input, const Designed &d)
{
    Result result;
    const QSize normalOuter(d.normalWidth(), d.normalHeight);
    const QSize normalWorkArea(d.normalWidth(), d.normalHeight - kNonClientHeight);

    if (input.touchCapable && input.portraitScreen) {
        // the compact upright form; a maximized window keeps its title bar
        hidePictures(result);
        result.windowSize = normalOuter;
        result.workArea = normalWorkArea;
        result.stack = stackFor(d.normalHeight, d);
        if (!input.maximized)
            result.maximizeButton = false;
        return result;
    }
    if (input.portraitScreen)
        return result; // upright without touch: left as it is

    result.maximizeButton = true;
    if (!input.maximized) {
        hidePictures(result);
        // A screen lower than the designed window gets a lower one, so that
        // nothing lies beyond its edge.
        int workHeight = normalWorkArea.height();
        if (input.available)
            workHeight =
                std::min(workHeight, input.available->height() - input.decoration.height());
        result.stack =
            fittingStack(workHeight, input.minimumListHeight, input.minimumMemoHeight, d);
        const int height = stackHeight(*result.stack, d);
        result.workArea = QSize(d.normalWidth(), height);
        result.windowSize = QSize(d.normalWidth(), height + kNonClientHeight);
        return result;
    }

    if (!input.available) {
        result.skipRefresh = true;
        return result;
    }
    // Maximized: the window covers the screen's free area; panels at a side
    // narrow it, as the taskbar does.
    const QSize outer = input.available->size();
    const QSize workArea(outer.width() - input.decoration.width(),
                         outer.height() - input.decoration.height());
    result.windowSize = outer;
    result.workArea = workArea;
    result.stack =
        fittingStack(workArea.height(), input.minimumListHeight, input.minimumMemoHeight, d);
    result.imageWeissVisible = true;
    result.bevel3Visible = true;
    placeRightFrame(input, d, workArea, result);
    return result;
}

void ZoomGesture::begin(QPointF location)
{
    m_location = location;
    m_toggled = false;
}

bool ZoomGesture::update(QPointF location, qreal scale)
{
    m_location = location;
    m_scale = scale;
    if (m_toggled)
        return false;
    m_toggled = true;
    return true;
}

} // namespace WindowLayout
