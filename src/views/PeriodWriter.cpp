#include "views/PeriodWriter.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "settings/KalSettings.h"
#include "store/DayListing.h"
#include "store/ExchangeTexts.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/PeriodText.h"
#include "views/ListingOptions.h"

#include <set>

namespace kal {

CPeriodWriter::CPeriodWriter(CKalStore& store, CDTime first, CDTime last, Holidays holidays)
    : store_(store)
    , first_(DateOnly(first))
    , last_(DateOnly(last))
    , holidays_(holidays)
{
}

void CPeriodWriter::ForEachLine(const LineText& line, const Put& put) const
{
    DayListing listing(&store_, ListingOptionsFrom(CKalSettings::Current()));
    const auto generated
        = holidays_ == Holidays::WithGenerated ? DayListing::Generated::With : DayListing::Generated::Without;
    listing.ForEachInPeriod(first_, last_, generated, [&](CDTime day, const CKalData& entry) {
        if (auto text = line(day, entry))
            put(*text);
    });
}

std::u16string CPeriodWriter::BuildText(const LineText& line) const
{
    std::u16string text;
    ForEachLine(line, [&](const std::u16string& one) {
        text += one;
        text += u"\r\n";
    });
    return text;
}

bool CPeriodWriter::WriteFile(
    const std::string& path, std::u16string_view header, const LineText& line, FileError* error) const
{
    std::u16string text;
    if (!header.empty()) {
        text += header;
        text += u'\n';
    }
    ForEachLine(line, [&](const std::u16string& one) {
        if (one.empty())
            return;
        text += one;
        text += u'\n';
    });
    const FileStatus written = WriteFileAtomically(path, CodePage::Ansi().Encode(text).bytes);
    if (!written && error)
        *error = written.Error();
    return written.Succeeded();
}

std::u16string PeriodTextCopy(CKalStore& store, CDTime first, CDTime last, int options)
{
    return CPeriodWriter(store, first, last, CPeriodWriter::Holidays::WithGenerated)
        .BuildText([options](CDTime day, const CKalData& entry) {
            return std::optional<std::u16string>(TextCopyLine(day, entry, options));
        });
}

bool ExportOutlookCsv(CKalStore& store, CDTime first, CDTime last, const std::string& path, HiddenEntries hidden,
    SpreadsheetSafety safety, FileError* error)
{
    std::set<const CKalData*> written;
    return CPeriodWriter(store, first, last)
        .WriteFile(
            path, exchange::kCsvHeader,
            [&](CDTime day, const CKalData& entry) -> std::optional<std::u16string> {
                if (entry.repeatType == repeat::kNone && !written.insert(&entry).second)
                    return std::nullopt;
                return OutlookCsvLine(day, entry, store, hidden, safety);
            },
            error);
}

} // namespace kal
