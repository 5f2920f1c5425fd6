#include "TestEnvironment.h"

#include "calstore/IcalExport.h"
#include "calstore/IcalImport.h"
#include "platform/Text.h"
#include "store/DayListing.h"
#include "store/KalData.h"
#include "store/KalStore.h"
#include "store/ScheduleFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kal {
namespace {

// The whole file out to iCalendar and into a new file: every month from 1972 to 2036 must show
// the same, both when the file comes back as written and when another program has kept only the
// standard properties.
class IcalRoundTripTest : public test::TestEnvironment {
protected:
    // The text of every month of the calendar's years, one string a month: each of its days' lines in
    // the order they show, holidays marked.
    static std::vector<std::u16string> MonthViews(CKalStore& store)
    {
        DayListing listing(&store);
        std::vector<ListedDay> days(43);
        std::vector<std::u16string> months;
        for (int year = kFirstYear; year <= kLastYear; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const CDTime first = DayListing::MonthViewStart(YearMonth { year, month }, false);
                listing.ListMonthView(days, first, 42);
                std::u16string text;
                for (int i = 0; i < 42; ++i) {
                    // A few rules show on the days of the months before and after differently in
                    // their views than in their own months; each day is compared as its own month
                    // shows it, which is what the export writes.
                    const ListedDay& day = days[static_cast<std::size_t>(i)];
                    if (day.date.Month() != month)
                        continue;
                    for (const CKalData* entry : day.entries) {
                        text += day.date.Format(u"%Y/%m/%d ") + (entry->IsHoliday() ? u"祝 " : u"")
                            + listing.Line(*entry, day.date) + u"\n";
                    }
                }
                months.push_back(std::move(text));
            }
        }
        return months;
    }

    static std::string WithoutOwnProperties(const std::string& text)
    {
        std::string kept;
        bool dropping = false;
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t end = text.find('\n', at);
            end = end == std::string::npos ? text.size() : end + 1;
            const std::string_view line(text.data() + at, end - at);
            if (!line.starts_with(' ') && !line.starts_with('\t'))
                dropping = line.starts_with("X-KALENDRA-");
            if (!dropping)
                kept.append(line);
            at = end;
        }
        return kept;
    }

    static void Import(CKalStore& into, const std::string& text)
    {
        Result<IcalImport> imported = ImportIcal(into, text, IcalImportOptions { "new.klx", {} });
        ASSERT_TRUE(imported) << ToUtf8(imported.Error().message);
        imported->operation.Apply(into);
    }
};

void Timed(CKalData& e, CDTime start, CDTime end)
{
    e.start = start;
    e.end = end;
    e.Set(flag::kStartTimeSet | flag::kEndTimeSet, true);
}

void Dated(CKalData& e, CDTime start, CDTime end)
{
    e.start = start;
    e.end = end;
}

