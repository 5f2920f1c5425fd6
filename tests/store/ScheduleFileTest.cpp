#include "TestEnvironment.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/FileMessage.h"
#include "store/HolidayUpdates.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"
#include "store/ScheduleFile.h"
#include "store/StoreTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sys/stat.h>

namespace kal {
namespace {

using test::TemporaryFolder;

// A row as the writer puts it: every field quoted, `count` fields in all.
std::u16string Row(std::initializer_list<std::u16string_view> fields, int count = 26)
{
    std::u16string row;
    int written = 0;
    for (const std::u16string_view field : fields) {
        row += written++ ? u",\"" : u"\"";
        row += field;
        row += u"\"";
    }
    for (; written < count; ++written)
        row += written ? u",\"\"" : u"\"\"";
    return row;
}

// The header line every schedule file starts with, as other copies of the program read and write it.
std::u16string Header()
{
    return u"\"区分\",\"開始年月日\",\"開始時間\",\"終了年月日\",\"終了時間\",\"スケジュール\",\"時刻設定1\","
           u"\"時刻設定2\",\"月間表示\",\"休日\",\"色\",\"リンクファイル\",\"チェック\",\"アラーム\",\"ジャンル\","
           u"\"時刻表示\",\"繰返タイプ\",\"繰返開始日\",\"繰返終了日\",\"間隔\",\"位置指定\",\"有効月\",\"平日のみ\","
           u"\"除外日\",\"場所\",\"メモ\"\r\n";
}

class ScheduleFileTest : public test::TestEnvironment {
protected:
    ScheduleFileTest() { profile_.SetInt("System", "HolidayChangeFlag1", 1); }

    void WriteBytes(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder_.File(name), std::ios::binary) << bytes;
    }
    std::string ReadBytes(const std::string& name) { return ReadWholeFile(folder_.File(name)).ValueOr("<none>"); }
    std::string Encode(const std::u16string& text)
    {
        const CodePage::Encoded encoded = CodePage::Ansi().Encode(text);
        EXPECT_TRUE(encoded.replaced.empty());
        return encoded.bytes;
    }
    // Loads with the password asked of the recording Ui.
    Result<LoadedSchedule> Load(CKalStore& store, const std::string& name, LoadReport* report = nullptr)
    {
        LoadOptions options;
        options.askPassword = [this] { return ui_.AskPassword(u"", u""); };
        Result<LoadedSchedule> loaded = LoadScheduleFile(store, folder_.File(name), options);
        if (loaded && report)
            *report = loaded->report;
        return loaded;
    }
    Result<SaveOutcome> Save(const CKalStore& store, const std::string& name)
    {
        return SaveScheduleFile(store, folder_.File(name));
    }

