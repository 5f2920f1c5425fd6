#pragma once

#include "calendar/DTime.h"
#include "store/DayColourMap.h"
#include "store/KalData.h"
#include "store/KalField.h"
#include "store/KalStore.h"
#include "store/MemoData.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kal {

class CKalStore;

// The genre and colour of one entry, by its place in the store: what a genre change rewrites.
struct EntryGenreColour {
    int index = 0;
    std::int32_t genre = 0;
    Colour colour = 0;
};

// Where a step left the user's attention: the entry it touched (when it is in the store after the
// step) and the day it is on.
struct TouchedPlace {
    const CKalData* entry = nullptr;
    std::optional<CDTime> day;
};

// One named change of a store that can be applied and reverted any number of times, in turn. It
// keeps only what it changes (an added entry, a removed one, the other side of an edit), never a
// copy of the store. Its parts apply in the order they were added and revert in the reverse order;
// each part's indexes are those of the store as the parts before it left it. Reverting gives back
// the store exactly as it was, down to the order of rows the file is written in.
class StoreOperation {
public:
    explicit StoreOperation(std::u16string name);
    StoreOperation(StoreOperation&&) noexcept;
    StoreOperation& operator=(StoreOperation&&) noexcept;
    ~StoreOperation();

    // The name the undo and redo commands show, e.g. "スケジュールの削除".
    [[nodiscard]] const std::u16string& Name() const { return name_; }
    [[nodiscard]] bool Empty() const { return parts_.empty(); }

    // Appends entries at the end of the store, in order.
    StoreOperation& Append(std::unique_ptr<CKalData> entry) &;
    StoreOperation&& Append(std::unique_ptr<CKalData> entry) && { return std::move(Append(std::move(entry))); }
    StoreOperation& Append(std::vector<std::unique_ptr<CKalData>> entries) &;
    StoreOperation&& Append(std::vector<std::unique_ptr<CKalData>> entries) &&
    {
        return std::move(Append(std::move(entries)));
    }
    StoreOperation& Remove(int index) &;
    StoreOperation&& Remove(int index) && { return std::move(Remove(index)); }
    // Makes the entry at `index` equal to `after` in every field.
    StoreOperation& Replace(int index, const CKalData& after) &;
    StoreOperation&& Replace(int index, const CKalData& after) && { return std::move(Replace(index, after)); }
    StoreOperation& Exchange(int first, int second) &;
    StoreOperation&& Exchange(int first, int second) && { return std::move(Exchange(first, second)); }
    // Colours the day `dateKey` ("%d/%02d/%02d"), or takes its colour away.
    StoreOperation& SetDayColour(std::u16string dateKey, std::optional<DayColour> colour) &;
    StoreOperation&& SetDayColour(std::u16string dateKey, std::optional<DayColour> colour) &&
    {
        return std::move(SetDayColour(std::move(dateKey), std::move(colour)));
    }
    StoreOperation& SetGenres(CKalFieldArray genres) &;
    StoreOperation&& SetGenres(CKalFieldArray genres) && { return std::move(SetGenres(std::move(genres))); }
    // Sets the genre and colour of each entry named by its index.
    StoreOperation& SetEntryGenres(std::vector<EntryGenreColour> changes) &;
    StoreOperation&& SetEntryGenres(std::vector<EntryGenreColour> changes) &&
    {
        return std::move(SetEntryGenres(std::move(changes)));
    }
    StoreOperation& SetMemos(std::vector<CMemoData> memos) &;
    StoreOperation&& SetMemos(std::vector<CMemoData> memos) && { return std::move(SetMemos(std::move(memos))); }
    // The per-file settings as a whole, or the parts of them the user chooses.
    StoreOperation& SetFileSettings(FileSettings settings) &;
    StoreOperation&& SetFileSettings(FileSettings settings) &&
    {
        return std::move(SetFileSettings(std::move(settings)));
    }
    StoreOperation& SetGenrePresets(const CKalStore& store, std::int32_t scheduleGenre, std::int32_t todoGenre) &;
    StoreOperation&& SetGenrePresets(const CKalStore& store, std::int32_t scheduleGenre, std::int32_t todoGenre) &&
    {
        return std::move(SetGenrePresets(store, scheduleGenre, todoGenre));
    }
    // This file's own diary folder; empty returns to the default folder.
    StoreOperation& SetDiaryFolder(const CKalStore& store, std::u16string folder) &;
    StoreOperation&& SetDiaryFolder(const CKalStore& store, std::u16string folder) &&
    {
        return std::move(SetDiaryFolder(store, std::move(folder)));
    }

    void Apply(CKalStore& store);
    void Revert(CKalStore& store);
    [[nodiscard]] bool Applied() const { return applied_; }

    // The entries the last step took out of the store. The operation keeps them alive, so that views
    // can let go of them after the step.
    [[nodiscard]] const std::vector<const CKalData*>& Left() const { return left_; }
    // What the last step touched, to show it.
    [[nodiscard]] TouchedPlace Touched(const CKalStore& store) const;

    class Part;

private:
    StoreOperation& Add(std::unique_ptr<Part> part);

    std::u16string name_;
    std::vector<std::unique_ptr<Part>> parts_;
    std::vector<const CKalData*> left_;
    bool applied_ = false;
};

// The store's memo pages as values.
[[nodiscard]] std::vector<CMemoData> MemoValues(const CKalStore& store);

// Turns entries (and genres they named) appended in place, as a long import appends them piece by
// piece, into an operation: made before the appending, TakeBack then takes them out again and gives
// the operation that appends them.
class AppendedRecorder {
public:
    explicit AppendedRecorder(const CKalStore& store);
    [[nodiscard]] StoreOperation TakeBack(CKalStore& store, std::u16string name);

private:
    std::size_t entries_;
    CKalFieldArray genres_;
};

// Where changes to a store go: the document applies them and keeps them for undo; a store without
// a document applies them directly.
class StoreEditor {
public:
    virtual ~StoreEditor() = default;
    [[nodiscard]] virtual const CKalStore& Store() const = 0;
    // Applies a non-empty operation; an empty one changes nothing.
    virtual void Apply(StoreOperation operation) = 0;
};

// Applies operations to a store and lets them go: for programs that keep no history.
class DirectStoreEditor final : public StoreEditor {
public:
    explicit DirectStoreEditor(CKalStore& store)
        : store_(store)
    {
    }
    [[nodiscard]] const CKalStore& Store() const override { return store_; }
    void Apply(StoreOperation operation) override { operation.Apply(store_); }

private:
    CKalStore& store_;
};

} // namespace kal
