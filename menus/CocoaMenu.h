#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gui/MenuItem.h"
#include "platform/gui/NativeMenu.h"

namespace platform::appkit {
class NSApplication;
}

// Menu items that carry out no command of their own: they hand a standard
// action selector to the platform's responder chain, so that the window or
// control in front receives it, and enable themselves by asking the object
// that would receive it.
namespace CocoaMenu {

class CocoaMenuItem : public platform::MenuItem {
public:
    // Chosen: raises Action and, unless a subclass carried the command out,
    // sends the selector; true when a receiver took it.
    bool Event_Action() override;
    // Menu update: wires the native item to the selector, enables the item
    // from the receiver that the action would reach, then raises EnableMenu.
    void Event_EnableMenu() override;
    bool HandlesAction() const override { return true; }
    // Whether the item's class implements the event of that name among those
    // that this class declares for its subclasses.
    virtual bool IsEventImplemented(std::string_view eventName) const;

    // The selector named by ActionSelectorName.
    platform::appkit::Selector ActionSelector();
    // The explicit receiver that the Target event names, or nil to let the
    // responder chain choose.
    platform::appkit::NSObject* Target(platform::appkit::NSMenuItem* nativeItem);

    static platform::appkit::NSApplication* NSApp();
    static platform::appkit::NSMenu* MainMenu();
    // The menu or menu bar that directly holds the item in the application's
    // menu bar, or nil.
    static platform::MenuItem* GetParentOf(const platform::MenuItem* item);
    // The native menu that shows the item's own items; the main menu for the
    // application's menu bar; nil when not found.
    static platform::appkit::NSMenu* GetNSMenu(const platform::MenuItem* item);
    // The native item that shows the item, found by its title, or nil.
    static platform::appkit::NSMenuItem* GetNSMenuItem(const platform::MenuItem* item);

protected:
    // Events for subclasses; an event that a subclass leaves alone gives
    // false, an empty text, 0 or nil. Action and EnableMenu are raised on
    // under the names Event_CocoaAction and Event_CocoaEnableMenu, since the
    // item's own handlers of the framework's events hold the plain names.
    virtual bool Event_CocoaAction() { return false; }
    virtual std::string Event_ActionSelectorName() { return {}; }
    virtual std::int64_t Event_CocoaTag() { return 0; }
    virtual void Event_CocoaEnableMenu(platform::appkit::NSObject*) {}
    virtual platform::appkit::NSObject* Event_Target(platform::appkit::NSMenuItem*) { return nullptr; }
};

// Edit > Select All.
class CocoaMenuItemSelectAll : public CocoaMenuItem {
public:
    bool IsEventImplemented(std::string_view eventName) const override;

protected:
    std::string Event_ActionSelectorName() override;
};

// File > Close.
class CocoaMenuItemClose : public CocoaMenuItem {
public:
    bool IsEventImplemented(std::string_view eventName) const override;

protected:
    std::string Event_ActionSelectorName() override;
};

// Window > Bring All to Front.
class MenuItemBringAllToFront : public CocoaMenuItem {
public:
    bool IsEventImplemented(std::string_view eventName) const override;

protected:
    std::string Event_ActionSelectorName() override;
};

// Window > Minimize.
class MenuItemMinimize : public CocoaMenuItem {
public:
    bool IsEventImplemented(std::string_view eventName) const override;

protected:
    std::string Event_ActionSelectorName() override;
};

// Window > Zoom.
class MenuItemZoom : public CocoaMenuItem {
public:
    bool IsEventImplemented(std::string_view eventName) const override;

protected:
    std::string Event_ActionSelectorName() override;
};

} // namespace CocoaMenu
