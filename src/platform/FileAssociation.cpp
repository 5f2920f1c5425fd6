#include "platform/FileAssociation.h"

#include "platform/FileIo.h"
#include "platform/Process.h"
#include "platform/ProgramFolders.h"
#include "platform/UserFolders.h"

#include <cstdlib>
#include <sys/stat.h>

namespace kal {

namespace {

constexpr char kMimeType[] = "application/x-kalendra";
constexpr char kDesktopName[] = "kalendra.desktop";

std::string ConfigHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return JoinPath(home && *home ? home : "/", ".config");
}

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

} // namespace

AssociationFiles AssociationFilePaths()
{
    const std::string data = DataHomeFolder();
    return AssociationFiles { JoinPath(data, "mime/packages/kalendra.xml"),
        JoinPath(data, "applications/kalendra.desktop"), JoinPath(data, "icons/hicolor/scalable/apps/kalendra.svg"),
        JoinPath(ConfigHome(), "mimeapps.list") };
}

bool RegisterFileAssociation(AssociationMode mode)
{
    const AssociationFiles files = AssociationFilePaths();
    if (mode == AssociationMode::IfMissing && Exists(files.mimeXml))
        return true;
    const std::string program = JoinPath(ProgramFolder(), "kalendra");
    const std::string mimeXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                                "  <mime-type type=\"application/x-kalendra\">\n"
                                "    <comment>Kalendraファイル</comment>\n"
                                "    <glob pattern=\"*.klx\"/>\n"
                                "  </mime-type>\n"
                                "</mime-info>\n";
    const std::string desktop = "[Desktop Entry]\n"
                                "Type=Application\n"
                                "Name=Kalendra\n"
                                "Comment=スケジュール管理\n"
                                "Exec=\""
        + program
        + "\" %f\n"
          "Icon=kalendra\n"
          "MimeType=application/x-kalendra;\n"
          "Categories=Office;Calendar;\n"
          "Terminal=false\n";
    const auto icon = ReadWholeFile(JoinPath(ProgramDataFolder(), "kalendra.svg"));
    const auto mimeApps = ReadWholeFile(files.mimeApps);
    bool ok = true;
    for (const auto& [path, text] : { std::pair { files.mimeXml, mimeXml }, std::pair { files.desktopEntry, desktop },
             std::pair { files.mimeApps, WithDefaultApplication(mimeApps.value_or("")) } }) {
        ok = MakeFolders(FolderOf(path)) && WriteFileAtomically(path, text) && ok;
    }
    if (icon)
        ok = MakeFolders(FolderOf(files.icon)) && WriteFileAtomically(files.icon, *icon) && ok;
    // The desktop's databases are brought up to date when their tools are installed.
    RunProgram({ "update-mime-database", JoinPath(DataHomeFolder(), "mime") }, ProcessWait::UntilDone);
    RunProgram({ "update-desktop-database", FolderOf(files.desktopEntry) }, ProcessWait::UntilDone);
    return ok;
}

} // namespace kal
