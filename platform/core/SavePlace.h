#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include <sys/stat.h>

namespace platform {

// Where a save goes: the file that the chosen path leads to through symbolic
// links (replacing a link would cut it off from its file), and what is there.
struct SavePlace {
    std::string chosen;                // the path as chosen, for messages
    std::filesystem::path file;        // the file to write, after links
    std::optional<struct stat> existing; // nothing: there is no file yet
};

// Finds the place for a save to `path`. Throws IOException, naming `path`,
// when the place cannot be looked at (anything but "no such file"), when it
// is a folder or not a regular file, and when the user may not write to the
// file there: such a file is never replaced behind its owner's back.
SavePlace FindSavePlace(const std::string& path);

} // namespace platform
