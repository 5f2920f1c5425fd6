#include "calstore/StoreLocation.h"

#include "calstore/CalDavStore.h"
#include "calstore/IcsFileStore.h"

#include <algorithm>

namespace kal {

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The scheme of a URL in lower case; empty when `location` is no URL.
std::string SchemeOf(std::string_view location)
{
    const std::size_t end = location.find("://");
    if (end == std::string_view::npos || end == 0 || !IsAsciiLetter(location[0]))
        return {};
    std::string scheme;
    for (const char c : location.substr(0, end)) {
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return {};
        scheme += AsciiLower(c);
    }
    return scheme;
}

} // namespace

bool LooksLikeUrl(std::string_view location)
{
    return !SchemeOf(location).empty();
}

std::optional<std::string> ServerUrl(std::string_view location)
{
    const std::string scheme = SchemeOf(location);
    // A subscription link names the same calendar over HTTPS; reading it as plain HTTP would send the
    // password unencrypted where the user never wrote http.
    if (scheme != "http" && scheme != "https" && scheme != "webcal")
        return std::nullopt;
    return (scheme == "webcal" ? std::string("https") : scheme) + std::string(location.substr(scheme.size()));
}

std::string HostReachedInClear(std::string_view location)
{
    const std::optional<std::string> url = ServerUrl(location);
    if (!url || !url->starts_with("http://"))
        return {};
    std::string_view authority = std::string_view(*url).substr(7);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    std::string host;
    if (authority.starts_with('[')) {
        host = authority.substr(0, authority.find(']') + 1);
    } else {
        host = authority.substr(0, authority.find(':'));
    }
    std::transform(host.begin(), host.end(), host.begin(), AsciiLower);
    while (!host.empty() && host.back() == '.')
        host.pop_back();
    const bool numeric = !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
    const bool loopback = host == "localhost" || host.ends_with(".localhost") || (numeric && host.starts_with("127."))
        || host == "[::1]" || host == "[0:0:0:0:0:0:0:1]";
    return loopback ? std::string() : host;
}

std::unique_ptr<CalendarStore> MakeCalendarStore(
    const std::string& location, const std::string& user, const std::string& password, ServerTimeouts timeouts)
{
    if (LooksLikeUrl(location))
        return std::make_unique<CalDavStore>(ServerUrl(location).value_or(location), user, password, timeouts);
    return std::make_unique<IcsFileStore>(location.empty() ? IcsFileStore::DefaultPath() : location);
}

bool NeedsPassword(const std::string& location, const std::string& user)
{
    return ServerUrl(location) && !user.empty();
}

} // namespace kal
