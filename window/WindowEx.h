#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gui/Geometry.h"
#include "platform/gui/Screen.h"

namespace platform {
class Window;
}

// Window services beyond the framework's own.
namespace WindowEx {

// Switches the platform's automatic window tabbing off, where the platform
// offers that switch.
void DisableAutoTabbing();

// The screen that holds the largest part of the window's outer frame, title
// bar included (see ScreenIndexOfFrame); the main screen when the frame lies
// on no screen. Nothing only when the platform reports no screen at all.
std::optional<platform::Screen> GetWindowScreen(const platform::Window& w);

// The index of the screen rectangle that holds the largest part of `frame`,
// the lower index on a tie; 0 when the frame overlaps none of them (touching
// an edge is no overlap).
int ScreenIndexOfFrame(const platform::Rect& frame, const std::vector<platform::Rect>& screens);

// Keeps the window's outer frame, title bar included, inside the usable area
// of its screen (see AdjustWindowOnScreen); a hidden window whose decorations
// nothing could tell in advance gets the rule once more when they appear.
void AdjustWindow(platform::Window& w);

// Truncates toward zero, as every frame value that becomes an integer is.
// Values beyond the 64-bit range, which no real frame reaches, are clamped
// instead of being left to undefined behaviour; NaN gives 0.
inline std::int64_t Truncate(double value)
{
    constexpr double kLimit = 9223372036854774784.0; // the largest double below 2^63
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return INT64_MAX;
    if (value <= -kLimit) return INT64_MIN;
    return static_cast<std::int64_t>(value);
}

// Sets the window's outer frame to that rectangle.
template <class W>
void SetWindowBounds(W& w, std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
{
    w.SetBounds(platform::Rect{static_cast<double>(left), static_cast<double>(top),
                               static_cast<double>(width), static_cast<double>(height)});
}

// The keep-on-screen rule against a given screen, for any window type with
// the members of platform::Window that it uses (tests give it a fake):
// a resizable window below its minimum content size is grown first; then the
// top, left, right and bottom edges are brought inside the usable area in
// that order. Each edge step reads the frame afresh and sets it exactly once
// when its edge sticks out; a frame that already lies inside is not touched,
// so a fractional frame stays fractional. Edge tests compare in double
// precision and are strict; without a screen nothing changes at all.
template <class W>
void AdjustWindowOnScreen(W& w, const std::optional<platform::Screen>& scr)
{
    if (!scr) return;

    if (w.Resizeable()) {
        if (w.Width() < w.MinWidth()) w.SetWidth(w.MinWidth());
        if (w.Height() < w.MinHeight()) w.SetHeight(w.MinHeight());
    }

    const std::int64_t T = scr->AvailableTop;
    const std::int64_t L = scr->AvailableLeft;
    const std::int64_t AW = scr->AvailableWidth;
    const std::int64_t AH = scr->AvailableHeight;
    const std::int64_t R = L + AW;
    const std::int64_t B = T + AH;
    const auto D = [](std::int64_t v) { return static_cast<double>(v); };

    platform::Rect bounds = w.Bounds();
    std::int64_t x = Truncate(bounds.Left);
    std::int64_t y = Truncate(bounds.Top);
    std::int64_t ww = Truncate(bounds.Width);
    std::int64_t hh = Truncate(bounds.Height);

    if (D(T) > bounds.Top) {
        y = T;
        if (bounds.Bottom() > D(B)) hh = AH;
        SetWindowBounds(w, x, y, ww, hh);
    }

    bounds = w.Bounds();
    if (D(L) > bounds.Left) {
        x = L;
        if (bounds.Left + bounds.Width > D(R)) ww = AW;
        SetWindowBounds(w, x, y, ww, hh);
    }

    bounds = w.Bounds();
    if (bounds.Right() > D(R)) {
        x = Truncate(D(x) - (bounds.Right() - D(R)));
        if (x < L) {
            x = L;
            ww = AW;
        }
        SetWindowBounds(w, x, y, ww, hh);
    }

    bounds = w.Bounds();
    if (bounds.Bottom() > D(B)) {
        y = Truncate(D(y) - (bounds.Bottom() - D(B)));
        if (y < T) {
            y = T;
            hh = AH;
        }
        SetWindowBounds(w, x, y, ww, hh);
    }
}

} // namespace WindowEx
