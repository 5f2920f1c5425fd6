#include "platform/IniProfile.h"

#include "platform/FileIo.h"

#include <cstdlib>
#include <memory>

namespace kal {

IniProfile::IniProfile(std::string path)
    : path_(std::move(path))
{
    if (const auto text = ReadWholeFile(path_, nullptr, kMaxFileSize))
        Values() = ProfileValues::FromIni(*text);
}

std::string IniProfile::DefaultPath()
{
    if (const char* configured = std::getenv("KALENDRA_CONFIG"); configured && *configured)
        return configured;
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = JoinPath(home, ".config");
    else
        base = ".config";
    return JoinPath(JoinPath(base, "Zentrik"), "Kalendra.ini");
}

bool IniProfile::Persist()
{
    if (!MakeFolders(FolderOf(path_)))
        return false;
    return WriteFileAtomically(path_, Values().ToIni());
}

Profile& Profile::Current()
{
    if (Profile* installed = Installed())
        return *installed;
    static IniProfile settingsFile(IniProfile::DefaultPath());
    return settingsFile;
}

} // namespace kal
