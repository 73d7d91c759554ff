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
#include "platform/core/FileBytes.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"
#include "platform/core/MemoryRoom.h"
#include "platform/core/OldTextCopy.h"

namespace platform {
namespace {

// File systems that overwrite a file's blocks where they lie, so that room
// reserved ahead is all an overwrite needs (XFS gives a file that shares
// blocks with another file blocks of its own when the room is reserved).
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
// `unshare` first gives blocks that the file shares with another file (XFS)
// blocks of its own, which an overwrite then needs; not where a copy that
// shares them is to be cloned back after a failure.
int Reserve(int fd, std::size_t length, bool needed, bool unshare = true)
{
    if (length == 0) return 0;
    const auto end = static_cast<off_t>(length);
    // File systems that share no blocks do not know the flag.
    int error = unshare ? Allocate(fd, FALLOC_FL_UNSHARE_RANGE | FALLOC_FL_KEEP_SIZE, end) : EOPNOTSUPP;
    if (error == EOPNOTSUPP) error = Allocate(fd, FALLOC_FL_KEEP_SIZE, end);
    return error == EOPNOTSUPP && !needed ? 0 : error;
}

// Gives back the room that a reservation took and the file does not use,
// when the file keeps its old content: blocks past its end, and blocks put
// in its holes, which read as zeros as before. Only where it grew: a cut,
// even to the same length, marks the file modified. Neither step can change
// the content, so a failure of either leaves only room unused.
void GiveBackRoom(int fd, const struct stat& before)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0 || now.st_blocks <= before.st_blocks) return;
    [[maybe_unused]] const int cut = ::ftruncate(fd, now.st_size);
    PunchHoles(fd, now.st_size);
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

IOException OldContentTooLarge(const std::string& path)
{
    return IOException(kCannotWrite, path, FileReasons::Old_content_too_large_for_memory());
}

// The file's old content, to be written back should the overwrite fail with
// no copy beside the file. Gives back the room reserved when it cannot.
std::string OldContentOf(const SavePlace& place)
{
    const std::string& path = place.Chosen();
    try {
        return ReadFromStart(place.File(), static_cast<std::size_t>(place.Existing().st_size), kCannotWrite, path);
    } catch (const std::bad_alloc&) {
        GiveBackRoom(place.File(), place.Existing());
        throw OldContentTooLarge(path);
    } catch (const IOException&) {
        GiveBackRoom(place.File(), place.Existing());
        throw;
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
    if (copying == OldTextCopying::Beside) {
        // A ramfs keeps its files in memory and cannot tell their holes: the
        // copy, and the file's holes as they are read, would each take the
        // file's whole length of memory.
        if (fileSystem.f_type == RAMFS_MAGIC && !FitsInMemory(oldSize, 2)) {
            throw IOException(kCannotWrite, path, FileReasons::It_is_too_large_for_memory());
        }
        copy.emplace(place);
    } else if (!FitsInMemory(oldSize)) {
        // Without a copy the old content is kept in memory.
        throw OldContentTooLarge(path);
    }
    // The room reserved: for the new text where the copy keeps the old one,
    // whose blocks the file keeps until the new text is on the disk (a
    // sparse file's holes past the new text stay holes); otherwise for the
    // longer content, so that writing the old one back from memory cannot
    // run out of space either.
    const std::size_t room = copy ? text.size() : std::max(oldSize, text.size());
    // Gives `reason` with the copy removed, or with why it could not be.
    auto withoutCopy = [&copy](const std::string& reason) { return copy ? FileReasons::Joined(reason, copy->Remove()) : reason; };

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

    if (const int error = Reserve(fd, room, !copy, !(copy && copy->SharesBlocks()))) {
        if (error == EOPNOTSUPP) throw IOException(kCannotWrite, path, FileReasons::Its_folder_is_not_writable_and_no_safe_overwrite());
        GiveBackRoom(fd, place.Existing());
        throw IOException(kCannotWrite, path, withoutCopy(SystemReason(error)));
    }
    // Read only once the room is there: a file system that cannot reserve
    // refuses before the content is read for nothing (a ramfs would fill
    // the holes it reads with memory).
    const std::string old = copy ? std::string() : OldContentOf(place);
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
    // Nothing was written, or the old text is back: the file is as it was.
    const int restoreError = outcome.changed ? PutBack(fd, copy ? &*copy : nullptr, old, room, text.size()) : 0;
    if (restoreError == 0) {
        GiveBackRoom(fd, place.Existing());
        throw IOException(kCannotWrite, path, withoutCopy(SystemReason(outcome.error)));
    }
    // The copy, if any, now holds the only whole old text: it stays.
    std::string reason = FileReasons::FillIn(FileReasons::Old_content_not_written_back(),
                                             {SystemReason(outcome.error), SystemReason(restoreError)});
    if (copy) reason = FileReasons::Joined(reason, FileReasons::FillIn(FileReasons::Old_text_is_kept_in(), {copy->Path()}));
    throw IOException(kCannotWrite, path, reason);
}

} // namespace platform
