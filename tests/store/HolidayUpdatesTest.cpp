#include "TestEnvironment.h"

#include "store/HolidayUpdates.h"
#include "store/KalStore.h"

#include <gtest/gtest.h>

namespace kal {
namespace {

class HolidayUpdatesTest : public test::TestEnvironment {
protected:
    CKalData& AddYearly(const char16_t* name, CDTime start, bool holiday = true)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = name;
        entry->start = start;
        entry->end = CDTime(2036, 12, 31);
        entry->repeatType = 4;
        entry->repeatDayFrom = entry->repeatDayTo = start.Day();
        entry->Set(flag::kHoliday, holiday);
        store_.AppendEntry(std::move(entry));
        return store_.Entry(store_.EntryCount() - 1);
    }

    CKalStore store_;
};

TEST_F(HolidayUpdatesTest, Update2003EndsTheFixedDatesAndAddsThirdMondays)
{
    CKalData& aged = AddYearly(u"敬老の日", CDTime(1972, 9, 15));
    CKalData& marine = AddYearly(u"海の日", CDTime(1996, 7, 20));
    CKalData& newYear = AddYearly(u"元日", CDTime(1972, 1, 1));

    HolidayUpdates updates = HolidayUpdate2003(store_);
    // Only a plan until it is applied: the store is as it was.
    EXPECT_EQ(aged.end, CDTime(2036, 12, 31));
    EXPECT_EQ(store_.EntryCount(), 3);
    EXPECT_TRUE(ApplyHolidayUpdates(store_, std::move(updates)));

    EXPECT_EQ(aged.end, CDTime(2002, 12, 31));
    EXPECT_EQ(marine.end, CDTime(2002, 12, 31));
    EXPECT_EQ(newYear.end, CDTime(2036, 12, 31));
    ASSERT_EQ(store_.EntryCount(), 5);
    struct Expected {
        const char16_t* name;
        int month;
        int day;
    };
    const Expected added[] = { { u"敬老の日", 9, 15 }, { u"海の日", 7, 20 } };
    for (int i = 0; i < 2; ++i) {
        const CKalData& entry = store_.Entry(3 + i);
        EXPECT_EQ(entry.text, added[i].name);
        EXPECT_TRUE(entry.IsHoliday());
        EXPECT_EQ(entry.start, CDTime(2003, 1, 1));
        EXPECT_EQ(entry.end, CDTime(2036, 12, 31));
        EXPECT_EQ(entry.repeatType, 4);
        EXPECT_EQ(entry.interval, 1);
        EXPECT_EQ(entry.positionMode, 1);
        EXPECT_EQ(entry.weeks, (std::array<std::uint8_t, 5> { 0, 0, 1, 0, 0 }));
        EXPECT_EQ(entry.weekdays, (std::array<std::uint8_t, 7> { 0, 1, 0, 0, 0, 0, 0 }));
        std::array<std::uint8_t, 12> months {};
        months[static_cast<std::size_t>(added[i].month - 1)] = 1;
        EXPECT_EQ(entry.months, months);
        EXPECT_EQ(entry.repeatDayFrom, added[i].day);
        EXPECT_EQ(entry.repeatDayTo, added[i].day);
    }
}

TEST_F(HolidayUpdatesTest, Update2003AppliedTwiceChangesNothingTheSecondTime)
{
    AddYearly(u"敬老の日", CDTime(1972, 9, 15));
    AddYearly(u"海の日", CDTime(1996, 7, 20));
    ASSERT_TRUE(ApplyHolidayUpdates(store_, HolidayUpdate2003(store_)));
    // The user moved the old rule's end; a second run must not touch it again.
    store_.Entry(0).end = CDTime(2001, 12, 31);

    EXPECT_FALSE(ApplyHolidayUpdates(store_, HolidayUpdate2003(store_)));
    EXPECT_EQ(store_.EntryCount(), 4);
    EXPECT_EQ(store_.Entry(0).end, CDTime(2001, 12, 31));
}

TEST_F(HolidayUpdatesTest, Update2003NeedsAnOldRuleToReplace)
{
    AddYearly(u"敬老の日", CDTime(1972, 9, 16)); // not on the 15th
    AddYearly(u"海の日 ", CDTime(1996, 7, 20)); // title differs
    EXPECT_FALSE(ApplyHolidayUpdates(store_, HolidayUpdate2003(store_)));
    EXPECT_EQ(store_.EntryCount(), 2);
    EXPECT_EQ(store_.Entry(0).end, CDTime(2036, 12, 31));
}

TEST_F(HolidayUpdatesTest, Update2007EndsGreeneryDayOnApril29AndAddsShowaDay)
{
    CKalData& greenery = AddYearly(u"みどりの日", CDTime(1989, 4, 29));
    CKalData& citizens = AddYearly(u"国民の休日", CDTime(1988, 5, 4));
    CKalData& notHoliday = AddYearly(u"みどりの日", CDTime(1989, 4, 29), false);

    EXPECT_TRUE(ApplyHolidayUpdates(store_, HolidayUpdate2007(store_)));

    EXPECT_EQ(greenery.end, CDTime(2006, 12, 31));
    EXPECT_EQ(citizens.end, CDTime(2006, 12, 31));
    EXPECT_EQ(notHoliday.end, CDTime(2036, 12, 31));
    ASSERT_EQ(store_.EntryCount(), 5);
    const CKalData& showa = store_.Entry(3);
    EXPECT_EQ(showa.text, u"昭和の日");
    EXPECT_EQ(showa.start, CDTime(2007, 4, 29));
    EXPECT_EQ(showa.repeatDayFrom, 29);
    const CKalData& newGreenery = store_.Entry(4);
    EXPECT_EQ(newGreenery.text, u"みどりの日");
    EXPECT_EQ(newGreenery.start, CDTime(2007, 5, 4));
    EXPECT_EQ(newGreenery.repeatDayFrom, 4);
    EXPECT_EQ(newGreenery.repeatDayTo, 4);
    for (const CKalData* entry : { &showa, &newGreenery }) {
        EXPECT_TRUE(entry->IsHoliday());
        EXPECT_EQ(entry->end, CDTime(2036, 12, 31));
        EXPECT_EQ(entry->repeatType, 4);
        EXPECT_EQ(entry->interval, 1);
        EXPECT_EQ(entry->positionMode, 0);
        EXPECT_EQ(entry->months, (std::array<std::uint8_t, 12> { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 }));
    }

    EXPECT_FALSE(ApplyHolidayUpdates(store_, HolidayUpdate2007(store_)));
    EXPECT_EQ(store_.EntryCount(), 5);
}

TEST_F(HolidayUpdatesTest, Update2007IgnoresEntriesThatDoNotRepeatYearly)
{
    CKalData& once = AddYearly(u"みどりの日", CDTime(1989, 4, 29));
    once.repeatType = 0;
    EXPECT_FALSE(ApplyHolidayUpdates(store_, HolidayUpdate2007(store_)));
    EXPECT_EQ(store_.EntryCount(), 1);
}

} // namespace
} // namespace kal
