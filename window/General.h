#pragma once

#include <optional>
#include <string>

#include "platform/core/FolderItem.h"

namespace platform {
class Window;
}

// The program's one alert and its save dialog.
namespace General {

// An alert with the caution icon and one button, "OK". Brings the application
// to the front first; shown as a sheet of `parent`, or application-modal
// when there is none. Returns once the user has dismissed it.
void ShowAlertOK(const std::string& message, const std::string& explanation, platform::Window* parent);

// A save dialog suggesting `suggestedName` and offering one file type with
// the given extension (without a dot). The chosen file, or nothing when the
// user cancels; the file is neither created nor tested here.
std::optional<platform::FolderItem> ShowSavePanel(const std::string& suggestedName, const std::string& extension,
                                                  const std::optional<platform::FolderItem>& initialFolder,
                                                  platform::Window* parent);

// Activates the application, also when another application is active.
void BringFrontmostMe();

} // namespace General
