#include "platform/Shell.h"

#include "platform/FileIo.h"
#include "platform/Process.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kal {

namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(
        lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The scheme of an address ("https" of "https://..."), or "" when the text does not start with one.
// One letter before the colon is a drive, not a scheme.
std::string SchemeOf(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return {};
    for (std::size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return {};
    }
    return Lower(text.substr(0, colon));
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The local path of a file address ("file:///home/a%20b.txt"), or "" when it names another machine
// or is not well formed.
std::string PathOfFileAddress(std::string_view address)
{
    std::string_view rest = address.substr(address.find(':') + 1);
    if (rest.substr(0, 2) != "//")
        return rest.substr(0, 1) == "/" ? std::string(rest) : std::string();
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos)
        return {};
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && Lower(host) != "localhost")
        return {};
    rest.remove_prefix(slash);
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%') {
            if (i + 2 >= rest.size())
                return {};
            const int high = HexValue(rest[i + 1]);
            const int low = HexValue(rest[i + 2]);
            if (high < 0 || low < 0)
                return {};
            path += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return path.find('\0') == std::string::npos ? path : std::string();
}

bool HasControlCharacters(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

// The name's last extension in lower case, without the dot.
std::string ExtensionOf(const std::string& path)
{
    const std::string name = NameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : Lower(std::string_view(name).substr(dot + 1));
}

HandOverRefusal RefusalForName(const std::string& path)
{
    // What desktops run (or hand to an interpreter or an installer) when asked to open it.
    // Windows kinds count too: an installed compatibility layer runs them, shortcuts and control-panel
    // items included.
    static constexpr std::array<std::string_view, 26> kPrograms
        = { "exe", "com", "scr", "msi", "msp", "bat", "cmd", "pif", "cpl", "hta", "wsf", "vbe", "jse", "appimage",
              "run", "bin", "elf", "jar", "deb", "rpm", "apk", "flatpak", "flatpakref", "flatpakrepo", "snap", "lnk" };
    static constexpr std::array<std::string_view, 18> kScripts = { "sh", "bash", "zsh", "csh", "ksh", "fish", "command",
        "py", "pl", "rb", "php", "js", "vbs", "ps1", "lua", "tcl", "awk", "applescript" };
    const std::string extension = ExtensionOf(path);
    // Desktop entries, under their name of today and the older one desktops still run.
    if (extension == "desktop" || extension == "kdelnk")
        return HandOverRefusal::Launcher;
    if (std::find(kPrograms.begin(), kPrograms.end(), extension) != kPrograms.end())
        return HandOverRefusal::Program;
    if (std::find(kScripts.begin(), kScripts.end(), extension) != kScripts.end())
        return HandOverRefusal::Script;
    return HandOverRefusal::None;
}

// Whether text starts, after a byte-order mark, blank lines and comments, with the group that makes
// it a desktop entry, whatever its name.
bool IsDesktopEntry(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        return line == "[Desktop Entry]" || line == "[KDE Desktop Entry]";
    }
    return false;
}

// What the first bytes of a regular file say it is.
HandOverRefusal RefusalForContent(const std::string& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return HandOverRefusal::None;
    char head[4096] = {};
    const ssize_t got = ::read(file, head, sizeof head);
    ::close(file);
    const std::string_view start(head, got > 0 ? static_cast<std::size_t>(got) : 0);
    if (start.substr(0, 2) == "#!")
        return HandOverRefusal::Script;
    if (start.substr(0, 4)
            == "\x7F"
               "ELF"
        || start.substr(0, 2) == "MZ")
        return HandOverRefusal::Program;
    if (IsDesktopEntry(start))
        return HandOverRefusal::Launcher;
    return HandOverRefusal::None;
}

// Whether a mail address asks the mail program to attach a file ("attach=", "attachment=", in any
// case, anywhere in its query, its name percent-encoded or not): the file would leave the machine.
bool NamesAttachment(std::string_view address)
{
    const std::size_t query = address.find('?');
    if (query == std::string_view::npos)
        return false;
    std::string_view rest = address.substr(query + 1);
    while (!rest.empty()) {
        // Mail programs differ in what separates fields; splitting at each of them can only find more.
        const std::size_t end = rest.find_first_of("&;?");
        const std::string_view field = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        std::string name;
        for (std::size_t i = 0; i < field.size() && field[i] != '='; ++i) {
            int high = 0;
            int low = 0;
            if (field[i] == '%' && i + 2 < field.size() && (high = HexValue(field[i + 1])) >= 0
                && (low = HexValue(field[i + 2])) >= 0) {
                name += static_cast<char>(high * 16 + low);
                i += 2;
            } else {
                name += field[i];
            }
        }
        name = Lower(name);
        const std::size_t first = name.find_first_not_of(" \t+");
        if (first != std::string::npos && name.compare(first, 6, "attach") == 0)
            return true;
    }
    return false;
}

