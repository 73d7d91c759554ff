#pragma once

#include <sys/stat.h>

namespace platform {

// Gives the new file open at `fd` what the existing file open at `file` has
// besides its text: its owner and group (only where they differ from what
// the new file got), its permission bits and its extended attributes, ACLs
// among them. Each is given as far as it can be, whatever became of the
// others; the set-user-ID and set-group-ID bits only with the file's owner
// and group. What the file system does not store at all is passed over.
// Gives false when the new file cannot be made the same: another user's
// file, a group the user is not in, an attribute the user may not set, or
// any failure.
bool GiveAttributesOf(int file, const struct stat& existing, int fd);

// Makes the copy of a file's old text, open at `copy`, no more open than the
// file open at `file`: the file's permission bits without set-user-ID or
// set-group-ID, its group and its ACL, and no ACL it took from its folder.
// Where the group or the ACL cannot be given, the copy has no ACL and its
// group gets no more than others get on the file. A copy whose ACL cannot be
// made the file's or none, or whose bits cannot be set at all, stays open to
// its owner alone, as it was made.
void GiveCopyPermissions(int copy, int file, const struct stat& existing);

} // namespace platform
