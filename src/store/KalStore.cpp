#include "store/KalStore.h"

#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "settings/KalSettings.h"

#include <utility>

namespace kal {

CKalStore::CKalStore()
    : diaryFolderDefault(
        ReadSetting(Profile::Current(), ProfileTextSetting::DiaryDir, FromUtf8(DocumentsFolder() + "/")))
{
}

void CKalStore::Clear()
{
    entries.clear();
    dayColours.Clear();
    genres.Clear();
    memos.clear();
}

void CKalStore::AppendEntry(std::unique_ptr<CKalData> entry)
{
    entries.push_back(std::move(entry));
}

int CKalStore::IndexOf(const CKalData* entry) const
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].get() == entry)
            return static_cast<int>(i);
    }
    return -1;
}

std::unique_ptr<CKalData> CKalStore::RemoveEntry(int index)
{
    if (index < 0 || index >= EntryCount())
        return nullptr;
    std::unique_ptr<CKalData> removed = std::move(entries[static_cast<std::size_t>(index)]);
    entries.erase(entries.begin() + index);
    return removed;
}

void CKalStore::ExchangeEntries(int first, int second)
{
    if (first < 0 || second < 0 || first >= EntryCount() || second >= EntryCount())
        return;
    std::swap(entries[static_cast<std::size_t>(first)], entries[static_cast<std::size_t>(second)]);
}

int CKalStore::DefaultScheduleGenre() const
{
    return defaultScheduleGenre >= 0 && defaultScheduleGenre < genres.Count() ? defaultScheduleGenre : 0;
}

int CKalStore::DefaultTodoGenre() const
{
    return defaultTodoGenre >= 0 && defaultTodoGenre < genres.Count() ? defaultTodoGenre : 0;
}

void CKalStore::SetDayColour(const std::u16string& dateKey, DayColour colour)
{
    dayColours.Set(dateKey, std::move(colour));
}

void CKalStore::RemoveDayColour(const std::u16string& dateKey)
{
    dayColours.Remove(dateKey);
}

const DayColour* CKalStore::FindDayColour(const std::u16string& dateKey) const
{
    return dayColours.Find(dateKey);
}

void CKalStore::SetDiaryFolder(std::u16string folder)
{
    diaryFolder = std::move(folder);
    useOwnDiaryFolder_ = !diaryFolder.empty();
}

FileSettings CKalStore::Settings() const
{
    return FileSettings { diaryFolderDefault, diaryFolder, useOwnDiaryFolder_, fileVersion, defaultScheduleGenre,
        defaultTodoGenre, settingsExtra };
}

void CKalStore::SetSettings(FileSettings settings)
{
    diaryFolderDefault = std::move(settings.diaryFolderDefault);
    diaryFolder = std::move(settings.diaryFolder);
    useOwnDiaryFolder_ = settings.ownDiaryFolder;
    fileVersion = settings.fileVersion;
    defaultScheduleGenre = settings.defaultScheduleGenre;
    defaultTodoGenre = settings.defaultTodoGenre;
    settingsExtra = settings.settingsExtra;
}

const std::u16string& CKalStore::DiaryLocator() const
{
    return useOwnDiaryFolder_ ? diaryFolder : diaryFolderDefault;
}

} // namespace kal
