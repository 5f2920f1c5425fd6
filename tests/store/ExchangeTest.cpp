#include "TestEnvironment.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/ExchangeTexts.h"
#include "store/KalStore.h"
#include "store/OutlookCsv.h"
#include "store/PeriodText.h"
#include "store/RepeatExpansion.h"
#include "store/TextLineFile.h"
#include "views/PeriodWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kal {
namespace {

class ExchangeTest : public test::TestEnvironment {
protected:
    ExchangeTest() { store_.genres.FindOrAddByName(u"一般"); }

    CKalData& Add(std::u16string text, CDTime start, CDTime end, std::uint32_t flags)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = std::move(text);
        entry->start = start;
        entry->end = end;
        entry->flags = flags;
        store_.entries.push_back(std::move(entry));
        return *store_.entries.back();
    }

    // The CSV's records as the file holds them: the lines after the header.
    std::vector<std::u16string> ExportedLines(CDTime first, CDTime last, HiddenEntries hidden = HiddenEntries::Skip)
    {
        const std::string path = folder_.File("out.csv");
        EXPECT_TRUE(ExportOutlookCsv(store_, first, last, path, hidden));
        const auto file = TextLineFile::Read(path);
        EXPECT_TRUE(file.has_value());
        std::vector<std::u16string> lines;
        for (int i = 1; file && i < file->LineCount(); ++i)
            lines.emplace_back(file->Line(i));
        if (file) {
            EXPECT_EQ(file->Line(0),
                u"\"件名\",\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"終日ｲﾍﾞﾝﾄ\",\"ｱﾗｰﾑ ｵﾝ/ｵﾌ\",\"ｱﾗｰﾑ日付\","
                u"\"ｱﾗｰﾑ時刻\",\"会議の開催者\",\"必須出席者\",\"任意出席者\",\"ﾘｿｰｽ\",\"ﾌﾟﾗｲﾍﾞｰﾄ\",\"経費情報\","
                u"\"公開する時間帯の種類\",\"支払い条件\",\"場所\",\"内容\",\"秘密度\",\"分類\",\"優先度\"");
        }
        return lines;
    }

    CKalStore store_;
    test::TemporaryFolder folder_;
};

constexpr auto kTimed = flag::kStartTimeSet | flag::kEndTimeSet;

