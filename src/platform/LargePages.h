#pragma once

#include <cstddef>

namespace kal {

// The size of a transparent huge page on this machine type; mappings are made in multiples of it.
inline constexpr std::size_t kLargePage = std::size_t(2) << 20;

// `size` bytes (rounded up to whole large pages) of fresh memory that starts on a large page's boundary
// and is marked for transparent huge pages, so that touching it costs one fault per two megabytes where
// the system has huge pages to give, and small pages otherwise. Throws std::bad_alloc.
[[nodiscard]] char* MapLargePages(std::size_t size);
void UnmapLargePages(char* start, std::size_t size);
[[nodiscard]] std::size_t LargePageRound(std::size_t size);

} // namespace kal
