#pragma once

#include <string>

#include <sys/types.h>

#include "platform/core/FileDescriptor.h"

namespace platform {

// A file made in a folder, for a new text or for a copy of an old one. It
// has no name where the file system allows (O_TMPFILE), so that a save
// killed before it is named leaves nothing behind; elsewhere it has a hidden
// name of its own, ".sorvanel-<16 hexadecimal digits>.tmp", until then.
class NewFile {
public:
    // Made in the open folder `folder` (its path `folderPath` is for
    // messages) with `mode` less the user's umask; fd() is negative and
    // error() tells why when no file could be made.
    NewFile(int folder, std::string folderPath, mode_t mode);
    // Removes a hidden name that is still there; see Discard.
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    int fd() const { return m_fd.get(); }
    int error() const { return m_error; }

    // Closes the file and moves it to `name` in its folder, over the file
    // there. Gives 0, or the errno of the failed step, with the file still
    // its own. Between its hidden name and the move, a kill leaves the
    // hidden name: a file cannot be linked over another.
    int PutInPlace(const std::string& name);

    // Gives the file the name `name` in its folder as well, never over an
    // existing file (EEXIST when it is taken). Gives 0, or the errno of the
    // failure. A hidden name it had stays until Discard.
    int LinkAs(const std::string& name);

    // Closes the file. Gives 0, or the errno of a failed close.
    int Close() { return m_fd.Close(); }

    // Closes the file and removes its hidden name, after a failure or once
    // it has its own. Gives an empty text, or the reason that names a file
    // that could not be removed.
    std::string Discard();

    // Removes its hidden name, once it has its own, and keeps it open; gives
    // what Discard gives.
    std::string DropHiddenName();

private:
    int LinkDescriptor(const std::string& name);
    int GiveHiddenName();

    int m_folder;
    std::string m_folderPath;
    std::string m_name; // the hidden name; empty while the file has none
    FileDescriptor m_fd;
    int m_error = 0;
};

// The reason for a failure of a NewFile to be made or to take its place:
// there, EEXIST means that every hidden name it tried was taken.
std::string NewFileReason(int error);

} // namespace platform
