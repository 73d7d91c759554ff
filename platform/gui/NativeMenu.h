#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QPointer>

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QWidget;

// The AppKit side of the menus: native menus and items, the messages that
// receivers answer, and the selectors that name those messages. Native menus
// are shown with Qt: a menu is a QMenu, an item a QAction, and the main menu
// is shown by one QMenuBar inside each window.
namespace platform::appkit {

class NSMenu;
class NSMenuItem;

// The name of a message, such as "performClose:". The empty name gives the
// null selector, which no object answers.
class Selector {
public:
    Selector() = default;
    const std::string& Name() const { return m_name; }
    explicit operator bool() const { return !m_name.empty(); }
    friend bool operator==(const Selector&, const Selector&) = default;

private:
    friend Selector NSSelectorFromString(std::string_view name);
    explicit Selector(std::string name) : m_name(std::move(name)) {}
    std::string m_name;
};

Selector NSSelectorFromString(std::string_view name);

// An object that messages can be sent to. Whoever sends a message asks
// RespondsToSelector first; an object is sent only what it answers.
class NSObject {
public:
    NSObject() = default;
    virtual ~NSObject();
    NSObject(const NSObject&) = delete;
    NSObject& operator=(const NSObject&) = delete;

    virtual bool RespondsToSelector(const Selector& selector) const;
    // Carries out an action message; `sender` may be nil.
    virtual void PerformAction(const Selector& action, NSObject* sender);
    // "validateMenuItem:" and "validateUserInterfaceItem:": whether the
    // command of the item (which may be nil) is available now.
    virtual bool ValidateMenuItem(NSMenuItem* item);
    virtual bool ValidateUserInterfaceItem(NSMenuItem* item);
};

// A native menu: its items in order, shown by a popup menu and, for the main
// menu, by the menu bar of every window.
class NSMenu {
public:
    NSMenu();
    ~NSMenu();
    NSMenu(const NSMenu&) = delete;
    NSMenu& operator=(const NSMenu&) = delete;

    // The first item whose title is exactly `title`, or nil.
    NSMenuItem* ItemWithTitle(std::string_view title) const;

    // Appends an item; the menu does not own it.
    void AddItem(NSMenuItem& item);
    void RemoveItem(NSMenuItem& item);

    // A new menu bar widget that shows this menu's items as menu titles and
    // follows later additions; whoever takes it owns it.
    QMenuBar* NewMenuBarWidget();

    QMenu* Widget() const { return m_popup.get(); }

private:
    std::unique_ptr<QMenu> m_popup;
    std::vector<NSMenuItem*> m_items;
    std::vector<QPointer<QMenuBar>> m_bars;
};

// A native menu item. Choosing it sends its action to its target (or through
// the responder chain when the target is nil); an item without an action
// leaves the choice to the framework's own handler.
class NSMenuItem : public NSObject {
public:
    NSMenuItem();
    ~NSMenuItem() override;

    // The title is shown exactly: an "&" is no mnemonic here.
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title);

    // The menu that this item opens, or nil; made on first request.
    NSMenu* Submenu() const { return m_submenu.get(); }
    NSMenu& MakeSubmenu();

    // The target is not owned; nil lets the responder chain choose.
    NSObject* Target() const { return m_target; }
    void SetTarget(NSObject* target) { m_target = target; }
    const Selector& Action() const { return m_action; }
    void SetAction(Selector action) { m_action = std::move(action); }
    std::int64_t Tag() const { return m_tag; }
    void SetTag(std::int64_t tag) { m_tag = tag; }

    bool IsEnabled() const;
    void SetEnabled(bool enabled);
    void SetHidden(bool hidden);
    void SetSeparator(bool separator);
    void SetKeyEquivalent(const QKeySequence& keys);

    // Runs when the item is chosen while it has no action.
    void SetFrameworkHandler(std::function<void()> handler) { m_frameworkHandler = std::move(handler); }

    // Chooses the item as a click or its key equivalent does.
    void Choose();

    QAction* QtAction() const { return m_qaction.get(); }

private:
    friend class NSMenu;
    void ShowTitle();
    std::string m_title;
    std::unique_ptr<QAction> m_qaction;
    std::unique_ptr<NSMenu> m_submenu;
    NSMenu* m_menu = nullptr;
    NSObject* m_target = nullptr;
    Selector m_action;
    std::int64_t m_tag = 0;
    std::function<void()> m_frameworkHandler;
};

// The framework brings its menus up to date here; the native menus ask for it
// before a menu opens and before a key equivalent is delivered.
void SetMenuUpdateHandler(std::function<void()> handler);
void MenuNeedsUpdate();

} // namespace platform::appkit
