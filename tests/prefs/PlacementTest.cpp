#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

#include "platform/gui/Geometry.h"
#include "platform/gui/Screen.h"
#include "window/WindowEx.h"

namespace platform {
void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "{" << r.Left << ", " << r.Top << ", " << r.Width << ", " << r.Height << "}";
}
} // namespace platform

namespace {

using platform::Rect;
using platform::Screen;

// A window reduced to what the keep-on-screen rule reads and sets: an outer
// frame with a 28-point title bar above the content. Every frame that is set
// is recorded, so that a case states how often and with what it was set.
struct FakeWindow {
    static constexpr double kTitleBar = 28;

    Rect frame;
    bool resizeable = false;
    std::int64_t minWidth = 0;
    std::int64_t minHeight = 0;
    std::vector<Rect> framesSet;

    Rect Bounds() const { return frame; }
    void SetBounds(const Rect& r)
    {
        frame = r;
        framesSet.push_back(r);
    }
    bool Resizeable() const { return resizeable; }
    std::int64_t Width() const { return WindowEx::Truncate(frame.Width); }
    std::int64_t Height() const { return WindowEx::Truncate(frame.Height - kTitleBar); }
    std::int64_t MinWidth() const { return minWidth; }
    std::int64_t MinHeight() const { return minHeight; }
    void SetWidth(std::int64_t width) { frame.Width = static_cast<double>(width); }
    void SetHeight(std::int64_t height) { frame.Height = static_cast<double>(height) + kTitleBar; }
};

// The usable area of a 1280 x 800 display below a 25-point menu bar:
// L 0, T 25, R 1280, B 800.
constexpr Screen kMain{0, 25, 1280, 775};

struct PlacementCase {
    const char* name;
    std::optional<Screen> screen;
    Rect frame;
    std::vector<Rect> framesSet; // in order; the last one is where the window ends
    bool resizeable = false;
    std::int64_t minWidth = 0;
    std::int64_t minHeight = 0;
    Rect grownFrame = {}; // where the window ends when no frame is set but it grew
};

void PrintTo(const PlacementCase& c, std::ostream* os)
{
    *os << c.name;
}

const PlacementCase kCases[] = {
    {"InsideIsNotTouchedAndStaysFractional", kMain, {100.5, 100.25, 370.75, 428.5}, {}},
    {"TopExactlyOnTheEdge", kMain, {100, 25, 370, 428}, {}},
    {"RightExactlyOnTheEdge", kMain, {910, 100, 370, 428}, {}},
    {"BottomExactlyOnTheEdge", kMain, {100, 372, 370, 428}, {}},
    {"ExactlyTheWholeArea", kMain, {0, 25, 1280, 775}, {}},
    {"AboveTheTopMovesDownTruncated", kMain, {100.7, 10.2, 370, 428}, {{100, 25, 370, 428}}},
    {"AboveTheTopAndTaller", kMain, {100, 10, 370, 900}, {{100, 25, 370, 775}}},
    {"TallerWithTheTopInside", kMain, {100, 50, 370, 900}, {{100, 25, 370, 775}}},
    {"BelowTheBottomMovesUp", kMain, {100, 600, 370, 428}, {{100, 372, 370, 428}}},
    {"LeftOfTheAreaMovesRight", kMain, {-30, 100, 370, 428}, {{0, 100, 370, 428}}},
    {"WiderStickingOutLeft", kMain, {-50, 100, 1400, 428}, {{0, 100, 1280, 428}}},
    {"WiderWithTheLeftInside", kMain, {100, 100, 1400, 428}, {{0, 100, 1280, 428}}},
    {"FractionalFrameEndingAt99", Screen{0, 0, 300, 600}, {100.5, 50, 200, 100}, {{99, 50, 200, 100}}},
    {"NegativeLeftTruncatesTowardZero", Screen{-1600, 0, 2000, 900}, {-10.5, -20, 370, 428}, {{-10, 0, 370, 428}}},
    {"NegativeOverflowTruncatesTowardZero", Screen{-1600, 0, 1600, 900}, {-100.5, 100, 200, 300},
     {{-199, 100, 200, 300}}},
    // Each step sees the frame that the one before it set: the top step's
    // move pushes the bottom out, the left step's move pushes the right out.
    {"EveryStepReadsTheFrameAfresh", kMain, {-10, 10, 1285, 780},
     {{-10, 25, 1285, 780}, {0, 25, 1285, 780}, {0, 25, 1280, 780}, {0, 25, 1280, 775}}},
    // A step's truncated frame can bring the next step's edge inside: the
    // top step's left of -0.5 becomes 0, the right step's bottom of 800.5
    // becomes 800, and the step after them finds nothing to do.
    {"TopStepTruncatesTheLeftOntoTheEdge", kMain, {-0.5, 10, 370, 428}, {{0, 25, 370, 428}}},
    {"RightStepTruncatesTheBottomOntoTheEdge", kMain, {1000, 100, 370, 700.5}, {{910, 100, 370, 700}}},
    // Exactly as tall or as wide as the area where the top or left step
    // looks: no shrinking there, the bottom or right step does it.
    {"AboveTheTopEndingExactlyOnTheBottom", kMain, {100, 10, 370, 790}, {{100, 25, 370, 790}, {100, 25, 370, 775}}},
    {"LeftOfTheAreaEndingExactlyOnTheRight", kMain, {-50, 100, 1330, 428},
     {{0, 100, 1330, 428}, {0, 100, 1280, 428}}},
    {"NoScreenChangesNothingNotEvenTheMinimum", std::nullopt, {-500, -500, 100, 100}, {}, true, 370, 400},
    {"ResizableBelowItsMinimumGrowsWithoutSettingTheFrame", kMain, {100, 100, 300, 228}, {}, true, 370, 400,
     {100, 100, 370, 428}},
    {"GrowingComesBeforeTheEdgeTests", kMain, {100, 500, 300, 228}, {{100, 372, 370, 428}}, true, 370, 400},
    {"NotResizableKeepsItsSize", kMain, {100, 100, 300, 228}, {}, false, 370, 400},
    {"ExactlyAtItsMinimumIsNotResized", kMain, {100, 100, 370.5, 428.5}, {}, true, 370, 400},
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, KeepsTheFrameInsideTheUsableArea)
{
    const PlacementCase& c = GetParam();
    FakeWindow window{c.frame, c.resizeable, c.minWidth, c.minHeight, {}};

    WindowEx::AdjustWindowOnScreen(window, c.screen);

    EXPECT_EQ(window.framesSet, c.framesSet);
    const Rect unset = c.grownFrame == Rect{} ? c.frame : c.grownFrame;
    EXPECT_EQ(window.frame, c.framesSet.empty() ? unset : c.framesSet.back());
}

INSTANTIATE_TEST_SUITE_P(Cases, Placement, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ScreenChoiceCase {
    const char* name;
    Rect frame;
    std::vector<Rect> screens;
    int expected;
};

// A 1280 x 1024 main screen with an 800 x 600 one to its right, and a main
// screen with a taller one to its left.
const std::vector<Rect> kMainAndRight = {{0, 0, 1280, 1024}, {1280, 0, 800, 600}};
const std::vector<Rect> kMainAndLeft = {{0, 0, 1280, 800}, {-1600, 0, 1600, 900}};

TEST(ScreenChoice, IsTheScreenHoldingTheLargestPartOfTheFrame)
{
    const ScreenChoiceCase cases[] = {
        {"PartlyOffTheRightScreensRightEdge", {1900, 100, 372, 440}, kMainAndRight, 1},
        {"CentreOnTheMainButMoreOnTheLeft", {-140, 640, 300, 300}, kMainAndLeft, 1},
        {"AFractionOfAPointDecides", {-150.5, 100, 300, 300}, kMainAndLeft, 1},
        {"ATieGoesToTheLowerIndex", {1400, 0, 200, 200}, {{0, 0, 100, 100}, {1000, 0, 500, 500}, {1500, 0, 500, 500}},
         1},
        // Beyond the right screen's corner both its overlaps are negative.
        {"BeyondACornerIsNoOverlap", {2200, 700, 100, 100}, kMainAndRight, 0},
        {"OnNoScreenGivesTheMain", {5000, 100, 300, 300}, kMainAndLeft, 0},
        {"NoScreens", {0, 0, 300, 300}, {}, 0},
    };
    for (const ScreenChoiceCase& c : cases) {
        EXPECT_EQ(WindowEx::ScreenIndexOfFrame(c.frame, c.screens), c.expected) << c.name;
    }
}

} // namespace
