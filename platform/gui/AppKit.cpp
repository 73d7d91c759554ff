#include "platform/gui/AppKit.h"

#include <QApplication>
#include <QWidget>

#include "platform/gui/Window.h"

namespace platform::appkit {

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
    if (!flag) return;
    const std::vector<Window*> windows = OpenWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->Handle()->raise();
    if (!windows.empty()) windows.front()->Handle()->activateWindow();
}

} // namespace platform::appkit
