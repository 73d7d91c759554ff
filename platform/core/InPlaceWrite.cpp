#include "platform/core/InPlaceWrite.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"
#include "platform/core/OldTextCopy.h"

namespace platform {
namespace {

// File systems that overwrite a file's blocks where they lie, so that room
// reserved ahead is all an overwrite needs (XFS gives a file that shares
// blocks with a copy blocks of its own when the room is reserved).
// Copy-on-write and log-structured file systems (btrfs, ZFS, bcachefs, F2FS,
// NILFS) write every change to new blocks, and network and FUSE file systems
// leave it to a server that may: on those an overwrite can run out of space
// whatever was reserved, so an overwrite without a copy of the old text is
// refused there.
constexpr long kOverwritesInPlace[] = {EXT4_SUPER_MAGIC, XFS_SUPER_MAGIC, TMPFS_MAGIC};

bool OverwritesInPlace(int fd)
{
    struct statfs info {};
    return ::fstatfs(fd, &info) == 0
        && std::ranges::find(kOverwritesInPlace, static_cast<long>(info.f_type)) != std::end(kOverwritesInPlace);
}

IOException NoSafeOverwrite(const std::string& path)
{
    return IOException(kCannotWrite, path, FileReasons::Its_folder_is_not_writable_and_no_safe_overwrite());
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
// 0, or the errno of the failure; EOPNOTSUPP, where the file system cannot
// reserve, only when `needed`. Not posix_fallocate: where the file system
// cannot reserve, it writes zeros over the file's own content instead.
int Reserve(int fd, std::size_t length, bool needed)
{
    if (length == 0) return 0;
    const auto end = static_cast<off_t>(length);
    // Unsharing first gives blocks shared with a copy their own; file
    // systems that share no blocks do not know the flag.
    int error = Allocate(fd, FALLOC_FL_UNSHARE_RANGE | FALLOC_FL_KEEP_SIZE, end);
    if (error == EOPNOTSUPP) error = Allocate(fd, FALLOC_FL_KEEP_SIZE, end);
    return error == EOPNOTSUPP && !needed ? 0 : error;
}

int CutAndSync(int fd, std::size_t length)
{
    if (::ftruncate(fd, static_cast<off_t>(length)) != 0) return errno;
    return SyncToDisk(fd);
}

// Makes `bytes` the whole content, on disk. Gives 0, or the errno of the
// failed step. The bytes are on the disk before the file is cut to their
// length: cutting it gives back room that writing the old content back
// could still need.
int Overwrite(int fd, std::string_view bytes)
{
    if (const int error = WriteFromStart(fd, bytes)) return error;
    if (const int error = SyncToDisk(fd)) return error;
    return CutAndSync(fd, bytes.size());
}

// Writes the old content back after a failed overwrite. Nothing is written
// after it, so the file is cut to its length at once: should the flush fail,
// readers still see the old content, not its start followed by the new one.
int WriteBack(int fd, std::string_view old)
{
    if (const int error = WriteFromStart(fd, old)) return error;
    return CutAndSync(fd, old.size());
}

} // namespace

void WriteInPlace(SavePlace& place, std::string_view text, OldTextCopying copying)
{
    const std::string& path = place.Chosen();
    const int fd = place.File();
    if (copying == OldTextCopying::None && !OverwritesInPlace(fd)) throw NoSafeOverwrite(path);

    const std::string old = ReadFromStart(fd, static_cast<std::size_t>(place.Existing().st_size), kCannotWrite, path);
    // Room for the longer content, so that writing the old one back cannot
    // run out of space either; and an old content over the size limit could
    // not be written back.
    const std::size_t room = std::max(old.size(), text.size());
    RefuseOverFileSizeLimit(room, kCannotWrite, path);
    std::optional<OldTextCopy> copy;
    if (copying == OldTextCopying::Beside) copy.emplace(place, old);
    // Gives `reason` with the copy removed, or with why it could not be.
    auto withoutCopy = [&copy](const std::string& reason) { return copy ? FileReasons::Joined(reason, copy->Remove()) : reason; };

    if (const int error = Reserve(fd, room, !copy)) {
        if (error == EOPNOTSUPP) throw NoSafeOverwrite(path);
        // A reservation cut short can keep blocks past the end of the file;
        // cutting the file at its own length gives them back to a full disk.
        // Only then: a cut, even to the same length, marks the file modified.
        struct stat after {};
        if (::fstat(fd, &after) == 0 && after.st_blocks > place.Existing().st_blocks) {
            [[maybe_unused]] const int released = ::ftruncate(fd, static_cast<off_t>(old.size()));
        }
        throw IOException(kCannotWrite, path, withoutCopy(SystemReason(error)));
    }

    const int error = Overwrite(fd, text);
    if (error == 0) {
        // The new text is on the disk; a close that fails all the same is
        // still told, but not as a failure to save.
        const int closeError = place.CloseFile();
        const std::string left = withoutCopy("");
        if (closeError != 0) {
            throw SavedWithFaultException(SavedWithFaultException::Fault::MayNotBeOnDisk, path,
                                          FileReasons::Joined(SystemReason(closeError), left));
        }
        if (!left.empty()) throw SavedWithFaultException(SavedWithFaultException::Fault::OldCopyLeft, path, left);
        return;
    }
    // The room is reserved again first: where the failure came after the file
    // was cut to a shorter new text, the old content would otherwise stop
    // half-way on a full disk, and the file would be neither text.
    int restoreError = Reserve(fd, room, !copy);
    if (restoreError == 0) restoreError = WriteBack(fd, old);
    if (restoreError == 0) throw IOException(kCannotWrite, path, withoutCopy(SystemReason(error)));
    // The copy, if any, now holds the only whole old text: it stays.
    std::string reason = FileReasons::FillIn(FileReasons::Old_content_not_written_back(), {SystemReason(error), SystemReason(restoreError)});
    if (copy) reason = FileReasons::Joined(reason, FileReasons::FillIn(FileReasons::Old_text_is_kept_in(), {copy->Path()}));
    throw IOException(kCannotWrite, path, reason);
}

} // namespace platform
