#include "platform/core/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QSaveFile>
#include <QString>

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/InPlaceWrite.h"

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
    if (!S_ISREG(info.st_mode)) throw IOException("Cannot read", path, "it is not a regular file");
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) ThrowErrno("Cannot read", path);

    return ReadFromStart(fd.get(), static_cast<std::size_t>(info.st_size), "Cannot read", path);
}

void WriteTextAtomically(const FolderItem& file, std::string_view text)
{
    QSaveFile out(QString::fromStdString(file.NativePath()));
    // Qt's own fallback for a folder the user may not write to truncates the
    // file before writing it, and a write that then fails loses the file. A
    // file there that the user may write to is overwritten by WriteInPlace
    // instead, which leaves it as it was when it fails.
    out.setDirectWriteFallback(false);
    // Unbuffered, so that a write cut short (a full disk, a size limit) shows
    // in what write() returns: a buffered write accepts the text at once, and
    // the flush at commit takes a short write for success and puts a
    // truncated file in place.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (CanOnlyBeWrittenInPlace(file)) {
            WriteInPlace(file, text);
            return;
        }
        throw IOException("Cannot create", file.NativePath(), out.errorString().toStdString());
    }
    // A write cut short is tried again for the rest: Qt reports the system's
    // reason (a full disk, a size limit) only for a write that wrote nothing.
    for (std::size_t done = 0; done < text.size();) {
        const qint64 written = out.write(text.data() + done, static_cast<qint64>(text.size() - done));
        if (written <= 0) {
            const std::string reason = out.errorString().toStdString();
            out.cancelWriting();
            throw IOException("Cannot write", file.NativePath(), reason);
        }
        done += static_cast<std::size_t>(written);
    }
    if (!out.commit()) {
        throw IOException("Cannot write", file.NativePath(), out.errorString().toStdString());
    }
}

} // namespace platform
