#pragma once

#include "repair/Messages.h"

// Shows the engine's messages in real dialogs: alerts through the program's
// alert, message boxes in the platform's plain message box.
class GuiMessageSink : public repair::MessageSink {
public:
    void ShowAlert(const std::string& message, const std::string& explanation) override;
    void ShowMessageBox(const std::string& text) override;

    // Makes the one GUI sink receive the engine's messages from now on.
    static void Install();
};
