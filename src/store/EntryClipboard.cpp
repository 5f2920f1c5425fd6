#include "store/EntryClipboard.h"

#include "platform/Text.h"
#include "store/CsvLine.h"
#include "store/EntryRow.h"
#include "store/KalStore.h"
#include "store/OperationNames.h"
#include "store/RepeatExpansion.h"
#include "store/ScheduleFile.h"

#include <memory>

namespace kal {

namespace {

std::u16string_view Trimmed(std::u16string_view text)
{
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u3000'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The "ends in the last year means open-ended" reading belongs to repeating rules: a one-off entry
// that really ends then moves whole, by calendar days. A yearly rule keeps the month it recurs in
// even when its start month lacks the pasted day (Feb 29 onto a common year's February).
void MoveEntryToDay(CKalData& entry, CDTime day)
{
    const LocalFields start = entry.start.Fields();
    if (entry.repeatType == repeat::kNone && entry.end.Year() == kLastYear) {
        const LocalFields end = entry.end.Fields();
        const LocalFields target = day.Fields();
        const int span = DayNumber(end.year, end.month, end.day) - DayNumber(start.year, start.month, start.day);
        entry.start = ComposeDate(target.year, target.month, target.day, entry.start);
        entry.end = ComposeDate(
            target.year, target.month, target.day + span, entry.Has(flag::kEndTimeSet) ? entry.end : entry.start);
        return;
    }
    MoveRuleToDate(entry, day);
    if (entry.repeatType == repeat::kYearly && entry.positionMode == 0 && entry.start.Month() != start.month)
        entry.start = ComposeDate(start.year, start.month, DaysInMonth(start.year, start.month), entry.start);
}

} // namespace

std::u16string EntryClipboardText(const CKalData& entry)
{
    CsvLine row;
    EncodeEntryRow(entry, row);
    // Other programs take the memo from the clipboard as it is: its line breaks stay real line breaks,
    // which the row reader keeps inside the quotes when the text is pasted back.
    std::u16string text = row.Join(LineEnd::Lf);
    std::u16string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\u0001' && i + 1 < text.size() && text[i + 1] == u'\u0002') {
            kept += u"\r\n";
            ++i;
        } else {
            kept += text[i];
        }
    }
    return kept;
}

namespace {

// A pasted row of another kind than an entry acts as it does in a file: it is read into a scratch
// store holding what the row may change, and the change is what the scratch store then holds.
std::optional<StoreOperation> PasteFileRow(const CKalStore& store, const CsvLine& row, int kind)
{
    CKalStore scratch;
    scratch.SetSettings(store.Settings());
    scratch.genres = store.genres;
    for (const CMemoData& memo : MemoValues(store))
        scratch.memos.push_back(std::make_unique<CMemoData>(memo));
    if (!DispatchScheduleRow(row, scratch))
        return std::nullopt;
    StoreOperation paste(opname::kPaste);
    switch (kind) {
    case 3:
        for (const auto& [key, colour] : scratch.dayColours)
            paste.SetDayColour(key, colour);
        break;
    case 4:
        paste.SetFileSettings(scratch.Settings());
        break;
    case 5:
        paste.SetGenres(std::move(scratch.genres));
        break;
    case 6:
        paste.SetMemos(MemoValues(scratch));
        break;
    default:
        return std::nullopt;
    }
    return paste;
}

} // namespace

std::optional<StoreOperation> PasteOperation(const CKalStore& store, std::u16string_view text, CDTime day)
{
    if (text.find(u',') != std::u16string_view::npos) {
        // A row copied from a schedule: its own line, without the line end.
        std::u16string_view line = text;
        while (!line.empty() && (line.back() == u'\n' || line.back() == u'\r'))
            line.remove_suffix(1);
        CsvLine row;
        row.Parse(line);
        if (row.FieldCount() != column::kCount)
            return std::nullopt;
        const int kind = ParseLeadingInt(row.Field(column::kKind));
        if (kind >= 2 && kind <= 6)
            return PasteFileRow(store, row, kind);
        auto entry = std::make_unique<CKalData>();
        if (!DecodeEntryRow(row, *entry))
            return std::nullopt;
        MoveEntryToDay(*entry, day);
        return std::move(StoreOperation(opname::kPaste).Append(std::move(entry)));
    }
    const std::u16string_view title = Trimmed(text);
    if (title.empty())
        return std::nullopt;
    auto entry = std::make_unique<CKalData>();
    entry->text = title;
    entry->start = entry->end = CDTime::Now();
    MoveRuleToDate(*entry, day);
    return std::move(StoreOperation(opname::kPaste).Append(std::move(entry)));
}

} // namespace kal
