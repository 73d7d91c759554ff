#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include <QGuiApplication>
#include <QScreen>

#include "tests/prefs/WindowFixture.h"

namespace {

namespace fs = std::filesystem;

class WindowPosition : public WindowFixture {
protected:
    static class Window1& Open() { return Window1(); }
};

TEST_F(WindowPosition, FirstRunOpensAtTheDefaultsAndWritesTheFinalPositionAtClose)
{
    class Window1& window = Open();
    EXPECT_TRUE(fs::is_directory(FolderPath()));
    EXPECT_FALSE(fs::exists(FilePath()));
    EXPECT_EQ(window.Left(), 10);
    EXPECT_EQ(window.Top(), 50);

    window.SetLeft(33);
    window.SetTop(44);
    Close(window);
    EXPECT_EQ(ReadPrefs(), Preferences::Value::parse(R"({"WinLeft": 33, "WinTop": 44})"));
}

// Whatever the file held, it holds the window's position as whole numbers
// once the window has closed.
const RestoreCase kRestoreCases[] = {
    {"StoredPosition", R"({"WinLeft": 120, "WinTop": 90})", 120, 90},
    {"NotJson", "WinLeft: 120", 10, 50},
    {"NotAnObject", "[120, 90]", 10, 50},
    {"LeftMissing", R"({"WinTop": 90})", 10, 90},
    {"TopMissing", R"({"WinLeft": 120})", 120, 50},
    {"TextAndNull", R"({"WinLeft": "120", "WinTop": null})", 10, 50},
    {"BooleanAndList", R"({"WinLeft": true, "WinTop": [90]})", 10, 50},
    {"FractionsAreNoPosition", R"({"WinLeft": 120.9, "WinTop": 90.2})", 10, 50},
    {"WholeNumbersWrittenWithAPoint", R"({"WinLeft": 120.0, "WinTop": 90.0})", 120, 90},
    {"BeyondTheIntegerRange", R"({"WinLeft": 1e300, "WinTop": 18446744073709551615})", 10, 50},
};

class WindowRestore : public WindowPosition, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(WindowRestore, OpensWhereTheFileSaysOrAtTheDefaults)
{
    const RestoreCase& c = GetParam();
    WritePrefs(c.file);

    class Window1& window = Open();
    EXPECT_EQ(window.Left(), c.left);
    EXPECT_EQ(window.Top(), c.top);

    const std::int64_t left = window.Left();
    const std::int64_t top = window.Top();
    Close(window);
    const Preferences::Value written = ReadPrefs();
    EXPECT_EQ(written["WinLeft"], left);
    EXPECT_EQ(written["WinTop"], top);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowRestore, ::testing::ValuesIn(kRestoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowPosition, AFileThatCannotBeReadGivesTheDefaultsAndIsLeftAlone)
{
    PutFolderInPlaceOfFile();
    class Window1& window = Open();
    EXPECT_EQ(window.Left(), 10);
    EXPECT_EQ(window.Top(), 50);
    Close(window);
    EXPECT_TRUE(fs::is_directory(FilePath()));
}

TEST_F(WindowPosition, MembersItDoesNotKnowAreKeptInTheirPlace)
{
    WritePrefs(R"({"Theme": {"Dark": true}, "WinLeft": 120, "Recent": ["a.glyphs"], "WinTop": 90})");
    class Window1& window = Open();
    window.SetLeft(200);
    Close(window);
    EXPECT_EQ(ReadPrefs(), Preferences::Value::parse(
                               R"({"Theme": {"Dark": true}, "WinLeft": 200, "Recent": ["a.glyphs"], "WinTop": 90})"));
    EXPECT_NE(ReadPrefsText().find('\n'), std::string::npos) << "written in the readable, non-compact form";
}

TEST_F(WindowPosition, OptionAndCommandOpenAtTheDefaultsAndWriteANewFile)
{
    WritePrefs(R"({"WinLeft": 120, "WinTop": 90, "Theme": "dark"})");
    HoldKeys(true, true);
    class Window1& window = Open();
    EXPECT_FALSE(fs::exists(FilePath()));
    EXPECT_EQ(window.Left(), 10);
    EXPECT_EQ(window.Top(), 50);
    Close(window);
    EXPECT_EQ(ReadPrefs(), Preferences::Value::parse(R"({"WinLeft": 10, "WinTop": 50})"));
}

TEST_F(WindowPosition, APositionOffTheScreenIsBroughtBack)
{
    WritePrefs(R"({"WinLeft": 5000, "WinTop": -300})");
    RecordingWindow1 window;
    window.Construct();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const platform::Rect expected{static_cast<double>(area.x() + area.width() - window.Width()),
                                  static_cast<double>(area.y()), static_cast<double>(window.Width()),
                                  window.openedBounds.Height};
    EXPECT_EQ(window.openedBounds, expected);
    Close(window);
}

// AdjustPosition only ever moves the window right or down, onto the main
// screen's usable area.
struct AdjustPositionCase {
    const char* name;
    std::int64_t left, top;
    std::int64_t expectedLeft, expectedTop; // -1: the usable area's edge plus the frame above the content
};

TEST_F(WindowPosition, AdjustPositionMovesOnlyRightOrDown)
{
    class Window1& window = Open();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const auto chromeAbove = static_cast<std::int64_t>(window.Bounds().Height) - window.Height();

    const AdjustPositionCase cases[] = {
        {"AboveAndLeft", -100, -100, area.x(), area.y() + chromeAbove},
        {"Inside", 200, 150, 200, 150},
        {"BeyondTheRightAndBottomStays", 5000, 5000, 5000, 5000},
    };
    for (const AdjustPositionCase& c : cases) {
        window.SetLeft(c.left);
        window.SetTop(c.top);
        window.AdjustPosition();
        EXPECT_EQ(window.Left(), c.expectedLeft) << c.name;
        EXPECT_EQ(window.Top(), c.expectedTop) << c.name;
    }
    Close(window);
}

} // namespace
