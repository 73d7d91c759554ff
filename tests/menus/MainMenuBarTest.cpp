#include <gtest/gtest.h>

#include <set>

#include <string>
#include <typeindex>
#include <vector>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "menus/CocoaMenu.h"
#include "menus/LocalizedMenu.h"
#include "menus/MainMenuBar.h"
#include "platform/gui/NativeMenu.h"
#include "tests/menus/MenuTestSupport.h"

using platform::MenuItem;

namespace {

struct Row {
    const char* name;
    std::type_index cls;
    const char* text;
    const char* keys;   // the key sequence the user sees and presses
    bool autoEnabled;
    const char* parent; // "" for the bar
};

const Row kRows[] = {
    {"FileMenu", typeid(MenuItem), "File", "", true, ""},
    {"FileClose", typeid(CocoaMenu::CocoaMenuItemClose), "Close", "Ctrl+W", true, "FileMenu"},
    {"AppAbout", typeid(platform::ApplicationMenuItem), "About", "", true, "FileMenu"},
    {"FileSeparator1", typeid(platform::ApplicationMenuItem), "-", "", true, "FileMenu"},
    {"FileQuit", typeid(platform::QuitMenuItem), "Quit", "Ctrl+Q", true, "FileMenu"},
    {"EditMenu", typeid(MenuItem), "Edit", "", true, ""},
    {"EditUndo", typeid(MenuItem), "&Undo", "Ctrl+Z", true, "EditMenu"},
    {"EditRedo", typeid(MenuItem), "Redo", "Ctrl+Shift+Z", true, "EditMenu"},
    {"EditSeparator1", typeid(MenuItem), "-", "", true, "EditMenu"},
    {"EditCut", typeid(MenuItem), "Cut", "Ctrl+X", true, "EditMenu"},
    {"EditCopy", typeid(MenuItem), "Copy", "Ctrl+C", true, "EditMenu"},
    {"EditPaste", typeid(MenuItem), "Paste", "Ctrl+V", true, "EditMenu"},
    {"EditClear", typeid(MenuItem), "Delete", "", true, "EditMenu"},
    {"EditSelectAll", typeid(CocoaMenu::CocoaMenuItemSelectAll), "Select All", "Ctrl+A", true, "EditMenu"},
    {"WindowMenu", typeid(MenuItem), "Window", "", true, ""},
    {"WindowMinimize", typeid(CocoaMenu::MenuItemMinimize), "Minimize", "Ctrl+M", false, "WindowMenu"},
    {"WindowZoom", typeid(CocoaMenu::MenuItemZoom), "Zoom", "", false, "WindowMenu"},
    {"WindowSeparator1", typeid(MenuItem), "-", "", true, "WindowMenu"},
    {"WindowBringAlltoFront", typeid(CocoaMenu::MenuItemBringAllToFront), "Bring All to Front", "", false, "WindowMenu"},
    {"HelpMenu", typeid(MenuItem), "Help", "", true, ""},
};

// The bar's items in bar order, depth first, with the name of their parent.
void Flatten(const MenuItem& parent, const std::string& parentName, std::vector<std::pair<MenuItem*, std::string>>& out)
{
    for (int i = 0; i < parent.Count(); ++i) {
        out.emplace_back(parent.Item(i), parentName);
        Flatten(*parent.Item(i), parent.Item(i)->Name(), out);
    }
}

} // namespace

