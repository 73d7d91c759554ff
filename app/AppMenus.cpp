#include "app/AppMenus.h"

#include <string>

#include "app/App.h"
#include "menus/CocoaMenu.h"
#include "menus/LocalizedMenu.h"
#include "menus/MainMenuBar.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Text.h"
#include "platform/gui/AppKit.h"
#include "platform/gui/Window.h"

// The application's menu bar and its commands.

namespace {

template <class T>
T* FindMenuItem(const std::string& name)
{
    platform::MenuBar* bar = App().GetMenuBar();
    platform::MenuItem* found = bar != nullptr ? bar->Lookup(name) : nullptr;
    if (found == nullptr) return nullptr;
    T* item = dynamic_cast<T*>(found);
    if (item == nullptr) throw platform::RuntimeException("The menu item " + name + " is of another class");
    return item;
}

} // namespace

void InstallMenuBar(class App& app)
{
    app.SetMenuBar(&MainMenuBar());
}

platform::ApplicationMenuItem* AppAbout() { return FindMenuItem<platform::ApplicationMenuItem>("AppAbout"); }
CocoaMenu::CocoaMenuItemClose* FileClose() { return FindMenuItem<CocoaMenu::CocoaMenuItemClose>("FileClose"); }
CocoaMenu::MenuItemMinimize* WindowMinimize() { return FindMenuItem<CocoaMenu::MenuItemMinimize>("WindowMinimize"); }
CocoaMenu::MenuItemZoom* WindowZoom() { return FindMenuItem<CocoaMenu::MenuItemZoom>("WindowZoom"); }

CocoaMenu::MenuItemBringAllToFront* WindowBringAlltoFront()
{
    return FindMenuItem<CocoaMenu::MenuItemBringAllToFront>("WindowBringAlltoFront");
}

// The window commands follow the frontmost window, asked for afresh for each
// of them; with no window open they stay as they are. An item missing from
// the bar is passed over.
void App::Event_EnableMenuItems()
{
    if (WindowCount() <= 0) return;
    if (auto* item = FileClose()) item->SetEnabled(WindowAt(0)->CloseButton());
    if (auto* item = WindowMinimize()) item->SetEnabled(WindowAt(0)->MinimizeButton());
    if (auto* item = WindowZoom()) item->SetEnabled(WindowAt(0)->Resizeable());
    if (auto* item = WindowBringAlltoFront()) item->Enable();
}

bool App::AppAbout_Action()
{
    platform::appkit::NSApplication::SharedApplication().OrderFrontStandardAboutPanel(nullptr);
    return true;
}

void App::localizeAboutMenu()
{
    const std::string name = ExecutableFile().Name();
    const std::string lang = LocalizedMenu::kLang("");
    platform::ApplicationMenuItem* item = AppAbout();
    if (item == nullptr) return;
    if (platform::PlainEquals(lang, "ja")) {
        item->SetText(name + " \u306B\u3064\u3044\u3066"); // " について"
    } else {
        item->SetText("About " + name);
    }
}
