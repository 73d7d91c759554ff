#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QKeySequence>
#include <QMenu>
#include <QTest>

#include "platform/gui/MenuUpdate.h"
#include "tests/menus/MenuTestSupport.h"

using platform::MenuItem;
using menutest::TestWindow;

namespace {

std::vector<std::string> g_log;

// An application object that logs its EnableMenuItems event.
class RecordingApp : public platform::Application {
public:
    std::function<void()> onEnableMenuItems;
    void Event_EnableMenuItems() override
    {
        g_log.emplace_back("EnableMenuItems");
        if (onEnableMenuItems) onEnableMenuItems();
    }
};

// An item that logs its EnableMenu event with its state at that moment.
class RecordingItem : public MenuItem {
public:
    bool handlesAction = false;
    bool actionResult = false;
    int actions = 0;
    void Event_EnableMenu() override { g_log.push_back(Name() + (Enabled() ? "+" : "-")); }
    bool Event_Action() override
    {
        ++actions;
        return actionResult;
    }
    bool HandlesAction() const override { return handlesAction; }
};

template <class T = RecordingItem>
T& Add(MenuItem& parent, const char* name, const char* text, bool enabled, bool autoEnabled = true)
{
    T& item = menutest::Add<T>(parent, name, text);
    item.SetEnabled(enabled);
    item.SetAutoEnabled(autoEnabled);
    return item;
}

// A bar on a registered RecordingApp; the previous application object comes
// back afterwards.
class FrameworkMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        m_previous = platform::GetAppObject();
        platform::RegisterAppObject(&app);
        app.SetMenuBar(&bar);
        menu = &Add(bar, "M", "Menu", false);
    }
    void TearDown() override { platform::RegisterAppObject(m_previous); }

    int Updates() const { return static_cast<int>(std::count(g_log.begin(), g_log.end(), "EnableMenuItems")); }

    RecordingApp app;
    platform::MenuBar bar;
    RecordingItem* menu = nullptr;

private:
    platform::Application* m_previous = nullptr;
};

} // namespace

// AutoEnabled first, then every item's EnableMenu in bar order, then the
// application's EnableMenuItems; each once per update.
TEST_F(FrameworkMenusTest, AnUpdateRunsAutoEnablingThenTheItemsThenTheApplication)
{
    Add(*menu, "plain", "Plain", true);
    Add(*menu, "handled", "Handled", false);
    app.AddMenuHandler("handled", [] { return true; });
    Add(*menu, "acts", "Acts", false).handlesAction = true;
    Add(*menu, "manual", "Manual", false, false);
    Add(*menu, "manualOn", "Manual on", true, false);
    Add(*menu, "sep", "-", true);
    Add<platform::QuitMenuItem>(*menu, "quit", "Quit", false);
    Add(bar, "Empty", "Empty", false);

    platform::UpdateMenus();

    EXPECT_EQ(g_log, (std::vector<std::string>{"M+", "plain-", "handled+", "acts+", "manual-", "manualOn+", "sep-", "Empty+",
                                               "EnableMenuItems"}));
    EXPECT_TRUE(bar.Lookup("quit")->Enabled());
    EXPECT_FALSE(bar.Lookup("plain")->NativeItem()->IsEnabled());
}

TEST_F(FrameworkMenusTest, TheApplicationDecidesLast)
{
    MenuItem& handled = Add(*menu, "handled", "Handled", false);
    app.AddMenuHandler("handled", [] { return true; });
    app.onEnableMenuItems = [&] { handled.SetEnabled(false); };
    platform::UpdateMenus();
    EXPECT_FALSE(handled.Enabled());
    EXPECT_FALSE(handled.NativeItem()->IsEnabled());
}

TEST_F(FrameworkMenusTest, AMenuIsBroughtUpToDateBeforeItOpens)
{
    Add(*menu, "plain", "Plain", true);
    QMenu* popup = menu->NativeItem()->Submenu()->Widget();
    popup->popup(QPoint(0, 0));
    popup->hide();
    EXPECT_EQ(Updates(), 1);
    EXPECT_FALSE(bar.Lookup("plain")->Enabled());
}

