#pragma once

#include <string_view>

// The few AppKit services that the program calls directly, in the shape it
// calls them. This platform has no automatic window tabbing.
namespace platform::appkit {

class NSWindowClass {
public:
    // Whether the window class answers a class message of that name.
    static bool RespondsToSelector(std::string_view selector);
    static void SetAllowsAutomaticWindowTabbing(bool allow);
};

class NSApplication {
public:
    static NSApplication& SharedApplication();
    // Raises the application's windows and makes the frontmost active.
    void ActivateIgnoringOtherApps(bool flag);
    // How often ActivateIgnoringOtherApps was called (read by tests).
    int ActivationCount() const { return m_activations; }

private:
    int m_activations = 0;
};

} // namespace platform::appkit
