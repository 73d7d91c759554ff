#include "window/WindowEx.h"

#include <vector>

#include "platform/gui/AppKit.h"
#include "platform/gui/Window.h"

namespace WindowEx {

void DisableAutoTabbing()
{
    using platform::appkit::NSWindowClass;
    if (NSWindowClass::RespondsToSelector("setAllowsAutomaticWindowTabbing:")) {
        NSWindowClass::SetAllowsAutomaticWindowTabbing(false);
    }
}

std::optional<platform::Screen> GetWindowScreen(const platform::Window& w)
{
    const std::vector<QScreen*> screens = platform::NativeScreens();
    QScreen* own = platform::NativeScreenOf(w);
    // The very same display object, not one with an equal frame.
    for (std::size_t i = 0; i < screens.size(); ++i) {
        if (own != nullptr && screens[i] == own) return platform::ScreenAt(static_cast<int>(i));
    }
    return platform::ScreenAt(0);
}

void AdjustWindow(platform::Window& w)
{
    AdjustWindowOnScreen(w, GetWindowScreen(w));
    // Measured without the window manager's decorations, the frame may still
    // stick out once they are around it: the rule runs once more then.
    w.PlaceAgainWhenDecorated([&w] { AdjustWindowOnScreen(w, GetWindowScreen(w)); });
}

} // namespace WindowEx
