#include "platform/core/FileDescriptor.h"

#include <cerrno>
#include <cstring>

#include "platform/core/Exceptions.h"

namespace platform {

void ThrowErrno(const std::string& action, const std::string& path)
{
    const int error = errno;
    throw IOException(action, path, std::strerror(error));
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

} // namespace platform
