#include "store/ScheduleFile.h"

#include "calendar/CalendarTexts.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"
#include "settings/KalSettings.h"
#include "store/CsvTable.h"
#include "store/EntryRow.h"
#include "store/FileMessage.h"
#include "store/HolidayUpdates.h"
#include "store/KalStore.h"
#include "store/PasswordScramble.h"
#include "store/ReadAheadLines.h"
#include "store/RepeatExpansion.h"
#include "store/StoreTexts.h"
#include "store/TextLineFile.h"

#include <algorithm>
#include <cstring>
#include <future>
#include <memory>
#include <system_error>

namespace kal {

namespace {

constexpr int kKindPassword = 2;
constexpr int kKindDayColour = 3;
constexpr int kKindSettings = 4;
constexpr int kKindGenre = 5;
constexpr int kKindMemo = 6;
constexpr int kVersionWith2007Holidays = 410;
constexpr std::uint64_t kReadAheadBytes = std::uint64_t(1) << 20;

bool IsBlank(const CsvLine& row)
{
    for (int i = 0; i < row.FieldCount(); ++i) {
        if (!row.Field(i).empty())
            return false;
    }
    return true;
}

void ReadSettingsRow(const CsvLine& row, CKalStore& store)
{
    store.diaryFolderDefault = row.Field(1);
    store.ResetDiaryLocator();
    const auto intAt = [&](int index, std::int32_t& member) {
        if (row.FieldCount() > index)
            member = ParseLeadingInt(row.Field(index));
    };
    if (row.FieldCount() > 3)
        intAt(3, store.fileVersion);
    intAt(4, store.defaultScheduleGenre);
    intAt(5, store.defaultTodoGenre);
    intAt(6, store.settingsExtra);
    if (row.FieldCount() > 7)
        store.SetDiaryFolder(std::u16string(row.Field(7)));
}

CKalField GenreFromRow(const CsvLine& row)
{
    CKalField genre;
    genre.name = row.Field(1);
    genre.visible = ParseLeadingInt(row.Field(2));
    genre.colour = ParseLeadingHex(row.Field(3));
    genre.note = row.Field(4);
    return genre;
}

enum class EntryCopy { Direct, Copied };

// Where a row stands: the saver writes the password as the first row after the header and nowhere
// else. A password row anywhere else is a fragment of a damaged row (a line feed inside a date once
// turned "2/05" into one) and must not lock the file.
enum class RowPlace { First, Later };

// The columns each kind of row needs before it means anything; a row cut shorter is not read. The
// per-file settings row may be short: its missing columns keep their values.
int MinimumColumns(int kind)
{
    switch (kind) {
    case kKindPassword:
        return 2;
    case kKindDayColour:
        return 3; // key and colour; the note may be missing
    case kKindSettings:
        return 2;
    case kKindGenre:
        return 4; // name, shown, colour; the note may be missing
    case kKindMemo:
        return 3;
    default:
        return 0; // entries are checked by their decoder
    }
}

// Files one row into the store by its kind. False when the row held nothing the store keeps.
bool DispatchRow(const CsvLine& row, CKalStore& store, EntryCopy copy, RowPlace place)
{
    const int kind = ParseLeadingInt(row.Field(0));
    if (row.FieldCount() < MinimumColumns(kind))
        return false;
    switch (kind) {
    case kKindPassword:
        if (place != RowPlace::First)
            return false;
        store.password = UnscramblePassword(row.Field(1));
        return true;
    case kKindDayColour:
        store.SetDayColour(
            std::u16string(row.Field(1)), DayColour { ParseLeadingHex(row.Field(2)), std::u16string(row.Field(3)) });
        return true;
    case kKindSettings:
        ReadSettingsRow(row, store);
        return true;
    case kKindGenre:
        store.genres.Append(GenreFromRow(row));
        return true;
    case kKindMemo:
        store.memos.push_back(
            std::make_unique<CMemoData>(CMemoData { std::u16string(row.Field(1)), std::u16string(row.Field(2)) }));
        return true;
    default: {
        auto entry = std::make_unique<CKalData>();
        if (!DecodeEntryRow(row, *entry))
            return false;
        store.AppendEntry(copy == EntryCopy::Copied ? std::make_unique<CKalData>(*entry) : std::move(entry));
        return true;
    }
    }
}

// A header never starts with a number. A file saved without one (an old setting left it out) has a
// row in its first line, and that row is read rather than thrown away with the header.
bool IsHeader(const CsvLine& row)
{
    const std::u16string_view kind = row.Field(0);
    const std::size_t digit = !kind.empty() && kind[0] == u'-' ? 1 : 0;
    return digit >= kind.size() || kind[digit] < u'0' || kind[digit] > u'9';
}

// Schedules whose repeat type the program does not know show only their first day.
int CountUnknownRules(const CKalStore& store)
{
    int count = 0;
    for (const auto& entry : store.entries) {
        if (!entry->IsTodo() && !repeat::IsKnown(entry->repeatType))
            ++count;
    }
    return count;
}

CsvLine ScheduleHeader()
{
    CsvLine header;
    for (const char16_t* name : texts::kScheduleFileHeader)
        header.AppendField(name);
    return header;
}

void FillRow(CsvLine& row, std::initializer_list<std::u16string_view> texts)
{
    int index = 0;
    for (const std::u16string_view text : texts)
        row.SetField(index++, text);
}

} // namespace

bool DispatchScheduleRow(const CsvLine& row, CKalStore& store)
{
    return DispatchRow(row, store, EntryCopy::Direct, RowPlace::Later);
}

namespace {

// The rows of a file's bytes, each read only when it is reached: the whole text is never held decoded.
// Lines end with LF, a CR before it is not part of the line, and Ctrl-Z ends the text. The bytes LF,
// CR and Ctrl-Z never occur inside a double-byte character, so splitting the bytes splits the text at
// the same places.
class ByteLines {
public:
    explicit ByteLines(std::string_view bytes)
        : bytes_(bytes.substr(0, bytes.find('\x1A')))
    {
    }

