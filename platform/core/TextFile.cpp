#include "platform/core/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"
#include "platform/core/InPlaceWrite.h"
#include "platform/core/ReplaceFile.h"

namespace platform {

std::string ReadAllText(const FolderItem& file)
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

    return ReadFromStart(fd.get(), static_cast<std::size_t>(info.st_size), "Cannot read", path);
}

void WriteTextAtomically(const FolderItem& file, std::string_view text)
{
    const std::string& path = file.NativePath();
    // Refused before anything is made: past the limit a write stops half-way,
    // or the system ends the program with SIGXFSZ.
    RefuseOverFileSizeLimit(text.size(), kCannotWrite, path);
    const int error = ReplaceFile(path, text);
    if (error == 0) return;
    // No temporary file can be made in a folder the user may not write to; a
    // file there that the user may write to is overwritten in place.
    if (CanOnlyBeWrittenInPlace(file)) {
        WriteInPlace(file, text);
        return;
    }
    throw IOException("Cannot create", path, SystemReason(error));
}

} // namespace platform
