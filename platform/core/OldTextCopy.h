#pragma once

#include <string>
#include <string_view>

#include "platform/core/SavePlace.h"

namespace platform {

// A copy of a file's old text beside it, for the time the file is being
// written into: a crash half-way then leaves the old text there. Its name is
// the file's with "~" added (shortened where that would pass the file
// system's limit, then numbered where that name is taken). The copy is
// written unnamed, or under a hidden name, and gets its own name, never over
// an existing file, only once the whole old text is on the disk; it is never
// more open to others than the file (see GiveCopyPermissions).
class OldTextCopy {
public:
    // Puts `old`, the text of the file at `place`, in the copy. Throws
    // IOException, naming the chosen path, with nothing left behind, when
    // it cannot.
    OldTextCopy(const SavePlace& place, std::string_view old);
    OldTextCopy(const OldTextCopy&) = delete;
    OldTextCopy& operator=(const OldTextCopy&) = delete;

    std::string Path() const;

    // Removes the copy once it is not needed. Gives an empty text, or the
    // reason that names the copy that is left.
    std::string Remove();

private:
    const SavePlace& m_place;
    std::string m_name;
};

} // namespace platform
