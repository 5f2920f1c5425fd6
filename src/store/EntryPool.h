#pragma once

#include <cstddef>

namespace kal {

// Where entries live: slabs of large pages cut into equal slots, so that the entries of a file read in
// order lie side by side in memory. A month's fill passes over every entry, and over entries side by
// side the processor reads ahead; making and freeing an entry is a step on a free list, and a file of
// a hundred thousand entries costs a few dozen page faults instead of thousands. When the last entry
// is freed all slabs but one go back to the system. Safe from any thread. Under AddressSanitizer entries come
// from the ordinary heap, so that it sees every use after free.
class EntryPool {
public:
    [[nodiscard]] static void* Allocate(std::size_t size);
    static void Free(void* slot, std::size_t size) noexcept;
};

} // namespace kal