// A shortcut goes by the state of this moment, not by the last update.
TEST_F(FrameworkMenusTest, AShortcutIsDeliveredByTheStateAfterAnUpdate)
{
    struct Case {
        const char* what;
        const char* shortcut;
        Qt::Key key;
        bool staleEnabled;
        bool disabledByTheApplication;
        int handled;
    };
    const Case cases[] = {
        {"disabled at the last update, available now", "Cmd+K", Qt::Key_K, false, false, 1},
        {"enabled at the last update, not available now", "Cmd+J", Qt::Key_J, true, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuItem& item = Add(*menu, c.what, "Keyed", c.staleEnabled);
        item.SetShortcut(c.shortcut);
        int handled = 0;
        app.AddMenuHandler(c.what, [&] { return ++handled > 0; });
        app.onEnableMenuItems = [&] {
            if (c.disabledByTheApplication) item.SetEnabled(false);
        };
        TestWindow window({true, true, true});
        window.Handle()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.Handle()));

        QTest::keyClick(window.Handle(), c.key, Qt::ControlModifier);
        EXPECT_EQ(handled, c.handled);
        EXPECT_GE(Updates(), 1);
        g_log.clear();
    }
}

TEST_F(FrameworkMenusTest, ChoosingAnItemRaisesActionThenTheApplicationsHandler)
{
    struct Case {
        const char* what;
        bool actionResult;
        int handlerCalls;
    };
    const Case cases[] = {{"Action not handled", false, 1}, {"Action handled", true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingItem& item = Add(*menu, c.what, "Chosen", true);
        item.actionResult = c.actionResult;
        int calls = 0;
        app.AddMenuHandler(c.what, [&] { return ++calls > 0; });
        item.NativeItem()->QtAction()->trigger();
        EXPECT_EQ(item.actions, 1);
        EXPECT_EQ(calls, c.handlerCalls);
    }
}

TEST_F(FrameworkMenusTest, QuitClosesTheWindowsFirst)
{
    MenuItem& quit = Add<platform::QuitMenuItem>(*menu, "quit", "Quit", true);
    TestWindow window({true, true, false});
    quit.NativeItem()->QtAction()->trigger();
    EXPECT_EQ(window.closeEvents, 1);
    EXPECT_FALSE(window.IsOpen());
}

TEST_F(FrameworkMenusTest, ShortcutNotationBecomesThePlatformsKeys)
{
    struct Case {
        const char* notation;
        const char* keys; // "" for no shortcut
    };
    const Case cases[] = {
        {"Cmd+W", "Ctrl+W"}, {"Cmd+Shift+Z", "Ctrl+Shift+Z"}, {"cmd+q", "Ctrl+Q"}, {"Cmd+F5", "Ctrl+F5"},
        {"Hyper+W", ""},     {"Cmd+", ""},                    {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notation);
        MenuItem& item = Add(*menu, c.notation, "Keyed", true);
        item.SetShortcut(c.notation);
        EXPECT_EQ(item.Shortcut(), c.notation);
        EXPECT_EQ(item.NativeItem()->QtAction()->shortcut(), QKeySequence(QString::fromLatin1(c.keys)));
    }
}

// The bar sits above the content: the content keeps its size, the frame
// takes in the bar.
TEST_F(FrameworkMenusTest, EveryWindowShowsTheApplicationsMenuBar)
{
    TestWindow window({true, true, false});
    QWidget* widget = window.MenuBarWidget();
    ASSERT_NE(widget, nullptr);
    EXPECT_GT(widget->height(), 0);
    EXPECT_EQ(window.ContentWidget()->y(), widget->height());
    EXPECT_GE(window.Bounds().Height, static_cast<double>(window.Height() + widget->height()));

    app.SetMenuBar(nullptr);
    TestWindow bare({true, true, false});
    EXPECT_EQ(bare.MenuBarWidget(), nullptr);
}
