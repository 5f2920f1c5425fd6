#include "store/StoreOperation.h"

#include "store/KalStore.h"

#include <algorithm>
#include <utility>

namespace kal {

// One change of an operation. Most parts are exchanges: the part keeps the other side of what it
// changes, so that applying and reverting are the same step.
class StoreOperation::Part {
public:
    virtual ~Part() = default;
    // Each step adds the entries it takes out of the store to `left`.
    virtual void Apply(CKalStore& store, std::vector<const CKalData*>& left) = 0;
    virtual void Revert(CKalStore& store, std::vector<const CKalData*>& left) = 0;
    // What the part touched, once `applied` says which step was last.
    [[nodiscard]] virtual TouchedPlace Touched(const CKalStore& /*store*/, bool /*applied*/) const { return {}; }
};

namespace {

using Part = StoreOperation::Part;

// A part whose apply and revert are one and the same exchange.
class ExchangePart : public Part {
public:
    void Apply(CKalStore& store, std::vector<const CKalData*>& /*left*/) final { Exchange(store); }
    void Revert(CKalStore& store, std::vector<const CKalData*>& /*left*/) final { Exchange(store); }

protected:
    virtual void Exchange(CKalStore& store) = 0;
};

// Assignment copies every field; the copy constructor would take the alarm mode from the settings.
void ExchangeFields(CKalData& first, CKalData& second)
{
    CKalData kept;
    kept = first;
    first = second;
    second = kept;
}

TouchedPlace PlaceOf(const CKalData* entry)
{
    if (!entry)
        return {};
    return TouchedPlace { entry, DateOnly(entry->start) };
}

class AppendPart final : public Part {
public:
    explicit AppendPart(std::vector<std::unique_ptr<CKalData>> entries)
        : entries_(std::move(entries))
        , count_(static_cast<int>(entries_.size()))
    {
    }

    void Apply(CKalStore& store, std::vector<const CKalData*>& /*left*/) override
    {
        first_ = store.EntryCount();
        store.entries.reserve(store.entries.size() + entries_.size());
        for (std::unique_ptr<CKalData>& entry : entries_)
            store.entries.push_back(std::move(entry));
        entries_.clear();
    }
    void Revert(CKalStore& store, std::vector<const CKalData*>& left) override
    {
        const auto from = store.entries.begin() + first_;
        entries_.assign(std::make_move_iterator(from), std::make_move_iterator(store.entries.end()));
        store.entries.erase(from, store.entries.end());
        for (const std::unique_ptr<CKalData>& entry : entries_)
            left.push_back(entry.get());
    }
    [[nodiscard]] TouchedPlace Touched(const CKalStore& store, bool applied) const override
    {
        if (applied)
            return count_ > 0 && first_ < store.EntryCount() ? PlaceOf(&store.Entry(first_)) : TouchedPlace {};
        TouchedPlace place = PlaceOf(entries_.empty() ? nullptr : entries_.front().get());
        place.entry = nullptr;
        return place;
    }

private:
    std::vector<std::unique_ptr<CKalData>> entries_; // while not applied
    int count_;
    int first_ = 0;
};

class RemovePart final : public Part {
public:
    explicit RemovePart(int index)
        : index_(index)
    {
    }

    void Apply(CKalStore& store, std::vector<const CKalData*>& left) override
    {
        removed_ = store.RemoveEntry(index_);
        if (removed_)
            left.push_back(removed_.get());
    }
    void Revert(CKalStore& store, std::vector<const CKalData*>& /*left*/) override
    {
        if (removed_)
            store.entries.insert(store.entries.begin() + index_, std::move(removed_));
    }
    [[nodiscard]] TouchedPlace Touched(const CKalStore& store, bool applied) const override
    {
        if (!applied)
            return index_ >= 0 && index_ < store.EntryCount() ? PlaceOf(&store.Entry(index_)) : TouchedPlace {};
        TouchedPlace place = PlaceOf(removed_.get());
        place.entry = nullptr;
        return place;
    }

private:
    int index_;
    std::unique_ptr<CKalData> removed_; // while applied
};

class ReplacePart final : public ExchangePart {
public:
    ReplacePart(int index, const CKalData& after)
        : index_(index)
    {
        other_ = after;
    }

