#include "LargeMemory.h"

#include <QtGlobal>
#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

void adviseHugePages(void* data, std::size_t bytes)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    // Only whole pages inside the block may be advised: the pages at its ends may hold other data.
    constexpr std::uintptr_t hugePage = 2 * 1024 * 1024;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + hugePage - 1) & ~(hugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(hugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}
