#include "platform/core/NewFile.h"

#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include "platform/core/FileReasons.h"

namespace platform {
namespace {

// A hidden name of the program's own, with 64 random bits: another user who
// may write to the folder cannot take every such name ahead of a save. It
// does not grow with the final name, so that a name as long as the file
// system allows can still be saved.
std::string HiddenName()
{
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, 0) != static_cast<ssize_t>(sizeof bits)) {
        std::random_device device;
        bits = (std::uint64_t{device()} << 32) ^ device();
    }
    char name[40];
    std::snprintf(name, sizeof name, ".sorvanel-%016" PRIx64 ".tmp", bits);
    return name;
}

constexpr int kNameAttempts = 100;

// Opens the new file: unnamed where the file system allows, otherwise under
// a hidden name, which it sets `name` to. Gives the descriptor, or -1 with
// errno telling why.
int OpenNewFile(int folder, mode_t mode, std::string& name)
{
    // Open for reading too: a copy of an old text is read back after a failed write.
    const int fd = ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    // File systems without unnamed files answer one of these.
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = HiddenName();
        const int named = ::openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (named >= 0) return named;
        if (errno != EEXIST) break;
    }
    name.clear();
    return -1;
}

} // namespace

NewFile::NewFile(int folder, std::string folderPath, mode_t mode)
    : m_folder(folder), m_folderPath(std::move(folderPath)), m_fd(OpenNewFile(folder, mode, m_name)),
      m_error(m_fd.get() < 0 ? errno : 0)
{
}

NewFile::~NewFile()
{
    if (!m_name.empty()) ::unlinkat(m_folder, m_name.c_str(), 0);
}

// Links the unnamed file under `name`: through /proc for every user;
// without /proc, by the call that needs the right to look up any file.
int NewFile::LinkDescriptor(const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd.get());
    int result = ::linkat(AT_FDCWD, self.c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW);
    if (result != 0 && errno == ENOENT) result = ::linkat(m_fd.get(), "", m_folder, name.c_str(), AT_EMPTY_PATH);
    return result == 0 ? 0 : errno;
}

int NewFile::GiveHiddenName()
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = HiddenName();
        const int error = LinkDescriptor(name);
        if (error == 0) m_name = name;
        if (error != EEXIST) return error;
    }
    return EEXIST;
}

int NewFile::PutInPlace(const std::string& name)
{
    if (m_name.empty()) {
        if (const int error = GiveHiddenName()) return error;
    }
    if (const int error = m_fd.Close()) return error;
    if (::renameat(m_folder, m_name.c_str(), m_folder, name.c_str()) != 0) return errno;
    m_name.clear();
    return 0;
}

int NewFile::LinkAs(const std::string& name)
{
    if (m_name.empty()) return LinkDescriptor(name);
    return ::linkat(m_folder, m_name.c_str(), m_folder, name.c_str(), 0) == 0 ? 0 : errno;
}

std::string NewFile::Discard()
{
    m_fd.Close();
    return DropHiddenName();
}

std::string NewFile::DropHiddenName()
{
    if (m_name.empty()) return {};
    const std::string name = std::exchange(m_name, {});
    if (::unlinkat(m_folder, name.c_str(), 0) == 0 || errno == ENOENT) return {};
    const std::string path = (std::filesystem::path(m_folderPath) / name).string();
    return FileReasons::FillIn(FileReasons::Temporary_file_not_removed(), {path, SystemReason(errno)});
}

std::string NewFileReason(int error)
{
    return error == EEXIST ? FileReasons::No_free_hidden_name() : SystemReason(error);
}

} // namespace platform
