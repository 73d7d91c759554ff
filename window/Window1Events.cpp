#include "window/Window1.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "platform/core/Exceptions.h"
#include "platform/gui/Screen.h"
#include "prefs/Preferences.h"
#include "window/WindowEx.h"

// The window's Open and Close events: where it opens and what it keeps.

namespace {

// A stored coordinate as a whole number. Whole numbers are taken as they are,
// also when written with a point (120.0); a missing member, or any value that
// names no position (a fraction, text, true or false, null, a list, an
// object, a number beyond the 64-bit range), gives the fallback.
std::int64_t StoredCoordinate(const char* name, std::int64_t fallback)
{
    Preferences::Value value;
    try {
        value = Preferences::Prefs->Get(name);
    } catch (const Preferences::PreferenceNotFoundException&) {
        return fallback;
    }
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        return number <= static_cast<std::uint64_t>(INT64_MAX) ? static_cast<std::int64_t>(number) : fallback;
    }
    if (value.is_number_integer()) return value.get<std::int64_t>();
    if (value.is_number_float()) {
        const double number = value.get<double>();
        const bool whole = std::isfinite(number) && std::fabs(number) < 9.2e18 && std::trunc(number) == number;
        return whole ? static_cast<std::int64_t>(number) : fallback;
    }
    return fallback;
}

} // namespace

void Window1::Event_Open()
{
    try {
        Preferences::Raed();
    } catch (const platform::IOException&) {
        // A preference file that exists but cannot be read: the store holds
        // nothing, so the window takes the default position below.
    }

    SetLeft(StoredCoordinate(Preferences::kWinLeft, Preferences::kDefaultWinLeft));
    SetTop(StoredCoordinate(Preferences::kWinTop, Preferences::kDefaultWinTop));
    WindowEx::AdjustWindow(*this);
}

void Window1::Event_Close()
{
    Preferences::Save(*this);
}

void Window1::AdjustPosition()
{
    const std::optional<platform::Screen> main = platform::ScreenAt(0);
    if (!main) return;
    // The frame's height above the content (the title bar) plus the usable top.
    const double chromeHeight = Bounds().Height - static_cast<double>(Height());
    const std::int64_t minTop = WindowEx::Truncate(chromeHeight + static_cast<double>(main->AvailableTop));
    const std::int64_t minLeft = main->AvailableLeft;
    if (Top() < minTop) SetTop(minTop);
    if (Left() < minLeft) SetLeft(minLeft);
}
