#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/gui/NativeMenu.h"

// The few AppKit services that the program calls directly, in the shape it
// calls them. This platform has no automatic window tabbing.
namespace platform::appkit {

class NSWindowClass {
public:
    // Whether the window class answers a class message of that name.
    static bool RespondsToSelector(std::string_view selector);
    static void SetAllowsAutomaticWindowTabbing(bool allow);
};

// The platform's application object, the last receiver of the responder
// chain; it answers "arrangeInFront:".
class NSApplication : public NSObject {
public:
    static NSApplication& SharedApplication();
    // Raises the application's windows and makes the frontmost active.
    void ActivateIgnoringOtherApps(bool flag);
    // How often ActivateIgnoringOtherApps was called (read by tests).
    int ActivationCount() const { return m_activations; }

    // The native menu made from the application object's menu bar, or nil.
    NSMenu* MainMenu() const;

    // The object that would receive the action now: `target` when it answers
    // the action; with a nil target the first of the key window's focused
    // control, the key window and the application that answers it. Nil when
    // none does, and for the null selector.
    NSObject* TargetForAction(const Selector& action, NSObject* target, NSObject* sender);
    // Delivers the action to that object; false when there is none.
    bool SendAction(const Selector& action, NSObject* target, NSObject* sender);

    // Shows the standard About panel: the application's name, its version
    // and its rights notice, modally.
    void OrderFrontStandardAboutPanel(NSObject* sender);

    bool RespondsToSelector(const Selector& selector) const override;
    void PerformAction(const Selector& action, NSObject* sender) override;

private:
    NSApplication() = default;
    int m_activations = 0;
};

// What the standard About panel shows.
struct AboutPanelContents {
    std::string ApplicationName;
    std::string Version;
    std::string RightsNotice;
};
// With a responder set, the About panel reports to it instead of showing.
void SetAboutPanelResponderForTesting(std::function<void(const AboutPanelContents&)> responder);

} // namespace platform::appkit
