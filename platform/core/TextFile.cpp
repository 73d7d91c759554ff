#include "platform/core/TextFile.h"

#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"
#include "platform/core/InPlaceWrite.h"
#include "platform/core/MemoryRoom.h"
#include "platform/core/NewFile.h"
#include "platform/core/ReplaceFile.h"
#include "platform/core/SavePlace.h"

namespace platform {
namespace {

// WriteTextAtomically past its size check: the roads of a save.
void SaveAt(const std::string& path, std::string_view text)
{
    SavePlace place(path);
    // Until it has the old file's permissions, nobody else may read it.
    NewFile newFile(place.Folder(), place.FolderPath(), place.HasFile() ? 0600 : 0666);
    if (newFile.fd() < 0) {
        // No new file can be made in a folder the user may not write to; an
        // existing file there that the user may write to is written into
        // instead, with nowhere to keep a copy of its old text.
        if (place.HasFile() && newFile.error() == EACCES) {
            WriteInPlace(place, text, OldTextCopying::None);
            return;
        }
        throw IOException(kCannotWrite, path, NewFileReason(newFile.error()));
    }
    // A new file that cannot be given all the old one has besides its text,
    // or that would cut the file's other names off from the new text, does
    // not replace it: the file is written into instead, with its old text in
    // a copy beside it.
    if (place.HasFile()) {
        const bool same = GiveAttributesOf(place.File(), place.Existing(), newFile.fd());
        if (!same || place.Existing().st_nlink > 1) {
            // The new file goes first, so that a kill while the file is
            // written into leaves only the copy of its old text.
            if (const std::string left = newFile.Discard(); !left.empty()) throw IOException(kCannotWrite, path, left);
            WriteInPlace(place, text, OldTextCopying::Beside);
            return;
        }
    }
    ReplaceFile(place, newFile, text);
}

} // namespace

std::string ReadAllText(const FolderItem& file, unsigned timesHeld)
{
    const std::string& path = file.NativePath();
    // Opened without blocking, so that a named pipe or a device in the
    // file's place cannot hang the program; only a regular file is read.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) ThrowErrno("Cannot open", path);

    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) ThrowErrno("Cannot read", path);
    if (!S_ISREG(info.st_mode)) throw IOException("Cannot read", path, FileReasons::It_is_not_a_regular_file());
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) ThrowErrno("Cannot read", path);

    // Refused before it is read: past what memory can hold, the read would
    // fail half-way or the system would end the program.
    const auto tooLarge = [&path] { return IOException("Cannot read", path, FileReasons::It_is_too_large_for_memory()); };
    if (!FitsInMemory(static_cast<std::uint64_t>(info.st_size), timesHeld)) throw tooLarge();
    try {
        return ReadFromStart(fd.get(), static_cast<std::size_t>(info.st_size), "Cannot read", path);
    } catch (const std::bad_alloc&) {
        throw tooLarge();
    }
}

void WriteTextAtomically(const FolderItem& file, std::string_view text)
{
    const std::string& path = file.NativePath();
    // Refused before anything is made: past the limit a write stops half-way,
    // or the system ends the program with SIGXFSZ.
    RefuseOverFileSizeLimit(text.size(), kCannotWrite, path);
    try {
        SaveAt(path, text);
    } catch (const std::bad_alloc&) {
        throw IOException(kCannotWrite, path, SystemReason(ENOMEM));
    }
}

} // namespace platform
