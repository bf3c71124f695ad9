#include "platform/memory.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace pulsepost {

#if defined(__linux__)

// Transparent huge pages: the kernel backs the aligned 2 MiB stretches of an advised range with
// huge pages as they are first touched. The range must start on a page boundary.
void adviseSequentialFill(void* block, std::size_t bytes) {
    if (block == nullptr || bytes == 0) return;
    const auto pageBytes = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t alignedBegin = (begin + pageBytes - 1) & ~(pageBytes - 1);
    const std::uintptr_t end = begin + bytes;
    if (alignedBegin >= end) return;
    madvise(static_cast<char*>(block) + (alignedBegin - begin), end - alignedBegin, MADV_HUGEPAGE);
}

#else

void adviseSequentialFill(void*, std::size_t) {}

#endif

}  // namespace pulsepost
