#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

#include <optional>

// Geometry rules of the main window: the narrow work column in normal state,
// the picture panel when maximized on a landscape screen, the compact form on
// upright touch screens. Pure computation; the window applies the result.
//
// Heights follow the designed window: its outer height (title bar, menu and
// borders included) is 730 for a work area of 671, so the outer height of a
// work area h is h + kNonClientHeight. Every rectangle is in work-area
// coordinates (the central widget below the menu).
namespace WindowLayout {

constexpr int kNonClientHeight = 59;

struct Designed
{
    int bevel1Left = 15;
    int frameTop = 4;
    int bevel1Width = 621;
    int bevel3Left = 646;
    int rightMargin = 15; // between the right frame and the window edge
    int bottomMargin = 3; // below both frames
    int whiteInset = 5;   // the white picture inside the right frame
    int listTop = 38;
    int memoHeight = 128;
    int buttonHeight = 40;
    int upDownGroupHeight = 255;
    int weightGroupHeight = 131;
    QSize image1{458, 613};
    QSize image2{275, 368};
    QSize image3{165, 221};
    int normalHeight = 730; // outer height of the designed window
    // the add button and the row of three below it; the weight group
    int buttonsLeft = 25;
    int addButtonWidth = 601;
    int rowButtonWidth = 195;
    int rowButtonGap = 8;
    int weightGroupLeft = 405;
    int weightGroupWidth = 221;
    // On a low screen the four buttons stand lower and closer beside the
    // entry group, under the weight group.
    int compactButtonHeight = 34;
    int compactGap = 6;

    int normalWidth() const { return bevel1Width + 30; }
};

struct Input
{
    QSize screen;                   // the whole screen
    std::optional<QRect> available; // without panels; empty when it cannot be queried
    QSize decoration;               // title bar and frame, plus the menu bar in height
    bool maximized = false;
    bool touchCapable = false;
    bool portraitScreen = false;
    bool portraitSeen = false;
    // which decorative picture shows now (a frame width of exactly 300 or
    // 480 keeps it)
    bool image1Visible = false;
    bool image2Visible = false;
    bool image3Visible = false;
    // Below these the list (five rows) and the evaluation memo (one line)
    // no longer serve; 0 keeps the designed heights whatever the screen.
    int minimumListHeight = 0;
    int minimumMemoHeight = 0;
};

// Tops of the stacked controls, from the bottom up.
struct Stack
{
    int memo2 = 0;
    int editButton = 0;   // BtnEintragBearbeiten
    int chartButtons = 0; // BtnBalkendiagrammErstellen and LinienDiagrammErstellen
    int bitBtn1 = 0;
    int upDownGroup = 0;
    int weightGroup = 0;
    int bevel1Height = 0; // the left frame ends below the memo
    int listHeight = 0;   // the list fills the space above the entry group
    int memoHeight = 0;
    // The buttons beside the entry group instead of below it (a low screen).
    bool compact = false;
};

// Where the buttons and the weight group stand for a stack.
struct ButtonPlaces
{
    QRect weightGroup;
    QRect bitBtn1;
    QRect editButton;
    QRect barChart;  // BtnBalkendiagrammErstellen
    QRect lineChart; // LinienDiagrammErstellen
};

struct Result
{
    bool skipRefresh = false;
    std::optional<bool> maximizeButton; // empty: title bar unchanged
    // Outer size in the designed sense, and the work area it gives; empty
    // while the window keeps its size.
    std::optional<QSize> windowSize;
    std::optional<QSize> workArea;
    std::optional<Stack> stack;
    // visibility; empty: unchanged
    std::optional<bool> imageWeissVisible;
    std::optional<bool> bevel3Visible;
    std::optional<bool> image1Visible;
    std::optional<bool> image2Visible;
    std::optional<bool> image3Visible;
    // the right frame, the white picture and each decorative picture centred
    // in the frame (cut to the white area when larger)
    std::optional<QRect> bevel3;
    std::optional<QRect> imageWeiss;
    std::optional<QRect> image1;
    std::optional<QRect> image2;
    std::optional<QRect> image3;
};

Stack stackFor(int outerHeight, const Designed &designed = {});

// The stack for a work area of the given height. Where it is lower than the
// designed one, the list gives up height down to its minimum, then the memo
// down to its own; the result is never lower than both minimums allow, so
// every control keeps its place even if the window cannot show it all.
Stack stackForWorkArea(int workHeight, int minimumListHeight, int minimumMemoHeight,
                       const Designed &designed = {});

// The stack for a work area too low for stackForWorkArea even at both
// minimums: the buttons move beside the entry group. The memo grows back to
// its designed height before the list does; never lower than both minimums.
Stack compactStackForWorkArea(int workHeight, int minimumListHeight, int minimumMemoHeight,
                              const Designed &designed = {});

// stackForWorkArea, or its compact form where that does not fit.
Stack fittingStack(int workHeight, int minimumListHeight, int minimumMemoHeight,
                   const Designed &designed = {});

// The work height the stack of stackForWorkArea needs.
int stackHeight(const Stack &stack, const Designed &designed = {});

ButtonPlaces buttonPlaces(const Stack &stack, const Designed &designed = {});

// A window of the wanted size (frame excluded) placed in the free screen
// area: shrunk to fit where the area is smaller, centred in it.
QRect fitCentred(QSize wanted, const QRect &available, QSize frame);
Result compute(const Input &input, const Designed &designed = {});

// One pinch toggles the window once: the first message remembers where it
// began, the next one asks for the toggle, later ones only follow the fingers.
class ZoomGesture
{
public:
    void begin(QPointF location);
    // True when this message should toggle maximized and normal state.
    bool update(QPointF location, qreal scale);
    QPointF lastLocation() const { return m_location; }
    qreal lastScale() const { return m_scale; }

private:
    QPointF m_location;
    qreal m_scale = 1.0;
    bool m_toggled = false;
};

} // namespace WindowLayout
