#include "TestEnvironment.h"

#include "calendar/LocalTime.h"
#include "platform/Text.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace kal {

void PrintTo(const CDTime& time, std::ostream* out)
{
    *out << ToUtf8(time.Format(u"%Y/%m/%d %H:%M:%S"));
}

} // namespace kal

namespace kal::test {

ScopedTimeZone::ScopedTimeZone(const char* zone)
{
    if (const char* current = std::getenv("TZ")) {
        previous_ = current;
        hadPrevious_ = true;
    }
    ::setenv("TZ", zone, 1);
    ::tzset();
    LocalTime::ResetZone();
}

ScopedTimeZone::~ScopedTimeZone()
{
    if (hadPrevious_)
        ::setenv("TZ", previous_.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
    LocalTime::ResetZone();
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kalendra-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace kal::test
