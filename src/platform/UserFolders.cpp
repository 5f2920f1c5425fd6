#include "platform/UserFolders.h"

#include "platform/FileIo.h"

#include <cstdlib>
#include <string_view>

namespace kal {

namespace {

std::string Home()
{
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
}

std::string ConfigHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    return xdg && *xdg == '/' ? xdg : JoinPath(Home(), ".config");
}

// Reads XDG_DOCUMENTS_DIR="$HOME/..." or an absolute path from user-dirs.dirs.
std::string DocumentsFromUserDirs()
{
    const auto text = ReadWholeFile(JoinPath(ConfigHome(), "user-dirs.dirs"), nullptr, 1u << 20);
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
            return Home() + std::string(line.substr(kHome.size()));
        if (!line.empty() && line.front() == '/')
            return std::string(line);
    }
    return {};
}

} // namespace

std::string DocumentsFolder()
{
    std::string folder = DocumentsFromUserDirs();
    if (folder.empty())
        folder = JoinPath(Home(), "Documents");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string DataHomeFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    return xdg && *xdg == '/' ? xdg : JoinPath(Home(), ".local/share");
}

std::string CacheHomeFolder()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    return xdg && *xdg == '/' ? xdg : JoinPath(Home(), ".cache");
}

} // namespace kal
