#include "app/RecentFiles.h"

#include "platform/Profile.h"
#include "platform/Text.h"

#include <algorithm>
#include <utility>

namespace kal {

namespace {

constexpr char kSection[] = "Recent File List";

std::string ValueName(int index)
{
    return "File" + std::to_string(index + 1);
}

} // namespace

void RecentFiles::Load()
{
    paths_.clear();
    const Profile& profile = Profile::Current();
    for (int i = 0; i < kCount; ++i) {
        const std::string path = ToUtf8(profile.GetString(kSection, ValueName(i), u""));
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(path);
    }
}

void RecentFiles::Add(std::string path)
{
    if (path.empty())
        return;
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    paths_.insert(paths_.begin(), std::move(path));
    if (paths_.size() > kCount)
        paths_.resize(kCount);
    Store();
}

void RecentFiles::Remove(std::string path)
{
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    Store();
}

void RecentFiles::Store() const
{
    Profile& profile = Profile::Current();
    for (int i = 0; i < kCount; ++i)
        profile.SetString(kSection, ValueName(i),
            i < static_cast<int>(paths_.size()) ? FromUtf8(paths_[static_cast<std::size_t>(i)]) : u"");
}

} // namespace kal
