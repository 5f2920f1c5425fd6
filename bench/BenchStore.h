#pragma once

#include "store/KalStore.h"

#include <cstdint>
#include <string>

namespace kal::bench {

// A store like a long-kept schedule file: `count` entries, most of them single schedules, the rest
// to-dos and repeating schedules of every kind, with places, memos and a few exclusions and avoid days.
void FillRealisticStore(CKalStore& store, int count, std::uint32_t seed = 42);

// A schedule file of 100,000 entries of that mix in the temporary folder, written on first use and
// removed at exit.
[[nodiscard]] const std::string& RealisticScheduleFile();
inline constexpr int kRealisticEntries = 100000;

// Peak resident memory of this process so far, in megabytes.
[[nodiscard]] double PeakMemoryMegabytes();

// Installs in-memory settings and a silent user interface for the life of the object.
class QuietEnvironment {
public:
    QuietEnvironment();
    ~QuietEnvironment();
    QuietEnvironment(const QuietEnvironment&) = delete;
    QuietEnvironment& operator=(const QuietEnvironment&) = delete;
};

} // namespace kal::bench
