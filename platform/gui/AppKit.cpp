#include "platform/gui/AppKit.h"

#include <QApplication>
#include <QWidget>

#include "platform/gui/AboutPanel.h"
#include "platform/gui/Application.h"
#include "platform/gui/MenuItem.h"
#include "platform/gui/Responders.h"
#include "platform/gui/Window.h"

namespace platform::appkit {
namespace {

// Raises every open window, keeping their order, and activates the frontmost.
void RaiseAllWindows()
{
    const std::vector<Window*> windows = OpenWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->Handle()->raise();
    if (!windows.empty()) windows.front()->Handle()->activateWindow();
}

} // namespace

bool NSWindowClass::RespondsToSelector(std::string_view)
{
    // The window class here knows no class messages at all; in particular
    // there is no automatic tabbing to switch off.
    return false;
}

void NSWindowClass::SetAllowsAutomaticWindowTabbing(bool) {}

NSApplication& NSApplication::SharedApplication()
{
    static NSApplication application;
    return application;
}

void NSApplication::ActivateIgnoringOtherApps(bool flag)
{
    ++m_activations;
    if (flag) RaiseAllWindows();
}

NSMenu* NSApplication::MainMenu() const
{
    MenuBar* bar = GetAppMenuBar();
    return bar != nullptr ? &bar->NativeMenu() : nullptr;
}

NSObject* NSApplication::TargetForAction(const Selector& action, NSObject* target, NSObject*)
{
    if (!action) return nullptr;
    if (target != nullptr) return target->RespondsToSelector(action) ? target : nullptr;
    for (NSObject* responder : KeyWindowResponders()) {
        if (responder->RespondsToSelector(action)) return responder;
    }
    return RespondsToSelector(action) ? this : nullptr;
}

bool NSApplication::SendAction(const Selector& action, NSObject* target, NSObject* sender)
{
    NSObject* receiver = TargetForAction(action, target, sender);
    if (receiver == nullptr) return false;
    receiver->PerformAction(action, sender);
    return true;
}

void NSApplication::OrderFrontStandardAboutPanel(NSObject*)
{
    AboutPanelContents contents;
    contents.ApplicationName = QGuiApplication::applicationDisplayName().toStdString();
    if (const Application* app = GetAppObject()) {
        contents.Version = app->Version().ShortVersion;
        contents.RightsNotice = app->Version().LongVersion;
    }
    ShowAboutPanel(contents);
}

bool NSApplication::RespondsToSelector(const Selector& selector) const
{
    return selector.Name() == "arrangeInFront:";
}

void NSApplication::PerformAction(const Selector& action, NSObject*)
{
    if (RespondsToSelector(action)) RaiseAllWindows();
}

} // namespace platform::appkit
