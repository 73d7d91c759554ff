#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QLineEdit>
#include <QTest>

#include "menus/CocoaMenu.h"
#include "menus/MainMenuBar.h"
#include "platform/gui/AppKit.h"
#include "tests/menus/MenuTestSupport.h"

using CocoaMenu::CocoaMenuItem;
using platform::MenuItem;
using platform::appkit::NSMenuItem;
using platform::appkit::NSObject;
using menutest::Add;
using menutest::FakeReceiver;
using menutest::TestWindow;

namespace {

// An item of a class that names the selector "probe:" and raises its events
// into the test.
class ProbeItem : public CocoaMenuItem {
public:
    NSObject* target = nullptr;
    bool carriesOutAction = false;
    std::int64_t tag = 7;
    struct Raised {
        NSObject* receiver;
        bool enabled;
    };
    std::vector<Raised> enableMenuRaised;
    std::string raised; // "S" for each ActionSelectorName raised, "T" for each Target


protected:
    bool Event_CocoaAction() override { return carriesOutAction; }
    std::string Event_ActionSelectorName() override
    {
        raised += 'S';
        return "probe:";
    }
    std::int64_t Event_CocoaTag() override { return tag; }
    void Event_CocoaEnableMenu(NSObject* receiver) override { enableMenuRaised.push_back({receiver, Enabled()}); }
    NSObject* Event_Target(NSMenuItem*) override
    {
        raised += 'T';
        return target;
    }
};

// A bar of its own that holds one probe item, on the application for one test.
struct ProbeBar {
    platform::MenuBar bar;
    menutest::ScopedMenuBar scoped{&bar};
    ProbeItem& item = Add<ProbeItem>(Add(bar, "Probe", "Probe"), "ProbeItem", "Probe item");
};

class CocoaMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static platform::Application app;
        platform::RegisterAppObject(&app);
        app.SetMenuBar(&MainMenuBar());
    }

    static MenuItem& Item(const char* name)
    {
        MenuItem* item = MainMenuBar().Lookup(name);
        if (item == nullptr) throw std::runtime_error(std::string("no item ") + name);
        return *item;
    }
};

} // namespace

TEST_F(CocoaMenuTest, GetParentOfGivesTheMenuThatHoldsTheVeryItem)
{
    MenuItem outsider;
    outsider.SetName("FileClose"); // same name and title, but not in the bar
    outsider.SetText("Close");
    struct Case {
        const char* what;
        const MenuItem* item;
        const MenuItem* parent;
    };
    const Case cases[] = {
        {"the bar", &MainMenuBar(), nullptr},
        {"a menu of the bar", &Item("FileMenu"), &MainMenuBar()},
        {"the empty Help menu", &Item("HelpMenu"), &MainMenuBar()},
        {"Close", &Item("FileClose"), &Item("FileMenu")},
        {"the last Window item", &Item("WindowBringAlltoFront"), &Item("WindowMenu")},
        {"a separator", &Item("EditSeparator1"), &Item("EditMenu")},
        {"an item outside the bar", &outsider, nullptr},
        {"nil", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CocoaMenuItem::GetParentOf(c.item), c.parent);
    }

    menutest::ScopedMenuBar noBar(nullptr);
    EXPECT_EQ(CocoaMenuItem::GetParentOf(&Item("FileClose")), nullptr);
    EXPECT_EQ(CocoaMenuItem::GetNSMenuItem(&Item("FileClose")), nullptr);
}

TEST_F(CocoaMenuTest, FindsTheNativeMenusAndItemsByTitle)
{
    MenuItem outsider;
    outsider.SetText("Close");
    struct Case {
        const char* what;
        const MenuItem* item;
        platform::appkit::NSMenu* menu;
        NSMenuItem* nativeItem;
    };
    platform::appkit::NSMenu& mainMenu = MainMenuBar().NativeMenu();
    const Case cases[] = {
        {"the bar", &MainMenuBar(), &mainMenu, nullptr},
        {"File", &Item("FileMenu"), mainMenu.ItemWithTitle("File")->Submenu(), Item("FileMenu").NativeItem()},
        {"Help, empty", &Item("HelpMenu"), Item("HelpMenu").NativeItem()->Submenu(), Item("HelpMenu").NativeItem()},
        {"Close", &Item("FileClose"), nullptr, Item("FileClose").NativeItem()},
        {"&Undo, found as Undo", &Item("EditUndo"), nullptr, Item("EditUndo").NativeItem()},
        {"an item outside the bar", &outsider, nullptr, nullptr},
        {"nil", nullptr, nullptr, nullptr},
    };
    EXPECT_EQ(CocoaMenuItem::MainMenu(), &mainMenu);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CocoaMenuItem::GetNSMenu(c.item), c.menu);
        EXPECT_EQ(CocoaMenuItem::GetNSMenuItem(c.item), c.nativeItem);
    }
    EXPECT_NE(Item("HelpMenu").NativeItem()->Submenu(), nullptr);

    // Nothing is cached: a new title is found at once.
    MenuItem& about = Item("AppAbout");
    const std::string before = about.Text();
    about.SetText("About Something");
    EXPECT_EQ(CocoaMenuItem::GetNSMenuItem(&about), about.NativeItem());
    about.SetText(before);
}

