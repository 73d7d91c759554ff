#include "platform/core/OldTextCopy.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr int kNumberedNames = 100;

// The file's name with `suffix` added, cut at its end where it would pass
// `limit` bytes; never in the middle of a UTF-8 character.
std::string NameWith(const std::string& name, const std::string& suffix, std::size_t limit)
{
    if (name.size() + suffix.size() <= limit) return name + suffix;
    std::size_t keep = limit > suffix.size() ? limit - suffix.size() : 0;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    return name.substr(0, keep) + suffix;
}

std::size_t NameLimit(const fs::path& folder)
{
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

// Creates the copy's file under the first free name. Gives the descriptor,
// or -1 with errno telling why.
int CreateCopy(const fs::path& file, std::string& path)
{
    const fs::path folder = FolderOf(file);
    const std::size_t limit = NameLimit(folder);
    for (int number = 1; number <= kNumberedNames; ++number) {
        const std::string suffix = number == 1 ? "~" : "~" + std::to_string(number);
        path = (folder / NameWith(file.filename().string(), suffix, limit)).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

OldTextCopy::OldTextCopy(const fs::path& file, std::string_view old, mode_t mode, const std::string& chosen)
{
    FileDescriptor fd(CreateCopy(file, m_path));
    if (fd.get() < 0) throw IOException(kCannotWrite, chosen, SystemReason(errno));
    int error = GivePermissionBits(fd.get(), mode) ? 0 : errno;
    if (error == 0) error = WriteFromStart(fd.get(), old);
    if (error == 0) error = SyncToDisk(fd.get());
    if (error == 0) error = fd.Close();
    if (error == 0) error = SyncFolderOf(file);
    if (error != 0) {
        const std::string left = Remove();
        throw IOException(kCannotWrite, chosen, FileReasons::Joined(SystemReason(error), left));
    }
}

std::string OldTextCopy::Remove()
{
    if (::unlink(m_path.c_str()) == 0 || errno == ENOENT) return {};
    return FileReasons::FillIn(FileReasons::Old_text_copy_not_removed(), {m_path, SystemReason(errno)});
}

} // namespace platform
