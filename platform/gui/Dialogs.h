#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/core/FolderItem.h"

namespace platform {

class Window;

// A button of a message dialog.
struct DialogButton {
    std::string Caption;
    bool Visible = true;
};

// The framework's message dialog: an icon, a message, an explanation and up to
// three buttons. Icon codes: -1 none, 0 note, 1 caution, 2 stop, 3 question.
class MessageDialog {
public:
    MessageDialog();

    int Icon = 0;
    std::string Message;
    std::string Explanation;
    DialogButton ActionButton;
    DialogButton CancelButton;
    DialogButton AlternateActionButton;

    enum class Pressed { Action, Cancel, Alternate };

    // Shows the dialog application-modally and waits for the user.
    Pressed ShowModal();
    // Shows it as a sheet of `parent` (window-modal) and waits for the user.
    Pressed ShowModalWithin(Window& parent);

    // Tests answer dialogs here instead of the user: the responder gets the
    // dialog and the parent window (or nullptr) and returns the button.
    using Responder = std::function<Pressed(const MessageDialog&, Window* parent)>;
    static void SetResponderForTesting(Responder responder);

private:
    Pressed Show(Window* parent);
};

// The framework's save dialog.
class SaveAsDialog {
public:
    std::string Filter;            // names registered file types, ";"-separated
    std::string SuggestedFileName;
    std::optional<FolderItem> InitialDirectory;
    std::string Title;

    // The chosen file, or nothing when the user cancels.
    std::optional<FolderItem> ShowModal();
    std::optional<FolderItem> ShowModalWithin(Window& parent);

    using Responder = std::function<std::optional<FolderItem>(const SaveAsDialog&, Window* parent)>;
    static void SetResponderForTesting(Responder responder);

private:
    std::optional<FolderItem> Show(Window* parent);
};

// The framework's plain message box: the text and one OK button, modal, with
// no activation of the application first.
void MsgBox(const std::string& text);
void SetMsgBoxResponderForTesting(std::function<void(const std::string&)> responder);

} // namespace platform