// The native title leaves out the first "&" only, and the user sees exactly
// that title, with no mnemonic marker.
TEST_F(CocoaMenuTest, NativeTitlesDropTheFirstAmpersandOnly)
{
    platform::MenuBar bar;
    menutest::ScopedMenuBar scoped(&bar);
    MenuItem& menu = Add(bar, "Tools", "&Tools");
    struct Case {
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {"&Undo", "Undo"},
        {"&Copy & Paste", "Copy & Paste"},
        {"R&&D", "R&D"},
        {"Plain", "Plain"},
        {"Trailing&", "Trailing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        MenuItem& item = Add(menu, c.text, c.text);
        EXPECT_EQ(item.NativeItem()->Title(), c.title);
        EXPECT_EQ(menutest::Shown(*item.NativeItem()->QtAction()), c.title);
        EXPECT_EQ(CocoaMenuItem::GetNSMenuItem(&item), item.NativeItem());
    }
    EXPECT_EQ(CocoaMenuItem::GetNSMenu(&menu), menu.NativeItem()->Submenu());
    EXPECT_EQ(menutest::Shown(*menu.NativeItem()->QtAction()), "Tools");
}

TEST_F(CocoaMenuTest, EnablesFromTheReceiversAnswers)
{
    struct Case {
        const char* what;
        bool hasReceiver;
        bool answersMenuItem, answersInterfaceItem;
        bool menuItemValid, interfaceItemValid;
        bool enabled;
        std::vector<std::string> messages;
    };
    const std::string vm = "validateMenuItem:", vu = "validateUserInterfaceItem:";
    const Case cases[] = {
        {"no receiver", false, false, false, false, false, false, {}},
        {"answers neither", true, false, false, false, false, true, {}},
        {"only the interface question, yes", true, false, true, false, true, true, {vu}},
        {"only the interface question, no", true, false, true, false, false, false, {vu}},
        {"only the menu question, no", true, true, false, false, false, false, {vm}},
        {"both, no then yes", true, true, true, false, true, true, {vm, vu}},
        {"both, yes then no", true, true, true, true, false, true, {vm, vu}},
        {"both, no and no", true, true, true, false, false, false, {vm, vu}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProbeBar probe;
        ProbeItem& item = probe.item;
        FakeReceiver receiver;
        receiver.answersValidateMenuItem = c.answersMenuItem;
        receiver.answersValidateInterfaceItem = c.answersInterfaceItem;
        receiver.menuItemValid = c.menuItemValid;
        receiver.interfaceItemValid = c.interfaceItemValid;
        item.target = c.hasReceiver ? &receiver : nullptr;
        item.SetEnabled(!c.enabled);

        item.Event_EnableMenu();

        EXPECT_EQ(item.Enabled(), c.enabled);
        EXPECT_EQ(item.NativeItem()->IsEnabled(), c.enabled);
        EXPECT_EQ(receiver.messages, c.messages);
        ASSERT_EQ(item.enableMenuRaised.size(), 1u);
        EXPECT_EQ(item.enableMenuRaised[0].receiver, c.hasReceiver ? &receiver : nullptr);
        EXPECT_EQ(item.enableMenuRaised[0].enabled, c.enabled); // raised after Enabled is set
        // Wiring asks for the target and the selector; then the target is
        // tested and, when there is one, asked again for the receiver;
        // without one the selector finds the receiver.
        EXPECT_EQ(item.raised, c.hasReceiver ? "TSTT" : "TSTS");
        // The native item carries the selector, the target and the tag.
        EXPECT_EQ(item.NativeItem()->Action().Name(), "probe:");
        EXPECT_EQ(item.NativeItem()->Target(), item.target);
        EXPECT_EQ(item.NativeItem()->Tag(), 7);
        item.NativeItem()->SetTarget(nullptr);
    }
}

TEST_F(CocoaMenuTest, EventActionReportsWhetherAReceiverTookTheCommand)
{
    struct Case {
        const char* what;
        bool hasReceiver;
        bool carriesOutAction;
        bool result;
        std::vector<std::string> delivered;
    };
    const Case cases[] = {
        {"a receiver takes it", true, false, true, {"probe:"}},
        {"no receiver", false, false, false, {}},
        {"the subclass carries it out", true, true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProbeBar probe;
        ProbeItem& item = probe.item;
        FakeReceiver receiver;
        receiver.action = "probe:";
        item.target = c.hasReceiver ? &receiver : nullptr;
        item.carriesOutAction = c.carriesOutAction;

        EXPECT_EQ(item.Event_Action(), c.result);
        EXPECT_EQ(item.raised, c.carriesOutAction ? "" : "ST");
        EXPECT_EQ(receiver.messages, c.delivered);
        EXPECT_EQ(item.NativeItem()->Tag(), 7);
        for (NSObject* sender : receiver.senders) EXPECT_EQ(sender, item.NativeItem());
    }
}

// Before a menu update the framework raises Action; after it the native item
// sends its own selector. The receiver cannot tell the two apart.
TEST_F(CocoaMenuTest, ChoosingTheItemDeliversTheSameMessageBeforeAndAfterWiring)
{
    ProbeBar probe;
    ProbeItem& item = probe.item;
    FakeReceiver receiver;
    receiver.action = "probe:";
    item.target = &receiver;

    item.NativeItem()->QtAction()->trigger();
    item.Event_EnableMenu();
    ASSERT_FALSE(item.NativeItem()->Action().Name().empty());
    item.NativeItem()->QtAction()->trigger();

    EXPECT_EQ(receiver.messages, (std::vector<std::string>{"probe:", "probe:"}));
    EXPECT_EQ(receiver.senders, (std::vector<NSObject*>{item.NativeItem(), item.NativeItem()}));
    EXPECT_EQ(receiver.senderTags, (std::vector<std::int64_t>{7, 7}));
    item.NativeItem()->SetTarget(nullptr);
}

// The real items, enabled by the responder chain of the window in front.
TEST_F(CocoaMenuTest, WindowCommandsFollowTheFrontWindowsFrame)
{
    struct Case {
        const char* item;
        bool withWindow;
        TestWindow::Frame frame;
        bool enabled;
    };
    const Case cases[] = {
        {"FileClose", true, {true, true, true}, true},
        {"FileClose", true, {false, true, true}, false},
        {"FileClose", false, {}, false},
        {"WindowMinimize", true, {true, true, false}, true},
        {"WindowMinimize", true, {true, false, true}, false},
        {"WindowMinimize", false, {}, false},
        {"WindowZoom", true, {true, true, true}, true},
        {"WindowZoom", true, {true, true, false}, false},
        {"WindowZoom", false, {}, false},
        {"WindowBringAlltoFront", true, {false, false, false}, true},
        {"WindowBringAlltoFront", false, {}, true},
        {"EditSelectAll", true, {true, true, true}, false},
        {"EditSelectAll", false, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + (c.withWindow ? " with a window" : " without a window"));
        std::unique_ptr<TestWindow> window = c.withWindow ? std::make_unique<TestWindow>(c.frame) : nullptr;
        MenuItem& item = Item(c.item);
        item.SetEnabled(!c.enabled);
        item.Event_EnableMenu();
        EXPECT_EQ(item.Enabled(), c.enabled);
    }
}

TEST_F(CocoaMenuTest, WindowCommandsReachTheWindow)
{
    TestWindow window({true, true, true});
    EXPECT_TRUE(Item("WindowBringAlltoFront").Event_Action());
    EXPECT_TRUE(window.IsOpen());
    EXPECT_TRUE(Item("FileClose").Event_Action());
    EXPECT_EQ(window.closeEvents, 1);
    EXPECT_FALSE(window.IsOpen());
    EXPECT_FALSE(Item("FileClose").Event_Action()); // no window left to close
}

TEST_F(CocoaMenuTest, SelectAllGoesToTheFocusedTextControl)
{
    TestWindow window({true, true, true});
    auto* field = new QLineEdit(QStringLiteral("glyph names"), window.ContentWidget());
    field->show();
    window.Handle()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.Handle()));
    field->setFocus();
    MenuItem& selectAll = Item("EditSelectAll");

    selectAll.Event_EnableMenu();
    EXPECT_TRUE(selectAll.Enabled());
    EXPECT_TRUE(selectAll.Event_Action());
    EXPECT_EQ(field->selectedText(), QStringLiteral("glyph names"));
}
