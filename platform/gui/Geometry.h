#pragma once

namespace platform {

// A rectangle in global screen coordinates (x grows right, y grows down), in
// double precision as a window's outer frame is.
struct Rect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;

    double Right() const { return Left + Width; }
    double Bottom() const { return Top + Height; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace platform
