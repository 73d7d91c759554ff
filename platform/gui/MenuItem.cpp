#include "platform/gui/MenuItem.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QStringList>

#include "platform/core/Text.h"
#include "platform/gui/AppKit.h"
#include "platform/gui/Application.h"
#include "platform/gui/MenuUpdate.h"
#include "platform/gui/NativeMenu.h"
#include "platform/gui/Runtime.h"

namespace platform {
namespace {

// The native title leaves out the first "&" of the text, and only that one.
std::string NativeTitle(std::string_view text)
{
    return ReplaceFirstPlain(text, "&", "");
}

// "Cmd+Shift+Z" in the platform's key sequences: Command is the Control key
// here (Qt turns Ctrl back into Command on a Mac). A notation that names an
// unknown modifier or key gives no shortcut.
QKeySequence KeySequenceOf(std::string_view notation)
{
    if (notation.empty()) return {};
    const std::vector<std::string> parts = Split(notation, "+");
    QStringList portable;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        if (PlainEquals(parts[i], "Cmd")) {
            portable << QStringLiteral("Ctrl");
        } else if (PlainEquals(parts[i], "Shift")) {
            portable << QStringLiteral("Shift");
        } else {
            return {};
        }
    }
    portable << QString::fromStdString(parts.back());
    const QKeySequence keys = QKeySequence::fromString(portable.join(QLatin1Char('+')), QKeySequence::PortableText);
    if (keys.count() != 1 || keys[0].key() == Qt::Key_unknown) return {};
    return keys;
}

} // namespace

// ---- MenuItem

MenuItem::MenuItem() : m_native(std::make_unique<appkit::NSMenuItem>())
{
    m_native->SetFrameworkHandler([this] { Choose(); });
}

MenuItem::MenuItem(WithoutNativeItem) {}

MenuItem::~MenuItem() = default;

void MenuItem::SetText(std::string text)
{
    m_text = std::move(text);
    if (!m_native) return;
    m_native->SetTitle(NativeTitle(m_text));
    m_native->SetSeparator(m_text == "-");
}

void MenuItem::SetShortcut(std::string shortcut)
{
    m_shortcut = std::move(shortcut);
    if (m_native) m_native->SetKeyEquivalent(KeySequenceOf(m_shortcut));
}

void MenuItem::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_native) m_native->SetHidden(!visible);
}

void MenuItem::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_native) m_native->SetEnabled(enabled);
}

MenuItem* MenuItem::Item(int index) const
{
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].get() : nullptr;
}

void MenuItem::AddMenu(std::unique_ptr<MenuItem> item)
{
    if (!item) return;
    MenuItem& added = *item;
    m_items.push_back(std::move(item));
    NativeMenuOfItems().AddItem(*added.m_native);
    if (ItemsAreMenus()) added.NativeMenuOfItems();
}

MenuItem* MenuItem::Child(std::string_view name) const
{
    for (const auto& item : m_items) {
        if (item->Name() == name) return item.get();
    }
    return nullptr;
}

MenuItem* MenuItem::Lookup(std::string_view name) const
{
    for (const auto& item : m_items) {
        if (item->Name() == name) return item.get();
        if (MenuItem* found = item->Lookup(name)) return found;
    }
    return nullptr;
}

appkit::NSMenu& MenuItem::NativeMenuOfItems()
{
    return m_native->MakeSubmenu();
}

void MenuItem::Choose()
{
    bool handled = false;
    runtime::Dispatch([&] { handled = Event_Action(); });
    if (handled) return;
    if (Application* app = GetAppObject()) {
        const std::string name = m_name;
        runtime::Dispatch([app, &name] { app->HandleMenuCommand(name); });
    }
}

// ---- MenuBar

MenuBar::MenuBar() : MenuItem(WithoutNativeItem{}), m_mainMenu(std::make_unique<appkit::NSMenu>())
{
    appkit::SetMenuUpdateHandler(&UpdateMenus);
}

MenuBar::~MenuBar() = default;

appkit::NSMenu& MenuBar::NativeMenuOfItems()
{
    return *m_mainMenu;
}

// ---- QuitMenuItem

bool QuitMenuItem::Event_Action()
{
    if (Application* app = GetAppObject()) {
        app->Quit();
    } else {
        QCoreApplication::quit();
    }
    return true;
}

QWidget* NewApplicationMenuBarWidget()
{
    appkit::NSMenu* mainMenu = appkit::NSApplication::SharedApplication().MainMenu();
    return mainMenu != nullptr ? mainMenu->NewMenuBarWidget() : nullptr;
}

} // namespace platform
