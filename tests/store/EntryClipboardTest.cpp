#include "TestEnvironment.h"

#include "store/EntryClipboard.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>

#include <array>

namespace kal {
namespace {

class EntryClipboardTest : public test::TestEnvironment {
protected:
    // What the document does with a paste: the operation the text makes, applied.
    bool PasteText(CKalStore& store, std::u16string_view text, CDTime day)
    {
        std::optional<StoreOperation> paste = PasteOperation(store, text, day);
        if (!paste)
            return false;
        paste->Apply(store);
        return true;
    }

    CKalStore store_;
};

TEST_F(EntryClipboardTest, ACopiedEntryPastesOntoAnotherDay)
{
    CKalData meeting;
    meeting.text = u"会議, \"定例\"";
    meeting.memo = u"一行目\r\n二行目";
    meeting.start = CDTime(2026, 12, 7, 9, 30);
    meeting.end = CDTime(2026, 12, 7, 10, 30);
    meeting.flags = flag::kStartTimeSet | flag::kEndTimeSet;
    const std::u16string text = EntryClipboardText(meeting);
    EXPECT_EQ(text.back(), u'\n');
    EXPECT_EQ(text.substr(0, 4), u"\"0\",");
    EXPECT_NE(text.find(u"一行目\r\n二行目"), std::u16string::npos);
    EXPECT_EQ(text.find(u'\u0001'), std::u16string::npos);

    ASSERT_TRUE(PasteText(store_, text, CDTime(2026, 12, 24)));
    ASSERT_EQ(store_.EntryCount(), 1);
    const CKalData& pasted = store_.Entry(0);
    EXPECT_EQ(pasted.text, meeting.text);
    EXPECT_EQ(pasted.memo, meeting.memo);
    EXPECT_EQ(pasted.start, CDTime(2026, 12, 24, 9, 30));
    EXPECT_EQ(pasted.end, CDTime(2026, 12, 24, 10, 30));
}

TEST_F(EntryClipboardTest, PlainTextBecomesAnEntryAndOtherRowsActAsInAFile)
{
    clock_.Set(CDTime(2026, 12, 7, 15, 45).Instant());
    ASSERT_TRUE(PasteText(store_, u"  買い物メモ \n", CDTime(2026, 12, 10)));
    EXPECT_EQ(store_.Entry(0).text, u"買い物メモ");
    EXPECT_EQ(store_.Entry(0).start, CDTime(2026, 12, 10, 15, 45));
    EXPECT_EQ(store_.Entry(0).flags, 0u);

    EXPECT_FALSE(PasteText(store_, u"   ", CDTime(2026, 12, 10)));
    EXPECT_FALSE(PasteText(store_, u"a,b,c", CDTime(2026, 12, 10))); // commas, but not a row
    EXPECT_EQ(store_.EntryCount(), 1);

    std::u16string colourRow = u"\"3\",\"2026/12/25\",\"00FF00\",\"\"";
    for (int i = 4; i < 26; ++i)
        colourRow += u",\"\"";
    ASSERT_TRUE(PasteText(store_, colourRow, CDTime(2026, 12, 10)));
    ASSERT_NE(store_.FindDayColour(u"2026/12/25"), nullptr);
    EXPECT_EQ(store_.FindDayColour(u"2026/12/25")->colour, 0x00FF00u);
    EXPECT_EQ(store_.EntryCount(), 1);

    // A password row from the clipboard is refused: pasting must never lock the file, nor unlock it.
    std::u16string passwordRow = u"\"2\",\"secret\"";
    for (int i = 2; i < 26; ++i)
        passwordRow += u",\"\"";
    store_.password = u"mine";
    EXPECT_FALSE(PasteText(store_, passwordRow, CDTime(2026, 12, 10)));
    EXPECT_EQ(store_.password, u"mine");
}

TEST_F(EntryClipboardTest, PastedRulesKeepTheirMeaning)
{
    struct Case {
        const char* name;
        int type;
        CDTime start, end, day;
        CDTime wantStart, wantEnd;
    };
    const Case cases[] = {
        { "one-off ending in the last year moves whole", repeat::kNone, CDTime(2036, 3, 30, 9, 0),
            CDTime(2036, 4, 1, 9, 0), CDTime(2026, 12, 30), CDTime(2026, 12, 30, 9, 0), CDTime(2027, 1, 1, 9, 0) },
        { "open-ended daily rule keeps its end", repeat::kDaily, CDTime(2026, 1, 5, 8, 0), CDTime(2036, 12, 31),
            CDTime(2026, 12, 10), CDTime(2026, 12, 10, 8, 0), CDTime(2036, 12, 31) },
        { "yearly rule on Feb 29 keeps February", repeat::kYearly, CDTime(2007, 2, 10), CDTime(2036, 12, 31),
            CDTime(2008, 2, 29), CDTime(2007, 2, 28), CDTime(2036, 12, 31) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKalStore store;
        CKalData entry;
        entry.repeatType = c.type;
        entry.start = c.start;
        entry.end = c.end;
        entry.repeatDayFrom = entry.repeatDayTo = c.start.Day();
        ASSERT_TRUE(PasteText(store, EntryClipboardText(entry), c.day));
        const CKalData& pasted = store.Entry(0);
        EXPECT_EQ(pasted.start, c.wantStart);
        EXPECT_EQ(pasted.end, c.wantEnd);
        EXPECT_EQ(pasted.repeatDayFrom, c.type == repeat::kYearly ? c.day.Day() : c.start.Day());
    }
}

TEST_F(EntryClipboardTest, TheMonthsOfACustomRuleSurviveTheRow)
{
    const std::array<std::uint8_t, 12> none {};
    const std::array<std::uint8_t, 12> some { 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1 };
    const std::array<std::uint8_t, 12> all { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 };
    for (const auto& months : { none, some, all }) {
        CKalStore store;
        CKalData rule;
        rule.repeatType = repeat::kCustom;
        rule.start = CDTime(2026, 1, 5);
        rule.end = CDTime(2036, 12, 31);
        rule.repeatDayFrom = rule.repeatDayTo = 5;
        rule.months = months;
        ASSERT_TRUE(PasteText(store, EntryClipboardText(rule), CDTime(2026, 1, 5)));
        EXPECT_EQ(store.Entry(0).months, months);
    }
}

} // namespace
} // namespace kal
