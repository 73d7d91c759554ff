#pragma once

#include <string>

#include <sys/types.h>

#include "platform/core/NewFile.h"
#include "platform/core/SavePlace.h"

namespace platform {

// A copy of a file's old text beside it, for the time the file is being
// written into: a crash half-way then leaves the old text there, and a
// failed write puts the old text back from it. Its name is the file's with
// "~" added (shortened where that would pass the file system's limit, then
// numbered where that name is taken). The copy is made unnamed, or under a
// hidden name, and gets its own name, never over an existing file, only once
// the whole old text is on the disk; before a byte of that text is in it, it
// is made no more open to others than the file (see GiveCopyPermissions).
// The text goes from the file to the copy in the kernel, never through
// memory whole: where the file system can, the copy shares the file's blocks
// and takes no room; elsewhere the file's holes stay holes in the copy.
class OldTextCopy {
public:
    // Copies the text of the file at `place`, whose length SavePlace found.
    // Throws IOException, naming the chosen path, with nothing left behind,
    // when it cannot.
    explicit OldTextCopy(const SavePlace& place);
    OldTextCopy(const OldTextCopy&) = delete;
    OldTextCopy& operator=(const OldTextCopy&) = delete;

    std::string Path() const;
    off_t Length() const { return m_length; }
    // Whether the copy shares the file's blocks: it can then be cloned back
    // without any room on the disk.
    bool SharesBlocks() const { return m_sharesBlocks; }

    // Put the old text back into the file open at `file`, after a failed
    // overwrite, and flush it to the disk. Each gives 0, or the errno of the
    // failure. CloneInto makes the file share the copy's blocks, which needs
    // no room; it cuts the file first, for a clone into a longer file is
    // refused. CopyInto copies the old text over the file, which wrote at
    // most its first `written` bytes, and cuts it to the old length.
    int CloneInto(int file) const;
    int CopyInto(int file, off_t written) const;

    // Removes the copy once it is not needed. Gives an empty text, or the
    // reason that names the copy that is left.
    std::string Remove();

private:
    const SavePlace& m_place;
    NewFile m_copy;
    std::string m_name;
    off_t m_length;
    bool m_sharesBlocks = false;
};

} // namespace platform
