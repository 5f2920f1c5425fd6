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
    static constexpr std::array<std::string_view, 17> kPrograms = { "exe", "com", "scr", "msi", "bat", "cmd",
        "appimage", "run", "bin", "elf", "jar", "deb", "rpm", "apk", "flatpakref", "snap", "lnk" };
    static constexpr std::array<std::string_view, 18> kScripts = { "sh", "bash", "zsh", "csh", "ksh", "fish", "command",
        "py", "pl", "rb", "php", "js", "vbs", "ps1", "lua", "tcl", "awk", "applescript" };
    const std::string extension = ExtensionOf(path);
    if (extension == "desktop")
        return HandOverRefusal::Launcher;
    if (std::find(kPrograms.begin(), kPrograms.end(), extension) != kPrograms.end())
        return HandOverRefusal::Program;
    if (std::find(kScripts.begin(), kScripts.end(), extension) != kScripts.end())
        return HandOverRefusal::Script;
    return HandOverRefusal::None;
}

// What the first bytes of a regular file say it is.
HandOverRefusal RefusalForContent(const std::string& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return HandOverRefusal::None;
    char head[16] = {};
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
    if (start.substr(0, 15) == "[Desktop Entry]")
        return HandOverRefusal::Launcher;
    return HandOverRefusal::None;
}

// The checks of a local file: its name, the name of the file it leads to through links, its mode and
// its first bytes.
HandOverRefusal RefusalForFile(const std::string& path)
{
    if (const HandOverRefusal byName = RefusalForName(path); byName != HandOverRefusal::None)
        return byName;
    const std::string real = ResolveLinks(path).value_or(path);
    if (const HandOverRefusal byName = RefusalForName(real); byName != HandOverRefusal::None)
        return byName;
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return HandOverRefusal::None;
    if ((info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0)
        return HandOverRefusal::ExecuteBit;
    return S_ISREG(info.st_mode) ? RefusalForContent(path) : HandOverRefusal::None;
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
