#include "views/PeriodWriter.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "store/ExchangeTexts.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/PeriodText.h"
#include "store/RepeatExpansion.h"
#include "views/MonthGrid.h"

#include <set>
#include <vector>

namespace kal {

namespace {

// Enough rows for any month, whichever weekday it starts on.
constexpr int kMonthWeeks = 6;

} // namespace

CPeriodWriter::CPeriodWriter(CKalStore& store, CDTime first, CDTime last, Holidays holidays)
    : store_(store)
    , first_(DateOnly(first))
    , last_(DateOnly(last))
    , holidays_(holidays)
{
}

void CPeriodWriter::ForEachLine(const LineText& line, const Put& put) const
{
    const int days = DaysBetween(first_, last_) + 1;
    if (days <= 0)
        return;
    if (holidays_ == Holidays::WithGenerated) {
        ForEachLineByMonth(line, put);
        return;
    }
    CMonthGrid grid;
    grid.Create(&store_, 0);
    std::vector<CMonthCell> cells(static_cast<std::size_t>(days) + 1);
    grid.FillCells(cells, first_, days);
    for (int i = 0; i < days; ++i) {
        const CMonthCell& cell = cells[static_cast<std::size_t>(i)];
        for (const CKalData* entry : cell.entries) {
            if (auto text = line(cell.date, *entry))
                put(*text);
        }
    }
}

void CPeriodWriter::ForEachLineByMonth(const LineText& line, const Put& put) const
{
    // Each month's days come from that month's own view, which is where its holidays are worked out.
    CMonthGrid grid;
    grid.Create(&store_, kMonthWeeks);
    const YearMonth last { last_.Year(), last_.Month() };
    for (YearMonth month { first_.Year(), first_.Month() };; AddMonthsTo(month, 1)) {
        YearMonth shown = month;
        grid.Fill(CDTime(month.year, month.month, 1), shown);
        for (int i = 0; i < grid.Count(); ++i) {
            const CMonthCell& cell = grid.Cell(i);
            if (cell.date.Month() != month.month || cell.date < first_ || last_ < cell.date)
                continue;
            for (const CKalData* entry : cell.entries) {
                if (auto text = line(cell.date, *entry))
                    put(*text);
            }
        }
        if (month == last)
            break;
    }
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
    return WriteFileAtomically(path, CodePage::Ansi().Encode(text).bytes, error);
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