// The checks of a local file: its name, the name of the file it leads to through links, its mode and
// its first bytes.
HandOverRefusal RefusalForFile(const std::string& path)
{
    if (const HandOverRefusal byName = RefusalForName(path); byName != HandOverRefusal::None)
        return byName;
    const std::string real = ResolveLinks(path).ValueOr(path);
    if (const HandOverRefusal byName = RefusalForName(real); byName != HandOverRefusal::None)
        return byName;
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return HandOverRefusal::Missing;
    if (!S_ISREG(info.st_mode))
        return HandOverRefusal::NotAFile;
    if ((info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0)
        return HandOverRefusal::ExecuteBit;
    return RefusalForContent(path);
}

std::string AbsolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char here[4096];
    if (!::getcwd(here, sizeof here))
        return "/" + path;
    return JoinPath(here, path);
}

} // namespace

HandOverCheck CheckHandOver(std::u16string_view pathOrAddress)
{
    const std::string text = ToUtf8(pathOrAddress);
    if (text.empty())
        return { HandOverRefusal::Empty, {} };
    if (text[0] == '-')
        return { HandOverRefusal::LeadingDash, {} };
    if (text[0] != '/') {
        const std::string scheme = SchemeOf(text);
        if (!scheme.empty()) {
            if (HasControlCharacters(text))
                return { HandOverRefusal::BadCharacters, {} };
            if (scheme == "mailto" && NamesAttachment(text))
                return { HandOverRefusal::MailAttachment, {} };
            if (scheme == "http" || scheme == "https" || scheme == "mailto")
                return { HandOverRefusal::None, text };
            if (scheme != "file")
                return { HandOverRefusal::Scheme, {} };
            const std::string path = PathOfFileAddress(text);
            if (path.empty())
                return { HandOverRefusal::Scheme, {} };
            const HandOverRefusal refusal = RefusalForFile(path);
            return { refusal, refusal == HandOverRefusal::None ? path : std::string() };
        }
    }
    // Given as an absolute path, the name can never be taken for an option, whatever it starts with.
    const std::string path = AbsolutePath(text);
    const HandOverRefusal refusal = RefusalForFile(path);
    return { refusal, refusal == HandOverRefusal::None ? path : std::string() };
}

std::u16string HandOverMessage(HandOverRefusal refusal, std::u16string_view pathOrAddress)
{
    const char16_t* reason = nullptr;
    switch (refusal) {
    case HandOverRefusal::None:
        return {};
    case HandOverRefusal::Empty:
        return shelltext::kRefusedEmpty;
    case HandOverRefusal::LeadingDash:
        reason = shelltext::kRefusedLeadingDash;
        break;
    case HandOverRefusal::Program:
        reason = shelltext::kRefusedProgram;
        break;
    case HandOverRefusal::Script:
        reason = shelltext::kRefusedScript;
        break;
    case HandOverRefusal::Launcher:
        reason = shelltext::kRefusedLauncher;
        break;
    case HandOverRefusal::ExecuteBit:
        reason = shelltext::kRefusedExecuteBit;
        break;
    case HandOverRefusal::Scheme:
        reason = shelltext::kRefusedScheme;
        break;
    case HandOverRefusal::BadCharacters:
        reason = shelltext::kRefusedCharacters;
        break;
    case HandOverRefusal::MailAttachment:
        reason = shelltext::kRefusedMailAttachment;
        break;
    case HandOverRefusal::NotAFile:
        reason = shelltext::kRefusedNotAFile;
        break;
    case HandOverRefusal::Missing:
        reason = shelltext::kRefusedMissing;
        break;
    }
    return std::u16string(reason) + u"\n" + std::u16string(pathOrAddress);
}

HandOverResult Shell::Open(std::u16string_view pathOrAddress)
{
    const HandOverCheck check = CheckHandOver(pathOrAddress);
    if (check.refusal != HandOverRefusal::None)
        return { check.refusal, false, HandOverMessage(check.refusal, pathOrAddress) };
    return { HandOverRefusal::None, Start(check.target), {} };
}

Shell& Shell::Current()
{
    if (Shell* installed = Installed())
        return *installed;
    static DesktopShell desktop;
    return desktop;
}

bool DesktopShell::Start(const std::string& target)
{
    return RunProgram({ "xdg-open", target }, ProcessWait::LeaveRunning);
}

} // namespace kal
