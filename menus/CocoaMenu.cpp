#include "menus/CocoaMenu.h"

#include <vector>

#include "platform/core/Text.h"
#include "platform/gui/AppKit.h"
#include "platform/gui/Application.h"

namespace CocoaMenu {
namespace {

using platform::appkit::NSMenu;
using platform::appkit::NSMenuItem;
using platform::appkit::NSObject;

// The title under which the native menus show an item: its text without the
// first "&" (a second one stays). Taken from the text at every lookup, so an
// item whose text changed is found under its new title.
std::string NativeTitleOf(const platform::MenuItem& item)
{
    return platform::ReplaceFirstPlain(item.Text(), "&", "");
}

} // namespace

platform::appkit::NSApplication* CocoaMenuItem::NSApp()
{
    return &platform::appkit::NSApplication::SharedApplication();
}

NSMenu* CocoaMenuItem::MainMenu()
{
    return NSApp()->MainMenu();
}

// Depth-first with an explicit stack: all items of a menu are compared
// before any of them is searched, and the menu pushed last is searched first.
platform::MenuItem* CocoaMenuItem::GetParentOf(const platform::MenuItem* item)
{
    if (item == nullptr) return nullptr;
    platform::MenuItem* bar = platform::GetAppMenuBar();
    if (bar == nullptr) return nullptr;
    std::vector<platform::MenuItem*> stack{bar};
    while (!stack.empty()) {
        platform::MenuItem* candidate = stack.back();
        stack.pop_back();
        for (int i = 0; i < candidate->Count(); ++i) {
            platform::MenuItem* child = candidate->Item(i);
            if (child == nullptr) continue;
            if (child == item) return candidate;
            if (child->Count() > 0) stack.push_back(child);
        }
    }
    return nullptr;
}

NSMenu* CocoaMenuItem::GetNSMenu(const platform::MenuItem* item)
{
    if (item == nullptr) return nullptr;
    if (item == platform::GetAppMenuBar()) return MainMenu();
    NSMenuItem* native = GetNSMenuItem(item);
    return native != nullptr ? native->Submenu() : nullptr;
}

NSMenuItem* CocoaMenuItem::GetNSMenuItem(const platform::MenuItem* item)
{
    NSMenu* parentMenu = GetNSMenu(GetParentOf(item));
    if (parentMenu == nullptr) return nullptr;
    return parentMenu->ItemWithTitle(NativeTitleOf(*item));
}

platform::appkit::Selector CocoaMenuItem::ActionSelector()
{
    return platform::appkit::NSSelectorFromString(Event_ActionSelectorName());
}

NSObject* CocoaMenuItem::Target(NSMenuItem* nativeItem)
{
    return Event_Target(nativeItem);
}

bool CocoaMenuItem::IsEventImplemented(std::string_view) const
{
    return false;
}

void CocoaMenuItem::Event_EnableMenu()
{
    NSMenuItem* native = GetNSMenuItem(this);
    if (native != nullptr) {
        native->SetTarget(Target(native));
        native->SetAction(ActionSelector());
        native->SetTag(Event_CocoaTag());
    }

    // Target is asked again, and once more for the receiver itself, rather
    // than remembered: a subclass may answer differently once the native
    // item is wired.
    NSObject* receiver = Target(native) != nullptr ? Target(native)
                                                   : NSApp()->TargetForAction(ActionSelector(), nullptr, native);

    if (receiver == nullptr) {
        SetEnabled(false);
    } else {
        const bool answersMenuItem = receiver->RespondsToSelector(platform::appkit::NSSelectorFromString("validateMenuItem:"));
        const bool answersInterfaceItem =
            receiver->RespondsToSelector(platform::appkit::NSSelectorFromString("validateUserInterfaceItem:"));
        if (answersMenuItem || answersInterfaceItem) {
            // Both questions are asked when both are answered; one yes is enough.
            const bool menuItemValid = answersMenuItem && receiver->ValidateMenuItem(native);
            const bool interfaceItemValid = answersInterfaceItem && receiver->ValidateUserInterfaceItem(native);
            SetEnabled(menuItemValid || interfaceItemValid);
        } else {
            SetEnabled(true);
        }
    }
    Event_CocoaEnableMenu(receiver);
}

bool CocoaMenuItem::Event_Action()
{
    NSMenuItem* native = GetNSMenuItem(this);
    if (native != nullptr) native->SetTag(Event_CocoaTag());
    // A subclass that carried the command out itself has handled it.
    if (Event_CocoaAction()) return true;
    // The selector is asked for before the target, in that order: the two
    // are events a subclass sees.
    const platform::appkit::Selector selector = ActionSelector();
    return NSApp()->SendAction(selector, Target(native), native);
}

// Each of the five items implements only ActionSelectorName.
namespace {
bool NamesOnlyItsSelector(std::string_view eventName) { return eventName == "ActionSelectorName"; }
} // namespace

bool CocoaMenuItemSelectAll::IsEventImplemented(std::string_view e) const { return NamesOnlyItsSelector(e); }
bool CocoaMenuItemClose::IsEventImplemented(std::string_view e) const { return NamesOnlyItsSelector(e); }
bool MenuItemBringAllToFront::IsEventImplemented(std::string_view e) const { return NamesOnlyItsSelector(e); }
bool MenuItemMinimize::IsEventImplemented(std::string_view e) const { return NamesOnlyItsSelector(e); }
bool MenuItemZoom::IsEventImplemented(std::string_view e) const { return NamesOnlyItsSelector(e); }

std::string CocoaMenuItemSelectAll::Event_ActionSelectorName() { return "selectAll:"; }
std::string CocoaMenuItemClose::Event_ActionSelectorName() { return "performClose:"; }
std::string MenuItemBringAllToFront::Event_ActionSelectorName() { return "arrangeInFront:"; }
std::string MenuItemMinimize::Event_ActionSelectorName() { return "performMiniaturize:"; }
std::string MenuItemZoom::Event_ActionSelectorName() { return "performZoom:"; }

} // namespace CocoaMenu
