#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QGuiApplication>

#include "app/App.h"
#include "app/AppMenus.h"
#include "app/Startup.h"
#include "menus/CocoaMenu.h"
#include "menus/MainMenuBar.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Localization.h"
#include "platform/gui/AppKit.h"
#include "platform/gui/MenuUpdate.h"
#include "tests/menus/MenuTestSupport.h"
#include "window/FileTypeGroup1.h"
#include "window/Window1.h"

using platform::MenuItem;

namespace {

// The application object as start-up makes it: version data, menu bar and
// the About handler.
class AppMenusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        startup::NewAppInstance();
        startup::ApplicationAddMenuHandlers();
        FileTypeGroup1::Initialize();
    }
    void TearDown() override
    {
        platform::SetActiveLanguage("");
        platform::appkit::SetAboutPanelResponderForTesting(nullptr);
    }

    static MenuItem& Item(const char* name) { return *MainMenuBar().Lookup(name); }

    // The four window commands, set to one state each.
    static void SetWindowCommands(bool close, bool minimize, bool zoom, bool bringAll)
    {
        Item("FileClose").SetEnabled(close);
        Item("WindowMinimize").SetEnabled(minimize);
        Item("WindowZoom").SetEnabled(zoom);
        Item("WindowBringAlltoFront").SetEnabled(bringAll);
    }
    static std::vector<bool> WindowCommands()
    {
        return {Item("FileClose").Enabled(), Item("WindowMinimize").Enabled(), Item("WindowZoom").Enabled(),
                Item("WindowBringAlltoFront").Enabled()};
    }
};

} // namespace

TEST_F(AppMenusTest, AnItemOfAnotherClassIsRefusedAndAMissingOneIsPassedOver)
{
    platform::MenuBar bar;
    menutest::Add(menutest::Add(bar, "FileMenu", "File"), "FileClose", "Close"); // a plain item under Close's name
    menutest::ScopedMenuBar scoped(&bar);

    EXPECT_THROW(FileClose(), platform::RuntimeException);
    EXPECT_EQ(AppAbout(), nullptr);
    EXPECT_EQ(WindowZoom(), nullptr);
    App().localizeAboutMenu(); // no About item: nothing to set
}

TEST_F(AppMenusTest, TheAboutItemCarriesTheNameInTheActiveLanguage)
{
    const std::string name = App().ExecutableFile().Name();
    const std::string english = "About " + name;
    const std::string japanese = name + " \xE3\x81\xAB\xE3\x81\xA4\xE3\x81\x84\xE3\x81\xA6"; // " について"
    struct Case {
        const char* language;
        const std::string& text;
    };
    const Case cases[] = {{"en", english}, {"ja", japanese}, {"", english}, {"fr", english}, {"de", english}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        platform::SetActiveLanguage(c.language);
        App().localizeAboutMenu();
        EXPECT_EQ(AppAbout()->Text(), c.text);
        EXPECT_EQ(menutest::Shown(*AppAbout()->NativeItem()->QtAction()), c.text);
    }
}

TEST_F(AppMenusTest, AboutShowsTheStandardPanel)
{
    std::vector<platform::appkit::AboutPanelContents> shown;
    platform::appkit::SetAboutPanelResponderForTesting([&](const auto& contents) { shown.push_back(contents); });

    EXPECT_TRUE(App().AppAbout_Action());
    AppAbout()->NativeItem()->QtAction()->trigger(); // chosen from the menu

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].ApplicationName, QGuiApplication::applicationDisplayName().toStdString());
    EXPECT_FALSE(shown[0].ApplicationName.empty());
    EXPECT_EQ(shown[0].Version, "1.0.2");
    EXPECT_EQ(shown[0].RightsNotice, App().Version().LongVersion);
    EXPECT_FALSE(shown[0].RightsNotice.empty());
}

// With the main window in front, as its user sees the menus.
TEST_F(AppMenusTest, TheMainWindowInFrontSetsTheWindowCommands)
{
    class Window1& window = Window1();
    ASSERT_EQ(App().WindowAt(0), &window);
    EXPECT_NE(window.MenuBarWidget(), nullptr);

    SetWindowCommands(false, false, true, false);
    App().Event_EnableMenuItems();
    EXPECT_EQ(WindowCommands(), (std::vector<bool>{true, true, false, true}));

    platform::UpdateMenus();
    const std::pair<const char*, bool> expected[] = {
        {"FileMenu", true},   {"FileClose", true},  {"AppAbout", true},      {"FileQuit", true},
        {"EditMenu", true},   {"EditUndo", false},  {"EditRedo", false},     {"EditCut", false},
        {"EditCopy", false},  {"EditPaste", false}, {"EditClear", false},    {"EditSelectAll", false},
        {"WindowMenu", true}, {"WindowMinimize", true}, {"WindowZoom", false}, {"WindowBringAlltoFront", true},
        {"HelpMenu", true},
    };
    for (const auto& [name, enabled] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Item(name).Enabled(), enabled);
        EXPECT_EQ(Item(name).NativeItem()->IsEnabled(), enabled);
    }

    window.Close();
}

// Each command follows its own part of the front window's frame.
TEST_F(AppMenusTest, WindowCommandsFollowTheFrontWindowsOwnButtons)
{
    using menutest::TestWindow;
    struct Case { TestWindow::Frame frame; std::vector<bool> commands; };
    const Case cases[] = {
        {{false, true, false}, {false, true, false, true}},
        {{true, false, false}, {true, false, false, true}},
        {{false, false, true}, {false, false, true, true}},
    };
    for (const Case& c : cases) {
        TestWindow window(c.frame);
        window.SetHasMaximizeButton(!c.frame.resizeable); // Zoom asks whether it resizes, not for the button
        SetWindowCommands(!c.commands[0], !c.commands[1], !c.commands[2], false);
        App().Event_EnableMenuItems();
        EXPECT_EQ(WindowCommands(), c.commands);
    }
}

TEST_F(AppMenusTest, TheForwardingItemsImplementOnlyTheirSelectorName)
{
    for (const char* name : {"FileClose", "EditSelectAll", "WindowMinimize", "WindowZoom", "WindowBringAlltoFront"}) {
        SCOPED_TRACE(name);
        const auto& item = dynamic_cast<const CocoaMenu::CocoaMenuItem&>(Item(name));
        EXPECT_TRUE(item.IsEventImplemented("ActionSelectorName"));
        for (const char* other : {"Action", "CocoaTag", "EnableMenu", "Target"}) EXPECT_FALSE(item.IsEventImplemented(other));
    }
}

TEST_F(AppMenusTest, WithNoWindowTheWindowCommandsStayAsTheyAre)
{
    ASSERT_EQ(App().WindowCount(), 0);
    for (const bool state : {true, false}) {
        SCOPED_TRACE(state);
        SetWindowCommands(state, state, state, state);
        App().Event_EnableMenuItems();
        EXPECT_EQ(WindowCommands(), std::vector<bool>(4, state));
    }
}
