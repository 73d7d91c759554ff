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

// Names in a list of extended attributes, each ended by a zero byte.
std::vector<std::string> Names(const std::string& list)
{
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = list.find('\0', start);
        names.push_back(list.substr(start, end - start));
        start = end == std::string::npos ? list.size() : end + 1;
    }
    return names;
}

// The names of a file's attributes: `list` answers like listxattr. Gives
// nothing when they cannot be read; none where they are not stored.
template <class List>
std::optional<std::vector<std::string>> AttributeNames(List list)
{
    const std::optional<std::string> names = ReadSized(list);
    if (!names) return NotStored(errno) ? std::optional(std::vector<std::string>()) : std::nullopt;
    return Names(*names);
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

bool GiveExtendedAttributes(const std::filesystem::path& file, int fd)
{
    const char* path = file.c_str();
    const auto wanted = AttributeNames([path](char* list, std::size_t size) { return ::listxattr(path, list, size); });
    const auto got = AttributeNames([fd](char* list, std::size_t size) { return ::flistxattr(fd, list, size); });
    if (!wanted || !got) return false;
    // The new file may have been given attributes of its own, such as the
    // folder's default ACL, which the old file did not have.
    for (const std::string& name : *got) {
        if (std::ranges::find(*wanted, name) != wanted->end()) continue;
        if (::fremovexattr(fd, name.c_str()) != 0 && errno != ENODATA) return false;
    }
    for (const std::string& name : *wanted) {
        const auto value = ReadSized([&](char* bytes, std::size_t size) { return ::getxattr(path, name.c_str(), bytes, size); });
        if (!value) {
            if (errno == ENODATA) continue; // removed meanwhile
            return false;
        }
        // Set only where it differs: a security label the new file already
        // has may not be set even to the same value.
        const auto current = ReadSized([&](char* bytes, std::size_t size) { return ::fgetxattr(fd, name.c_str(), bytes, size); });
        if (current == value) continue;
        if (::fsetxattr(fd, name.c_str(), value->data(), value->size(), 0) != 0 && !NotStored(errno)) return false;
    }
    return true;
}

} // namespace

bool GivePermissionBits(int fd, mode_t mode)
{
    return ::fchmod(fd, mode & 07777) == 0 || NotStored(errno) || errno == EPERM;
}

bool GiveAttributesOf(const std::filesystem::path& file, const struct stat& existing, int fd)
{
    // The owner first: changing it clears the set-user-ID and set-group-ID bits.
    return GiveOwner(existing, fd) && GivePermissionBits(fd, existing.st_mode) && GiveExtendedAttributes(file, fd);
}

} // namespace platform
