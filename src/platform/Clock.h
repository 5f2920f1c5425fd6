#pragma once

#include "platform/Installable.h"

#include <cstdint>

namespace kal {

// Where "now" comes from: the system clock, or a fixed instant in tests.
class Clock : public Installable<Clock> {
public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00:00 UTC.
    [[nodiscard]] virtual std::int64_t Now() const = 0;

    // The installed clock, else the system clock.
    static Clock& Current();
};

class SystemClock final : public Clock {
public:
    std::int64_t Now() const override;
};

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
