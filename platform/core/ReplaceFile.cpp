#include "platform/core/ReplaceFile.h"

#include <cerrno>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// The file that `path` leads to through symbolic links, which is the one to
// replace: replacing the link would cut it off from its file. A target that
// does not exist yet is where the new file goes.
fs::path FollowLinks(const std::string& path)
{
    constexpr int kMostLinks = 40; // the kernel's own limit
    fs::path place(path);
    for (int links = 0;; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(place, error))) return place;
        if (links == kMostLinks) throw IOException(kCannotWrite, path, SystemReason(ELOOP));
        const fs::path target = fs::read_symlink(place, error);
        if (error) throw IOException(kCannotWrite, path, SystemReason(error.value()));
        place = target.is_absolute() ? target : place.parent_path() / target;
    }
}

// Opens a new file with a name of its own in `folder`, made with `mode` less
// the user's umask, and sets `path` to it. Gives the descriptor, or -1 with
// errno telling why. The name does not grow with the final one, so that a
// name as long as the file system allows can still be saved.
int CreateUniqueFile(const fs::path& folder, mode_t mode, std::string& path)
{
    std::random_device seed;
    std::mt19937 generator(seed());
    int fd = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = (folder / (".sorvanel-" + std::to_string(generator() % 1000000) + ".tmp")).string();
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (fd >= 0 || errno != EEXIST) break;
    }
    return fd;
}

// A new file beside the final place, removed again unless it was put there.
class TemporaryFile {
public:
    // fd() is negative and error() tells why when no file could be made.
    TemporaryFile(const fs::path& place, mode_t mode)
        : m_fd(CreateUniqueFile(place.parent_path(), mode, m_path)), m_error(m_fd.get() < 0 ? errno : 0)
    {
    }
    ~TemporaryFile()
    {
        if (!m_kept && m_error == 0) ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd.get(); }
    int error() const { return m_error; }
    const std::string& path() const { return m_path; }

    int Close() { return m_fd.Close(); }
    // The file has taken its final place under another name.
    void Keep() { m_kept = true; }

private:
    std::string m_path;
    FileDescriptor m_fd;
    int m_error;
    bool m_kept = false;
};

// Flushes the folder's entries, so that the rename outlives a power cut. A
// folder that cannot be opened for reading, or a file system that cannot
// flush a folder, gives no failure: there is nothing the program could do.
int SyncFolder(const fs::path& folder)
{
    FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) return 0;
    const int error = SyncToDisk(fd.get());
    return error == EINVAL ? 0 : error;
}

} // namespace

int ReplaceFile(const std::string& path, std::string_view text)
{
    const fs::path place = FollowLinks(path);
    struct stat existing {};
    const bool exists = ::stat(place.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) throw IOException(kCannotWrite, path, SystemReason(EISDIR));
        // A device or a pipe would be replaced by a plain file.
        if (!S_ISREG(existing.st_mode)) throw IOException(kCannotWrite, path, FileReasons::It_is_not_a_regular_file());
        // A file the user may not write to is not replaced behind its back.
        if (::faccessat(AT_FDCWD, place.c_str(), W_OK, AT_EACCESS) != 0) ThrowErrno(kCannotWrite, path);
    }

    // Until it has the old file's permissions, nobody else may read it.
    TemporaryFile temporary(place, exists ? 0600 : 0666);
    if (temporary.fd() < 0) return temporary.error();

    auto fail = [&path](int error) { throw IOException(kCannotWrite, path, SystemReason(error)); };
    if (exists && ::fchmod(temporary.fd(), existing.st_mode & 0777) != 0) fail(errno);
    if (const int error = WriteFromStart(temporary.fd(), text)) fail(error);
    // The text must be on the disk before it takes the old one's place: a
    // network file system or a quota may report a full disk only now.
    if (const int error = SyncToDisk(temporary.fd())) fail(error);
    if (const int error = temporary.Close()) fail(error);
    if (::rename(temporary.path().c_str(), place.c_str()) != 0) fail(errno);
    temporary.Keep();
    if (const int error = SyncFolder(place.parent_path())) fail(error);
    return 0;
}

} // namespace platform
