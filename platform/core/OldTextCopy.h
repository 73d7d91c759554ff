#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace platform {

// A copy of a file's old text beside it, for the time the file is being
// overwritten: a crash half-way then leaves the old text there. Its name is
// the file's with "~" added (shortened where that would pass the file
// system's limit, then numbered where that name is taken): never over an
// existing file.
class OldTextCopy {
public:
    // Writes `old` to the copy with the permission bits `mode` and puts it
    // on the disk, its name included. Throws IOException, naming `chosen`,
    // with nothing left behind, when it cannot.
    OldTextCopy(const std::filesystem::path& file, std::string_view old, mode_t mode, const std::string& chosen);
    OldTextCopy(const OldTextCopy&) = delete;
    OldTextCopy& operator=(const OldTextCopy&) = delete;

    const std::string& Path() const { return m_path; }

    // Removes the copy once it is not needed. Gives an empty text, or the
    // reason that names the copy that is left.
    std::string Remove();

private:
    std::string m_path;
};

} // namespace platform
