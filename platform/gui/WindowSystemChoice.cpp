#include "platform/gui/WindowSystemChoice.h"

#include <cstdlib>

namespace platform::runtime {
namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

void ChooseWindowSystem()
{
    // Qt itself takes an empty QT_QPA_PLATFORM for an unset one.
    if (IsSet("QT_QPA_PLATFORM") || !IsSet("DISPLAY")) return;
    // Wayland stays the fallback for a DISPLAY whose server has gone away.
    ::setenv("QT_QPA_PLATFORM", "xcb;wayland", 1);
}

} // namespace platform::runtime