    TemporaryFolder folder_;
};

// A file with every row kind and every entry column, as the format's rules write it.
std::u16string FileByTheRules()
{
    std::u16string text = Header();
    text += Row({ u"2", u"Mzor4nmla" }) + u"\r\n"; // "Pass9word" scrambled
    text += Row({}) + u"\r\n";
    text += Row({ u"3", u"2005/07/03", u"00FF00", u"表の色" }) + u"\r\n";
    text += Row({ u"3", u"2004/01/01", u"0000FF", u"" }) + u"\r\n";
    text += Row({ u"4", u"/home/u/Documents/", u"", u"430", u"1", u"2", u"7", u"/home/u/ソフト/" }) + u"\r\n";
    text += Row({ u"5", u"一般", u"1", u"000000", u"" }, 5) + u"\r\n";
    text += Row({ u"5", u"仕事", u"0", u"FF8000", u"能力" }, 5) + u"\r\n";
    text += Row({ u"6", u"メモ", u"一行目\x01\x02二行目\x01\x02" }, 3) + u"\r\n";
    text += Row({ u"0", u"2005/07/03", u"09:00", u"2005/07/03", u"10:30", u"会議, \"十\"表", u"1", u"1", u"0", u"0",
                u"FF8000", u"/home/u/資料.txt", u"1", u"15", u"1", u"17", u"3", u"10", u"12", u"2", u"3M", u"159C",
                u"22", u"2003/01/05,2003/02/01～2003/02/03", u"本社", u"持ち物\x01\x02ソフト" })
        + u"\n";
    text += Row({ u"0", u"1972/01/01", u"00:00", u"2036/12/31", u"00:00", u"元日", u"0", u"0", u"0", u"1", u"0000FF",
                u"", u"1", u"0", u"0", u"0", u"4", u"1", u"1", u"1", u"0", u"", u"0", u"", u"", u"" })
        + u"\n";
    text += Row({ u"0", u"2005/07/04", u"00:00", u"2005/12/31", u"00:00", u"週例", u"0", u"0", u"1", u"0", u"123456",
                u"", u"1", u"-1", u"3", u"3", u"2", u"1", u"1", u"1", u"0", u"", u"30", u"1999/12/30～2000/01/02", u"",
                u"" })
        + u"\n";
    text += Row({ u"1", u"2005/07/10", u"00:00", u"", u"", u"報告書", u"0", u"0", u"0", u"2", u"0000FF", u"", u"0",
                u"3", u"1", u"0", u"0" })
        + u"\n";
    text += Row({ u"1", u"2005/07/10", u"12:00", u"2005/07/09", u"18:00", u"済み", u"1", u"1", u"1", u"0", u"000000",
                u"", u"1", u"-1", u"0", u"16", u"1" })
        + u"\n";
    return text;
}

TEST_F(ScheduleFileTest, AFileWrittenByTheRulesSavesBackByteForByte)
{
    const std::string original = Encode(FileByTheRules());
    WriteBytes("in.klx", original);
    ui_.QueuePassword(u"Pass9word");
    CKalStore store;
    ASSERT_TRUE(Load(store, "in.klx"));
    EXPECT_EQ(store.password, u"Pass9word");
    EXPECT_EQ(store.EntryCount(), 5);
    EXPECT_EQ(store.genres.Count(), 2);
    EXPECT_EQ(store.dayColours.size(), 2u);
    ASSERT_EQ(store.memos.size(), 1u);
    EXPECT_EQ(store.memos[0]->text, u"一行目\r\n二行目\r\n");
    EXPECT_EQ(store.DiaryLocator(), u"/home/u/ソフト/");
    EXPECT_EQ(store.settingsExtra, 7);

    ASSERT_EQ(Save(store, "out.klx"), SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes("out.klx"), original);
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ScheduleFileTest, EntryColumnsReadIntoTheirFields)
{
    WriteBytes("in.klx", Encode(FileByTheRules()));
    ui_.QueuePassword(u"Pass9word");
    CKalStore store;
    ASSERT_TRUE(Load(store, "in.klx"));

    const CKalData& meeting = store.Entry(0);
    EXPECT_EQ(meeting.start, CDTime(2005, 7, 3, 9, 0));
    EXPECT_EQ(meeting.end, CDTime(2005, 7, 3, 10, 30));
    EXPECT_EQ(meeting.text, u"会議, \"十\"表");
    EXPECT_EQ(meeting.flags, flag::kStartTimeSet | flag::kEndTimeSet);
    EXPECT_EQ(meeting.colour, 0xFF8000u);
    EXPECT_EQ(meeting.alarmMode, 1);
    EXPECT_EQ(meeting.alarmMinutes, 15);
    EXPECT_EQ(meeting.genre, 1);
    EXPECT_EQ(meeting.timeDisplay, 1);
    EXPECT_EQ(meeting.textStyle, 1);
    EXPECT_EQ(meeting.repeatType, 3);
    EXPECT_EQ(meeting.repeatDayFrom, 10);
    EXPECT_EQ(meeting.repeatDayTo, 12);
    EXPECT_EQ(meeting.interval, 2);
    EXPECT_EQ(meeting.positionMode, 1);
    EXPECT_EQ(meeting.weeks, (std::array<std::uint8_t, 5> { 0, 0, 1, 0, 0 }));
    EXPECT_EQ(meeting.weekdays, (std::array<std::uint8_t, 7> { 0, 1, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(meeting.months, (std::array<std::uint8_t, 12> { 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1 }));
    EXPECT_EQ(meeting.avoidDays, 22u);
    ASSERT_EQ(meeting.exclusions.size(), 2u);
    EXPECT_EQ(meeting.exclusions[1], (ExclusionPeriod { 2003, 2, 1, 2003, 2, 3 }));
    EXPECT_EQ(meeting.memo, u"持ち物\r\nソフト");
    EXPECT_EQ(meeting.place, u"本社");

    EXPECT_TRUE(store.Entry(1).IsHoliday());
    EXPECT_EQ(store.Entry(1).months, (std::array<std::uint8_t, 12> { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 }));
    EXPECT_EQ(store.Entry(2).positionMode, 0);
    EXPECT_EQ(store.Entry(2).exclusions[0], (ExclusionPeriod { 1999, 12, 30, 2000, 1, 2 }));

    const CKalData& todo = store.Entry(3);
    EXPECT_TRUE(todo.IsTodo());
    EXPECT_FALSE(todo.Has(flag::kDone));
    EXPECT_EQ(todo.start, CDTime(2005, 7, 10));
    EXPECT_EQ(todo.priority, 2);
    EXPECT_EQ(todo.showDaysBefore, 3);
    const CKalData& done = store.Entry(4);
    EXPECT_TRUE(done.Has(flag::kDone | flag::kNoDeadline | flag::kHidden));
    EXPECT_EQ(done.end, CDTime(2005, 7, 9, 18, 0));
    EXPECT_EQ(done.textStyle, 1);
}

// Position rules name their weekdays by letter, Sunday first; a saved file must name them the same.
TEST_F(ScheduleFileTest, EachWeekdayLetterNamesItsDay)
{
    const char16_t* const positions[] = { u"1S", u"1M", u"1T", u"1W", u"1H", u"1F", u"1A" };
    std::u16string text = Header();
    for (const char16_t* position : positions)
        text += Row({ u"0", u"2005/07/01", u"00:00", u"2005/12/31", u"00:00", u"第1週", u"0", u"0", u"0", u"0",
                    u"000000", u"", u"0", u"-1", u"0", u"0", u"3", u"1", u"1", u"1", position })
            + u"\n";
    WriteBytes("in.klx", Encode(text));
    CKalStore store;
    ASSERT_TRUE(Load(store, "in.klx"));
    ASSERT_EQ(Save(store, "out.klx"), SaveOutcome::Saved);
    CKalStore reread;
    ASSERT_TRUE(Load(reread, "out.klx"));
    for (const CKalStore* loaded : { &store, &reread }) {
        ASSERT_EQ(loaded->EntryCount(), 7);
        for (int day = 0; day < 7; ++day) {
            std::array<std::uint8_t, 7> expected {};
            expected[static_cast<std::size_t>(day)] = 1;
            EXPECT_EQ(loaded->Entry(day).weekdays, expected) << ToUtf8(positions[day]);
        }
    }
}

TEST_F(ScheduleFileTest, PasswordMustBeGiven)
{
    WriteBytes("in.klx", Encode(FileByTheRules()));
    CKalStore store;
    ui_.QueuePassword(u"wrong");
    const Result<LoadedSchedule> wrong = Load(store, "in.klx");
    ASSERT_FALSE(wrong);
    EXPECT_EQ(wrong.Error().message, u"パスワードが違います。");
    EXPECT_EQ(store.EntryCount(), 0);
    EXPECT_TRUE(store.genres.IsEmpty());
    ui_.QueuePassword(std::nullopt);
    const Result<LoadedSchedule> declined = Load(store, "in.klx");
    ASSERT_FALSE(declined);
    EXPECT_EQ(declined.Error().message, u""); // giving up is no mistake to tell about
    EXPECT_EQ(ui_.PasswordRequests(), 2);
    // Without anyone to ask, the file stays shut.
    EXPECT_FALSE(LoadScheduleFile(store, folder_.File("in.klx")));
    EXPECT_EQ(store.EntryCount(), 0);
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ScheduleFileTest, SavedPasswordIsScrambledAndKept)
{
    CKalStore store;
    store.password = u"abcXYZ0189-_";
    ASSERT_EQ(Save(store, "p.klx"), SaveOutcome::Saved);
    const std::u16string text = CodePage::Ansi().Decode(ReadBytes("p.klx"));
    const std::size_t row = text.find(u"\r\n\"2\",\"");
    ASSERT_NE(row, std::u16string::npos);
    EXPECT_EQ(text.substr(row + 7, store.password.size()), u"xayWTQ8558-_");
    ui_.QueuePassword(u"abcXYZ0189-_");
    CKalStore reread;
    ASSERT_TRUE(Load(reread, "p.klx"));
    EXPECT_EQ(reread.password, store.password);
}

// The loader only reports: it asks for the password through the caller, tells nothing, records
// nothing in the settings and leaves the holiday updates it finds to the caller.
TEST_F(ScheduleFileTest, LoadingReportsWhatItFound)
{
    const std::u16string greenery = Row({ u"0", u"1989/04/29", u"00:00", u"2036/12/31", u"00:00", u"みどりの日", u"0",
        u"0", u"0", u"1", u"0000FF", u"", u"1", u"0", u"0", u"0", u"4", u"29", u"29", u"1", u"0" });
    const std::u16string aged = Row({ u"0", u"1972/09/15", u"00:00", u"2036/12/31", u"00:00", u"敬老の日", u"0", u"0",
        u"0", u"1", u"0000FF", u"", u"1", u"0", u"0", u"0", u"4", u"15", u"15", u"1", u"0" });
    const std::u16string version400 = Row({ u"4", u"", u"", u"400" });
    const std::u16string oddRule = Row({ u"0", u"2005/07/03", u"00:00", u"2005/07/03", u"00:00", u"謎", u"0", u"0",
        u"0", u"0", u"000000", u"", u"0", u"0", u"0", u"0", u"99" });
    struct Case {
        const char* name;
        std::u16string text; // "" for no file at all
        std::optional<std::optional<std::u16string>> typed; // what the user answers when asked
        bool firstUpdateDue;
        std::u16string failure; // the start of the failure's message; "-" when the load succeeds
        std::vector<std::u16string> added; // the holiday entries the updates would append, in order
        std::size_t endings;
        std::vector<int> dropped;
        bool notice;
    };
    const std::vector<Case> cases = {
        { "password given", FileByTheRules(), std::optional<std::u16string>(u"Pass9word"), false, u"-", {}, 0, {},
            false },
        { "wrong password", FileByTheRules(), std::optional<std::u16string>(u"pass9word"), false,
            u"パスワードが違います。", {}, 0, {}, false },
        { "password declined", FileByTheRules(), std::optional<std::u16string>(), false, u"", {}, 0, {}, false },
        { "no file", u"", std::nullopt, false, u"ファイルが開けません\n", {}, 0, {}, false },
        { "damaged rows", Header() + u"\"0\",\"2005/07/03\"\n" + oddRule + u"\n", std::nullopt, false, u"-", {}, 0,
            { 2 }, true },
        { "both updates due", Header() + version400 + u"\n" + greenery + u"\n" + aged + u"\n", std::nullopt, true, u"-",
            { u"敬老の日", u"海の日", u"昭和の日", u"みどりの日" }, 2, {}, false },
        { "first update made before", Header() + version400 + u"\n" + greenery + u"\n" + aged + u"\n", std::nullopt,
            false, u"-", { u"昭和の日", u"みどりの日" }, 1, {}, false },
        { "up to date", Header() + Row({ u"4", u"", u"", u"430" }) + u"\n" + greenery + u"\n", std::nullopt, false,
            u"-", {}, 0, {}, false },
    };
    profile_.SetInt("System", "HolidayChangeFlag1", 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder_.File(std::string(c.name) + ".klx");
        if (!c.text.empty())
            WriteBytes(std::string(c.name) + ".klx", Encode(c.text));
        int asked = 0;
        LoadOptions options;
        options.askPassword = [&] {
            ++asked;
            return c.typed.value_or(std::nullopt);
        };
        options.firstHolidayUpdateDue = c.firstUpdateDue;
        CKalStore store;
        Result<LoadedSchedule> loaded = LoadScheduleFile(store, path, options);

        EXPECT_TRUE(ui_.Messages().empty());
        EXPECT_EQ(profile_.GetInt("System", "HolidayChangeFlag1", 5), 0);
        EXPECT_EQ(asked, c.typed ? 1 : 0);
        if (c.failure != u"-") {
            ASSERT_FALSE(loaded);
            EXPECT_EQ(loaded.Error().message.substr(0, c.failure.size()), c.failure);
            EXPECT_EQ(loaded.Error().message.empty(), c.failure.empty());
            EXPECT_EQ(store.EntryCount(), 0);
            EXPECT_EQ(store.password, u"");
            continue;
        }
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->hadPassword, c.typed.has_value());
        EXPECT_EQ(loaded->firstHolidayUpdateMade, c.firstUpdateDue);
        EXPECT_EQ(loaded->report.droppedLines, c.dropped);
        EXPECT_EQ(loaded->notice.empty(), !c.notice);
        EXPECT_EQ(loaded->holidayUpdates.endings.size(), c.endings);
        std::vector<std::u16string> added;
        for (const auto& entry : loaded->holidayUpdates.additions)
            added.push_back(entry->text);
        EXPECT_EQ(added, c.added);

        // Nothing of them is in the store until the caller applies them, after its own entries.
        const int before = store.EntryCount();
        std::vector<CDTime> ends;
        for (const auto& entry : store.entries)
            ends.push_back(entry->end);
        EXPECT_EQ(ApplyHolidayUpdates(store, std::move(loaded->holidayUpdates)), !c.added.empty());
        ASSERT_EQ(store.EntryCount(), before + static_cast<int>(c.added.size()));
        for (std::size_t i = 0; i < c.added.size(); ++i)
            EXPECT_EQ(store.Entry(before + static_cast<int>(i)).text, c.added[i]);
        std::size_t ended = 0;
        for (int i = 0; i < before; ++i)
            ended += store.Entry(i).end != ends[static_cast<std::size_t>(i)];
        EXPECT_EQ(ended, c.endings);
    }
}

TEST_F(ScheduleFileTest, DamagedFilesKeepWhatIsValid)
{
    std::string bytes = Encode(Header());
    bytes += Encode(Row({ u"0", u"2005/07/03", u"09:00", u"2005/07/03", u"10:00", u"kept" })) + "\n";
    bytes += Encode(Row({ u"x", u"2005/07/05", u"9", u"2005/07/05", u"10", u"odd kind" })) + "\n";
    bytes += Encode(Row({ u"0", u"2005/02/30", u"9", u"2005/03/01", u"10", u"bad date" })) + "\n";
    std::string wide = Encode(Row({ u"0", u"2005/07/06", u"9", u"2005/07/06", u"10", u"wide" }));
    for (int i = 0; i < 600; ++i)
        wide += ",\"extra\"";
    bytes += wide + "\n";
    bytes += Encode(Row({ u"0", u"2005/07/07", u"9", u"2005/07/07", u"10" }, 5)) + ",\"a\x81\xFF\x82\""
        + Encode(Row({}, 20)).insert(0, ",") + "\n";
    bytes += Encode(Row({ u"0", u"2005/07/08", u"9", u"2005/07/08", u"10" }, 5)) + std::string(",\"n\0l\"", 6)
        + Encode(Row({}, 20)).insert(0, ",") + "\n";
    bytes += "\n";
    bytes += "\x01\x02\x03garbage without commas\n";
    bytes += Encode(Row({ u"0", u"2005/07/09", u"9", u"2005/07/09", u"10", u"no final LF" }));
    WriteBytes("damaged.klx", bytes);

    CKalStore store;
    LoadReport report;
    ASSERT_TRUE(Load(store, "damaged.klx", &report));
    std::vector<std::u16string> texts;
    for (const auto& entry : store.entries)
        texts.push_back(entry->text);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], u"kept");
    EXPECT_EQ(texts[1], u"odd kind"); // a kind that is no number reads as a schedule
    EXPECT_EQ(texts[2], u"wide");
    EXPECT_EQ(texts[3].substr(0, 1), u"a");
    EXPECT_EQ(texts[4], std::u16string(u"n\0l", 3));
    EXPECT_EQ(texts[5], u"no final LF");
    EXPECT_EQ(report.droppedLines, (std::vector<int> { 4, 9 }));
    EXPECT_EQ(report.cutLines, (std::vector<int> { 5 }));

    // The undecodable bytes of the damaged text survive a save.
    ASSERT_EQ(Save(store, "again.klx"), SaveOutcome::Saved);
    EXPECT_NE(ReadBytes("again.klx").find("a\x81\xFF\x82"), std::string::npos);
}

// Rows of kinds the format does not have, and rows cut short, are refused rather than guessed at.
TEST_F(ScheduleFileTest, RowsOfUnknownKindsOrCutShortAreRefused)
{
    const std::u16string monthly = Row({ u"0", u"2005/07/03", u"09:00", u"2016/12/31", u"10:00", u"月例", u"1", u"1",
        u"0", u"0", u"000000", u"", u"0", u"0", u"0", u"0", u"3", u"3", u"3", u"1", u"0" });
    struct Case {
        std::u16string row;
        bool kept;
    };
    const Case cases[] = {
        { monthly, true },
        { monthly.substr(0, monthly.find(u"\"3\",\"3\"")), false }, // cut before the rule's columns
        { Row({ u"0", u"2005/07/03", u"09:00", u"2005/07/03", u"10:00", u"no place" }, 24), false },
        { Row({ u"0", u"2005/07/03", u"09:00", u"2005/07/03", u"10:00", u"no memo" }, 25), true },
        { Row({ u"1", u"2005/07/03", u"09:00", u"", u"", u"to-do" }), true },
        { Row({ u"7", u"2005/07/03", u"09:00", u"2005/07/03", u"10:00", u"kind 7" }), false },
        { Row({ u"-1", u"2005/07/03", u"09:00", u"2005/07/03", u"10:00", u"kind -1" }), false },
        { Row({ u"3", u"2005/07/03" }, 2), false },
        { Row({ u"5", u"仕事", u"1" }, 3), false },
        { Row({ u"6", u"題" }, 2), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.row));
        WriteBytes("rows.klx", Encode(Header() + c.row + u"\n"));
        CKalStore store;
        LoadReport report;
        ASSERT_TRUE(Load(store, "rows.klx", &report));
        EXPECT_EQ(report.droppedLines.empty(), c.kept);
        EXPECT_EQ(store.EntryCount() + store.genres.Count() + static_cast<int>(store.memos.size())
                + static_cast<int>(store.dayColours.size()),
            c.kept ? 1 : 0);
    }

