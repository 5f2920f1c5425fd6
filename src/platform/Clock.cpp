#include "platform/Clock.h"

#include <ctime>

namespace kal {

std::int64_t SystemClock::Now() const
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

Clock& Clock::Current()
{
    if (Clock* installed = Installed())
        return *installed;
    static SystemClock system;
    return system;
}

} // namespace kal
