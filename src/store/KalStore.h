#pragma once

#include "store/DayColourMap.h"
#include "store/KalData.h"
#include "store/KalField.h"
#include "store/MemoData.h"

#include <memory>
#include <string>
#include <vector>

namespace kal {

// The per-file settings of a schedule file, as its settings row holds them.
struct FileSettings {
    std::u16string diaryFolderDefault;
    std::u16string diaryFolder;
    bool ownDiaryFolder = false;
    std::int32_t fileVersion = 0;
    std::int32_t defaultScheduleGenre = 0;
    std::int32_t defaultTodoGenre = 0;
    std::int32_t settingsExtra = 0;
};

// Everything of one schedule file in memory: entries in file order, per-day colours, genres, the
// file password, the diary folders, a few per-file settings and the memo pages.
class CKalStore {
public:
    // The default diary folder comes from the "Diary"/"Dir" setting.
    CKalStore();
    CKalStore(const CKalStore&) = delete;
    CKalStore& operator=(const CKalStore&) = delete;

    // Deletes every entry, day colour, genre and memo. Password, diary folders and per-file
    // settings stay.
    void Clear();

    void AppendEntry(std::unique_ptr<CKalData> entry);
    // Position of the entry (by identity), -1 when it is not in the store.
    [[nodiscard]] int IndexOf(const CKalData* entry) const;
    // Takes the entry at `index` out of the store and hands it to the caller.
    std::unique_ptr<CKalData> RemoveEntry(int index);
    void ExchangeEntries(int first, int second);
    [[nodiscard]] int EntryCount() const { return static_cast<int>(entries.size()); }
    [[nodiscard]] CKalData& Entry(int index) { return *entries[static_cast<std::size_t>(index)]; }
    [[nodiscard]] const CKalData& Entry(int index) const { return *entries[static_cast<std::size_t>(index)]; }

    // The genre at `index`, or null.
    [[nodiscard]] CKalField* GenreAt(int index) { return genres.At(index); }
    // The preset genre for new schedules (to-dos): the stored one while it exists, else 0.
    [[nodiscard]] int DefaultScheduleGenre() const;
    [[nodiscard]] int DefaultTodoGenre() const;

    // Per-day colours, keyed by the date text "%d/%02d/%02d".
    void SetDayColour(const std::u16string& dateKey, DayColour colour);
    void RemoveDayColour(const std::u16string& dateKey);
    [[nodiscard]] const DayColour* FindDayColour(const std::u16string& dateKey) const;

    // Chooses this file's own diary folder; an empty one returns to the default folder.
    void SetDiaryFolder(std::u16string folder);
    // Makes the diary operations use the default folder again (as a freshly loaded file does until
    // its own folder is read).
    void ResetDiaryLocator() { useOwnDiaryFolder_ = false; }
    [[nodiscard]] FileSettings Settings() const;
    void SetSettings(FileSettings settings);
    // The folder diaries go to: this file's own folder when it has one, else the default.
    [[nodiscard]] const std::u16string& DiaryLocator() const;

    std::vector<std::unique_ptr<CKalData>> entries;
    DayColourMap dayColours;
    CKalFieldArray genres;
    std::u16string password; // empty = not protected
    std::u16string diaryFolderDefault;
    std::u16string diaryFolder; // empty = use diaryFolderDefault
    std::int32_t fileVersion = 0;
    std::int32_t defaultScheduleGenre = 0;
    std::int32_t defaultTodoGenre = 0;
    std::int32_t settingsExtra = 0; // kept from the file and written back unchanged
    std::vector<std::unique_ptr<CMemoData>> memos;

private:
    bool useOwnDiaryFolder_ = false;
};

} // namespace kal
