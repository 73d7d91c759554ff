#pragma once

namespace platform::runtime {

// Picks the window system before the Qt application object exists: the X11
// platform wherever an X server is reachable, XWayland included, since only
// there can a window place itself where it was closed. A platform the user
// chose for Qt programs (QT_QPA_PLATFORM) holds; without an X server Qt's own
// choice holds.
void ChooseWindowSystem();

} // namespace platform::runtime
