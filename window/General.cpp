#include "window/General.h"

#include "platform/gui/AppKit.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/FileType.h"

namespace General {

void ShowAlertOK(const std::string& message, const std::string& explanation, platform::Window* parent)
{
    platform::MessageDialog dialog;
    dialog.Icon = 1;
    dialog.ActionButton.Caption = "OK";
    dialog.CancelButton.Visible = false;
    dialog.AlternateActionButton.Visible = false;
    dialog.Message = message;
    dialog.Explanation = explanation;
    BringFrontmostMe();
    if (parent == nullptr) {
        dialog.ShowModal();
    } else {
        dialog.ShowModalWithin(*parent);
    }
}

std::optional<platform::FolderItem> ShowSavePanel(const std::string& suggestedName, const std::string& extension,
                                                  const std::optional<platform::FolderItem>& initialFolder,
                                                  platform::Window* parent)
{
    platform::FileType type;
    type.Name = "FileType";
    type.Extensions = extension;

    platform::SaveAsDialog dialog;
    dialog.Filter = type.ToText();
    dialog.SuggestedFileName = suggestedName;
    dialog.InitialDirectory = initialFolder;
    return parent == nullptr ? dialog.ShowModal() : dialog.ShowModalWithin(*parent);
}

void BringFrontmostMe()
{
    platform::appkit::NSApplication::SharedApplication().ActivateIgnoringOtherApps(true);
}

} // namespace General
