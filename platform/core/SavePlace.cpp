#include "platform/core/SavePlace.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileReasons.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// What the name itself is in `folder` (a link is not followed), or nothing
// when there is no such name. Any other failure throws.
std::optional<struct stat> EntryAt(int folder, const std::string& name, const std::string& path)
{
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) return info;
    if (errno == ENOENT) return std::nullopt;
    ThrowErrno(kCannotWrite, path);
}

[[noreturn]] void ThrowReplaced(const std::string& path)
{
    throw IOException(kCannotWrite, path, FileReasons::Another_file_took_its_place());
}

} // namespace

SavePlace::SavePlace(const std::string& path) : m_chosen(path)
{
    // The kernel follows the links, with its own protection; the file is
    // only found here, not opened for its content, so that a device or a
    // pipe in its place is never opened.
    const FileDescriptor found(::open(path.c_str(), O_PATH | O_CLOEXEC));
    if (found.get() < 0 && errno != ENOENT) ThrowErrno(kCannotWrite, path);
    fs::path place(path);
    if (found.get() >= 0) {
        if (::fstat(found.get(), &m_existing) != 0) ThrowErrno(kCannotWrite, path);
        if (S_ISDIR(m_existing.st_mode)) throw IOException(kCannotWrite, path, SystemReason(EISDIR));
        // A device or a pipe would be replaced by a plain file.
        if (!S_ISREG(m_existing.st_mode)) throw IOException(kCannotWrite, path, FileReasons::It_is_not_a_regular_file());
        // Where the kernel found it, checked below to hold that file still.
        // Without /proc the chosen path stands, and a link there is refused.
        std::error_code error;
        const fs::path foundAt = fs::read_symlink("/proc/self/fd/" + std::to_string(found.get()), error);
        if (!error) place = foundAt;
    }
    m_name = place.filename().string();
    if (m_name.empty() || m_name == "." || m_name == "..") throw IOException(kCannotWrite, path, SystemReason(EISDIR));
    m_folderPath = FolderOf(place).string();
    m_folder = FileDescriptor(::open(m_folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (m_folder.get() < 0) ThrowErrno(kCannotWrite, path);
    m_entry = EntryAt(m_folder.get(), m_name, path);
    if (found.get() < 0) {
        // A broken link keeps the name; the new file takes its place, in the
        // chosen folder, and nothing the link points to is touched.
        if (m_entry && !S_ISLNK(m_entry->st_mode)) ThrowReplaced(path);
        return;
    }
    if (!m_entry || !SameFile(*m_entry, m_existing)) ThrowReplaced(path);

    m_file = FileDescriptor(::openat(m_folder.get(), m_name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (m_file.get() < 0) {
        if (errno == ELOOP) ThrowReplaced(path); // a link is there now
        ThrowErrno(kCannotWrite, path);
    }
    struct stat opened {};
    if (::fstat(m_file.get(), &opened) != 0) ThrowErrno(kCannotWrite, path);
    if (!SameFile(opened, m_existing)) ThrowReplaced(path);
    m_existing = opened;
}

std::string SavePlace::WhyNotInPlace() const
{
    struct stat now {};
    const bool there = ::fstatat(Folder(), m_name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0;
    if (!there && errno != ENOENT) return SystemReason(errno);
    if (there != m_entry.has_value() || (there && !SameFile(now, *m_entry))) return FileReasons::Another_file_took_its_place();
    return {};
}

} // namespace platform
