#include "platform/core/MemoryRoom.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t kAlwaysFits = 1 << 20;

std::uint64_t PageSize()
{
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<std::uint64_t>(size) : 4096;
}

// What the system can give without swapping out what others use: its own
// estimate where it makes one, otherwise its free memory.
std::uint64_t SystemAvailable()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    while (meminfo >> key >> kilobytes) {
        if (key == "MemAvailable:") return kilobytes * 1024;
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    const long pages = ::sysconf(_SC_AVPHYS_PAGES);
    return pages > 0 ? static_cast<std::uint64_t>(pages) * PageSize() : kUnknown;
}

// The room left under a limit of the process, given what it uses now (a
// field of /proc/self/statm, in pages): unknown without a limit.
std::uint64_t RoomUnder(int resource, int statmField)
{
    rlimit limit {};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kUnknown;
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    for (int field = 0; field <= statmField && statm >> pages; ++field) {
    }
    const std::uint64_t used = statm ? pages * PageSize() : 0;
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

} // namespace

bool FitsInMemory(std::uint64_t bytes, unsigned times)
{
    // Small texts, such as the preference file read at start-up, always fit:
    // the system is not asked.
    if (bytes <= kAlwaysFits / std::max(times, 1u)) return true;
    // statm: the address space is its first field, data and stack its sixth.
    const std::uint64_t room = std::min({SystemAvailable(), RoomUnder(RLIMIT_AS, 0), RoomUnder(RLIMIT_DATA, 5)});
    return room == kUnknown || bytes <= room / std::max(times, 1u);
}

} // namespace platform
