#include "platform/core/FileAttributes.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include <sys/xattr.h>
#include <unistd.h>

namespace platform {
namespace {

// The answers of a file system that does not store owners, permissions or
// attributes (a FAT disk, many FUSE mounts): there is nothing to keep.
bool NotStored(int error)
{
    return error == EOPNOTSUPP || error == ENOTSUP || error == ENOSYS;
}

// Reads a list or a value whose size is not known ahead: `call` is given a
// buffer and its size (0 asks for the size) and answers like getxattr.
// Gives nothing, with errno set, on failure.
template <class Call>
std::optional<std::string> ReadSized(Call call)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = call(nullptr, 0);
        if (size < 0) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        const ssize_t read = call(bytes.data(), bytes.size());
        if (read >= 0) {
            bytes.resize(static_cast<std::size_t>(read));
            return bytes;
        }
        if (errno != ERANGE) return std::nullopt; // ERANGE: it grew meanwhile
    }
    return std::nullopt;
}

std::optional<std::string> AttributeOf(int fd, const std::string& name)
{
    return ReadSized([&](char* bytes, std::size_t size) { return ::fgetxattr(fd, name.c_str(), bytes, size); });
}

// The names of the attributes of the file open at `fd`. Gives nothing when
// they cannot be read; none where they are not stored.
std::optional<std::vector<std::string>> AttributeNames(int fd)
{
    const std::optional<std::string> list = ReadSized([fd](char* names, std::size_t size) { return ::flistxattr(fd, names, size); });
    if (!list) return NotStored(errno) ? std::optional(std::vector<std::string>()) : std::nullopt;
    // Each name is ended by a zero byte.
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list->size();) {
        const std::size_t end = list->find('\0', start);
        names.push_back(list->substr(start, end - start));
        start = end == std::string::npos ? list->size() : end + 1;
    }
    return names;
}

bool GiveOwner(const struct stat& existing, int fd)
{
    struct stat got {};
    if (::fstat(fd, &got) != 0) return false;
    const uid_t owner = existing.st_uid == got.st_uid ? static_cast<uid_t>(-1) : existing.st_uid;
    const gid_t group = existing.st_gid == got.st_gid ? static_cast<gid_t>(-1) : existing.st_gid;
    if (owner == static_cast<uid_t>(-1) && group == static_cast<gid_t>(-1)) return true;
    return ::fchown(fd, owner, group) == 0 || NotStored(errno);
}

// Sets the permission bits of the user's own file `fd` to those of `mode`.
// Gives true when they are set or the file system does not store them (it
// refuses, or does not know the call).
bool GivePermissionBits(int fd, mode_t mode)
{
    return ::fchmod(fd, mode & 07777) == 0 || NotStored(errno) || errno == EPERM;
}

bool GiveExtendedAttributes(int file, int fd)
{
    const auto wanted = AttributeNames(file);
    const auto got = AttributeNames(fd);
    if (!wanted || !got) return false;
    bool given = true;
    // The new file may have been given attributes of its own, such as the
    // folder's default ACL, which the old file did not have.
    for (const std::string& name : *got) {
        if (std::ranges::find(*wanted, name) != wanted->end()) continue;
        if (::fremovexattr(fd, name.c_str()) != 0 && errno != ENODATA) given = false;
    }
    for (const std::string& name : *wanted) {
        const auto value = AttributeOf(file, name);
        if (!value) {
            if (errno != ENODATA) given = false; // ENODATA: removed meanwhile
            continue;
        }
        // Set only where it differs: a security label the new file already
        // has may not be set even to the same value.
        if (AttributeOf(fd, name) == value) continue;
        if (::fsetxattr(fd, name.c_str(), value->data(), value->size(), 0) != 0 && !NotStored(errno)) given = false;
    }
    return given;
}

constexpr const char* kAccessAcl = "system.posix_acl_access";

enum class CopyAcl { TheFiles, None, Unknown };

bool RemoveAccessControlList(int fd)
{
    return ::fremovexattr(fd, kAccessAcl) == 0 || errno == ENODATA || NotStored(errno);
}

// Gives the copy exactly the file's ACL, or none where the file has none,
// when `withFileAcl`; otherwise, or where the file's cannot be given, none
// at all. An ACL that the copy took from its folder's default ACL is never
// kept, for it may let others read what the file does not. Unknown when the
// copy's ACL could be made neither.
CopyAcl GiveAccessControlList(int file, int copy, bool withFileAcl)
{
    if (withFileAcl) {
        const std::optional<std::string> entries = AttributeOf(file, kAccessAcl);
        if (entries && ::fsetxattr(copy, kAccessAcl, entries->data(), entries->size(), 0) == 0) return CopyAcl::TheFiles;
        if (!entries && (errno == ENODATA || NotStored(errno))) {
            return RemoveAccessControlList(copy) ? CopyAcl::TheFiles : CopyAcl::Unknown;
        }
    }
    return RemoveAccessControlList(copy) ? CopyAcl::None : CopyAcl::Unknown;
}

} // namespace

bool GiveAttributesOf(int file, const struct stat& existing, int fd)
{
    // The owner first: changing it clears the set-user-ID and set-group-ID bits.
    const bool owner = GiveOwner(existing, fd);
    const mode_t mode = owner ? existing.st_mode : existing.st_mode & ~mode_t{S_ISUID | S_ISGID};
    const bool bits = GivePermissionBits(fd, mode);
    const bool attributes = GiveExtendedAttributes(file, fd);
    return owner && bits && attributes;
}

void GiveCopyPermissions(int copy, int file, const struct stat& existing)
{
    struct stat got {};
    const bool group = ::fstat(copy, &got) == 0
        && (got.st_gid == existing.st_gid || ::fchown(copy, static_cast<uid_t>(-1), existing.st_gid) == 0);
    // The file's ACL names its group's entry, so it is given only with the group.
    const CopyAcl acl = GiveAccessControlList(file, copy, group);
    // Setting the bits of a copy with an ACL of unknown entries would open
    // it to them: it keeps the bits it was made with.
    if (acl == CopyAcl::Unknown) return;
    mode_t bits = existing.st_mode & 0777;
    if (acl == CopyAcl::None) {
        const mode_t others = bits & 07;
        bits = (bits & 0700) | (others << 3) | others;
    }
    // After the ACL, whose mask this sets; a failure leaves the copy as it
    // was made, open to its owner alone.
    [[maybe_unused]] const int set = ::fchmod(copy, bits);
}

} // namespace platform
