#pragma once

#include "platform/Clock.h"

#include <cstdint>

namespace kal {

// A clock that stands still until the test moves it.
class FixedClock final : public Clock {
public:
    explicit FixedClock(std::int64_t now)
        : now_(now)
    {
    }
    std::int64_t Now() const override { return now_; }
    void Set(std::int64_t now) { now_ = now; }
    void Advance(std::int64_t seconds) { now_ += seconds; }

private:
    std::int64_t now_;
};

} // namespace kal
