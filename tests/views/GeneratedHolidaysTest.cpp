#include "TestEnvironment.h"

#include "calendar/Holidays.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/KalStore.h"
#include "store/NewSchedule.h"
#include "views/MonthGrid.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kal {
namespace {

class GeneratedHolidaysTest : public test::TestEnvironment {
protected:
    GeneratedHolidaysTest()
    {
        CKalFieldArray genres;
        CKalField general;
        general.name = u"一般";
        genres.Append(general);
        EXPECT_TRUE(StartNewSchedule(store_, genres).Succeeded());
    }

    void FillMonth(int year, int month, int weeks = 5)
    {
        grid_.Create(&store_, weeks);
        YearMonth shown { year, month };
        grid_.Fill(CDTime(year, month, 1), shown);
    }

    // The holiday names on a day, with whether the grid made them.
    std::vector<std::pair<std::u16string, bool>> HolidaysOn(int year, int month, int day)
    {
        std::vector<std::pair<std::u16string, bool>> names;
        const int index = grid_.IndexOf(CDTime(year, month, day));
        if (index < 0)
            return names;
        for (const CKalData* entry : grid_.Cell(index).entries) {
            if (entry->IsHoliday())
                names.emplace_back(entry->text, grid_.IsGenerated(entry));
        }
        return names;
    }
    using Names = std::vector<std::pair<std::u16string, bool>>;

