#include "platform/Prefault.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#if defined(__linux__) && !defined(MADV_POPULATE_WRITE)
// Linux 5.14 and later; older kernels refuse it and nothing changes.
#define MADV_POPULATE_WRITE 23
#endif

namespace Prefault {

void forWriting([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t bytes)
{
#if defined(__linux__)
    static const auto kPage = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    // Whole pages only: the block's first and last may be shared with others.
    const std::uintptr_t first = (start + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kPage - 1);
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#endif
}

}  // namespace Prefault