TEST_F(ExchangeTest, TextCopyLinesFollowTheOptions)
{
    CKalData meeting;
    meeting.text = u"会議";
    meeting.start = CDTime(2003, 1, 5, 9, 0);
    meeting.end = CDTime(2003, 1, 5, 10, 30);
    meeting.flags = kTimed;
    CKalData startOnly = meeting;
    startOnly.flags = flag::kStartTimeSet;
    CKalData todo = meeting;
    todo.flags = flag::kIsTodo;
    const CDTime day(2003, 1, 5);
    struct Case {
        const CKalData* entry;
        int options;
        std::u16string expected;
    } const cases[] = {
        { &meeting, textcopy::kYear | textcopy::kWeekday, u"2003/01/05(日) 09:00 ～10:30 会議" },
        { &meeting, 0, u"01/05 09:00 ～10:30 会議" },
        { &meeting, textcopy::kYear, u"2003/01/05 09:00 ～10:30 会議" },
        { &meeting, textcopy::kWeekday, u"01/05(日) 09:00 ～10:30 会議" },
        { &startOnly, 0, u"01/05 09:00 会議" },
        { &todo, textcopy::kYear | textcopy::kWeekday, u"Todo：会議" },
        { &todo, 0, u"Todo：会議" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextCopyLine(day, *c.entry, c.options), c.expected) << c.options;
}

// The month view's own holidays (here the equinox day) are listed as the view shows them, also across
// the end of a month.
TEST_F(ExchangeTest, TextCopyListsEachDayOfTheGridInOrder)
{
    Add(u"旅行", CDTime(2026, 3, 20), CDTime(2026, 3, 21), 0);
    Add(u"朝会", CDTime(2026, 3, 21, 8, 0), CDTime(2026, 3, 21, 8, 0), flag::kStartTimeSet);
    Add(u"外の日", CDTime(2026, 3, 25), CDTime(2026, 3, 25), 0);
    Add(u"月またぎ", CDTime(2026, 3, 31), CDTime(2026, 4, 1), 0);
    EXPECT_EQ(PeriodTextCopy(store_, CDTime(2026, 3, 20), CDTime(2026, 3, 22), 0),
        u"03/20 春分の日\r\n03/20 旅行\r\n03/21 旅行\r\n03/21 08:00 朝会\r\n");
    EXPECT_EQ(
        PeriodTextCopy(store_, CDTime(2026, 3, 31), CDTime(2026, 4, 2), 0), u"03/31 月またぎ\r\n04/01 月またぎ\r\n");
    EXPECT_EQ(PeriodTextCopy(store_, CDTime(2026, 3, 1), CDTime(2026, 3, 2), 0), u"");
    settings_.Set(IntSetting::Shunbun, 0);
    EXPECT_EQ(PeriodTextCopy(store_, CDTime(2026, 3, 20), CDTime(2026, 3, 20), 0), u"03/20 旅行\r\n");
}

TEST_F(ExchangeTest, ExportWritesAllDayAndRepeatingEntriesInTheDesktopLayout)
{
    Add(u"休み", CDTime(2003, 1, 5), CDTime(2003, 1, 5), 0).alarmMinutes = -1;
    CKalData& weekly = Add(u"朝会", CDTime(2003, 1, 6, 9, 0), CDTime(2003, 1, 6, 9, 30), kTimed);
    weekly.repeatType = repeat::kWeekly;
    weekly.end = CDTime(kLastYear, 12, 31, 9, 30);
    weekly.weekdays = { 0, 1, 0, 0, 0, 0, 0 };
    weekly.alarmMinutes = 15;
    weekly.alarmMode = 1;
    CKalData& secret = Add(u"秘密", CDTime(2003, 1, 7), CDTime(2003, 1, 7), flag::kHidden);
    secret.alarmMinutes = -1;
    Add(u"宿題", CDTime(2003, 1, 7), CDTime(2003, 1, 7), flag::kIsTodo);

    const auto lines = ExportedLines(CDTime(2003, 1, 5), CDTime(2003, 1, 13));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
        u"\"休み\",\"2003/01/05\",\"0:00:00\",\"2003/01/06\",\"0:00:00\",\"True\",\"False\",\"2003/01/05\","
        u"\"00:00:00\",\"\",\"\",\"\",\"\",\"True\",\"\",\"2\",\"\",\"\",\"\",\"標準\",\"一般\",\"標準\"");
    for (int i = 1; i <= 2; ++i) {
        const std::u16string day = i == 1 ? u"2003/01/06" : u"2003/01/13";
        const std::u16string prefix = u"\"朝会\",\"" + day + u"\",\"09:00:00\",\"" + day
            + u"\",\"09:30:00\",\"False\",\"True\",\"" + day + u"\",\"08:45:00\",";
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].substr(0, prefix.size()), prefix) << i;
    }
    EXPECT_EQ(ExportedLines(CDTime(2003, 1, 7), CDTime(2003, 1, 7), HiddenEntries::Export).size(), 1u);

    // An occurrence from 22:00 to 02:00 ends on the day after the one it is listed on.
    CKalData& night = Add(u"夜勤", CDTime(2003, 1, 20, 22, 0), CDTime(2003, 3, 31, 2, 0), kTimed);
    night.repeatType = repeat::kDaily;
    const auto nights = ExportedLines(CDTime(2003, 1, 31), CDTime(2003, 1, 31));
    ASSERT_EQ(nights.size(), 1u);
    const std::u16string nightPrefix = u"\"夜勤\",\"2003/01/31\",\"22:00:00\",\"2003/02/01\",\"02:00:00\",\"False\",";
    EXPECT_EQ(nights[0].substr(0, nightPrefix.size()), nightPrefix);

    // A longer file already there is replaced whole.
    ASSERT_TRUE(WriteFileAtomically(folder_.File("out.csv"), std::string(100000, 'x')));
    EXPECT_TRUE(ExportedLines(CDTime(2003, 1, 8), CDTime(2003, 1, 8)).empty());
    EXPECT_FALSE(ExportOutlookCsv(
        store_, CDTime(2003, 1, 5), CDTime(2003, 1, 5), folder_.File("none/out.csv"), HiddenEntries::Skip));
}