const std::pair<const char16_t*, std::function<void(CKalData&)>> kRules[] = {
    { u"三日ごと",
        [](CKalData& e) {
            Timed(e, CDTime(2005, 7, 1, 10, 0), CDTime(2005, 12, 31, 11, 0));
            e.repeatType = repeat::kDaily;
            e.interval = 3;
        } },
    { u"一日おき時計の変わり目",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 3, 20, 9, 0), CDTime(2027, 11, 20, 10, 30));
            e.repeatType = repeat::kDaily;
            e.interval = 2;
        } },
    { u"夜勤",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 3, 25, 22, 0), CDTime(2027, 4, 5, 2, 0));
            e.repeatType = repeat::kDaily;
        } },
    { u"三日ごと週末は前日",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 3, 1, 8, 0), CDTime(2027, 5, 31, 9, 0));
            e.repeatType = repeat::kDaily;
            e.interval = 3;
            e.avoidDays = avoid::kSaturday | avoid::kSunday;
        } },
    { u"隔週月曜",
        [](CKalData& e) {
            Dated(e, CDTime(2005, 7, 4), CDTime(2036, 12, 31));
            e.repeatType = repeat::kWeekly;
            e.interval = 2;
        } },
    { u"祝日なら休み",
        [](CKalData& e) {
            Timed(e, CDTime(2020, 1, 6, 19, 0), CDTime(2030, 12, 31, 20, 0));
            e.repeatType = repeat::kWeekly;
            e.avoidDays = avoid::kHoliday | avoid::kDrop;
        } },
    { u"10日から12日三か月ごと",
        [](CKalData& e) {
            Dated(e, CDTime(2005, 1, 10), CDTime(2010, 12, 31));
            e.repeatType = repeat::kMonthly;
            e.interval = 3;
            e.repeatDayFrom = 10;
            e.repeatDayTo = 12;
        } },
    { u"31日",
        [](CKalData& e) {
            Dated(e, CDTime(2005, 1, 31), CDTime(2012, 12, 31));
            e.repeatType = repeat::kMonthly;
            e.repeatDayFrom = e.repeatDayTo = 31;
        } },
    { u"31日隔月",
        [](CKalData& e) {
            Dated(e, CDTime(2005, 1, 31), CDTime(2012, 12, 31));
            e.repeatType = repeat::kMonthly;
            e.interval = 2;
            e.repeatDayFrom = e.repeatDayTo = 31;
        } },
    { u"月末",
        [](CKalData& e) {
            Timed(e, CDTime(2000, 1, 31, 17, 0), CDTime(2036, 12, 31, 18, 0));
            e.repeatType = repeat::kMonthly;
            e.repeatDayFrom = e.repeatDayTo = repeat::kLastDayOfMonth;
        } },
    { u"第2火曜隔月",
        [](CKalData& e) {
            Timed(e, CDTime(2027, 1, 12, 10, 0), CDTime(2029, 12, 31, 11, 0));
            e.repeatType = repeat::kMonthly;
            e.interval = 2;
            e.positionMode = 1;
            e.weeks[1] = 1;
            e.weekdays[2] = 1;
        } },
    { u"最終金曜",
        [](CKalData& e) {
            Dated(e, CDTime(1999, 1, 29), CDTime(2036, 12, 31));
            e.repeatType = repeat::kMonthly;
            e.positionMode = 1;
            e.weeks[4] = 1;
            e.weekdays[5] = 1;
        } },
    { u"誕生日",
        [](CKalData& e) {
            Dated(e, CDTime(1975, 5, 5), CDTime(2036, 12, 31));
            e.repeatType = repeat::kYearly;
            e.repeatDayFrom = e.repeatDayTo = 5;
        } },
    { u"閏日",
        [](CKalData& e) {
            Dated(e, CDTime(2004, 2, 29), CDTime(2020, 12, 31));
            e.repeatType = repeat::kYearly;
            e.repeatDayFrom = e.repeatDayTo = 29;
        } },
    { u"第1第3木曜3月から10月",
        [](CKalData& e) {
            Dated(e, CDTime(2027, 1, 1), CDTime(2028, 12, 31));
            e.repeatType = repeat::kCustom;
            e.positionMode = 1;
            e.weeks[0] = e.weeks[2] = 1;
            e.weekdays[4] = 1;
            e.months = {};
            for (std::size_t month = 2; month < 10; ++month)
                e.months[month] = 1;
        } },
    { u"カスタム31日",
        [](CKalData& e) {
            Dated(e, CDTime(2027, 1, 1), CDTime(2027, 12, 31));
            e.repeatType = repeat::kCustom;
            e.repeatDayFrom = e.repeatDayTo = 31;
        } },
    { u"除外つき毎日",
        [](CKalData& e) {
            Timed(e, CDTime(2005, 6, 1, 7, 0), CDTime(2005, 8, 31, 7, 30));
            e.repeatType = repeat::kDaily;
            e.exclusions = { { 2005, 6, 20, 2005, 7, 5 }, { 2005, 8, 15, 2005, 8, 15 } };
        } },
    { u"夜勤週末は前日",
        [](CKalData& e) {
            Timed(e, CDTime(2028, 1, 3, 22, 0), CDTime(2028, 3, 31, 2, 0));
            e.repeatType = repeat::kWeekly;
            e.avoidDays = avoid::kHoliday;
        } },
    { u"旅行", [](CKalData& e) { Dated(e, CDTime(2005, 6, 28), CDTime(2005, 7, 3)); } },
    { u"出張",
        [](CKalData& e) {
            Dated(e, CDTime(2026, 12, 20, 9, 0), CDTime(2026, 12, 22));
            e.Set(flag::kStartTimeSet, true);
        } },
    { u"電話",
        [](CKalData& e) {
            Dated(e, CDTime(2026, 12, 21, 10, 0), CDTime(2026, 12, 21));
            e.Set(flag::kStartTimeSet, true);
        } },
    { u"会議", [](CKalData& e) { Timed(e, CDTime(2026, 12, 18, 15, 0), CDTime(2026, 12, 18, 16, 30)); } },
    { u"知らない規則",
        [](CKalData& e) {
            Dated(e, CDTime(2010, 3, 3), CDTime(2011, 3, 3));
            e.repeatType = 9;
        } },
    { u"未完了",
        [](CKalData& e) {
            Dated(e, CDTime(2026, 12, 24), CDTime(2026, 12, 24));
            e.Set(flag::kIsTodo, true);
        } },
    { u"完了",
        [](CKalData& e) {
            Dated(e, CDTime(2026, 11, 30), CDTime(2026, 12, 2));
            e.Set(flag::kIsTodo | flag::kDone, true);
        } },
};