// The bar as the program holds it and as a window's menu bar widget shows
// it: its menus and their entries, with their shortcuts.
TEST(MainMenuBar, IsBuiltOnceWithItsTwentyRowsInOrderAndShowsThem)
{
    class MainMenuBar& bar = MainMenuBar();
    ASSERT_EQ(&bar, &MainMenuBar());
    ASSERT_EQ(bar.Count(), 4); // the builders ran once

    std::vector<std::pair<MenuItem*, std::string>> items;
    Flatten(bar, "", items);
    std::unique_ptr<QMenuBar> widget(bar.NativeMenu().NewMenuBarWidget());
    std::vector<const QAction*> shown;
    for (const QAction* title : widget->actions()) {
        shown.push_back(title);
        ASSERT_NE(title->menu(), nullptr) << title->text().toStdString();
        for (const QAction* entry : title->menu()->actions()) shown.push_back(entry);
    }
    ASSERT_EQ(items.size(), std::size(kRows));
    ASSERT_EQ(shown.size(), std::size(kRows));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Row& row = kRows[i];
        MenuItem& item = *items[i].first;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(item.Name(), row.name);
        EXPECT_EQ(std::type_index(typeid(item)), row.cls);
        EXPECT_EQ(item.Text(), row.text);
        EXPECT_EQ(item.AutoEnabled(), row.autoEnabled);
        EXPECT_TRUE(item.Visible());
        EXPECT_EQ(items[i].second, row.parent);

        const bool separator = std::string(row.text) == "-";
        EXPECT_EQ(shown[i]->isSeparator(), separator);
        EXPECT_EQ(menutest::Shown(*shown[i]), separator ? "" : std::string(row.text) == "&Undo" ? "Undo" : row.text);
        EXPECT_EQ(shown[i]->shortcut(), QKeySequence(QString::fromLatin1(row.keys)));
    }
    EXPECT_TRUE(widget->actions().back()->menu()->actions().isEmpty()); // Help
}

TEST(MainMenuBar, FindsItemsByTheirExactName)
{
    struct Case {
        const char* name;
        const char* text; // nullptr: not found
    };
    const Case cases[] = {
        {"WindowBringAlltoFront", "Bring All to Front"},
        {"WindowBringAllToFront", nullptr},
        {"fileclose", nullptr},
        {"FileClose", "Close"},
        {"HelpMenu", "Help"},
        {"EditSeparator1", "-"},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuItem* found = MainMenuBar().Lookup(c.name);
        if (c.text == nullptr) {
            EXPECT_EQ(found, nullptr);
        } else {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->Text(), c.text);
        }
    }
    EXPECT_EQ(MainMenuBar().Child("FileClose"), nullptr); // Child looks one level down only
}

// Every constant is found in the Japanese table under its own key; a
// misspelt key would silently fall back to English.
TEST(LocalizedMenu, EveryConstantHasItsJapaneseText)
{
    using Constant = std::string (*)(std::string_view);
    const std::pair<Constant, const char*> constants[] = {
        {LocalizedMenu::kFile, "File"},         {LocalizedMenu::kFileClose, "Close"},
        {LocalizedMenu::kEdit, "Edit"},         {LocalizedMenu::kCut, "Cut"},
        {LocalizedMenu::kCopy, "Copy"},         {LocalizedMenu::kPaste, "Paste"},
        {LocalizedMenu::kDelete, "Delete"},     {LocalizedMenu::kSelectAll, "Select All"},
        {LocalizedMenu::kWindow, "Window"},     {LocalizedMenu::kMinimize, "Minimize"},
        {LocalizedMenu::kZoom, "Zoom"},         {LocalizedMenu::kBringAllToFront, "Bring All to Front"},
        {LocalizedMenu::kHelp, "Help"},         {LocalizedMenu::kLang, "en"},
    };
    std::set<std::string> japanese;
    for (const auto& [constant, english] : constants) {
        SCOPED_TRACE(english);
        EXPECT_EQ(constant("en"), english);
        EXPECT_EQ(constant(""), english); // the tests run in English
        EXPECT_EQ(constant("fr"), english);
        EXPECT_NE(constant("ja"), english);
        japanese.insert(constant("ja"));
    }
    // Every constant has a text of its own: none looks up another's key.
    EXPECT_EQ(japanese.size(), std::size(constants));
    EXPECT_EQ(LocalizedMenu::kLang("ja"), "ja");
}