    CKalStore store_;
    CMonthGrid grid_;
};

TEST_F(GeneratedHolidaysTest, SeptemberCitizensHoliday)
{
    for (int year : { 2009, 2015, 2026 }) {
        FillMonth(year, 9);
        EXPECT_EQ(HolidaysOn(year, 9, 21), (Names { { u"敬老の日", false } })) << year;
        EXPECT_EQ(HolidaysOn(year, 9, 22), (Names { { u"国民の休日", true } })) << year;
        EXPECT_EQ(HolidaysOn(year, 9, 23), (Names { { u"秋分の日", true } })) << year;
    }
    FillMonth(2032, 9);
    EXPECT_EQ(HolidaysOn(2032, 9, 21), (Names { { u"国民の休日", true } }));
    FillMonth(2010, 9);
    EXPECT_TRUE(HolidaysOn(2010, 9, 22).empty());
}

TEST_F(GeneratedHolidaysTest, SubstituteHolidays)
{
    FillMonth(2008, 5);
    EXPECT_EQ(HolidaysOn(2008, 5, 6), (Names { { u"振替休日", true } })); // a Tuesday
    FillMonth(2015, 5);
    EXPECT_EQ(HolidaysOn(2015, 5, 6), (Names { { u"振替休日", true } })); // a Wednesday
    // Before 2007 the May 6 rule does not apply: 2003-05-06 was a Tuesday after a Sunday May 4.
    FillMonth(2003, 5);
    EXPECT_TRUE(HolidaysOn(2003, 5, 6).empty());
    // The Monday after a Sunday holiday.
    FillMonth(2012, 1);
    EXPECT_EQ(HolidaysOn(2012, 1, 2), (Names { { u"振替休日", true } }));
}

TEST_F(GeneratedHolidaysTest, SubstituteForASundayJustBeforeTheGrid)
{
    // With Monday weeks August 2005 starts on Monday August 1; a holiday on Sunday July 31 lies just
    // before the grid.
    auto sunday = std::make_unique<CKalData>();
    sunday->text = u"日曜の祝日";
    sunday->Set(flag::kHoliday, true);
    sunday->start = sunday->end = CDTime(2005, 7, 31); // a Sunday; August 2005 starts on Monday
    store_.AppendEntry(std::move(sunday));
    settings_.Set(IntSetting::StartMonday, 1);
    FillMonth(2005, 8);
    ASSERT_EQ(grid_.Start(), CDTime(2005, 8, 1));
    EXPECT_EQ(HolidaysOn(2005, 8, 1), (Names { { u"振替休日", true } }));
}

TEST_F(GeneratedHolidaysTest, SwitchesTurnGenerationOff)
{
    settings_.Set(IntSetting::Shunbun, 0);
    FillMonth(2009, 9);
    EXPECT_TRUE(HolidaysOn(2009, 9, 22).empty());
    EXPECT_TRUE(HolidaysOn(2009, 9, 23).empty());
    EXPECT_EQ(HolidaysOn(2009, 9, 21), (Names { { u"敬老の日", false } }));
    settings_.Set(IntSetting::Shunbun, 1);
    settings_.Set(IntSetting::Hurikae, 0);
    FillMonth(2008, 5);
    EXPECT_TRUE(HolidaysOn(2008, 5, 6).empty());
}

TEST_F(GeneratedHolidaysTest, EquinoxInTheFirstCell)
{
    // March 2009 starts on a Sunday and its grid on March 1; the spring equinox is March 20. The
    // September 2013 grid starts on Sunday September 1 and the autumn equinox, Monday the 23rd, is
    // in it with no Sunday holiday before it.
    FillMonth(2009, 3);
    EXPECT_EQ(HolidaysOn(2009, 3, 20), (Names { { u"春分の日", true } }));
    FillMonth(2013, 9);
    EXPECT_EQ(HolidaysOn(2013, 9, 23), (Names { { u"秋分の日", true } }));
}

// Before 1980 the built-in holiday rules are the oracle: the equinox days of their years, and no
// substitute holiday before the law of 1973-04-12.
TEST_F(GeneratedHolidaysTest, SeventiesFollowTheLawOfTheirYears)
{
    for (int year = kFirstYear; year < 1980; ++year) {
        for (int month = 1; month <= 12; ++month) {
            FillMonth(year, month, 6);
            for (int i = 0; i < grid_.Count(); ++i) {
                const CMonthCell& cell = grid_.Cell(i);
                const LocalFields day = cell.date.Fields();
                if (day.year < kFirstYear || day.year >= 1980)
                    continue;
                EXPECT_EQ(cell.HasHoliday(), IsHolidayOrSubstitute(day.year, day.month, day.day, SundayCounts::No))
                    << ToUtf8(DateText(cell.date));
            }
        }
    }
    const struct {
        int year, month, day;
        Names names;
    } cases[] = {
        { 1972, 3, 20, { { u"春分の日", true } } }, { 1975, 9, 24, { { u"秋分の日", true } } },
        { 1973, 2, 12, {} }, // 建国記念の日 on a Sunday, before substitutes existed
        { 1973, 4, 30, { { u"振替休日", true } } }, // the first substitute holiday
    };
    for (const auto& c : cases) {
        FillMonth(c.year, c.month);
        EXPECT_EQ(HolidaysOn(c.year, c.month, c.day), c.names) << c.year << "/" << c.month << "/" << c.day;
    }
}

// Every month from 1980 to 2036, in every grid layout, shows exactly the national holidays, on the
// month's own days and on the neighbouring days the grid shows.
TEST_F(GeneratedHolidaysTest, NewFileShowsExactlyTheNationalHolidays)
{
    const auto list = ReadWholeFile(std::string(KAL_TEST_DATA_DIR) + "/national-holidays.txt");
    ASSERT_TRUE(list.HasValue());
    std::map<std::u16string, std::u16string> expected;
    std::string_view rest = *list;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.size() > 11)
            expected[FromUtf8(line.substr(0, 10))] = FromUtf8(line.substr(11));
    }
    ASSERT_GT(expected.size(), 900u);
    // Three Mondays that were substitute holidays by law get the citizens' holiday's name from the grid.
    const std::set<std::u16string> renamed = { u"1987/05/04", u"1992/05/04", u"1998/05/04" };

    for (const bool monday : { false, true }) {
        settings_.Set(IntSetting::StartMonday, monday ? 1 : 0);
        for (const int weeks : { 5, 6 }) {
            std::set<std::u16string> seen;
            for (int year = 1980; year <= 2036; ++year) {
                for (int month = 1; month <= 12; ++month) {
                    grid_.Create(&store_, weeks);
                    YearMonth shown { year, month };
                    grid_.Fill(CDTime(year, month, 1), shown);
                    for (int i = 0; i < grid_.Count(); ++i) {
                        const CMonthCell& cell = grid_.Cell(i);
                        const std::u16string date = DateText(cell.date);
                        if (cell.date.Year() < 1980 || cell.date.Year() > 2036)
                            continue;
                        std::vector<std::u16string> names;
                        for (const CKalData* entry : cell.entries) {
                            if (entry->IsHoliday())
                                names.push_back(entry->text);
                        }
                        const auto found = expected.find(date);
                        if (found == expected.end()) {
                            EXPECT_TRUE(names.empty()) << ToUtf8(date) << " " << ToUtf8(names[0]);
                            continue;
                        }
                        seen.insert(date);
                        ASSERT_EQ(names.size(), 1u) << ToUtf8(date);
                        if (!renamed.contains(date)) {
                            EXPECT_EQ(names[0], found->second) << ToUtf8(date);
                        }
                    }
                }
            }
            EXPECT_EQ(seen.size(), expected.size()) << weeks << (monday ? " Monday" : " Sunday");
        }
    }
}

} // namespace
} // namespace kal
