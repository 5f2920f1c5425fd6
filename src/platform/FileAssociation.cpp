#include "platform/FileAssociation.h"

#include "platform/FileIo.h"
#include "platform/Process.h"
#include "platform/ProgramFolders.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace kal {

namespace {

constexpr char kMimeType[] = "application/x-kalendra";
constexpr char kDesktopName[] = "kalendra.desktop";

bool Exists(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

// Adds or replaces "type=entry" under [Default Applications], keeping everything else.
std::string WithDefaultApplication(const std::string& text)
{
    const std::string line = std::string(kMimeType) + "=" + kDesktopName;
    std::string out;
    bool inDefaults = false;
    bool written = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string current = text.substr(start, end - start);
        start = end + 1;
        if (!current.empty() && current.front() == '[') {
            if (inDefaults && !written) {
                out += line + "\n";
                written = true;
            }
            inDefaults = current == "[Default Applications]";
        } else if (inDefaults && current.rfind(std::string(kMimeType) + "=", 0) == 0) {
            if (!written)
                out += line + "\n";
            written = true;
            continue;
        }
        out += current + "\n";
    }
    if (!written)
        out += (inDefaults ? "" : "\n[Default Applications]\n") + line + "\n";
    return out;
}

constexpr char kMimeXml[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                            "  <mime-type type=\"application/x-kalendra\">\n"
                            "    <comment>Kalendraファイル</comment>\n"
                            "    <glob pattern=\"*.klx\"/>\n"
                            "  </mime-type>\n"
                            "</mime-info>\n";
// What every desktop entry of ours starts with; the program's path follows.
constexpr char kDesktopEntryStart[] = "[Desktop Entry]\n"
                                      "Type=Application\n"
                                      "Name=Kalendra\n"
                                      "Comment=スケジュール管理\n"
                                      "Exec=\"";

std::string DesktopEntry(const std::string& program)
{
    return kDesktopEntryStart + program
        + "\" %f\n"
          "Icon=kalendra\n"
          "MimeType=application/x-kalendra;\n"
          "Categories=Office;Calendar;\n"
          "Terminal=false\n";
}

std::vector<std::string> SystemDataFolders()
{
    const char* given = std::getenv("XDG_DATA_DIRS");
    const std::string list = given && *given ? given : "/usr/local/share:/usr/share";
    std::vector<std::string> folders;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t colon = std::min(list.find(':', from), list.size());
        std::string folder = list.substr(from, colon - from);
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        if (!folder.empty() && folder.front() == '/')
            folders.push_back(folder);
        from = colon + 1;
    }
    return folders;
}

bool DeclaresType(const std::string& mimePackages)
{
    DIR* folder = ::opendir(mimePackages.c_str());
    if (!folder)
        return false;
    const std::string declaration = std::string("type=\"") + kMimeType + "\"";
    bool found = false;
    while (const dirent* item = ::readdir(folder)) {
        const std::string name = item->d_name;
        if (name.size() > 4 && name.ends_with(".xml")) {
            const auto text = ReadWholeFile(JoinPath(mimePackages, name));
            found = text && text->find(declaration) != std::string::npos;
            if (found)
                break;
        }
    }
    ::closedir(folder);
    return found;
}

// An installed package's type or desktop entry in a system data folder. The user's own data folder
// does not count even when a session lists it there: that is where our own copies go.
bool InstalledSystemWide()
{
    const std::string own = DataHomeFolder();
    for (const std::string& folder : SystemDataFolders()) {
        if (folder == own)
            continue;
        if (Exists(JoinPath(folder, std::string("applications/") + kDesktopName))
            || DeclaresType(JoinPath(folder, "mime/packages")))
            return true;
    }
    return false;
}

void UpdateDesktopDatabases(const AssociationFiles& files)
{
    // The desktop's databases are brought up to date when their tools are installed.
    RunProgram({ "update-mime-database", JoinPath(DataHomeFolder(), "mime") }, ProcessWait::UntilDone);
    RunProgram({ "update-desktop-database", FolderOf(files.desktopEntry) }, ProcessWait::UntilDone);
}

// Removes the type and desktop entry this program wrote earlier; a file the user changed stays.
void RemoveOwnCopies(const AssociationFiles& files)
{
    bool removed = false;
    if (const auto xml = ReadWholeFile(files.mimeXml); xml && *xml == kMimeXml)
        removed = std::remove(files.mimeXml.c_str()) == 0;
    constexpr std::size_t pathStart = sizeof kDesktopEntryStart - 1;
    if (const auto entry = ReadWholeFile(files.desktopEntry); entry && entry->starts_with(kDesktopEntryStart)) {
        const std::size_t pathEnd = std::min(entry->find('"', pathStart), entry->size());
        if (*entry == DesktopEntry(entry->substr(pathStart, pathEnd - pathStart)))
            removed = std::remove(files.desktopEntry.c_str()) == 0 || removed;
    }
    if (removed)
        UpdateDesktopDatabases(files);
}

} // namespace

AssociationFiles AssociationFilePaths()
{
    const std::string data = DataHomeFolder();
    return AssociationFiles { JoinPath(data, "mime/packages/kalendra.xml"),
        JoinPath(data, "applications/kalendra.desktop"), JoinPath(data, "icons/hicolor/scalable/apps/kalendra.svg"),
        JoinPath(ConfigHomeFolder(), "mimeapps.list") };
}

bool RegisterFileAssociation(AssociationMode mode)
{
    const AssociationFiles files = AssociationFilePaths();
    if (InstalledSystemWide()) {
        // The installed package's desktop entry and type serve the user; copies of our own in the
        // user's folders would shadow them with this program's path, which may be gone tomorrow.
        RemoveOwnCopies(files);
        if (mode == AssociationMode::IfMissing)
            return true;
        const auto mimeApps = ReadWholeFile(files.mimeApps);
        return MakeFolders(FolderOf(files.mimeApps))
            && static_cast<bool>(WriteFileAtomically(files.mimeApps, WithDefaultApplication(mimeApps.ValueOr(""))));
    }
    if (mode == AssociationMode::IfMissing && Exists(files.mimeXml))
        return true;
    const auto icon = ReadWholeFile(JoinPath(ProgramDataFolder(), "kalendra.svg"));
    const auto mimeApps = ReadWholeFile(files.mimeApps);
    bool ok = true;
    for (const auto& [path, text] : { std::pair { files.mimeXml, std::string(kMimeXml) },
             std::pair { files.desktopEntry, DesktopEntry(JoinPath(ProgramFolder(), "kalendra")) },
             std::pair { files.mimeApps, WithDefaultApplication(mimeApps.ValueOr("")) } }) {
        ok = MakeFolders(FolderOf(path)) && static_cast<bool>(WriteFileAtomically(path, text)) && ok;
    }
    if (icon)
        ok = MakeFolders(FolderOf(files.icon)) && static_cast<bool>(WriteFileAtomically(files.icon, *icon)) && ok;
    UpdateDesktopDatabases(files);
    return ok;
}

} // namespace kal
