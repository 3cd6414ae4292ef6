#include "platform/LargePages.h"

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

void preferLargePagesForTheHeap()
{
    // Room the heap takes in one step and keeps: address space only, until used.
    constexpr std::size_t room = std::size_t(1) << 30;
    constexpr std::size_t largePage = std::size_t(2) << 20;
    // Blocks up to 32 MB come from the heap, and the heap does not give back
    // its top, which would split the region the advice covers.
    if (mallopt(M_MMAP_THRESHOLD, 32 << 20) == 0 || mallopt(M_TRIM_THRESHOLD, int(room)) == 0
        || mallopt(M_TOP_PAD, int(room)) == 0)
        return;
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    // Grows the heap by the room; volatile, as a block never used may be left out.
    void* volatile block = std::malloc(std::size_t(1) << 20);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    std::free(block);
    mallopt(M_TOP_PAD, 0);
    const std::uintptr_t from = (before + largePage - 1) & ~(largePage - 1);
    if (after > from + largePage)
        madvise(reinterpret_cast<void*>(from), after - from, MADV_HUGEPAGE);
}
#else
void preferLargePagesForTheHeap() {}
#endif
