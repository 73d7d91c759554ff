#pragma once

#include <filesystem>
#include <string>

#include <sys/types.h>

#include "platform/core/FileDescriptor.h"

namespace platform {

// A file for a new text, made in the folder of the place it is to take. It
// has no name where the file system allows (O_TMPFILE) and gets one only
// when it takes its place, so that a save killed before then leaves nothing
// behind; elsewhere it has a hidden name of its own until then.
class NewFile {
public:
    // Made in `folder` (not empty) with `mode` less the user's umask; fd() is negative and error()
    // tells why when no file could be made.
    NewFile(const std::filesystem::path& folder, mode_t mode);
    // Removes a named file that did not take its place; see Discard.
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    int fd() const { return m_fd.get(); }
    int error() const { return m_error; }

    // Closes the file and moves it to `place`, over the file there. Gives 0,
    // or the errno of the failed step, with the file still its own.
    int PutInPlace(const std::filesystem::path& place);

    // Removes the file after a failure. Gives an empty text, or the reason
    // that names a file that could not be removed.
    std::string Discard();

private:
    int GiveName();

    std::filesystem::path m_folder;
    std::string m_name; // empty while the file has no name
    FileDescriptor m_fd;
    int m_error = 0;
};

} // namespace platform
