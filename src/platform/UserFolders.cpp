#include "platform/UserFolders.h"

#include "platform/FileIo.h"

#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace kal {

namespace {

// Reads XDG_DOCUMENTS_DIR="$HOME/..." or an absolute path from user-dirs.dirs.
std::string DocumentsFromUserDirs()
{
    const auto text = ReadWholeFile(JoinPath(ConfigHomeFolder(), "user-dirs.dirs"), 1u << 20);
    if (!text)
        return {};
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
        if (line.substr(0, kKey.size()) != kKey || line.size() < kKey.size() + 1 || line.back() != '"')
            continue;
        line = line.substr(kKey.size(), line.size() - kKey.size() - 1);
        constexpr std::string_view kHome = "$HOME";
        if (line.substr(0, kHome.size()) == kHome)
            return HomeFolder() + std::string(line.substr(kHome.size()));
        if (!line.empty() && line.front() == '/')
            return std::string(line);
    }
    return {};
}

} // namespace

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    // A program started with no environment (a service, `env -i`) still has a home of its own.
    passwd entry {};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir
        && found->pw_dir[0] == '/')
        return found->pw_dir;
    return "/";
}

std::string ConfigHomeFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    return xdg && *xdg == '/' ? xdg : JoinPath(HomeFolder(), ".config");
}

std::string DocumentsFolder()
{
    std::string folder = DocumentsFromUserDirs();
    if (folder.empty())
        folder = JoinPath(HomeFolder(), "Documents");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string DataHomeFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    return xdg && *xdg == '/' ? xdg : JoinPath(HomeFolder(), ".local/share");
}

std::string CacheHomeFolder()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    return xdg && *xdg == '/' ? xdg : JoinPath(HomeFolder(), ".cache");
}

} // namespace kal