    bool Next(CsvLine& row)
    {
        if (position_ >= bytes_.size())
            return false;
        std::size_t end = bytes_.find('\n', position_);
        const std::size_t next = end == std::string_view::npos ? bytes_.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes_.size();
        else if (end > position_ && bytes_[end - 1] == '\r')
            --end;
        row.ParseEncoded(bytes_.substr(position_, end - position_), CodePage::Ansi());
        position_ = next;
        return true;
    }
    [[nodiscard]] static bool Failed() { return false; }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// The rows of a file read a window at a time: its bytes are never all held at once. The same rows as
// ByteLines would give for the file's whole bytes.
class StreamedLines {
public:
    explicit StreamedLines(FileReader& file)
        : file_(file)
    {
    }

    bool Next(CsvLine& row)
    {
        for (;;) {
            const char* const begin = window_.data() + position_;
            const std::size_t available = window_.size() - position_;
            const void* lf = available > 0 ? std::memchr(begin, '\n', available) : nullptr;
            if (lf) {
                std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - begin);
                position_ += length + 1;
                if (length > 0 && begin[length - 1] == '\r')
                    --length;
                row.ParseEncoded(std::string_view(begin, length), CodePage::Ansi());
                return true;
            }
            if (ended_) {
                if (available == 0)
                    return false;
                position_ += available;
                row.ParseEncoded(std::string_view(begin, available), CodePage::Ansi());
                return true;
            }
            ReadMore();
        }
    }

    [[nodiscard]] bool Failed() const { return failed_; }
    [[nodiscard]] const FileError& Error() const { return error_; }

private:
    static constexpr std::size_t kWindow = std::size_t(1) << 20;

