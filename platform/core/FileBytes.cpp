#include "platform/core/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/core/FileDescriptor.h"

namespace platform {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// Copies [start, end) through a buffer, for file systems whose kernel copy
// refuses these two files.
int CopyThroughBuffer(int from, int to, off_t start, off_t end)
{
    std::vector<char> buffer(kBufferSize);
    while (start < end) {
        const auto wanted = static_cast<std::size_t>(std::min<off_t>(end - start, static_cast<off_t>(buffer.size())));
        const ssize_t got = ::pread(from, buffer.data(), wanted, start);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0; // the file ends sooner: its holes up to `end` stay holes
        if (const int error = WriteAt(to, std::string_view(buffer.data(), static_cast<std::size_t>(got)), start)) return error;
        start += got;
    }
    return 0;
}

int CopyRange(int from, int to, off_t start, off_t end)
{
    off_t in = start;
    off_t out = start;
    while (in < end) {
        const ssize_t n = ::copy_file_range(from, &in, to, &out, static_cast<std::size_t>(end - in), 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EXDEV || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL)) {
            return CopyThroughBuffer(from, to, in, end);
        }
        if (n < 0) return errno;
        if (n == 0) return 0; // the file ends sooner
    }
    return 0;
}

int WriteZeros(int to, off_t start, off_t end)
{
    const std::string zeros(static_cast<std::size_t>(std::min<off_t>(end - start, kBufferSize)), '\0');
    for (; start < end; start += static_cast<off_t>(zeros.size())) {
        const auto size = static_cast<std::size_t>(std::min<off_t>(end - start, static_cast<off_t>(zeros.size())));
        if (const int error = WriteAt(to, std::string_view(zeros).substr(0, size), start)) return error;
    }
    return 0;
}

// Where the next data of `fd` at or after `at` begins and ends, within
// `length`; the whole rest where the file system cannot tell holes.
void NextData(int fd, off_t at, off_t length, off_t& start, off_t& end)
{
    start = ::lseek(fd, at, SEEK_DATA);
    if (start < 0) {
        start = errno == ENXIO ? length : at; // ENXIO: no data after `at`
        end = length;
        return;
    }
    start = std::min(start, length);
    end = ::lseek(fd, start, SEEK_HOLE);
    end = end <= start ? length : std::min(end, length);
}

} // namespace

bool CloneFile(int from, int to)
{
    return ::ioctl(to, FICLONE, from) == 0;
}

int CopyBytes(int from, int to, off_t length, off_t zeroBelow)
{
    for (off_t at = 0; at < length;) {
        off_t start = 0;
        off_t end = 0;
        NextData(from, at, length, start, end);
        if (at < std::min(start, zeroBelow)) {
            if (const int error = WriteZeros(to, at, std::min(start, zeroBelow))) return error;
        }
        if (start < end) {
            if (const int error = CopyRange(from, to, start, end)) return error;
        }
        at = end;
    }
    return 0;
}

void PunchHoles(int fd, off_t length)
{
    for (off_t at = 0; at < length;) {
        const off_t hole = ::lseek(fd, at, SEEK_HOLE);
        if (hole < 0 || hole >= length) return;
        off_t data = ::lseek(fd, hole, SEEK_DATA);
        if (data < 0 || data > length) data = length; // ENXIO: a hole to the end
        [[maybe_unused]] const int punched = ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, hole, data - hole);
        at = data;
    }
}

} // namespace platform
