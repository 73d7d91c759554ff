#include "window/WindowEx.h"

#include <algorithm>
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
    // Against the screens' whole frames, not their usable areas: a window
    // under a panel still lies on that panel's screen.
    return platform::ScreenAt(ScreenIndexOfFrame(w.Bounds(), platform::ScreenFrames()));
}

int ScreenIndexOfFrame(const platform::Rect& frame, const std::vector<platform::Rect>& screens)
{
    int best = 0;
    double bestArea = 0;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const platform::Rect& screen = screens[i];
        const double width = std::min(frame.Right(), screen.Right()) - std::max(frame.Left, screen.Left);
        const double height = std::min(frame.Bottom(), screen.Bottom()) - std::max(frame.Top, screen.Top);
        if (width <= 0 || height <= 0) continue;
        // Only a strictly larger part wins, so a tie keeps the lower index.
        if (width * height > bestArea) {
            best = static_cast<int>(i);
            bestArea = width * height;
        }
    }
    return best;
}

void AdjustWindow(platform::Window& w)
{
    AdjustWindowOnScreen(w, GetWindowScreen(w));
    // Measured without the window manager's decorations, the frame may still
    // stick out once they are around it: the rule runs once more then.
    w.PlaceAgainWhenDecorated([&w] { AdjustWindowOnScreen(w, GetWindowScreen(w)); });
}

} // namespace WindowEx
