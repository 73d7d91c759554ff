#include "window/WindowEx.h"

#include "platform/gui/AppKit.h"

namespace WindowEx {

void DisableAutoTabbing()
{
    using platform::appkit::NSWindowClass;
    if (NSWindowClass::RespondsToSelector("setAllowsAutomaticWindowTabbing:")) {
        NSWindowClass::SetAllowsAutomaticWindowTabbing(false);
    }
}

} // namespace WindowEx
