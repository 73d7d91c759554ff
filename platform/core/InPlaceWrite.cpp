#include "platform/core/InPlaceWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
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
#include "platform/core/MemoryRoom.h"
#include "platform/core/OldTextCopy.h"

namespace platform {
namespace {

// File systems that overwrite a file's blocks where they lie, so that room
// reserved ahead is all an overwrite needs (XFS gives a file that shares
// blocks with a copy blocks of its own when the room is reserved).
// Copy-on-write and log-structured file systems (btrfs, ZFS, bcachefs, F2FS,
// NILFS) write every change to new blocks, and network and FUSE file systems
// leave it to a server that may: on those an overwrite can run out of space
// whatever was reserved.
constexpr long kOverwritesInPlace[] = {EXT4_SUPER_MAGIC, XFS_SUPER_MAGIC, TMPFS_MAGIC, RAMFS_MAGIC};

// What the file system of the open file is, asked once; a failure throws
// with its own reason, after `cleanUp` gives what else must be told.
template <class CleanUp>
struct statfs FileSystemOf(int fd, const std::string& path, CleanUp cleanUp)
{
    struct statfs info {};
    if (::fstatfs(fd, &info) != 0) {
        const std::string reason = FileReasons::FillIn(FileReasons::File_system_not_told(), {SystemReason(errno)});
        throw IOException(kCannotWrite, path, cleanUp(reason));
    }
    return info;
}

bool OverwritesInPlace(const struct statfs& info)
{
    return std::ranges::find(kOverwritesInPlace, static_cast<long>(info.f_type)) != std::end(kOverwritesInPlace);
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

struct Outcome {
    int error = 0;
    bool changed = false; // whether the file holds anything else than its old content
};

// Makes `bytes` the whole content, on disk. The bytes are on the disk before
// the file is cut to their length: cutting it gives back room that writing
// the old content back could still need.
Outcome Overwrite(int fd, std::string_view bytes)
{
    std::size_t written = 0;
    if (const int error = WriteFromStart(fd, bytes, &written)) return {error, written > 0};
    if (const int error = SyncToDisk(fd)) return {error, true};
    return {CutAndSync(fd, static_cast<off_t>(bytes.size())), true};
}

// Writes the old content back after a failed overwrite. Nothing is written
// after it, so the file is cut to its length at once: should the flush fail,
// readers still see the old content, not its start followed by the new one.
int WriteBack(int fd, std::string_view old)
{
    if (const int error = WriteFromStart(fd, old)) return error;
    return CutAndSync(fd, static_cast<off_t>(old.size()));
}

// Puts the old content back after a failed overwrite that wrote at most the
// first `written` bytes: from the copy beside the file, or from `old`.
// Gives 0, or the errno of the failure.
int PutBack(int fd, const OldTextCopy* copy, std::string_view old, std::size_t room, std::size_t written)
{
    // A copy that shares the file's blocks is cloned back, which needs no room.
    if (copy != nullptr && copy->SharesBlocks() && copy->CloneInto(fd) == 0) return 0;
    // The room is reserved again first: where the failure came after the file
    // was cut to a shorter new text, the old content would otherwise stop
    // half-way on a full disk, and the file would be neither text.
    if (const int error = Reserve(fd, room, copy == nullptr)) return error;
    return copy != nullptr ? copy->CopyInto(fd, static_cast<off_t>(written)) : WriteBack(fd, old);
}

// The file's old content, to be written back should the overwrite fail: with
// no copy beside the file it is kept in memory, so one that memory cannot
// hold is refused before anything is written.
std::string OldContentOf(const SavePlace& place)
{
    const std::string& path = place.Chosen();
    const auto size = static_cast<std::uint64_t>(place.Existing().st_size);
    const auto tooLarge = [&path] { return IOException(kCannotWrite, path, FileReasons::Old_content_too_large_for_memory()); };
    if (!FitsInMemory(size)) throw tooLarge();
    try {
        return ReadFromStart(place.File(), static_cast<std::size_t>(size), kCannotWrite, path);
    } catch (const std::bad_alloc&) {
        throw tooLarge();
    }
}

} // namespace

void WriteInPlace(SavePlace& place, std::string_view text, OldTextCopying copying)
{
    const std::string& path = place.Chosen();
    const int fd = place.File();
    const auto asIs = [](const std::string& reason) { return reason; };
    const struct statfs fileSystem = FileSystemOf(fd, path, asIs);
    if (copying == OldTextCopying::None && !OverwritesInPlace(fileSystem)) {
        throw IOException(kCannotWrite, path, FileReasons::Its_folder_is_not_writable_and_no_safe_overwrite());
    }
    // An old content over the size limit could not be copied or written back.
    const auto oldSize = static_cast<std::size_t>(place.Existing().st_size);
    RefuseOverFileSizeLimit(std::max(oldSize, text.size()), kCannotWrite, path);
    std::optional<OldTextCopy> copy;
    std::string old;
    if (copying == OldTextCopying::Beside) {
        // A ramfs keeps its files in memory and cannot tell their holes: the
        // copy, and the file as it is read, would take the file's whole
        // length of memory.
        if (fileSystem.f_type == RAMFS_MAGIC && !FitsInMemory(oldSize)) {
            throw IOException(kCannotWrite, path, FileReasons::It_is_too_large_for_memory());
        }
        copy.emplace(place);
    } else {
        old = OldContentOf(place);
    }
    // The room reserved: for the new text where the copy keeps the old one,
    // whose blocks the file keeps until the new text is on the disk (a
    // sparse file's holes past the new text stay holes); otherwise for the
    // longer content, so that writing the old one back from memory cannot
    // run out of space either.
    const std::size_t room = copy ? text.size() : std::max(oldSize, text.size());
    // Gives `reason` with the copy removed, or with why it could not be.
    auto withoutCopy = [&copy](const std::string& reason) { return copy ? FileReasons::Joined(reason, copy->Remove()) : reason; };

    if (const int error = Reserve(fd, room, !copy)) {
        if (error == EOPNOTSUPP) throw IOException(kCannotWrite, path, FileReasons::Its_folder_is_not_writable_and_no_safe_overwrite());
        // A reservation cut short can keep blocks past the end of the file;
        // cutting the file at its own length gives them back to a full disk.
        // Only then: a cut, even to the same length, marks the file modified.
        struct stat after {};
        if (::fstat(fd, &after) == 0 && after.st_blocks > place.Existing().st_blocks) {
            [[maybe_unused]] const int released = ::ftruncate(fd, place.Existing().st_size);
        }
        throw IOException(kCannotWrite, path, withoutCopy(SystemReason(error)));
    }
    // Where changes go to new blocks, the room reserved does not cover the
    // overwrite. A copy that shares the file's blocks is cloned back after a
    // failure without any room; otherwise the room for the new text and the
    // old one written back (no more than the file's blocks) is counted
    // before a byte is written.
    if (copy && !copy->SharesBlocks() && !OverwritesInPlace(fileSystem)) {
        const struct statfs now = FileSystemOf(fd, path, withoutCopy);
        const auto free = static_cast<std::uint64_t>(now.f_bavail) * static_cast<std::uint64_t>(now.f_bsize);
        const auto oldBlocks = std::min(static_cast<std::uint64_t>(place.Existing().st_blocks) * 512, static_cast<std::uint64_t>(oldSize));
        if (free < text.size() + oldBlocks) throw IOException(kCannotWrite, path, withoutCopy(SystemReason(ENOSPC)));
    }

    const Outcome outcome = Overwrite(fd, text);
    if (outcome.error == 0) {
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
    // Nothing was written: the file is as it was.
    if (!outcome.changed) throw IOException(kCannotWrite, path, withoutCopy(SystemReason(outcome.error)));
    const int restoreError = PutBack(fd, copy ? &*copy : nullptr, old, room, text.size());
    if (restoreError == 0) throw IOException(kCannotWrite, path, withoutCopy(SystemReason(outcome.error)));
    // The copy, if any, now holds the only whole old text: it stays.
    std::string reason = FileReasons::FillIn(FileReasons::Old_content_not_written_back(),
                                             {SystemReason(outcome.error), SystemReason(restoreError)});
    if (copy) reason = FileReasons::Joined(reason, FileReasons::FillIn(FileReasons::Old_text_is_kept_in(), {copy->Path()}));
    throw IOException(kCannotWrite, path, reason);
}

} // namespace platform
