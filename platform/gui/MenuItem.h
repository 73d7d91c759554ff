#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace platform {

namespace appkit {
class NSMenu;
class NSMenuItem;
} // namespace appkit

// The framework's menu item: a menu, a command or a separator (Text "-").
// An item owns the items added to it, and each item keeps the native item
// that shows it up to date with its properties.
class MenuItem {
public:
    MenuItem();
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // The name by which the program finds the item.
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // The title. Its first "&" is not shown: the native title is the text
    // without it.
    const std::string& Text() const { return m_text; }
    void SetText(std::string text);

    // In the notation "Cmd+W", "Cmd+Shift+Z"; Cmd is the platform's command
    // key (Control here). Empty for none.
    const std::string& Shortcut() const { return m_shortcut; }
    void SetShortcut(std::string shortcut);

    // With AutoEnabled the framework enables the item at every menu update
    // when it has a command (see UpdateMenus); without it only the program
    // sets Enabled.
    bool AutoEnabled() const { return m_autoEnabled; }
    void SetAutoEnabled(bool autoEnabled) { m_autoEnabled = autoEnabled; }

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    void Enable() { SetEnabled(true); }

    // The items added to this one, in order.
    int Count() const { return static_cast<int>(m_items.size()); }
    MenuItem* Item(int index) const;
    void AddMenu(std::unique_ptr<MenuItem> item);
    // The item of that name among this item's own items, or nullptr.
    MenuItem* Child(std::string_view name) const;
    // The item of that name at any depth below this one, or nullptr.
    MenuItem* Lookup(std::string_view name) const;

    // Events. The framework raises Action when the item is chosen (true:
    // handled) and EnableMenu at every menu update; the defaults do nothing,
    // as an unhandled event does.
    virtual bool Event_Action() { return false; }
    virtual void Event_EnableMenu() {}
    // Whether the item's class handles the framework's Action event, that is,
    // whether choosing it does anything of its own.
    virtual bool HandlesAction() const { return false; }

    // The native item that shows this item; nil for the menu bar.
    appkit::NSMenuItem* NativeItem() const { return m_native.get(); }

protected:
    struct WithoutNativeItem {};
    explicit MenuItem(WithoutNativeItem);
    // The native menu that shows this item's own items, made on first use.
    virtual appkit::NSMenu& NativeMenuOfItems();
    // Whether every item added here is a menu that opens, empty or not.
    virtual bool ItemsAreMenus() const { return false; }

private:
    // What the framework does when the native item is chosen and carries no
    // action of its own: Action, then the application's menu handler.
    void Choose();

    std::string m_name;
    std::string m_text;
    std::string m_shortcut;
    bool m_autoEnabled = true;
    bool m_visible = true;
    bool m_enabled = true;
    // Declared before the items, so that the items and their native items go
    // first when the item is destroyed.
    std::unique_ptr<appkit::NSMenuItem> m_native;
    std::vector<std::unique_ptr<MenuItem>> m_items;
};

// The application's menu bar: its items are the menus shown as titles. The
// native main menu shows them; every menu of the bar opens a native menu,
// also while it is empty.
class MenuBar : public MenuItem {
public:
    MenuBar();
    ~MenuBar() override;

    appkit::NSMenu& NativeMenu() const { return *m_mainMenu; }

protected:
    appkit::NSMenu& NativeMenuOfItems() override;
    bool ItemsAreMenus() const override { return true; }

private:
    std::unique_ptr<appkit::NSMenu> m_mainMenu;
};

// An item that belongs to the application rather than to a window. On this
// platform it stays where the bar puts it.
class ApplicationMenuItem : public MenuItem {};

// The framework's Quit item: choosing it quits the application, closing its
// windows first.
class QuitMenuItem : public ApplicationMenuItem {
public:
    bool Event_Action() override;
    bool HandlesAction() const override { return true; }
};

// A menu bar widget showing the application's menu bar, for a window to put
// above its content; nullptr when the application has no menu bar.
QWidget* NewApplicationMenuBarWidget();

} // namespace platform
