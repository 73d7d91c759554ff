#pragma once

#include <cstdint>

namespace platform {

// Whether `times` texts of `bytes` bytes each fit in the memory this process
// can still take: what the system has available, within the process's own
// limits on its address space and data. Asked before a large text is read,
// so that one too large is refused with a reason instead of ending the
// program, by a failed allocation or by the system's killer of processes
// that run it out of memory.
bool FitsInMemory(std::uint64_t bytes, unsigned times = 1);

} // namespace platform
