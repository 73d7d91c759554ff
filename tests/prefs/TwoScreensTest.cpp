#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/gui/Screen.h"
#include "tests/prefs/WindowFixture.h"

// Runs on two offscreen displays side by side (TwoScreens.json): the main one
// at the origin and a taller one to its left, at negative coordinates.

namespace {

using platform::Screen;

constexpr Screen kMain{0, 0, 1280, 800};
constexpr Screen kLeft{-1600, 0, 1600, 900};

TEST(TwoScreens, AreNumberedWithTheMainScreenFirst)
{
    EXPECT_EQ(platform::ScreenAt(0), kMain);
    EXPECT_EQ(platform::ScreenAt(1), kLeft);
    EXPECT_EQ(platform::ScreenAt(2), std::nullopt);
    EXPECT_EQ(platform::ScreenAt(-1), std::nullopt);
}

const RestoreCase kRestoreCases[] = {
    {"InsideTheLeftScreenStays", R"({"WinLeft": -1200, "WinTop": 300})", -1200, 300},
    // 700 + 400 sticks out below the left screen's bottom (900), not only the
    // main screen's (800): the window goes up by 200, to 500.
    {"KeptInsideTheLeftScreen", R"({"WinLeft": -1500, "WinTop": 700})", -1500, 500},
    {"OnNoScreenComesToTheMainScreen", R"({"WinLeft": -5000, "WinTop": 300})", 0, 300},
    {"MostlyOffTheLeftScreenComesToItsLeftEdge", R"({"WinLeft": -1900, "WinTop": 300})", -1600, 300},
    // Straddling both screens with its centre on the main one, but more of it
    // on the taller left screen: kept inside that one.
    {"StraddlingKeptInsideTheScreenHoldingMore", R"({"WinLeft": -180, "WinTop": 600})", -370, 500},
};

class TwoScreenRestore : public WindowFixture, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(TwoScreenRestore, KeepsTheWindowOnTheScreenItLiesOn)
{
    const RestoreCase& c = GetParam();
    WritePrefs(c.file);
    RecordingWindow1 window;
    window.Construct();
    EXPECT_EQ(window.openedLeft, c.left);
    EXPECT_EQ(window.openedTop, c.top);
    Close(window);
}

INSTANTIATE_TEST_SUITE_P(Cases, TwoScreenRestore, ::testing::ValuesIn(kRestoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
