#include "TestEnvironment.h"

#include "calendar/CivilDate.h"
#include "calendar/YearMonth.h"
#include "calstore/IcalExport.h"
#include "calstore/IcalMapping.h"
#include "calstore/IcalOutline.h"
#include "platform/Text.h"
#include "store/CsvLine.h"
#include "store/DayListing.h"
#include "store/EntryRow.h"
#include "store/KalStore.h"
#include "store/RepeatExpansion.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <map>
#include <random>
#include <set>
#include <string>

namespace kal {
namespace {

using Days = std::set<long long>;

long long DayOf(int year, int month, int day)
{
    return DaysFromCivil(year, month, day);
}

long long DayOf(const icaltimetype& time)
{
    return DaysFromCivil(time.year, time.month, time.day);
}

// A rule of any kind the dialogs make, and some they do not, from 1990-2030 for one to four years.
std::unique_ptr<CKalData> RandomRule(std::mt19937& random, int number)
{
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto entry = std::make_unique<CKalData>();
    entry->text = FromUtf8("r" + std::to_string(number));
    entry->repeatType = between(1, 5);
    const int year = between(1990, 2030);
    const int month = between(1, 12);
    const int day = between(1, DaysInMonth(year, month));
    const bool timed = between(0, 2) > 0;
    const int hour = between(0, 23);
    entry->start = CDTime(year, month, day, timed ? hour : 0, timed ? 30 : 0);
    const int years = entry->repeatType <= repeat::kWeekly ? 1 : between(1, 4);
    entry->end = CDTime(year + years, between(1, 12), between(1, 28), timed ? between(0, 23) : 0, 0);
    entry->flags = timed ? flag::kStartTimeSet | flag::kEndTimeSet : 0;
    entry->interval = between(0, 4) < 3 ? 1 : between(2, 3);
    static constexpr int kDays[] = { 1, 5, 15, 28, 29, 30, 31, -1 };
    entry->repeatDayFrom = between(0, 1) ? day : kDays[between(0, 7)];
    const int range = between(0, 5);
    entry->repeatDayTo = range == 0 ? -1 : range == 1 ? entry->repeatDayFrom + between(1, 4) : entry->repeatDayFrom;
    entry->positionMode = between(0, 3) == 0 ? 1 : 0;
    if (entry->positionMode == 1 || entry->repeatType >= repeat::kYearly) {
        for (int w = 0; w < 5; ++w)
            entry->weeks[static_cast<std::size_t>(w)] = between(0, 2) == 0;
        for (int d = 0; d < 7; ++d)
            entry->weekdays[static_cast<std::size_t>(d)] = between(0, 3) == 0;
        entry->weeks[static_cast<std::size_t>(between(0, 4))] = 1;
        entry->weekdays[static_cast<std::size_t>(between(0, 6))] = 1;
        if (between(0, 1))
            for (auto& m : entry->months)
                m = between(0, 2) > 0;
    }
    if (between(0, 7) == 0)
        entry->avoidDays = static_cast<std::uint32_t>(between(1, 15) << 1);
    if (between(0, 3) == 0) {
        const CivilDate first = CivilFromDays(DayOf(year, month, day) + between(0, 400));
        const CivilDate last
            = CivilFromDays(DayOf(first.year, first.month, first.day) + between(0, 1) * between(1, 40));
        entry->exclusions.push_back({ first.year, first.month, first.day, last.year, last.month, last.day });
    }
    // As a schedule file holds it: what the file has no column for falls away.
    std::u16string line;
    AppendEntryLine(*entry, line);
    CsvLine row;
    row.Parse(std::u16string_view(line).substr(0, line.size() - 1));
    auto loaded = std::make_unique<CKalData>();
    if (!DecodeEntryRow(row, *loaded))
        ADD_FAILURE() << ToUtf8(line);
    return loaded;
}

// The days each month's own view shows the entry on: what the export has to say.
Days ViewDays(const CKalData& entry)
{
    Days days;
    std::vector<std::uint8_t> marks(45);
    for (YearMonth month { kFirstYear, 1 }; month.year <= kLastYear; AddMonthsTo(month, 1)) {
        const long long first = DayOf(month.year, month.month, 1);
        if (!MayOccur(entry, CDTime(month.year, month.month, 1) - 40 * CDTime::kDay,
                CDTime(month.year, month.month, 1) + 40 * CDTime::kDay))
            continue;
        const CDTime start = DayListing::MonthViewStart(month, false);
        const CivilDate s = CivilFromDays(first);
        const long long viewFirst = DayOf(start.Year(), start.Month(), start.Day());
        (void)s;
        MarkOccurrences(entry, start, start + 44 * CDTime::kDay, marks);
        for (long long day = first; day < first + DaysInMonth(month.year, month.month); ++day)
            if (marks[static_cast<std::size_t>(day - viewFirst)])
                days.insert(day);
    }
    return days;
}

// The days libical's own expansion gives an event: its rule from its start, its dates, less its exclusions.
Days ReaderDays(icalcomponent* event)
{
    Days days;
    const icaltimetype start = icalcomponent_get_dtstart(event);
    if (icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
        icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rule), start);
        for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t); t = icalrecur_iterator_next(it))
            days.insert(DayOf(t));
        icalrecur_iterator_free(it);
    } else {
        days.insert(DayOf(start));
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY))
        days.insert(DayOf(icalproperty_get_rdate(p).time));
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        days.erase(DayOf(icalproperty_get_exdate(p)));
    return days;
}