TEST_F(ExchangeTest, ImportReadsRecordsAcrossLinesAlarmsSpansAndGenres)
{
    const std::u16string csv = std::u16string(exchange::kCsvHeader) + u"\r\n"
        + u"\"定例 \"\"A\"\"\",\"2026/03/10\",\"9:00:00\",\"2026/03/10\",\"10:30:00\",\"False\",\"True\","
          u"\"2026/03/10\",\"7:30:00\",,,,,\"True\",,\"2\",,\"本社, "
          u"3F\",\"1行目\r\n2行目\r\n\",\"標準\",\"新分類\",\"標準\"\r\n"
        + u"旅行,2026/03/20,0:00:00,2026/03/23,0:00:00,TRUE,false,,,,,,,,,,,,,,一般,\r\n"
        + u"壊れた,2026/13/20,0:00:00,2026/03/23,0:00:00,True,False\r\n" + u"\r\n"
        + u"逆順,2026/03/11,22:00:00,2026/03/11,2:00:00,False,False\r\n"
        + u"\"開いたまま\",\"2026/03/20\",\"0:00:00\",\"2026/03/"
          u"20\",\"0:00:00\",\"True\",\"False\",\"\",\"\",\"終わらない\r\n";
    const auto imported = ImportOutlookCsvBytes(store_, ToUtf8(csv));
    ASSERT_TRUE(imported.has_value());
    const CsvImportReport report = *imported;
    EXPECT_EQ(report.added, 3);
    EXPECT_EQ(report.skipped, 2);
    ASSERT_EQ(store_.EntryCount(), 3);

    const CKalData& meeting = store_.Entry(0);
    EXPECT_EQ(meeting.text, u"定例 \"A\"");
    EXPECT_EQ(meeting.start, CDTime(2026, 3, 10, 9, 0));
    EXPECT_EQ(meeting.end, CDTime(2026, 3, 10, 10, 30));
    EXPECT_EQ(meeting.flags, kTimed);
    EXPECT_EQ(meeting.alarmMinutes, 90);
    EXPECT_EQ(meeting.place, u"本社, 3F");
    EXPECT_EQ(meeting.memo, u"1行目\r\n2行目\r\n");
    EXPECT_EQ(store_.genres.FindByName(u"新分類"), meeting.genre);
    EXPECT_EQ(store_.genres.Count(), 2);

    const CKalData& trip = store_.Entry(1);
    EXPECT_EQ(trip.start, CDTime(2026, 3, 20));
    EXPECT_EQ(trip.end, CDTime(2026, 3, 22)); // the file's end is the day after the last day
    EXPECT_EQ(trip.flags, 0u);
    EXPECT_EQ(trip.alarmMinutes, -1);
    EXPECT_EQ(trip.genre, 0);

    // An end before the start is not kept: the entry would show on no day. It ends where it starts.
    const CKalData& reversed = store_.Entry(2);
    EXPECT_EQ(reversed.start, CDTime(2026, 3, 11, 22, 0));
    EXPECT_EQ(reversed.end, reversed.start);
    EXPECT_EQ(reversed.flags, flag::kStartTimeSet);
}

