#include "calendar/LocalTime.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace kal {

LocalFields LocalTime::Fields(std::int64_t instant)
{
    const std::time_t t = static_cast<std::time_t>(instant);
    std::tm f {};
    localtime_r(&t, &f);
    return LocalFields { f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec, f.tm_wday };
}

std::int64_t LocalTime::Instant(int year, int month, int day, int hour, int minute, int second)
{
    std::tm fields {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&fields));
}

void LocalTime::ResetZone()
{
    // localtime_r reads TZ only once; tzset makes it read the zone again.
    tzset();
}

namespace {

// A name as the zone database spells them: "Area/Place" or "UTC", letters, digits and "_+-/".
bool IsZoneName(const std::string& name)
{
    if (name.empty() || name.front() == '/' || name.find("..") != std::string::npos)
        return false;
    for (const char c : name) {
        const bool fits = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'
            || c == '+' || c == '-' || c == '/';
        if (!fits)
            return false;
    }
    return true;
}

} // namespace

std::string LocalTime::ZoneName()
{
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        std::string name = tz[0] == ':' ? tz + 1 : tz;
        constexpr std::string_view kZoneFolder = "/usr/share/zoneinfo/";
        if (name.starts_with(kZoneFolder))
            name.erase(0, kZoneFolder.size());
        // A rule written out ("JST-9") names no zone of the database.
        const bool named = name.find('/') != std::string::npos || name == "UTC";
        return IsZoneName(name) && named ? name : std::string();
    }
    std::error_code error;
    const std::string target = std::filesystem::read_symlink("/etc/localtime", error).string();
    if (const std::size_t at = target.find("zoneinfo/"); !error && at != std::string::npos) {
        const std::string name = target.substr(at + 9);
        if (IsZoneName(name))
            return name;
    }
    std::ifstream file("/etc/timezone");
    std::string name;
    if (file && std::getline(file, name) && IsZoneName(name))
        return name;
    return {};
}

} // namespace kal
