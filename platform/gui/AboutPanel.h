#pragma once

#include "platform/gui/AppKit.h"

namespace platform::appkit {

// The standard About panel, application-modal; returns once it is closed.
void ShowAboutPanel(const AboutPanelContents& contents);

} // namespace platform::appkit
