#pragma once

#include <filesystem>

#include <sys/stat.h>

namespace platform {

// Gives the new file open at `fd` what the existing `file` has besides its
// text: its owner and group (only where they differ from what the new file
// got), its permission bits and its extended attributes, ACLs among them.
// What the file system does not store at all is passed over. Gives false
// when the new file cannot be made the same: another user's file, a group
// the user is not in, an attribute the user may not set, or any failure.
bool GiveAttributesOf(const std::filesystem::path& file, const struct stat& existing, int fd);

// Sets the permission bits of the user's own file `fd` to those of `mode`.
// Gives true when they are set or the file system does not store them (it
// refuses, or does not know the call); false, with errno, on a failure.
bool GivePermissionBits(int fd, mode_t mode);

} // namespace platform
