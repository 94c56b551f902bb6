#include "core/LargeBuffer.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

void* AllocateLargeBuffer(std::size_t bytes)
{
    if (bytes == 0)
        bytes = 1;
#ifdef __linux__
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    // From two huge pages on (rounding up then costs at most a third): a
    // year of one channel's values (a million doubles, 8,000,000 bytes) is
    // just under four and must not miss them.
    if (bytes >= 2 * kHugePage) {
        void* memory = nullptr;
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        if (rounded < bytes || posix_memalign(&memory, kHugePage, rounded) != 0)
            return nullptr;
        madvise(memory, rounded, MADV_HUGEPAGE); // advice only: failure is harmless
        return memory;
    }
#endif
    return std::malloc(bytes);
}
