#include "TestEnvironment.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"

#include <gtest/gtest.h>

#include <random>

namespace kal {
namespace {

// Random stores written and read back must come back field for field, with texts changed only in the
// ways the format requires.
class ScheduleRoundTripTest : public test::TestEnvironment {
protected:
    ScheduleRoundTripTest() { profile_.SetInt("System", "HolidayChangeFlag1", 1); }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Coin() { return Between(0, 1) == 1; }

    std::u16string RandomText()
    {
        static const std::u16string_view pieces[] = { u"a", u"予定", u"表", u"ソ", u"\"", u",", u"\",", u"\r\n", u"\n",
            u"\r", u"\x01", u"\x02", u"\x01\x02", u"～", u"〜", u"€", u"😀", u"①", u"Ⅱ", u"\\", u" ", u"\x1A", u"-" };
        std::u16string text;
        const int count = Between(0, 12);
        for (int i = 0; i < count; ++i)
            text += pieces[Between(0, static_cast<int>(std::size(pieces)) - 1)];
        return text;
    }

    CDTime RandomTime(bool withTime)
    {
        const int year = Between(1972, 2036);
        const int month = Between(1, 12);
        return CDTime(year, month, Between(1, DaysInMonth(year, month)), withTime ? Between(0, 23) : 0,
            withTime ? Between(0, 59) : 0);
    }

    ExclusionPeriod RandomPeriod()
    {
        const LocalFields from = RandomTime(false).Fields();
        if (Coin())
            return { from.year, from.month, from.day, from.year, from.month, from.day };
        const LocalFields to = RandomTime(false).Fields();
        return { from.year, from.month, from.day, to.year, to.month, to.day };
    }

    std::unique_ptr<CKalData> RandomEntry()
    {
        auto entry = std::make_unique<CKalData>();
        const bool todo = Between(0, 3) == 0;
        entry->flags = static_cast<std::uint32_t>(Between(0, 0x7F)) & ~flag::kIsTodo;
        entry->Set(flag::kIsTodo, todo);
        entry->start = RandomTime(true);
        entry->end = todo && !entry->Has(flag::kDone) ? entry->start : RandomTime(true);
        entry->text = RandomText();
        entry->place = RandomText();
        entry->linkFile = RandomText();
        entry->memo = RandomText();
        entry->colour = static_cast<Colour>(Between(0, 0xFFFFFF));
        entry->genre = Between(-2, 40);
        entry->timeDisplay = Between(0, 15);
        entry->textStyle = Between(0, 15);
        if (todo) {
            entry->Set(flag::kHoliday, false); // the to-do row has no holiday column
            entry->priority = Between(-1, 9);
            entry->showDaysBefore = Between(-1, 400);
            return entry;
        }
        entry->Set(flag::kDone, false); // nor has the schedule row a done or no-deadline column
        entry->Set(flag::kNoDeadline, false);
        entry->alarmMode = Between(-1, 5);
        entry->alarmMinutes = Between(-1, 10000);
        entry->repeatType = Between(0, 9);
        // Repeat days and intervals within the ranges a file keeps on load (-1 is the month's last day).
        entry->repeatDayFrom = Between(0, 31) == 0 ? -1 : Between(1, 31);
        entry->repeatDayTo = Between(0, 31) == 0 ? -1 : Between(1, 31);
        entry->interval = Between(0, 99);
        entry->positionMode = Between(0, 1);
        if (entry->positionMode) {
            for (auto& week : entry->weeks)
                week = static_cast<std::uint8_t>(Coin());
            for (auto& day : entry->weekdays)
                day = static_cast<std::uint8_t>(Coin());
        }
        // Months are kept for the rule types that use them, and a rule needs at least one month.
        if (entry->repeatType >= 3) {
            for (auto& month : entry->months)
                month = static_cast<std::uint8_t>(Coin());
            entry->months[static_cast<std::size_t>(Between(0, 11))] = 1;
        }
        entry->avoidDays = static_cast<std::uint32_t>(Between(0, 31)) | (Coin() ? 0x80000000u : 0u);
        const int periods = Between(0, 3);
        for (int i = 0; i < periods; ++i)
            entry->exclusions.push_back(RandomPeriod());
        return entry;
    }

