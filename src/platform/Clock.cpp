#include "platform/Clock.h"

#include <ctime>

namespace kal {

namespace {

Clock* gInstalled = nullptr;

} // namespace

std::int64_t SystemClock::Now() const
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

Clock& Clock::Current()
{
    if (gInstalled)
        return *gInstalled;
    static SystemClock system;
    return system;
}

Clock* Clock::Install(Clock* clock)
{
    Clock* previous = gInstalled;
    gInstalled = clock;
    return previous;
}

} // namespace kal
