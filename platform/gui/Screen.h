#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gui/Geometry.h"

namespace platform {

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

// The whole area of each display, panels and docks included, in global
// coordinates and in the order of ScreenAt.
std::vector<Rect> ScreenFrames();

} // namespace platform
