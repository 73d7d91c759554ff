#pragma once

class App;

namespace platform {
class ApplicationMenuItem;
}

namespace CocoaMenu {
class CocoaMenuItemClose;
class MenuItemBringAllToFront;
class MenuItemMinimize;
class MenuItemZoom;
} // namespace CocoaMenu

// Installs the application's menu bar on the new application object.
void InstallMenuBar(class App& app);

// The items that the application object updates, found by Name in its menu
// bar: nullptr when the bar lacks the item; a RuntimeException when the item
// found is of another class.
platform::ApplicationMenuItem* AppAbout();
CocoaMenu::CocoaMenuItemClose* FileClose();
CocoaMenu::MenuItemMinimize* WindowMinimize();
CocoaMenu::MenuItemZoom* WindowZoom();
CocoaMenu::MenuItemBringAllToFront* WindowBringAlltoFront();
