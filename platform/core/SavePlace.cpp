#include "platform/core/SavePlace.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// What lstat says of `place`: its description, or nothing when there is no
// such file. Any other failure throws: a place that cannot be looked at is
// not taken for an empty one.
std::optional<struct stat> LookAt(const fs::path& place, const std::string& path)
{
    struct stat info {};
    if (::lstat(place.c_str(), &info) == 0) return info;
    if (errno == ENOENT) return std::nullopt;
    ThrowErrno(kCannotWrite, path);
}

} // namespace

SavePlace FindSavePlace(const std::string& path)
{
    constexpr int kMostLinks = 40; // the kernel's own limit
    SavePlace place{path, fs::path(path), std::nullopt};
    for (int links = 0;; ++links) {
        place.existing = LookAt(place.file, path);
        if (!place.existing || !S_ISLNK(place.existing->st_mode)) break;
        if (links == kMostLinks) throw IOException(kCannotWrite, path, SystemReason(ELOOP));
        std::error_code error;
        const fs::path target = fs::read_symlink(place.file, error);
        if (error) throw IOException(kCannotWrite, path, SystemReason(error.value()));
        place.file = target.is_absolute() ? target : place.file.parent_path() / target;
    }
    if (!place.existing) return place;

    const mode_t type = place.existing->st_mode & S_IFMT;
    if (type == S_IFDIR) throw IOException(kCannotWrite, path, SystemReason(EISDIR));
    // A device or a pipe would be replaced by a plain file.
    if (type != S_IFREG) throw IOException(kCannotWrite, path, FileReasons::It_is_not_a_regular_file());
    if (::faccessat(AT_FDCWD, place.file.c_str(), W_OK, AT_EACCESS) != 0) ThrowErrno(kCannotWrite, path);
    return place;
}

} // namespace platform
