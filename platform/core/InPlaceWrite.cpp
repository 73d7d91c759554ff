#include "platform/core/InPlaceWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"

namespace platform {
namespace {

const std::string kCannotWrite = "Cannot write";
const std::string kNoSafeOverwrite =
    "its folder is not writable, and this file system cannot promise the room to overwrite the file safely";

// File systems that overwrite a file's blocks where they lie, so that room
// reserved ahead is all an overwrite needs (XFS gives a file that shares
// blocks with a copy blocks of its own when the room is reserved).
// Copy-on-write and log-structured file systems (btrfs, ZFS, bcachefs, F2FS,
// NILFS) write every change to new blocks, and network and FUSE file systems
// leave it to a server that may: on those an overwrite can run out of space
// whatever was reserved, so they are refused.
constexpr long kOverwritesInPlace[] = {EXT4_SUPER_MAGIC, XFS_SUPER_MAGIC, TMPFS_MAGIC};

std::string Reason(int error)
{
    return std::strerror(error);
}

bool OverwritesInPlace(int fd)
{
    struct statfs info {};
    if (::fstatfs(fd, &info) != 0) return false;
    return std::ranges::find(kOverwritesInPlace, static_cast<long>(info.f_type)) != std::end(kOverwritesInPlace);
}

// A write past the size limit stops half-way (or ends the program with
// SIGXFSZ), and an old content over the limit could not be written back.
void RefuseOverFileSizeLimit(std::size_t length, const std::string& path)
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) ThrowErrno(kCannotWrite, path);
    if (limit.rlim_cur != RLIM_INFINITY && static_cast<rlim_t>(length) > limit.rlim_cur) {
        throw IOException(kCannotWrite, path, Reason(EFBIG));
    }
}

int Allocate(int fd, int mode, off_t length)
{
    int result;
    do {
        result = ::fallocate(fd, mode, 0, length);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// Reserves the first `length` bytes without changing the file's size. Gives
// 0, or the errno of the failure. Not posix_fallocate: where the file system
// cannot reserve, it writes zeros over the file's own content instead.
int Reserve(int fd, std::size_t length)
{
    if (length == 0) return 0;
    const auto end = static_cast<off_t>(length);
    // Unsharing first gives blocks shared with a copy their own; file
    // systems that share no blocks do not know the flag.
    const int error = Allocate(fd, FALLOC_FL_UNSHARE_RANGE | FALLOC_FL_KEEP_SIZE, end);
    return error == EOPNOTSUPP ? Allocate(fd, FALLOC_FL_KEEP_SIZE, end) : error;
}

// Makes `bytes` the whole content, written from the start without cutting
// the file short first, and on disk. Gives 0, or the errno of the failed step.
int Overwrite(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
    if (::fsync(fd) != 0) return errno;
    return 0;
}

} // namespace

bool CanOnlyBeWrittenInPlace(const FolderItem& file)
{
    // The folder of the file that a symbolic link leads to: the one a
    // temporary file would be made in.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(file.NativePath(), error);
    if (error || !std::filesystem::is_regular_file(target, error)) return false;
    return ::faccessat(AT_FDCWD, target.parent_path().c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

void WriteInPlace(const FolderItem& file, std::string_view text)
{
    const std::string& path = file.NativePath();
    // Opened for reading too, to keep the old content; and not truncated:
    // the file keeps every byte until the new ones are in place.
    FileDescriptor fd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) ThrowErrno(kCannotWrite, path);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) ThrowErrno(kCannotWrite, path);
    if (!S_ISREG(info.st_mode)) throw IOException(kCannotWrite, path, "it is not a regular file");
    if (!OverwritesInPlace(fd.get())) throw IOException(kCannotWrite, path, kNoSafeOverwrite);

    const std::string old = ReadFromStart(fd.get(), static_cast<std::size_t>(info.st_size), kCannotWrite, path);
    // Room for the longer content, so that writing the old one back cannot
    // run out of space either.
    const std::size_t room = std::max(old.size(), text.size());
    RefuseOverFileSizeLimit(room, path);
    if (const int error = Reserve(fd.get(), room)) {
        if (error == EOPNOTSUPP) throw IOException(kCannotWrite, path, kNoSafeOverwrite);
        // A reservation cut short can keep blocks past the end of the file;
        // cutting the file at its own length gives them back to a full disk.
        [[maybe_unused]] const int released = ::ftruncate(fd.get(), static_cast<off_t>(old.size()));
        throw IOException(kCannotWrite, path, Reason(error));
    }

    const int error = Overwrite(fd.get(), text);
    if (error == 0) return;
    const int restoreError = Overwrite(fd.get(), old);
    if (restoreError == 0) throw IOException(kCannotWrite, path, Reason(error));
    throw IOException(kCannotWrite, path, Reason(error) + ", and its old content could not be written back: " + Reason(restoreError));
}

} // namespace platform
