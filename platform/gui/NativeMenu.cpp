#include "platform/gui/NativeMenu.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/gui/AppKit.h"

namespace platform::appkit {
namespace {

std::function<void()>& UpdateHandler()
{
    static std::function<void()> handler;
    return handler;
}

// Items that carry a key equivalent, so that a key press can be matched
// against them before Qt delivers the shortcut. Never destroyed: menu items
// that live until the process ends still leave it on their way out.
std::vector<NSMenuItem*>& KeyedItems()
{
    static auto* items = new std::vector<NSMenuItem*>;
    return *items;
}

void Forget(std::vector<NSMenuItem*>& items, NSMenuItem* item)
{
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

// Qt delivers a shortcut only to an enabled action, and an item's enabled
// state is only known once the menus are up to date. The focus object gets
// ShortcutOverride before Qt looks the shortcut up, which leaves room to
// bring the menus up to date first.
class KeyEquivalentWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
            const auto& items = KeyedItems();
            if (std::any_of(items.begin(), items.end(),
                            [&](const NSMenuItem* item) { return item->QtAction()->shortcut() == pressed; })) {
                MenuNeedsUpdate();
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void WatchKeyEquivalents()
{
    static bool installed = false;
    if (installed || QCoreApplication::instance() == nullptr) return;
    installed = true;
    QCoreApplication::instance()->installEventFilter(new KeyEquivalentWatcher(QCoreApplication::instance()));
}

// Qt reads "&" as a mnemonic marker and "&&" as one ampersand.
QString ShownExactly(const std::string& title)
{
    return QString::fromStdString(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

Selector NSSelectorFromString(std::string_view name)
{
    return Selector(std::string(name));
}

// ---- NSObject

NSObject::~NSObject() = default;

bool NSObject::RespondsToSelector(const Selector&) const { return false; }
void NSObject::PerformAction(const Selector&, NSObject*) {}
bool NSObject::ValidateMenuItem(NSMenuItem*) { return true; }
bool NSObject::ValidateUserInterfaceItem(NSMenuItem*) { return true; }

// ---- NSMenu

NSMenu::NSMenu() : m_popup(std::make_unique<QMenu>())
{
    QObject::connect(m_popup.get(), &QMenu::aboutToShow, m_popup.get(), [] { MenuNeedsUpdate(); });
}

NSMenu::~NSMenu()
{
    for (NSMenuItem* item : m_items) item->m_menu = nullptr;
}

NSMenuItem* NSMenu::ItemWithTitle(std::string_view title) const
{
    const auto found = std::find_if(m_items.begin(), m_items.end(), [&](const NSMenuItem* item) { return item->Title() == title; });
    return found == m_items.end() ? nullptr : *found;
}

void NSMenu::AddItem(NSMenuItem& item)
{
    if (item.m_menu != nullptr) item.m_menu->RemoveItem(item);
    item.m_menu = this;
    m_items.push_back(&item);
    m_popup->addAction(item.QtAction());
    for (const QPointer<QMenuBar>& bar : m_bars) {
        if (bar) bar->addAction(item.QtAction());
    }
}

void NSMenu::RemoveItem(NSMenuItem& item)
{
    if (item.m_menu != this) return;
    m_items.erase(std::remove(m_items.begin(), m_items.end(), &item), m_items.end());
    m_popup->removeAction(item.QtAction());
    for (const QPointer<QMenuBar>& bar : m_bars) {
        if (bar) bar->removeAction(item.QtAction());
    }
    item.m_menu = nullptr;
}

QMenuBar* NSMenu::NewMenuBarWidget()
{
    m_bars.erase(std::remove_if(m_bars.begin(), m_bars.end(), [](const QPointer<QMenuBar>& bar) { return bar.isNull(); }),
                 m_bars.end());
    auto* bar = new QMenuBar();
    // The bar belongs inside the window, also where the desktop offers a
    // global menu bar.
    bar->setNativeMenuBar(false);
    for (NSMenuItem* item : m_items) bar->addAction(item->QtAction());
    m_bars.emplace_back(bar);
    return bar;
}

// ---- NSMenuItem

NSMenuItem::NSMenuItem() : m_qaction(std::make_unique<QAction>())
{
    QObject::connect(m_qaction.get(), &QAction::triggered, m_qaction.get(), [this] { Choose(); });
}

NSMenuItem::~NSMenuItem()
{
    if (m_menu != nullptr) m_menu->RemoveItem(*this);
    Forget(KeyedItems(), this);
    if (m_submenu) m_qaction->setMenu(static_cast<QMenu*>(nullptr));
    m_submenu.reset();
    m_qaction.reset();
}

void NSMenuItem::SetTitle(const std::string& title)
{
    m_title = title;
    ShowTitle();
}

// A separator shows no text: some styles would draw it as a section label.
void NSMenuItem::ShowTitle()
{
    m_qaction->setText(m_qaction->isSeparator() ? QString() : ShownExactly(m_title));
}

NSMenu& NSMenuItem::MakeSubmenu()
{
    if (!m_submenu) {
        m_submenu = std::make_unique<NSMenu>();
        m_qaction->setMenu(m_submenu->Widget());
    }
    return *m_submenu;
}

bool NSMenuItem::IsEnabled() const { return m_qaction->isEnabled(); }
void NSMenuItem::SetEnabled(bool enabled) { m_qaction->setEnabled(enabled); }
void NSMenuItem::SetHidden(bool hidden) { m_qaction->setVisible(!hidden); }
void NSMenuItem::SetSeparator(bool separator)
{
    m_qaction->setSeparator(separator);
    ShowTitle();
}

void NSMenuItem::SetKeyEquivalent(const QKeySequence& keys)
{
    m_qaction->setShortcut(keys);
    Forget(KeyedItems(), this);
    if (!keys.isEmpty()) {
        KeyedItems().push_back(this);
        WatchKeyEquivalents();
    }
}

void NSMenuItem::Choose()
{
    if (m_action) {
        NSApplication::SharedApplication().SendAction(m_action, m_target, this);
    } else if (m_frameworkHandler) {
        m_frameworkHandler();
    }
}

// ---- menu updates

void SetMenuUpdateHandler(std::function<void()> handler)
{
    UpdateHandler() = std::move(handler);
}

void MenuNeedsUpdate()
{
    if (UpdateHandler()) UpdateHandler()();
}

} // namespace platform::appkit
