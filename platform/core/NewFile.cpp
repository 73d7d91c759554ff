#include "platform/core/NewFile.h"

#include <cerrno>
#include <random>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "platform/core/FileReasons.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Hidden names of the program's own that do not grow with the final name,
// so that a name as long as the file system allows can still be saved.
class HiddenNames {
public:
    explicit HiddenNames(const fs::path& folder) : m_folder(folder), m_generator(std::random_device()()) {}
    std::string Next() { return (m_folder / (".sorvanel-" + std::to_string(m_generator() % 1000000) + ".tmp")).string(); }

private:
    fs::path m_folder;
    std::mt19937 m_generator;
};

constexpr int kNameAttempts = 100;

// Opens the new file: unnamed where the file system allows, otherwise under
// a hidden name, which it sets `name` to. Gives the descriptor, or -1 with
// errno telling why.
int OpenNewFile(const fs::path& folder, mode_t mode, std::string& name)
{
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    // File systems without unnamed files answer one of these.
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
    HiddenNames names(folder);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = names.Next();
        const int named = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (named >= 0) return named;
        if (errno != EEXIST) break;
    }
    name.clear();
    return -1;
}

} // namespace

NewFile::NewFile(const fs::path& folder, mode_t mode)
    : m_folder(folder), m_fd(OpenNewFile(folder, mode, m_name)), m_error(m_fd.get() < 0 ? errno : 0)
{
}

NewFile::~NewFile()
{
    if (!m_name.empty()) ::unlink(m_name.c_str());
}

// Links the unnamed file under a hidden name: a file cannot be linked over
// another, so it takes its place by a rename from there.
int NewFile::GiveName()
{
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd.get());
    HiddenNames names(m_folder);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = names.Next();
        // Through /proc for every user; without /proc, the call that needs
        // the right to look up any file.
        int result = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
        if (result != 0 && errno == ENOENT) result = ::linkat(m_fd.get(), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
        if (result == 0) {
            m_name = name;
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int NewFile::PutInPlace(const fs::path& place)
{
    if (m_name.empty()) {
        if (const int error = GiveName()) return error;
    }
    if (const int error = m_fd.Close()) return error;
    if (::rename(m_name.c_str(), place.c_str()) != 0) return errno;
    m_name.clear();
    return 0;
}

std::string NewFile::Discard()
{
    m_fd.Close();
    if (m_name.empty()) return {};
    const std::string name = std::exchange(m_name, {});
    if (::unlink(name.c_str()) == 0 || errno == ENOENT) return {};
    return FileReasons::FillIn(FileReasons::Temporary_file_not_removed(), {name, SystemReason(errno)});
}

} // namespace platform
