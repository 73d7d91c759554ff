#include "platform/gui/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {

std::vector<QScreen*> NativeScreens()
{
    // Qt keeps the primary display first; putting it there again costs
    // nothing and keeps index 0 the main screen whatever the platform plugin.
    std::vector<QScreen*> screens;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) screens.push_back(primary);
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) screens.push_back(screen);
    }
    return screens;
}

} // namespace

std::optional<Screen> ScreenAt(int index)
{
    const std::vector<QScreen*> screens = NativeScreens();
    if (index < 0 || static_cast<std::size_t>(index) >= screens.size()) return std::nullopt;
    const QRect area = screens[static_cast<std::size_t>(index)]->availableGeometry();
    return Screen{area.x(), area.y(), area.width(), area.height()};
}

std::vector<Rect> ScreenFrames()
{
    std::vector<Rect> frames;
    for (QScreen* screen : NativeScreens()) {
        const QRect frame = screen->geometry();
        frames.push_back(Rect{static_cast<double>(frame.x()), static_cast<double>(frame.y()),
                              static_cast<double>(frame.width()), static_cast<double>(frame.height())});
    }
    return frames;
}

} // namespace platform