TEST_F(ExchangeTest, ExportAndImportKeepTextsAndDays)
{
    CKalData& meeting
        = Add(u"会議, \"定例\", 第\"1\"回", CDTime(2026, 3, 10, 9, 0), CDTime(2026, 3, 10, 10, 0), kTimed);
    meeting.memo = u"議題:\r\n\"予算\", 人員";
    meeting.place = u"\"本社\",3F";
    meeting.alarmMinutes = 30;
    Add(u"連休", CDTime(2026, 3, 20), CDTime(2026, 3, 22), 0);
    CKalData& daily = Add(u"散歩", CDTime(2026, 3, 1, 7, 0), CDTime(kLastYear, 12, 31, 7, 0), flag::kStartTimeSet);
    daily.repeatType = repeat::kDaily;
    const std::string path = folder_.File("round.csv");
    ASSERT_TRUE(ExportOutlookCsv(store_, CDTime(2026, 3, 9), CDTime(2026, 3, 21), path, HiddenEntries::Skip));

    CKalStore back;
    const auto report = ImportOutlookCsvFile(back, path);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->added, 1 + 1 + 13);
    EXPECT_EQ(report->skipped, 0);
    EXPECT_EQ(PeriodTextCopy(back, CDTime(2026, 3, 9), CDTime(2026, 3, 21), textcopy::kYear),
        PeriodTextCopy(store_, CDTime(2026, 3, 9), CDTime(2026, 3, 21), textcopy::kYear));
    const auto found = std::find_if(
        back.entries.begin(), back.entries.end(), [&](const auto& entry) { return entry->text == meeting.text; });
    ASSERT_NE(found, back.entries.end());
    const CKalData& copy = **found;
    EXPECT_EQ(copy.memo, meeting.memo);
    EXPECT_EQ(copy.place, meeting.place);
    EXPECT_EQ(copy.alarmMinutes, 30);
    EXPECT_FALSE(ImportOutlookCsvFile(back, folder_.File("missing.csv")).has_value());
}

// One record of the desktop layout with the given dates and times, the header before it.
std::u16string OneRecord(std::u16string_view startDate, std::u16string_view startTime,
    std::u16string_view text = u"会議", std::u16string_view genre = u"分類")
{
    return std::u16string(exchange::kCsvHeader) + u"\r\n\"" + std::u16string(text) + u"\",\""
        + std::u16string(startDate) + u"\",\"" + std::u16string(startTime)
        + u"\",\"2026/03/10\",\"23:00:00\",\"False\",\"False\",,,,,,,,,,,\"本社\",\"メモ\",,\"" + std::u16string(genre)
        + u"\",\r\n";
}

TEST_F(ExchangeTest, ImportReadsTheDesktopCalendarsDatesAndTimesAndRefusesTheRest)
{
    struct Case {
        std::u16string_view date;
        std::u16string_view time;
        std::optional<CDTime> start; // nothing: the record is skipped
    } const cases[] = {
        { u"2026/03/10", u"15:00:00", CDTime(2026, 3, 10, 15, 0) },
        { u"2026/3/9", u"9:30", CDTime(2026, 3, 9, 9, 30) },
        { u"2026/03/10", u"3:00:00 PM", CDTime(2026, 3, 10, 15, 0) },
        { u"2026/03/10", u"3:05 pm", CDTime(2026, 3, 10, 15, 5) },
        { u"2026/03/10", u"12:00:00 AM", CDTime(2026, 3, 10, 0, 0) },
        { u"2026/03/10", u"12:15:00 PM", CDTime(2026, 3, 10, 12, 15) },
        { u"2026/03/10", u"午後 3:00:00", CDTime(2026, 3, 10, 15, 0) },
        { u"2026/03/10", u"午前9:45:00", CDTime(2026, 3, 10, 9, 45) },
        { u"2026/03/10", u"午前 0:30:00", CDTime(2026, 3, 10, 0, 30) },
        { u"2026/03/10", u"PM 1:00", CDTime(2026, 3, 10, 13, 0) },
        { u"-1/01/01", u"9:00:00", std::nullopt },
        { u"26/03/10", u"9:00:00", std::nullopt },
        { u"02026/03/10", u"9:00:00", std::nullopt },
        { u"2026/02/30", u"9:00:00", std::nullopt },
        { u"1971/12/31", u"9:00:00", std::nullopt },
        { u"2026-03-10", u"9:00:00", std::nullopt },
        { u"2026/03/10x", u"9:00:00", std::nullopt },
        { u"2026/03/10", u"24:00:00", std::nullopt },
        { u"2026/03/10", u"13:00:00 PM", std::nullopt },
        { u"2026/03/10", u"9:5", std::nullopt },
        { u"2026/03/10", u"9:30:60", std::nullopt },
        { u"2026/03/10", u"9:30:00 XM", std::nullopt },
        { u"2026/03/10", u"午後 3:00:00 PM", std::nullopt },
        { u"2026/03/10", u"-9:30", std::nullopt },
        { u"2026/03/10", u"", std::nullopt },
    };
    for (const Case& c : cases) {
        CKalStore store;
        const auto report = ImportOutlookCsvBytes(store, ToUtf8(OneRecord(c.date, c.time)));
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->added, c.start ? 1 : 0) << ToUtf8(c.date) << " " << ToUtf8(c.time);
        EXPECT_EQ(report->skipped, c.start ? 0 : 1) << ToUtf8(c.date) << " " << ToUtf8(c.time);
        if (c.start && store.EntryCount() == 1) {
            EXPECT_EQ(store.Entry(0).start, *c.start) << ToUtf8(c.date) << " " << ToUtf8(c.time);
        }
    }
}

