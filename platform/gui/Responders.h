#pragma once

#include <vector>

#include "platform/gui/NativeMenu.h"

// The receivers of the responder chain below the application: the key
// window's focused control and the key window itself.
namespace platform::appkit {

// The focused control of the key window (only when it edits text) and then
// the key window, which is the active one of the open windows or else the
// frontmost; empty when no window is open. Each receiver lives as long as
// its widget.
std::vector<NSObject*> KeyWindowResponders();

} // namespace platform::appkit