    // A file cut in the middle of its last row loses that row, not eleven years of days.
    std::string bytes
        = Encode(Header() + Row({ u"0", u"2005/07/01", u"00:00", u"2005/07/01", u"00:00", u"前" }) + u"\n");
    const std::string rule = Encode(monthly);
    WriteBytes("cut.klx", bytes + rule.substr(0, rule.size() / 2));
    CKalStore store;
    LoadReport report;
    ASSERT_TRUE(Load(store, "cut.klx", &report));
    ASSERT_EQ(store.EntryCount(), 1);
    EXPECT_EQ(store.Entry(0).text, u"前");
    EXPECT_EQ(report.droppedLines, (std::vector<int> { 3 }));
}

// The saver writes the password as the first row after the header; nowhere else does it lock the file.
TEST_F(ScheduleFileTest, APasswordCountsOnlyWhereTheSaverWritesIt)
{
    const std::u16string secret = Row({ u"2", u"pdyqzk" }); // "secret" scrambled
    const std::u16string entry = Row({ u"0", u"2005/07/03", u"09:00", u"2005/07/03", u"10:00", u"予定" });
    // A line feed inside a date splits a row; its second half starts with "2/05" and reads as kind 2.
    const std::u16string split = u"\"0\",\"2005/0\n2/05\",\"09:00\",\"2005/02/05\",\"10:00\",\"割れ\"";
    struct Case {
        std::u16string text;
        bool asks;
    };
    const Case cases[] = {
        { Header() + secret + u"\n" + entry + u"\n", true }, { Header() + entry + u"\n" + secret + u"\n", false },
        { Header() + entry + u"\n" + split + u"\n", false },
        { secret + u"\n" + entry + u"\n", true }, // saved without a header: its first line is a row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        WriteBytes("p.klx", Encode(c.text));
        CKalStore store;
        ui_.QueuePassword(u"secret");
        const int before = ui_.PasswordRequests();
        ASSERT_TRUE(Load(store, "p.klx"));
        EXPECT_EQ(ui_.PasswordRequests() - before, c.asks ? 1 : 0);
        EXPECT_EQ(store.password, c.asks ? u"secret" : u"");
        EXPECT_EQ(store.EntryCount(), 1);
    }
}

