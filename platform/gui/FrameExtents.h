#pragma once

#include <QMargins>
#include <QWidget>

namespace platform {

// The decorations (title bar and borders) that the window manager will put
// around a top-level window that is not shown yet, as the window manager
// estimates them when asked, in the window's logical pixels; no margins where
// there is no window manager or it cannot say. Qt itself learns them only
// once the window is on screen.
QMargins EstimatedFrameMargins(QWidget& topLevel);

} // namespace platform
