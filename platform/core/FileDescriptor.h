#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

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
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other) {
            if (m_fd >= 0) ::close(m_fd);
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    int get() const { return m_fd; }

    // Closes it now and gives 0, or the errno of the failure: a file system
    // may report a write that failed only when the file is closed.
    int Close();

private:
    int m_fd;
};

// The action of every IOException of a failed write.
inline const std::string kCannotWrite = "Cannot write";

// Throws IOException(action, path, the system's reason for the failure that
// errno holds now).
[[noreturn]] void ThrowErrno(const std::string& action, const std::string& path);

// The system's reason for an errno value, in the C library's words.
std::string SystemReason(int error);

// Every byte of the open file `fd`, from its start whatever its position;
// `sizeHint` is the room reserved ahead. A failed read throws as ThrowErrno.
std::string ReadFromStart(int fd, std::size_t sizeHint, const std::string& action, const std::string& path);

// Writes every byte at `offset` in the file, going on after a write that was
// cut short or interrupted. Gives 0, or the errno of the failure; sets
// `written`, where given, to the number of bytes written.
int WriteAt(int fd, std::string_view bytes, off_t offset, std::size_t* written = nullptr);

// WriteAt the start of the file.
inline int WriteFromStart(int fd, std::string_view bytes, std::size_t* written = nullptr)
{
    return WriteAt(fd, bytes, 0, written);
}

// Flushes the file's data to the disk. Gives 0, or the errno of the failure.
int SyncToDisk(int fd);

// Cuts (or extends) the file to `length` bytes and flushes it to the disk.
// Gives 0, or the errno of the failed step.
int CutAndSync(int fd, off_t length);

// The folder that holds `file`: "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& file);

// Flushes the entries of the open folder `folder`, so that a new name there
// outlives a power cut. Gives 0, or the errno of the failure. A folder that
// cannot be opened for reading (write and search permission only), or a file
// system that cannot flush a folder, gives no failure: there is nothing the
// program could do.
int SyncFolder(int folder);

// Refuses (with "File too large") a file of `length` bytes over the largest
// size this process may write: past it a write would stop half-way, or end
// the program with SIGXFSZ.
void RefuseOverFileSizeLimit(std::size_t length, const std::string& action, const std::string& path);

} // namespace platform
