#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class QScreen;

namespace platform {

class Window;

// The usable area of a display (without the panels and docks that the
// desktop keeps for itself), in global coordinates, as it was when the
// Screen was taken.
struct Screen {
    std::int64_t AvailableLeft = 0;
    std::int64_t AvailableTop = 0;
    std::int64_t AvailableWidth = 0;
    std::int64_t AvailableHeight = 0;

    friend bool operator==(const Screen&, const Screen&) = default;
};

// The display with that index in the platform's order, the main (primary)
// display being index 0; nothing when no display has that index.
std::optional<Screen> ScreenAt(int index);

// The platform's displays in the order of ScreenAt.
std::vector<QScreen*> NativeScreens();
// The display that the platform gives the window: the one it was last placed
// on or, before it is first shown, the one under its centre (Qt falls back to
// the primary display when none lies there). nullptr when there is none.
QScreen* NativeScreenOf(const Window& window);

} // namespace platform
