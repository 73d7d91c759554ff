#include "platform/core/OldTextCopy.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileAttributes.h"
#include "platform/core/FileBytes.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"

namespace platform {
namespace {

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

std::size_t NameLimit(int folder)
{
    const long limit = ::fpathconf(folder, _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

// Names the whole copy with the first free name. Gives the name, or an empty
// one with `error` set (EEXIST when every name is taken).
std::string NameCopy(NewFile& copy, const SavePlace& place, int& error)
{
    const std::size_t limit = NameLimit(place.Folder());
    for (int number = 1; number <= kNumberedNames; ++number) {
        const std::string name = NameWith(place.Name(), number == 1 ? "~" : "~" + std::to_string(number), limit);
        error = copy.LinkAs(name);
        if (error == 0) return name;
        if (error != EEXIST) break;
    }
    return {};
}

} // namespace

OldTextCopy::OldTextCopy(const SavePlace& place)
    : m_place(place), m_copy(place.Folder(), place.FolderPath(), 0600), m_length(place.Existing().st_size)
{
    auto fail = [&](const std::string& reason) { throw IOException(kCannotWrite, place.Chosen(), reason); };
    // Nobody else may read it until it has the file's permissions.
    if (m_copy.fd() < 0) fail(NewFileReason(m_copy.error()));
    GiveCopyPermissions(m_copy.fd(), place.File(), place.Existing());
    m_sharesBlocks = CloneFile(place.File(), m_copy.fd());
    int error = 0;
    if (!m_sharesBlocks) {
        error = CopyBytes(place.File(), m_copy.fd(), m_length, 0);
        if (error == 0 && ::ftruncate(m_copy.fd(), m_length) != 0) error = errno;
    }
    if (error == 0) error = SyncToDisk(m_copy.fd());
    if (error == 0) m_name = NameCopy(m_copy, place, error);
    if (error == EEXIST) {
        fail(FileReasons::Joined(FileReasons::FillIn(FileReasons::No_free_name_for_an_old_text_copy(), {Path()}),
                                 m_copy.Discard()));
    }
    // The hidden name goes before the folder is flushed, so that it does
    // not come back after a power cut. The copy stays open: a failed write
    // reads the old text back from it, not from a name someone may replace.
    std::string left = m_copy.DropHiddenName();
    if (error == 0 && left.empty()) error = SyncFolder(place.Folder());
    if (error != 0 || !left.empty()) {
        if (!m_name.empty()) left = FileReasons::Joined(left, Remove());
        fail(FileReasons::Joined(error != 0 ? SystemReason(error) : std::string(), left));
    }
}

std::string OldTextCopy::Path() const
{
    const std::string name = m_name.empty() ? m_place.Name() + "~" : m_name;
    return (std::filesystem::path(m_place.FolderPath()) / name).string();
}

int OldTextCopy::CloneInto(int file) const
{
    if (::ftruncate(file, 0) != 0) return errno;
    if (!CloneFile(m_copy.fd(), file)) return errno;
    return SyncToDisk(file);
}

int OldTextCopy::CopyInto(int file, off_t written) const
{
    if (const int error = CopyBytes(m_copy.fd(), file, m_length, written)) return error;
    return CutAndSync(file, m_length);
}

std::string OldTextCopy::Remove()
{
    if (::unlinkat(m_place.Folder(), m_name.c_str(), 0) == 0 || errno == ENOENT) return {};
    return FileReasons::FillIn(FileReasons::Old_text_copy_not_removed(), {Path(), SystemReason(errno)});
}

} // namespace platform