    [[nodiscard]] TouchedPlace Touched(const CKalStore& store, bool /*applied*/) const override
    {
        return index_ >= 0 && index_ < store.EntryCount() ? PlaceOf(&store.Entry(index_)) : TouchedPlace {};
    }

private:
    void Exchange(CKalStore& store) override
    {
        if (index_ >= 0 && index_ < store.EntryCount())
            ExchangeFields(store.Entry(index_), other_);
    }

    int index_;
    CKalData other_; // the entry's fields on the other side of the last step
};

class EntryExchangePart final : public ExchangePart {
public:
    EntryExchangePart(int first, int second)
        : first_(first)
        , second_(second)
    {
    }

    [[nodiscard]] TouchedPlace Touched(const CKalStore& store, bool applied) const override
    {
        // The entry that was moved, wherever the step left it.
        const int at = applied ? second_ : first_;
        return at >= 0 && at < store.EntryCount() ? PlaceOf(&store.Entry(at)) : TouchedPlace {};
    }

private:
    void Exchange(CKalStore& store) override { store.ExchangeEntries(first_, second_); }

    int first_;
    int second_;
};

class DayColourPart final : public ExchangePart {
public:
    DayColourPart(std::u16string key, std::optional<DayColour> colour)
        : key_(std::move(key))
        , colour_(std::move(colour))
    {
    }

    [[nodiscard]] TouchedPlace Touched(const CKalStore& /*store*/, bool /*applied*/) const override
    {
        return TouchedPlace { nullptr, ParseDate(key_, YearClamp::Off) };
    }

private:
    void Exchange(CKalStore& store) override
    {
        DayColourMap& map = store.dayColours;
        const std::optional<std::size_t> position = map.PositionOf(key_);
        std::optional<DayColour> current;
        if (position)
            current = *map.Find(key_);
        // A colour taken away goes back to its place, so the file's rows keep their order.
        if (!colour_)
            map.Remove(key_);
        else if (position || !position_)
            map.Set(key_, *colour_);
        else
            map.InsertAt(*position_, key_, *colour_);
        colour_ = std::move(current);
        position_ = position;
    }

    std::u16string key_;
    std::optional<DayColour> colour_; // the other side
    std::optional<std::size_t> position_; // where the other side's key stood
};

class GenresPart final : public ExchangePart {
public:
    explicit GenresPart(CKalFieldArray genres)
        : genres_(std::move(genres))
    {
    }

private:
    void Exchange(CKalStore& store) override { std::swap(store.genres, genres_); }

    CKalFieldArray genres_;
};

class EntryGenresPart final : public ExchangePart {
public:
    explicit EntryGenresPart(std::vector<EntryGenreColour> changes)
        : changes_(std::move(changes))
    {
    }

private:
    void Exchange(CKalStore& store) override
    {
        for (EntryGenreColour& change : changes_) {
            if (change.index < 0 || change.index >= store.EntryCount())
                continue;
            CKalData& entry = store.Entry(change.index);
            std::swap(entry.genre, change.genre);
            std::swap(entry.colour, change.colour);
        }
    }

    std::vector<EntryGenreColour> changes_;
};

class MemosPart final : public ExchangePart {
public:
    explicit MemosPart(std::vector<CMemoData> memos)
    {
        for (CMemoData& memo : memos)
            memos_.push_back(std::make_unique<CMemoData>(std::move(memo)));
    }

private:
    void Exchange(CKalStore& store) override { std::swap(store.memos, memos_); }

    std::vector<std::unique_ptr<CMemoData>> memos_;
};

class FileSettingsPart final : public ExchangePart {
public:
    explicit FileSettingsPart(FileSettings settings)
        : settings_(std::move(settings))
    {
    }

private:
    void Exchange(CKalStore& store) override
    {
        FileSettings current = store.Settings();
        store.SetSettings(std::move(settings_));
        settings_ = std::move(current);
    }