icalproperty* EntryProperty(icalcomponent* component)
{
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_X_PROPERTY))
        if (std::string_view(icalproperty_get_x_name(p)) == ical::kEntryProperty)
            return p;
    return nullptr;
}

class IcalExportTest : public test::TestEnvironment { };

// Random rules of every kind: libical reads back exactly the days the month views show, a rule where it
// is written as one holds in every view, and each entry's own line comes back with a fingerprint
// libical's reading agrees with, in floating times and in a zone.
TEST_F(IcalExportTest, RandomRulesReadBackAsTheMonthViewsShowThem)
{
    CKalStore store;
    std::mt19937 random(20251208);
    constexpr int kRules = 250;
    for (int i = 0; i < kRules; ++i)
        store.AppendEntry(RandomRule(random, i));
    // Texts with every character libical escapes or drops, a genre name with separators, a link and a
    // done to-do: their fingerprints must read back the same.
    store.genres.FindOrAddByName(u"一般");
    store.genres.FindOrAddByName(u"仕事, 私用; \\x");
    store.entries[3]->memo = u"一行目\r\n二行目, 三; 四\\\t\"引用\"\b\f\r終";
    store.entries[4]->place = u"会議室, 3F; 東";
    store.entries[4]->text = u"とても長い件名がここに続きます、七十五オクテットを越えて折り返されるように。";
    store.entries[5]->genre = 1;
    store.entries[5]->linkFile = u"資料/計画 書.txt";
    store.entries[6]->Set(flag::kHoliday, true);
    auto todo = std::make_unique<CKalData>();
    todo->text = u"t1";
    todo->flags = flag::kIsTodo | flag::kDone | flag::kStartTimeSet;
    todo->start = CDTime(2025, 2, 10, 18, 0);
    todo->end = CDTime(2025, 2, 12, 9, 30);
    todo->priority = 2;
    store.AppendEntry(std::move(todo));
    for (const std::string zone : { "", "Asia/Tokyo" }) {
        SCOPED_TRACE(zone);
        IcalExportOptions options;
        options.fileName = "rules.klx";
        options.zone = zone;
        const auto exported = ExportIcal(store, options);
        ASSERT_TRUE(exported);
        const IcalComponent calendar = ParseIcal(exported->text);
        ASSERT_TRUE(calendar);
        std::map<std::string, icalcomponent*> events;
        for (icalcomponent* e = icalcomponent_get_first_component(calendar.get(), ICAL_ANY_COMPONENT); e;
             e = icalcomponent_get_next_component(calendar.get(), ICAL_ANY_COMPONENT))
            if (icalcomponent_isa(e) == ICAL_VEVENT_COMPONENT || icalcomponent_isa(e) == ICAL_VTODO_COMPONENT)
                events[icalcomponent_get_summary(e)] = e;
        int rules = 0;
        int lists = 0;
        for (const auto& owned : store.entries) {
            const CKalData& entry = *owned;
            const std::string name = ToUtf8(entry.text);
            SCOPED_TRACE(name + " " + ToUtf8([&] {
                std::u16string line;
                AppendEntryLine(entry, line);
                return line;
            }()));
            const Days want = entry.IsTodo() ? Days { DayOf(2025, 2, 10) } : ViewDays(entry);
            const auto found = events.find(name);
            if (want.empty()) {
                EXPECT_EQ(found, events.end());
                continue;
            }
            ASSERT_NE(found, events.end());
            icalcomponent* event = found->second;
            if (!entry.IsTodo()) {
                EXPECT_EQ(ReaderDays(event), want);
            }
            if (icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
                ++rules;
                // A rule says the same days whatever span the grid asks about.
                std::vector<std::uint8_t> marks(
                    static_cast<std::size_t>(OccurrenceDays(CDTime(kFirstYear, 1, 1), CDTime(kLastYear, 12, 31))));
                MarkOccurrences(entry, CDTime(kFirstYear, 1, 1), CDTime(kLastYear, 12, 31), marks);
                Days whole;
                for (std::size_t k = 0; k < marks.size(); ++k)
                    if (marks[k])
                        whole.insert(DayOf(kFirstYear, 1, 1) + static_cast<long long>(k));
                EXPECT_EQ(whole, want);
            } else if (icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY)) {
                ++lists;
            }
            icalproperty* line = EntryProperty(event);
            ASSERT_NE(line, nullptr);
            const std::string value = icalproperty_get_x(line);
            icalcomponent_remove_property(event, line);
            icalproperty_free(line);
            const std::size_t colon = value.find(':');
            EXPECT_EQ(value.substr(0, colon), ical::Fingerprint(event));
            const auto bytes = ical::FromBase64(value.substr(colon + 1));
            ASSERT_TRUE(bytes);
            CsvLine row;
            row.Parse(FromUtf8(*bytes));
            CKalData back;
            ASSERT_TRUE(DecodeEntryRow(row, back));
            std::u16string backLine;
            std::u16string entryLine;
            AppendEntryLine(back, backLine);
            AppendEntryLine(entry, entryLine);
            EXPECT_EQ(backLine, entryLine);
        }
        // The table reaches both ways of writing a repetition.
        EXPECT_GT(rules, kRules / 3);
        EXPECT_GT(lists, kRules / 20);
    }
}

} // namespace
} // namespace kal
