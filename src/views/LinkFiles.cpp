#include "views/LinkFiles.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "views/DiaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace kal {

namespace {

bool IsAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsSeparator(char16_t c)
{
    return c == u'/' || c == u'\\';
}

std::u16string SchedulePathText(const std::string& schedulePath)
{
    return FromUtf8(schedulePath);
}

} // namespace

bool IsUrl(std::u16string_view link)
{
    if (link.find(u"://") != std::u16string_view::npos)
        return true;
    const std::size_t colon = link.find(u':');
    if (colon == std::u16string_view::npos || colon < 2 || !IsAsciiLetter(link[0]))
        return false;
    return std::all_of(link.begin() + 1, link.begin() + static_cast<std::ptrdiff_t>(colon),
        [](char16_t c) { return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.'; });
}

bool IsAbsoluteLink(std::u16string_view link)
{
    return !link.empty() && IsSeparator(link[0]) && !IsUrl(link);
}

std::optional<std::u16string> ResolveLink(std::u16string_view link, const std::string& schedulePath)
{
    if (IsUrl(link))
        return std::u16string(link);
    if (IsAbsoluteLink(link))
        return FromUtf8(LocalFolder(link));
    if (schedulePath.empty())
        return std::nullopt;
    return FromUtf8(JoinPath(FolderOf(schedulePath), LocalFolder(link)));
}

std::u16string MakeRelative(std::u16string_view base, std::u16string_view target)
{
    const auto split = [](std::u16string_view path) {
        const std::size_t slash = path.rfind(u'/');
        if (slash == std::u16string_view::npos)
            return std::pair { path, std::u16string_view() };
        return std::pair { path.substr(0, slash + 1), path.substr(slash + 1) };
    };
    std::u16string_view baseFolder = split(base).first;
    auto [targetFolder, targetName] = split(target);
    if (baseFolder == targetFolder)
        return std::u16string(targetName);
    while (!baseFolder.empty() && !targetFolder.empty()) {
        const std::size_t baseCut = baseFolder.find(u'/');
        const std::size_t targetCut = targetFolder.find(u'/');
        if (baseFolder.substr(0, baseCut) != targetFolder.substr(0, targetCut))
            break;
        baseFolder.remove_prefix(baseCut == std::u16string_view::npos ? baseFolder.size() : baseCut + 1);
        targetFolder.remove_prefix(targetCut == std::u16string_view::npos ? targetFolder.size() : targetCut + 1);
    }
    std::u16string relative;
    for (std::size_t n = static_cast<std::size_t>(std::count(baseFolder.begin(), baseFolder.end(), u'/')); n > 0; --n)
        relative += u"../";
    relative += targetFolder;
    relative += targetName;
    return relative;
}

std::u16string ProposedFileName(std::u16string_view content)
{
    constexpr std::u16string_view kNotFirst = u"/\\*?<>|";
    std::u16string name;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char16_t c = content[i];
        if (c == u':' || c < 0x20)
            name += u' ';
        else if (i == 0 && kNotFirst.find(c) != std::u16string_view::npos)
            continue;
        else if (!IsSeparator(c))
            name += c;
    }
    return name + u".txt";
}

bool CreateTextFile(const std::string& path, std::string_view bytes)
{
    struct stat info { };
    if (::lstat(path.c_str(), &info) == 0 || errno != ENOENT)
        return false;
    return static_cast<bool>(WriteFileAtomically(path, bytes));
}

bool CreateLinkTextFile(const std::string& path, std::u16string_view content)
{
    return CreateTextFile(path, CodePage::Ansi().Encode(std::u16string(content) + u"\r\n").bytes);
}

bool HandToDesktop(std::u16string_view pathOrAddress)
{
    const HandOverResult result = Shell::Current().Open(pathOrAddress);
    if (!result.message.empty())
        Ui::Current().ShowMessage(result.message);
    else if (!result.started)
        Ui::Current().ShowMessage((IsUrl(pathOrAddress) ? linktext::kAddressNoOpener : linktext::kFileNoOpener)
            + std::u16string(pathOrAddress));
    return result.started;
}

bool StoreAbsoluteLinks()
{
    return Profile::Current().GetInt(linktext::kSection, linktext::kAbsolutePathValue, 0) != 0;
}

bool BrowseFromScheduleFolder()
{
    return Profile::Current().GetInt(linktext::kSection, linktext::kInitialFolderValue, 0) == 0;
}

FileDialogOptions LinkBrowseOptions(std::u16string_view initialFolder)
{
    const std::u16string pattern
        = Profile::Current().GetString(linktext::kSection, linktext::kPatternValue, linktext::kDefaultPattern);
    FileDialogOptions options;
    options.title = linktext::kBrowseTitle;
    options.filter = (pattern == linktext::kDefaultPattern ? linktext::kTextFilesFilter : linktext::kUserFilesFilter)
        + pattern + linktext::kAllFilesFilter;
    options.initialName = pattern;
    options.initialFolder = initialFolder;
    return options;
}

std::u16string LinkForBrowsedFile(std::u16string_view chosen, const std::string& schedulePath)
{
    if (StoreAbsoluteLinks() || schedulePath.empty())
        return std::u16string(chosen);
    return MakeRelative(SchedulePathText(schedulePath), chosen);
}

std::u16string LinkBrowseFolder(std::u16string_view link, const std::string& schedulePath)
{
    if (!link.empty()) {
        if (IsUrl(link))
            return {};
        const std::u16string path = ResolveLink(link, schedulePath).value_or(FromUtf8(LocalFolder(link)));
        return FromUtf8(FolderOf(ToUtf8(path)));
    }
    if (BrowseFromScheduleFolder() && !schedulePath.empty())
        return FromUtf8(FolderOf(schedulePath));
    return {};
}

} // namespace kal