std::string Utf16Bytes(std::u16string_view text, bool littleEndian)
{
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t c : text) {
        const char low = static_cast<char>(c & 0xFF);
        const char high = static_cast<char>(c >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

// Every encoding the desktop calendar or an editor may have saved the file in gives the same entry,
// also when a character falls across the pieces the file is read in (the memo is longer than one);
// what could only be guessed at is refused whole.
TEST_F(ExchangeTest, ImportTellsTheEncodingOrRefusesTheFile)
{
    const std::u16string memo(100001, u'予');
    std::u16string csv = OneRecord(u"2026/03/10", u"9:00:00", u"会議 ①", u"分類");
    csv.replace(csv.find(u"メモ"), 2, memo);
    const std::string cp932 = CodePage::Ansi().Encode(csv).bytes;
    struct Case {
        const char* name;
        std::string bytes;
        bool read;
    } const cases[] = {
        { "CP932", cp932, true },
        { "UTF-8", ToUtf8(csv), true },
        { "UTF-8 with BOM", "\xEF\xBB\xBF" + ToUtf8(csv), true },
        { "UTF-16LE with BOM", Utf16Bytes(csv, true), true },
        { "UTF-16BE with BOM", Utf16Bytes(csv, false), true },
        { "UTF-16LE without BOM", Utf16Bytes(csv, true).substr(2), false },
        { "Latin-1", "\"caf\xE9\",\"2026/03/10\"\r\n\"caf\xE9\",\"2026/03/10\",\"9:00\",\"2026/03/10\",\"9:00\"\r\n",
            false },
        { "UTF-8 damaged after its start", ToUtf8(csv) + "\xE3\x81", false },
    };
    for (const Case& c : cases) {
        CKalStore store;
        CsvImportError error;
        const auto report = ImportOutlookCsvBytes(store, c.bytes, &error);
        ASSERT_EQ(report.has_value(), c.read) << c.name;
        if (!c.read) {
            EXPECT_EQ(store.EntryCount(), 0) << c.name;
            EXPECT_EQ(CsvImportErrorReason(error),
                u"文字コードを判別できません（読めるのは Shift_JIS、UTF-8、BOM 付きの UTF-16 です）。")
                << c.name;
            continue;
        }
        EXPECT_EQ(report->added, 1) << c.name;
        ASSERT_EQ(store.EntryCount(), 1) << c.name;
        EXPECT_EQ(store.Entry(0).text, u"会議 ①") << c.name;
        EXPECT_TRUE(store.Entry(0).memo == memo) << c.name; // not printed: 100,000 characters
        EXPECT_EQ(store.genres.At(store.Entry(0).genre)->name, u"分類") << c.name;
    }

    // A file that cannot be read says why in words of our own.
    CKalStore store;
    CsvImportError error;
    EXPECT_FALSE(ImportOutlookCsvFile(store, folder_.File("missing.csv"), &error).has_value());
    EXPECT_EQ(CsvImportErrorReason(error), u"ファイルまたはフォルダーが見つかりません。");
    const std::string path = folder_.File("utf16.csv");
    ASSERT_TRUE(WriteFileAtomically(path, Utf16Bytes(csv, true).substr(2)));
    EXPECT_FALSE(ImportOutlookCsvFile(store, path, &error).has_value());
    EXPECT_EQ(error.fault, CsvImportFault::UnknownEncoding);
}

// Each new category used to be looked for along the whole list: 100,000 of them took minutes.
TEST_F(ExchangeTest, ImportOfManyCategoriesTakesLinearTime)
{
    constexpr int kRecords = 100000;
    std::string csv = ToUtf8(exchange::kCsvHeader) + "\r\n";
    for (int i = 0; i < kRecords; ++i)
        csv += "会議,2026/03/10,9:00:00,2026/03/10,10:00:00,False,False,,,,,,,,,,,,,,分類" + std::to_string(i)
            + ",\r\n";
    csv += "会議,2026/03/10,9:00:00,2026/03/10,10:00:00,False,False,,,,,,,,,,,,,,分類7,\r\n";
    const auto started = std::chrono::steady_clock::now();
    const auto report = ImportOutlookCsvBytes(store_, csv);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->added, kRecords + 1);
    EXPECT_EQ(store_.genres.Count(), 1 + kRecords);
    EXPECT_EQ(store_.Entry(kRecords).genre, store_.Entry(7).genre);
    EXPECT_LT(seconds, 10.0); // about 0.2 s when linear; several minutes when quadratic
}

// A text that a spreadsheet would run as a formula gets an apostrophe only when asked; by default the
// file stays exact for the desktop calendar's import.
TEST_F(ExchangeTest, ExportGuardsFormulaTextsOnlyWhenAskedFor)
{
    struct Case {
        std::u16string_view text;
        std::u16string_view guarded;
    } const cases[] = {
        { u"=1+2", u"'=1+2" },
        { u"+81 3", u"'+81 3" },
        { u"-5℃", u"'-5℃" },
        { u"@社内", u"'@社内" },
        { u"\t入力", u"'\t入力" },
        { u"\r\n二行", u"'\r\n二行" },
        { u"会議 =1+2", u"会議 =1+2" },
        { u"'引用", u"'引用" },
        { u"", u"" },
    };
    for (const Case& c : cases) {
        CKalStore store;
        store.genres.FindOrAddByName(c.text);
        CKalData entry;
        entry.text = c.text;
        entry.place = c.text;
        entry.memo = c.text;
        entry.start = entry.end = CDTime(2026, 3, 10);
        const std::u16string field = u"\"" + std::u16string(c.text) + u"\"";
        const std::u16string guarded = u"\"" + std::u16string(c.guarded) + u"\"";
        const auto exact = OutlookCsvLine(entry.start, entry, store, HiddenEntries::Skip);
        const auto safe = OutlookCsvLine(entry.start, entry, store, HiddenEntries::Skip, SpreadsheetSafety::Guarded);
        ASSERT_TRUE(exact && safe);
        EXPECT_EQ(exact->substr(0, field.size() + 1), field + u",") << ToUtf8(c.text);
        EXPECT_EQ(safe->substr(0, guarded.size() + 1), guarded + u",") << ToUtf8(c.text);
        // Place, memo and category: the 18th, 19th and 21st fields.
        const std::u16string tail = u"," + guarded + u"," + guarded + u",\"標準\"," + guarded + u",\"標準\"";
        EXPECT_EQ(safe->substr(safe->size() - tail.size()), tail) << ToUtf8(c.text);
        const std::u16string exactTail = u"," + field + u"," + field + u",\"標準\"," + field + u",\"標準\"";
        EXPECT_EQ(exact->substr(exact->size() - exactTail.size()), exactTail) << ToUtf8(c.text);
    }
}

} // namespace
} // namespace kal
