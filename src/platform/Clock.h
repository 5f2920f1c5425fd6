#pragma once

#include "platform/Installable.h"

#include <cstdint>

namespace kal {

// Where "now" comes from: the system clock, or whatever a test installs.
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

} // namespace kal