// Whatever the header setting says, a saved file reads back whole, its password first.
TEST_F(ScheduleFileTest, AProtectedFileStaysProtectedWhateverTheHeaderSetting)
{
    profile_.SetInt("System", "Item", 1);
    CKalStore store;
    store.password = u"secret";
    store.SetDayColour(u"2005/07/03", DayColour { 0x00FF00, u"緑" });
    ASSERT_EQ(Save(store, "p.klx"), SaveOutcome::Saved);
    CKalStore reread;
    ui_.QueuePassword(u"secret");
    ASSERT_TRUE(Load(reread, "p.klx"));
    EXPECT_EQ(ui_.PasswordRequests(), 1);
    EXPECT_EQ(reread.password, u"secret");
    EXPECT_NE(reread.FindDayColour(u"2005/07/03"), nullptr);
}

// A thousand rules of an unknown type are told about once, when the file is read.
TEST_F(ScheduleFileTest, UnknownRepeatTypesAreToldOncePerLoad)
{
    std::u16string text = Header();
    for (int i = 0; i < 1000; ++i)
        text += Row({ u"0", u"2005/07/03", u"09:00", u"2005/12/31", u"10:00", u"謎", u"1", u"1", u"0", u"0", u"000000",
                    u"", u"0", u"0", u"0", u"0", u"9", u"5", u"5" })
            + u"\n";
    text += Row({ u"1", u"2005/07/03", u"09:00", u"", u"", u"to-do", u"1", u"1", u"0", u"0", u"000000", u"", u"0", u"0",
                u"0", u"0", u"9" })
        + u"\n";
    WriteBytes("odd.klx", Encode(text));
    CKalStore store;
    const Result<LoadedSchedule> loaded = Load(store, "odd.klx");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->report.unknownRules, 1000);
    EXPECT_EQ(loaded->notice,
        u"繰り返し処理エラー1\n繰り返しの種類が分からないスケジュールが1000件あります。"
        u"それぞれ最初の日だけを表示します。");
    EXPECT_TRUE(ui_.Messages().empty());
    // As told: the 3rd of July, the eighth day of July's grid, and no day after it.
    std::vector<std::uint8_t> marks(42 + 31);
    MarkOccurrences(store.Entry(0), CDTime(2005, 6, 26), CDTime(2005, 9, 6, 23, 59), marks);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 1);
    EXPECT_EQ(marks[7], 1);
}