    std::mt19937 random_ { 20261207 };
};

// What a text reads back as: line breaks as CR LF, a quote before a comma as "”", Ctrl-Z and what the
// code page lacks as "?", the input-method look-alikes as the code page's forms.
std::u16string AfterRoundTrip(std::u16string_view text)
{
    std::u16string written;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
        if (c == u'\r' && next == u'\n') {
            written += u"\r\n";
            ++i;
        } else if (c == u'\n') {
            written += u"\r\n";
        } else if (c == u'\x01' && next == u'\x02') {
            written += u"\r\n";
            ++i;
        } else if (c == u'"' && next == u',') {
            written += u'”';
        } else if (c == u'\x1A' || c == u'€') {
            written += u'?';
        } else if (c == 0xD83D) {
            written += u'?';
            ++i;
        } else {
            written += CodePageLookAlike(c);
        }
    }
    return written;
}

TEST_F(ScheduleRoundTripTest, RandomStoresComeBackFieldForField)
{
    test::TemporaryFolder folder;
    for (int round = 0; round < 20; ++round) {
        CKalStore store;
        const int count = Between(0, 60);
        for (int i = 0; i < count; ++i)
            store.AppendEntry(RandomEntry());
        for (int i = Between(0, 4); i > 0; --i)
            store.SetDayColour(
                DateText(RandomTime(false)), DayColour { static_cast<Colour>(Between(0, 0xFFFFFF)), RandomText() });
        for (int i = Between(0, 3); i > 0; --i) {
            CKalField genre;
            genre.name = RandomText();
            genre.visible = Between(0, 1);
            genre.colour = static_cast<Colour>(Between(0, 0xFFFFFF));
            genre.note = RandomText();
            store.genres.Append(genre);
        }
        for (int i = Between(0, 2); i > 0; --i)
            store.memos.push_back(std::make_unique<CMemoData>(CMemoData { RandomText(), RandomText() }));
        store.defaultScheduleGenre = Between(-1, 5);
        store.defaultTodoGenre = Between(-1, 5);
        store.settingsExtra = Between(-100, 100);
        store.diaryFolderDefault = u"/home/u/日記/";
        store.SetDiaryFolder(Coin() ? u"" : u"/srv/diary/");

        const std::string path = folder.File("round.klx");
        ASSERT_EQ(SaveScheduleFile(store, path), SaveOutcome::Saved);
        // Saving encodes line by line; that must be the whole text encoded at once.
        EXPECT_EQ(ReadWholeFile(path), CodePage::Ansi().Encode(ScheduleFileText(store)).bytes);
        CKalStore reread;
        ASSERT_TRUE(LoadScheduleFile(reread, path)) << round;

        ASSERT_EQ(reread.EntryCount(), store.EntryCount()) << round;
        for (int i = 0; i < store.EntryCount(); ++i) {
            const CKalData& a = store.Entry(i);
            const CKalData& b = reread.Entry(i);
            SCOPED_TRACE(::testing::Message() << "round " << round << " entry " << i);
            EXPECT_EQ(b.start, a.start);
            EXPECT_EQ(b.end, a.end);
            EXPECT_EQ(b.flags, a.flags);
            EXPECT_EQ(b.text, AfterRoundTrip(a.text));
            EXPECT_EQ(b.place, AfterRoundTrip(a.place));
            EXPECT_EQ(b.linkFile, AfterRoundTrip(a.linkFile));
            EXPECT_EQ(b.memo, AfterRoundTrip(a.memo));
            EXPECT_EQ(b.colour, a.colour);
            EXPECT_EQ(b.genre, a.genre);
            EXPECT_EQ(b.timeDisplay, a.timeDisplay);
            EXPECT_EQ(b.textStyle, a.textStyle);
            EXPECT_EQ(b.priority, a.priority);
            EXPECT_EQ(b.showDaysBefore, a.showDaysBefore);
            EXPECT_EQ(b.alarmMode, a.alarmMode);
            EXPECT_EQ(b.alarmMinutes, a.alarmMinutes);
            EXPECT_EQ(b.repeatType, a.repeatType);
            EXPECT_EQ(b.repeatDayFrom, a.repeatDayFrom);
            EXPECT_EQ(b.repeatDayTo, a.repeatDayTo);
            EXPECT_EQ(b.interval, a.interval);
            EXPECT_EQ(b.positionMode, a.positionMode);
            EXPECT_EQ(b.weeks, a.weeks);
            EXPECT_EQ(b.weekdays, a.weekdays);
            EXPECT_EQ(b.months, a.months);
            EXPECT_EQ(b.avoidDays, a.avoidDays);
            EXPECT_EQ(b.exclusions, a.exclusions);
        }
        ASSERT_EQ(reread.dayColours.size(), store.dayColours.size());
        auto read = reread.dayColours.begin();
        for (const auto& [key, colour] : store.dayColours) {
            EXPECT_EQ(read->first, key);
            EXPECT_EQ(read->second.colour, colour.colour);
            EXPECT_EQ(read->second.note, AfterRoundTrip(colour.note));
            ++read;
        }
        ASSERT_EQ(reread.genres.Count(), store.genres.Count());
        for (int i = 0; i < store.genres.Count(); ++i) {
            EXPECT_EQ(reread.genres.At(i)->name, AfterRoundTrip(store.genres.At(i)->name));
            EXPECT_EQ(reread.genres.At(i)->note, AfterRoundTrip(store.genres.At(i)->note));
            EXPECT_EQ(reread.genres.At(i)->visible, store.genres.At(i)->visible);
            EXPECT_EQ(reread.genres.At(i)->colour, store.genres.At(i)->colour);
        }
        ASSERT_EQ(reread.memos.size(), store.memos.size());
        for (std::size_t i = 0; i < store.memos.size(); ++i) {
            EXPECT_EQ(reread.memos[i]->title, AfterRoundTrip(store.memos[i]->title));
            EXPECT_EQ(reread.memos[i]->text, AfterRoundTrip(store.memos[i]->text));
        }
        EXPECT_EQ(reread.defaultScheduleGenre, store.defaultScheduleGenre);
        EXPECT_EQ(reread.defaultTodoGenre, store.defaultTodoGenre);
        EXPECT_EQ(reread.settingsExtra, store.settingsExtra);
        EXPECT_EQ(reread.DiaryLocator(), store.DiaryLocator());
        if (HasFailure())
            return;
    }
}

// A file is read a window of a megabyte at a time: rows across the windows' edges, a row longer than
// a window, CR LF ends, a last row without its end and a Ctrl-Z in the middle read as from the whole
// bytes at once.
TEST_F(ScheduleRoundTripTest, AFileReadInWindowsReadsAsItsWholeBytes)
{
    CKalStore store;
    for (int i = 0; i < 9000; ++i) {
        store.AppendEntry(RandomEntry());
        store.Entry(i).memo = std::u16string(static_cast<std::size_t>(Between(0, 300)), u'予');
    }
    store.Entry(4000).memo = std::u16string(std::size_t(700000), u'長'); // 1.4 MB of CP932 in one row
    const std::string lines = CodePage::Ansi().Encode(ScheduleFileText(store)).bytes;
    std::string crlf;
    for (const char c : lines)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::size_t middle = lines.find('\n', lines.size() / 2) + 1;
    const std::string variants[]
        = { lines, crlf, lines.substr(0, lines.size() - 1), lines.substr(0, middle) + "\x1A" + lines.substr(middle) };
    test::TemporaryFolder folder;
    for (const std::string& bytes : variants) {
        const std::string path = folder.File("windows.klx");
        ASSERT_TRUE(WriteFileAtomically(path, bytes));
        CKalStore whole;
        CKalStore streamed;
        const Result<LoadedSchedule> wholeLoad = LoadScheduleBytes(whole, bytes);
        const Result<LoadedSchedule> streamedLoad = LoadScheduleFile(streamed, path);
        ASSERT_TRUE(wholeLoad);
        ASSERT_TRUE(streamedLoad);
        const LoadReport& wholeReport = wholeLoad->report;
        const LoadReport& streamedReport = streamedLoad->report;
        EXPECT_GT(whole.EntryCount(), 4000);
        EXPECT_EQ(streamed.EntryCount(), whole.EntryCount());
        EXPECT_EQ(streamedReport.rows, wholeReport.rows);
        EXPECT_EQ(streamedReport.droppedLines, wholeReport.droppedLines);
        EXPECT_TRUE(ScheduleFileText(streamed) == ScheduleFileText(whole));
    }
}

// A big store is saved in two halves made side by side: the file is still the whole text encoded at
// once, the characters the code page cannot hold are told once each in order, and a disk that fills
// in the second half leaves the old file as it was.
TEST_F(ScheduleRoundTripTest, AStoreSavedInHalvesIsTheWholeTextEncoded)
{
    CKalStore store;
    for (int i = 0; i < 30000; ++i)
        store.AppendEntry(RandomEntry());
    store.Entry(100).text = u"😀 €";
    store.Entry(25000).text = u"é € 😁"; // one half of its pair is also one half of the first's
    const CodePage::Encoded whole = CodePage::Ansi().Encode(ScheduleFileText(store));
    ASSERT_NE(whole.replaced.find(u'é'), std::u16string::npos);
    test::TemporaryFolder folder;
    const std::string path = folder.File("halves.klx");
    std::u16string told;
    SaveOptions options;
    options.confirmReplacement = [&](std::u16string_view replaced) {
        told = replaced;
        return true;
    };
    ASSERT_EQ(SaveScheduleFile(store, path, options), SaveOutcome::Saved);
    EXPECT_TRUE(ReadWholeFile(path) == whole.bytes);
    EXPECT_EQ(told, whole.replaced);

    store.Entry(29999).text = u"changed";
    {
        ScopedWriteFailure diskFull(whole.bytes.size() * 3 / 4);
        EXPECT_FALSE(SaveScheduleFile(store, path));
    }
    EXPECT_TRUE(ReadWholeFile(path) == whole.bytes);
}

} // namespace
} // namespace kal