TEST_F(IcalRoundTripTest, EveryMonthOfTheCalendarShowsTheSameInTheNewFile)
{
    CKalStore store;
    const std::string template_ = std::string(KAL_TEST_DATA_DIR) + "/../../data/kaldata.klx";
    ASSERT_TRUE(LoadScheduleFile(store, template_));
    const int holidays = store.EntryCount();
    ASSERT_GT(holidays, 10);
    for (const auto& [text, rule] : kRules) {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        rule(*entry);
        store.AppendEntry(std::move(entry));
    }
    const std::vector<std::u16string> shown = MonthViews(store);

    IcalExportOptions options;
    options.fileName = "kaldata.klx";
    const Result<IcalExport> exported = ExportIcal(store, options);
    ASSERT_TRUE(exported);

    CKalStore exact;
    Import(exact, exported->text);
    ASSERT_EQ(exact.EntryCount(), store.EntryCount());
    for (int i = 0; i < store.EntryCount(); ++i)
        EXPECT_EQ(exact.Entry(i), store.Entry(i)) << ToUtf8(store.Entry(i).text);

    // Another program that adds a property of its own to every event: the entries still come back
    // exactly, read through libical instead of as text.
    std::string sequenced = exported->text;
    for (std::size_t at = 0; (at = sequenced.find("END:VEVENT\r\n", at)) != std::string::npos; at += 24)
        sequenced.insert(at, "SEQUENCE:1\r\n");
    CKalStore relayed;
    Import(relayed, sequenced);
    ASSERT_EQ(relayed.EntryCount(), store.EntryCount());
    for (int i = 0; i < store.EntryCount(); ++i)
        EXPECT_EQ(relayed.Entry(i), store.Entry(i)) << ToUtf8(store.Entry(i).text);

    CKalStore standard;
    Import(standard, WithoutOwnProperties(exported->text));
    const std::vector<std::u16string> shownAgain = MonthViews(standard);
    ASSERT_EQ(shownAgain.size(), shown.size());
    for (std::size_t month = 0; month < shown.size(); ++month)
        EXPECT_EQ(ToUtf8(shownAgain[month]), ToUtf8(shown[month])) << 1972 + month / 12 << "/" << 1 + month % 12;

    // Importing the file again adds nothing.
    const Result<IcalImport> again = ImportIcal(exact, exported->text, IcalImportOptions { "new.klx", {} });
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->operation.Empty());
}

} // namespace
} // namespace kal