TEST_F(ScheduleFileTest, AHugeSingleLineIsDropped)
{
    std::string bytes = Encode(Header());
    bytes += "\"0\",\"" + std::string(50u << 20, 'x') + "\n";
    bytes += Encode(Row({ u"0", u"2005/07/09", u"9", u"2005/07/09", u"10", u"after" })) + "\n";
    WriteBytes("huge.klx", bytes);
    CKalStore store;
    LoadReport report;
    ASSERT_TRUE(Load(store, "huge.klx", &report));
    ASSERT_EQ(store.EntryCount(), 1);
    EXPECT_EQ(store.Entry(0).text, u"after");
    EXPECT_EQ(report.droppedLines, (std::vector<int> { 2 }));
}

TEST_F(ScheduleFileTest, MissingFileIsReported)
{
    CKalStore store;
    store.AppendEntry(std::make_unique<CKalData>());
    const Result<LoadedSchedule> loaded = Load(store, "absent.klx");
    ASSERT_FALSE(loaded);
    EXPECT_EQ(store.EntryCount(), 0);
    EXPECT_EQ(loaded.Error().message.rfind(u"ファイルが開けません\n", 0), 0u);
}

TEST_F(ScheduleFileTest, AFailedSaveLeavesTheOldFile)
{
    CKalStore store;
    auto entry = std::make_unique<CKalData>();
    entry->start = entry->end = CDTime(2005, 7, 3);
    entry->text = u"大事な予定";
    store.AppendEntry(std::move(entry));
    ASSERT_EQ(Save(store, "keep.klx"), SaveOutcome::Saved);
    const std::string before = ReadBytes("keep.klx");

    store.Entry(0).text = u"changed";
    {
        ScopedWriteFailure diskFull(100);
        const Result<SaveOutcome> saved = Save(store, "keep.klx");
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.Error().message.rfind(u"書き込みファイルが開けません\n", 0), 0u);
        EXPECT_NE(saved.Error().message.find(u"ディスクの空き容量が足りません。"), std::u16string::npos);
    }
    EXPECT_EQ(ReadBytes("keep.klx"), before);

    EXPECT_FALSE(SaveScheduleFile(store, folder_.File("no/such/folder.klx")));

    // A read-only file is refused with the reason, not replaced.
    ASSERT_EQ(::chmod(folder_.File("keep.klx").c_str(), 0444), 0);
    const Result<SaveOutcome> refused = Save(store, "keep.klx");
    ASSERT_FALSE(refused);
    EXPECT_EQ(ReadBytes("keep.klx"), before);
    EXPECT_EQ(refused.Error().message.rfind(texts::kCannotOpenFileForWriting, 0), 0u);
    EXPECT_NE(refused.Error().message.find(texts::kReasonReadOnlyFile), std::u16string::npos);
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ScheduleFileTest, ReplacedCharactersAreToldBeforeSaving)
{
    CKalStore store;
    auto entry = std::make_unique<CKalData>();
    entry->start = entry->end = CDTime(2005, 7, 3);
    entry->text = u"€100 〜 😀";
    store.AppendEntry(std::move(entry));
    std::u16string told;
    SaveOptions refuse;
    refuse.confirmReplacement = [&](std::u16string_view replaced) {
        told = replaced;
        return false;
    };
    EXPECT_EQ(SaveScheduleFile(store, folder_.File("r.klx"), refuse), SaveOutcome::Cancelled);
    EXPECT_EQ(told, u"€😀");
    EXPECT_FALSE(ReadWholeFile(folder_.File("r.klx")));

    ASSERT_EQ(Save(store, "r.klx"), SaveOutcome::Saved);
    CKalStore reread;
    ASSERT_TRUE(Load(reread, "r.klx"));
    EXPECT_EQ(reread.Entry(0).text, u"?100 ～ ?");
}

} // namespace
} // namespace kal