    FileSettings settings_;
};

} // namespace

StoreOperation::StoreOperation(std::u16string name)
    : name_(std::move(name))
{
}

StoreOperation::StoreOperation(StoreOperation&&) noexcept = default;
StoreOperation& StoreOperation::operator=(StoreOperation&&) noexcept = default;
StoreOperation::~StoreOperation() = default;

StoreOperation& StoreOperation::Add(std::unique_ptr<Part> part)
{
    parts_.push_back(std::move(part));
    return *this;
}

StoreOperation& StoreOperation::Append(std::unique_ptr<CKalData> entry) &
{
    std::vector<std::unique_ptr<CKalData>> entries;
    entries.push_back(std::move(entry));
    return Append(std::move(entries));
}

StoreOperation& StoreOperation::Append(std::vector<std::unique_ptr<CKalData>> entries) &
{
    if (entries.empty())
        return *this;
    return Add(std::make_unique<AppendPart>(std::move(entries)));
}

StoreOperation& StoreOperation::Remove(int index) &
{
    return Add(std::make_unique<RemovePart>(index));
}

StoreOperation& StoreOperation::Replace(int index, const CKalData& after) &
{
    return Add(std::make_unique<ReplacePart>(index, after));
}

StoreOperation& StoreOperation::Exchange(int first, int second) &
{
    return Add(std::make_unique<EntryExchangePart>(first, second));
}

StoreOperation& StoreOperation::SetDayColour(std::u16string dateKey, std::optional<DayColour> colour) &
{
    return Add(std::make_unique<DayColourPart>(std::move(dateKey), std::move(colour)));
}

StoreOperation& StoreOperation::SetGenres(CKalFieldArray genres) &
{
    return Add(std::make_unique<GenresPart>(std::move(genres)));
}

StoreOperation& StoreOperation::SetEntryGenres(std::vector<EntryGenreColour> changes) &
{
    if (changes.empty())
        return *this;
    return Add(std::make_unique<EntryGenresPart>(std::move(changes)));
}

StoreOperation& StoreOperation::SetMemos(std::vector<CMemoData> memos) &
{
    return Add(std::make_unique<MemosPart>(std::move(memos)));
}

StoreOperation& StoreOperation::SetFileSettings(FileSettings settings) &
{
    return Add(std::make_unique<FileSettingsPart>(std::move(settings)));
}

StoreOperation& StoreOperation::SetGenrePresets(
    const CKalStore& store, std::int32_t scheduleGenre, std::int32_t todoGenre) &
{
    FileSettings settings = store.Settings();
    settings.defaultScheduleGenre = scheduleGenre;
    settings.defaultTodoGenre = todoGenre;
    return SetFileSettings(std::move(settings));
}

StoreOperation& StoreOperation::SetDiaryFolder(const CKalStore& store, std::u16string folder) &
{
    FileSettings settings = store.Settings();
    settings.ownDiaryFolder = !folder.empty();
    settings.diaryFolder = std::move(folder);
    return SetFileSettings(std::move(settings));
}

void StoreOperation::Apply(CKalStore& store)
{
    left_.clear();
    for (const std::unique_ptr<Part>& part : parts_)
        part->Apply(store, left_);
    applied_ = true;
}

void StoreOperation::Revert(CKalStore& store)
{
    left_.clear();
    for (auto part = parts_.rbegin(); part != parts_.rend(); ++part)
        (*part)->Revert(store, left_);
    applied_ = false;
}

TouchedPlace StoreOperation::Touched(const CKalStore& store) const
{
    // The first part that names a day is what the operation is about.
    for (const std::unique_ptr<Part>& part : parts_) {
        TouchedPlace place = part->Touched(store, applied_);
        if (place.entry || place.day)
            return place;
    }
    return {};
}

std::vector<CMemoData> MemoValues(const CKalStore& store)
{
    std::vector<CMemoData> memos;
    memos.reserve(store.memos.size());
    for (const std::unique_ptr<CMemoData>& memo : store.memos)
        memos.push_back(*memo);
    return memos;
}

AppendedRecorder::AppendedRecorder(const CKalStore& store)
    : entries_(store.entries.size())
    , genres_(store.genres)
{
}

StoreOperation AppendedRecorder::TakeBack(CKalStore& store, std::u16string name)
{
    StoreOperation operation(std::move(name));
    const std::size_t from = std::min(entries_, store.entries.size());
    std::vector<std::unique_ptr<CKalData>> appended(
        std::make_move_iterator(store.entries.begin() + static_cast<std::ptrdiff_t>(from)),
        std::make_move_iterator(store.entries.end()));
    store.entries.resize(from);
    if (store.genres.Count() != genres_.Count()) {
        CKalFieldArray after = std::move(store.genres);
        store.genres = std::move(genres_);
        operation.SetGenres(std::move(after));
    }
    operation.Append(std::move(appended));
    return operation;
}

} // namespace kal