    // Moves the unfinished line to the front and reads after it; a line longer than the window
    // doubles it.
    void ReadMore()
    {
        const std::size_t kept = window_.size() - position_;
        if (kept > 0 && position_ > 0)
            std::memmove(window_.data(), window_.data() + position_, kept);
        window_.resize(kept);
        position_ = 0;
        const std::size_t room = std::max(kWindow, 2 * kept) - kept;
        char* const at = window_.Grow(room);
        const long long got = file_.Read(at, room, &error_);
        if (got <= 0) {
            failed_ = got < 0;
            ended_ = true;
            return;
        }
        // Ctrl-Z ends the text: what follows it is not read.
        const auto count = static_cast<std::size_t>(got);
        const void* end = std::memchr(at, '\x1A', count);
        window_.resize(kept + (end ? static_cast<std::size_t>(static_cast<const char*>(end) - at) : count));
        ended_ = end != nullptr;
    }

    FileReader& file_;
    ByteBuffer window_;
    std::size_t position_ = 0;
    bool ended_ = false;
    bool failed_ = false;
    FileError error_;
};

// Reads every row the lines hold into the store; what could not be read goes to `seen`.
template <class Lines> void ReadRows(CKalStore& store, Lines& lines, LoadReport& seen)
{
    CsvLine row;
    for (int line = 0; lines.Next(row); ++line) {
        // The header names the columns; a file without one starts with its first row.
        if (line == 0 && IsHeader(row))
            continue;
        ++seen.rows;
        if (row.WasCut())
            seen.cutLines.push_back(line + 1);
        const RowPlace place = seen.rows == 1 ? RowPlace::First : RowPlace::Later;
        if (!DispatchRow(row, store, EntryCopy::Direct, place) && !IsBlank(row))
            seen.droppedLines.push_back(line + 1);
    }
}

Result<LoadedSchedule> FinishLoad(CKalStore& store, LoadReport& seen, const LoadOptions& options);

// A failure of reading the lines is told by the caller, who knows the file.
template <class Lines> Result<LoadedSchedule> LoadRows(CKalStore& store, Lines&& lines, const LoadOptions& options)
{
    store.Clear();
    // Clearing keeps the password, but it belongs to the file that was read: a file without one has none.
    store.password.clear();
    LoadReport seen;
    ReadRows(store, lines, seen);
    if (lines.Failed()) {
        // A file that could not be read to its end is not half loaded.
        store.Clear();
        return Failure {};
    }
    return FinishLoad(store, seen, options);
}

} // namespace

Result<LoadedSchedule> LoadScheduleFile(CKalStore& store, const std::string& path, const LoadOptions& options)
{
    store.Clear();
    try {
        Result<FileReader, FileError> file = FileReader::Open(path, kMaxScheduleFileBytes);
        if (!file)
            return FileFailure(texts::kCannotOpenFile, path, file.Error());
        StreamedLines lines(*file);
        // A big file is read and split on a second thread while the entries are made.
        Result<LoadedSchedule> result = file->SizeWhenOpened() < kReadAheadBytes
            ? LoadRows(store, lines, options)
            : LoadRows(store, ReadAheadLines<StreamedLines>(lines), options);
        if (lines.Failed())
            return FileFailure(texts::kCannotOpenFile, path, lines.Error());
        return result;
    } catch (const std::bad_alloc&) {
        // A file within the size limit can still be more than this machine's memory holds: nothing of
        // it is kept, and the user is told.
        store.Clear();
        store.entries.shrink_to_fit();
        return FileFailure(texts::kOutOfMemory, path, FileError {});
    }
}

Result<LoadedSchedule> LoadScheduleBytes(CKalStore& store, std::string_view bytes, const LoadOptions& options)
{
    ByteLines lines(bytes);
    return LoadRows(store, lines, options);
}

namespace {

Result<LoadedSchedule> FinishLoad(CKalStore& store, LoadReport& seen, const LoadOptions& options)
{
    LoadedSchedule loaded;
    // The password comes first so that a load that is refused leaves nothing to update or tell.
    if (!store.password.empty()) {
        const std::optional<std::u16string> typed = options.askPassword ? options.askPassword() : std::nullopt;
        if (!typed || *typed != store.password) {
            store.Clear();
            store.password.clear();
            // Declining needs no word; a wrong password does.
            return Failure { typed ? texts::kWrongPassword : u"" };
        }
        loaded.hadPassword = true;
    }
    if (options.firstHolidayUpdateDue) {
        loaded.holidayUpdates = HolidayUpdate2003(store);
        loaded.firstHolidayUpdateMade = true;
    }
    // Neither update touches an entry the other one looks at, so both are made for the store as read.
    if (static_cast<std::uint32_t>(store.fileVersion) < kVersionWith2007Holidays)
        loaded.holidayUpdates.Append(HolidayUpdate2007(store));
    loaded.readVersion = store.fileVersion;
    store.fileVersion = kCurrentFileVersion;
    // Told once when the file opens rather than each time such an entry is drawn. The holiday entries
    // the updates add all have a known rule.
    seen.unknownRules = CountUnknownRules(store);
    if (seen.unknownRules > 0) {
        loaded.notice = texts::kUnknownRules;
        loaded.notice.replace(loaded.notice.find(u"%d"), 2, IntText(seen.unknownRules));
        loaded.notice.insert(0, std::u16string(texts::kRepeatError) + u"\n");
    }
    loaded.report = std::move(seen);
    return loaded;
}

} // namespace

namespace {

// Every line before the entries: the header, then the password, day colours, settings, genres and
// memos.
std::u16string LinesBeforeEntries(const CKalStore& store)
{
    CsvTable table;
    table.SetHeader(ScheduleHeader(), true);
    if (!store.password.empty()) {
        table.AddEmptyRow();
        FillRow(table.Row(0), { u"2", ScramblePassword(store.password) });
    }
    for (const auto& [key, colour] : store.dayColours)
        FillRow(table.AddEmptyRow(), { u"3", key, HexText(colour.colour, 6), colour.note });
    FillRow(table.AddEmptyRow(),
        { u"4", store.diaryFolderDefault, u"", IntText(store.fileVersion), IntText(store.defaultScheduleGenre),
            IntText(store.defaultTodoGenre), IntText(store.settingsExtra), store.diaryFolder });
    for (int i = 0; i < store.genres.Count(); ++i) {
        const CKalField& genre = *store.genres.At(i);
        CsvLine row;
        for (const std::u16string_view text : { std::u16string_view(u"5"), std::u16string_view(genre.name) })
            row.AppendField(text);
        row.AppendField(IntText(genre.visible));
        row.AppendField(HexText(genre.colour, 6));
        row.AppendField(genre.note);
        table.AddRowCopy(row);
    }
    for (const auto& memo : store.memos) {
        CsvLine row;
        row.AppendField(u"6");
        row.AppendField(memo->title);
        row.AppendField(memo->text);
        table.AddRowCopy(row);
    }
    table.MarkAllQuoted();
    // The header is always written: the loader takes the first line for it, so a file saved without
    // one would lose its first row, the password among them.
    std::u16string text;
    table.AppendTo(text, HeaderLine::Present);
    return text;
}

// Room for a part of a file at once, a little more than it takes: growing by doubling would copy the
// bytes and touch twice the memory. Every character is at most two bytes; the rest of a row (dates,
// numbers, quotes and commas) is far less than kRowBytes.
std::size_t EstimatedSize(const CKalStore& store, std::size_t from, std::size_t to)
{
    constexpr std::size_t kRowBytes = 200;
    constexpr std::size_t kExclusionBytes = 24;
    std::size_t size = 0;
    for (std::size_t i = from; i < to; ++i) {
        const CKalData& entry = *store.entries[i];
        size += kRowBytes + kExclusionBytes * entry.exclusions.size()
            + 2 * (entry.text.size() + entry.place.size() + entry.memo.size() + entry.linkFile.size());
    }
    return size;
}

// Each line of the entries from `from` to `to` is encoded as it is made, straight onto the end of
// `bytes`: the text never exists whole as UTF-16 beside them.
void AppendEntryLines(
    const CKalStore& store, std::size_t from, std::size_t to, ByteBuffer& bytes, std::u16string& replaced)
{
    const CodePage& page = CodePage::Ansi();
    bytes.Reserve(bytes.size() + EstimatedSize(store, from, to));
    std::u16string line;
    for (std::size_t i = from; i < to; ++i) {
        line.clear();
        AppendEntryLine(*store.entries[i], line);
        page.AppendEncoded(line, bytes, replaced);
    }
}

// From this many entries on, the second half of the lines is made on a second thread.
constexpr std::size_t kHalvedEntries = 20000;

} // namespace

std::u16string ScheduleFileText(const CKalStore& store)
{
    // Made through the rows, as the other texts of the program are: a check on the lines of the save.
    std::u16string text = LinesBeforeEntries(store);
    CsvLine row;
    for (const auto& entry : store.entries) {
        EncodeEntryRow(*entry, row);
        row.AppendTo(text, LineEnd::Lf);
    }
    return text;
}

std::vector<std::string_view> ScheduleBytes::Views() const
{
    return std::vector<std::string_view>(parts.begin(), parts.end());
}

std::string ScheduleBytes::Joined() const
{
    std::string whole;
    for (const ByteBuffer& part : parts)
        whole += part.View();
    return whole;
}

ScheduleBytes ScheduleFileBytes(const CKalStore& store)
{
    ScheduleBytes encoded;
    const std::size_t count = store.entries.size();
    const std::size_t middle = count >= kHalvedEntries ? count / 2 : count;
    encoded.parts.resize(middle < count ? 2 : 1);
    std::u16string laterReplaced;
    std::future<void> later;
    if (middle < count) {
        try {
            later = std::async(
                std::launch::async, [&] { AppendEntryLines(store, middle, count, encoded.parts[1], laterReplaced); });
        } catch (const std::system_error&) {
            // No thread to be had: the halves are made one after the other.
            AppendEntryLines(store, middle, count, encoded.parts[1], laterReplaced);
        }
    }
    ByteBuffer& first = encoded.parts[0];
    const std::u16string before = LinesBeforeEntries(store);
    first.Reserve(2 * before.size());
    CodePage::Ansi().AppendEncoded(before, first, encoded.replaced);
    AppendEntryLines(store, 0, middle, first, encoded.replaced);
    if (later.valid())
        later.get();
    CodePage::AddReplaced(encoded.replaced, laterReplaced);
    return encoded;
}

Result<SaveOutcome> SaveScheduleFile(const CKalStore& store, const std::string& path, const SaveOptions& options)
{
    const ScheduleBytes encoded = ScheduleFileBytes(store);
    if (!encoded.replaced.empty() && options.confirmReplacement && !options.confirmReplacement(encoded.replaced))
        return SaveOutcome::Cancelled;
    if (options.keepPreviousVersion) {
        const Result<std::string, FileError> kept
            = KeepCopy(path, kPreviousVersionSuffix, JoinPath(CacheHomeFolder(), "kalendra"));
        if (!kept)
            return FileFailure(texts::kCannotOpenFileForWriting, path + kPreviousVersionSuffix, kept.Error());
    }
    if (const FileStatus written = WriteFileAtomically(path, encoded.Views()); !written)
        return FileFailure(texts::kCannotOpenFileForWriting, path, written.Error());
    return SaveOutcome::Saved;
}

Result<HolidayUpdates> LoadScheduleTemplate(CKalStore& store, const std::string& folder)
{
    const Profile& profile = Profile::Current();
    const std::optional<TextLineFile> file = TextLineFile::Read(JoinPath(folder, kTemplateFileName));
    CsvTable table;
    table.SetRowLimit(ReadSetting(profile, ProfileIntSetting::CardMax));
    const HeaderLine header
        = ReadSetting(profile, ProfileIntSetting::Item) == 0 ? HeaderLine::Present : HeaderLine::Absent;
    if (folder.empty() || !file || !table.Load(*file, header))
        return Failure { texts::kCannotReadTemplate };
    for (int i = 0; i < table.RowCount(); ++i)
        DispatchRow(table.Row(i), store, EntryCopy::Copied, i == 0 ? RowPlace::First : RowPlace::Later);
    // Neither update touches an entry the other one looks at, so both are made for the template as read.
    HolidayUpdates updates = HolidayUpdate2003(store);
    updates.Append(HolidayUpdate2007(store));
    return updates;
}

} // namespace kal
