#pragma once

#include <cstddef>
#include <string>

#include <unistd.h>

namespace platform {

// Owns an open file descriptor and closes it at the end of its scope. A
// negative descriptor (a failed open) owns nothing.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { if (m_fd >= 0) ::close(m_fd); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Throws IOException(action, path, the system's reason for the failure that
// errno holds now).
[[noreturn]] void ThrowErrno(const std::string& action, const std::string& path);

// Every byte of the open file `fd`, from its start whatever its position;
// `sizeHint` is the room reserved ahead. A failed read throws as ThrowErrno.
std::string ReadFromStart(int fd, std::size_t sizeHint, const std::string& action, const std::string& path);

} // namespace platform
