#pragma once

#include <optional>
#include <string>

#include <sys/stat.h>

#include "platform/core/FileDescriptor.h"

namespace platform {

// Where a save goes, looked at once. The kernel follows the chosen path's
// links, and refuses those it must not follow (a link in a sticky folder,
// for one). The file found there is opened for reading and writing, without
// following a link, from the folder that holds it, and is checked to be the
// file that was found: every later step works through these descriptors, so
// a link put in the file's place meanwhile is never written through.
class SavePlace {
public:
    // Throws IOException, naming `path`, when the place cannot be looked at
    // (anything but "no such file"), when it is a folder or not a regular
    // file, when the user may not read and write the file there (such a file
    // is never replaced behind its owner's back), and when another file took
    // its place while it was looked at.
    explicit SavePlace(const std::string& path);
    SavePlace(const SavePlace&) = delete;
    SavePlace& operator=(const SavePlace&) = delete;

    const std::string& Chosen() const { return m_chosen; }
    // The folder that holds the file (a descriptor for *at calls), its path
    // for messages, and the file's name in it.
    int Folder() const { return m_folder.get(); }
    const std::string& FolderPath() const { return m_folderPath; }
    const std::string& Name() const { return m_name; }

    // Whether there is a file to save over; File() and Existing() are
    // meaningful only then.
    bool HasFile() const { return m_file.get() >= 0; }
    int File() const { return m_file.get(); }
    const struct stat& Existing() const { return m_existing; }
    // Closes the file: gives 0, or the errno of a failed close.
    int CloseFile() { return m_file.Close(); }

    // Gives an empty text while the name in the folder still leads to the
    // file that was looked at, or still to no file; otherwise the reason
    // why a new file must not take its place.
    std::string WhyNotInPlace() const;

private:
    std::string m_chosen;
    std::string m_folderPath;
    std::string m_name;
    FileDescriptor m_folder{-1};
    FileDescriptor m_file{-1};
    struct stat m_existing {};
    std::optional<struct stat> m_entry; // what the name itself was: the file, a broken link, or nothing
};

} // namespace platform
