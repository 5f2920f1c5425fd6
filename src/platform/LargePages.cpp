#include "platform/LargePages.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace kal {

std::size_t LargePageRound(std::size_t size)
{
    return (size + kLargePage - 1) / kLargePage * kLargePage;
}

char* MapLargePages(std::size_t size)
{
    size = LargePageRound(size);
    // One large page more than asked, so that an aligned start can be cut out of it.
    void* raw = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    char* const first = static_cast<char*>(raw);
    char* const start = reinterpret_cast<char*>(LargePageRound(reinterpret_cast<std::uintptr_t>(first)));
    if (start > first)
        ::munmap(first, static_cast<std::size_t>(start - first));
    char* const end = start + size;
    char* const mappedEnd = first + size + kLargePage;
    if (mappedEnd > end)
        ::munmap(end, static_cast<std::size_t>(mappedEnd - end));
    // Only advice: without huge pages the memory is the same, in small pages.
    ::madvise(start, size, MADV_HUGEPAGE);
    return start;
}

void UnmapLargePages(char* start, std::size_t size)
{
    ::munmap(start, LargePageRound(size));
}

} // namespace kal
