#include "menus/MainMenuBar.h"

#include "menus/CocoaMenu.h"
#include "menus/LocalizedMenu.h"
#include "platform/core/Exceptions.h"

namespace {

// Filled on first use and never destroyed: the bar lives until the process
// ends, and its menus, once shown, hold native windows that Qt cannot take
// down any more while static objects are destroyed at exit.
class MainMenuBar* g_mainMenuBar = nullptr;

template <class T>
std::unique_ptr<platform::MenuItem> New()
{
    return std::make_unique<T>();
}

constexpr const char* kBar = "";

} // namespace

MainMenuBar::MainMenuBar()
{
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
}

void MainMenuBar::Add(std::unique_ptr<platform::MenuItem> item, const Row& row)
{
    item->SetName(row.name);
    item->SetAutoEnabled(row.autoEnabled);
    item->SetText(row.text);
    item->SetVisible(true);
    if (row.shortcut != nullptr) item->SetShortcut(row.shortcut);
    if (*row.parent == '\0') {
        AddMenu(std::move(item));
        return;
    }
    platform::MenuItem* menu = Child(row.parent);
    if (menu == nullptr) throw platform::NilObjectException(std::string("The menu bar has no menu named ") + row.parent);
    menu->AddMenu(std::move(item));
}

void MainMenuBar::Untitled0()
{
    Add(New<platform::MenuItem>(), {"FileMenu", true, LocalizedMenu::kFile(""), "", kBar});
    Add(New<CocoaMenu::CocoaMenuItemClose>(), {"FileClose", true, LocalizedMenu::kFileClose(""), "Cmd+W", "FileMenu"});
    Add(New<platform::ApplicationMenuItem>(), {"AppAbout", true, "About", "", "FileMenu"});
    Add(New<platform::ApplicationMenuItem>(), {"FileSeparator1", true, "-", nullptr, "FileMenu"});
    Add(New<platform::QuitMenuItem>(), {"FileQuit", true, "Quit", "Cmd+Q", "FileMenu"});
}

void MainMenuBar::Untitled1()
{
    Add(New<platform::MenuItem>(), {"EditMenu", true, LocalizedMenu::kEdit(""), "", kBar});
    Add(New<platform::MenuItem>(), {"EditUndo", true, "&Undo", "Cmd+Z", "EditMenu"});
    Add(New<platform::MenuItem>(), {"EditRedo", true, "Redo", "Cmd+Shift+Z", "EditMenu"});
    Add(New<platform::MenuItem>(), {"EditSeparator1", true, "-", nullptr, "EditMenu"});
    Add(New<platform::MenuItem>(), {"EditCut", true, LocalizedMenu::kCut(""), "Cmd+X", "EditMenu"});
    Add(New<platform::MenuItem>(), {"EditCopy", true, LocalizedMenu::kCopy(""), "Cmd+C", "EditMenu"});
    Add(New<platform::MenuItem>(), {"EditPaste", true, LocalizedMenu::kPaste(""), "Cmd+V", "EditMenu"});
    Add(New<platform::MenuItem>(), {"EditClear", true, LocalizedMenu::kDelete(""), "", "EditMenu"});
    Add(New<CocoaMenu::CocoaMenuItemSelectAll>(), {"EditSelectAll", true, LocalizedMenu::kSelectAll(""), "Cmd+A", "EditMenu"});
}

void MainMenuBar::Untitled2()
{
    Add(New<platform::MenuItem>(), {"WindowMenu", true, LocalizedMenu::kWindow(""), "", kBar});
    Add(New<CocoaMenu::MenuItemMinimize>(), {"WindowMinimize", false, LocalizedMenu::kMinimize(""), "Cmd+M", "WindowMenu"});
    Add(New<CocoaMenu::MenuItemZoom>(), {"WindowZoom", false, LocalizedMenu::kZoom(""), "", "WindowMenu"});
    Add(New<platform::MenuItem>(), {"WindowSeparator1", true, "-", nullptr, "WindowMenu"});
    Add(New<CocoaMenu::MenuItemBringAllToFront>(),
        {"WindowBringAlltoFront", false, LocalizedMenu::kBringAllToFront(""), "", "WindowMenu"});
}

void MainMenuBar::Untitled3()
{
    Add(New<platform::MenuItem>(), {"HelpMenu", true, LocalizedMenu::kHelp(""), "", kBar});
}

class MainMenuBar& MainMenuBar()
{
    if (g_mainMenuBar == nullptr) g_mainMenuBar = new class MainMenuBar();
    return *g_mainMenuBar;
}
