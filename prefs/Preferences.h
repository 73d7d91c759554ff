#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "prefs/PreferenceNotFoundException.h"
#include "prefs/PrefsClass.h"

namespace platform {
class Window;
}

// The program's one preference store: the main window's position.
namespace Preferences {

// The members that hold the window's content position, and their defaults.
inline constexpr const char* kWinLeft = "WinLeft";
inline constexpr const char* kWinTop = "WinTop";
inline constexpr std::int64_t kDefaultWinLeft = 10;
inline constexpr std::int64_t kDefaultWinTop = 50;

// The store; absent until the main window opens.
inline std::unique_ptr<PrefsClass> Prefs;

// Makes a new store for the application the current one.
void Initialize(const std::string& appName);
// Creates the store for this application (named after its executable file),
// deletes the file when Option and Command are both held, then loads the
// file or, failing that, sets the defaults. A file that exists but cannot be
// read throws platform::IOException; the store then holds no members.
void Raed();
// Sets the default window position.
void SetDefault();
// Stores the window's content position and writes the file; a failed write
// is not reported.
void Save(platform::Window& win);

} // namespace Preferences
