#include "platform/core/FileDescriptor.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>

#include "platform/core/Exceptions.h"

namespace platform {

int FileDescriptor::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    // Not retried on EINTR: Linux has closed the descriptor whatever close()
    // answers, and another thread may already hold its number again.
    return fd < 0 || ::close(fd) == 0 ? 0 : errno;
}

void ThrowErrno(const std::string& action, const std::string& path)
{
    const int error = errno;
    throw IOException(action, path, SystemReason(error));
}

std::string SystemReason(int error)
{
    return std::strerror(error);
}

std::string ReadFromStart(int fd, std::size_t sizeHint, const std::string& action, const std::string& path)
{
    std::string bytes;
    bytes.reserve(sizeHint);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(bytes.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno(action, path);
        }
        if (n == 0) return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

int WriteAt(int fd, std::string_view bytes, off_t offset, std::size_t* written)
{
    std::size_t done = 0;
    int error = 0;
    while (done < bytes.size() && error == 0) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        // A regular file takes at least one byte or says why not; nothing
        // written without a reason would loop for ever.
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    if (written != nullptr) *written = done;
    return error;
}

int SyncToDisk(int fd)
{
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

int CutAndSync(int fd, off_t length)
{
    if (::ftruncate(fd, length) != 0) return errno;
    return SyncToDisk(fd);
}

std::filesystem::path FolderOf(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

int SyncFolder(int folder)
{
    FileDescriptor fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) return 0;
    const int error = SyncToDisk(fd.get());
    return error == EINVAL ? 0 : error;
}

void RefuseOverFileSizeLimit(std::size_t length, const std::string& action, const std::string& path)
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) ThrowErrno(action, path);
    if (limit.rlim_cur != RLIM_INFINITY && static_cast<rlim_t>(length) > limit.rlim_cur) {
        throw IOException(action, path, SystemReason(EFBIG));
    }
}

} // namespace platform
