#include "app/StartRequest.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kal {
namespace {

TEST(StartRequest, ArgumentsGiveAFileADayOrBoth)
{
    struct Case {
        std::vector<std::u16string> arguments;
        std::optional<StartRequest> expected;
    } const cases[] = {
        { {}, StartRequest {} },
        { { u"/home/a/予定.klx" }, StartRequest { u"/home/a/予定.klx", std::nullopt } },
        { { u"--date", u"2026-12-08" }, StartRequest { u"", CDTime(2026, 12, 8) } },
        { { u"--date", u"2026-02-28", u"x.klx" }, StartRequest { u"x.klx", CDTime(2026, 2, 28) } },
        { { u"x.klx", u"--date", u"2036-12-31" }, StartRequest { u"x.klx", CDTime(2036, 12, 31) } },
        { { u"--date", u"2026-02-30" }, std::nullopt },
        { { u"--date", u"2026-12-08x" }, std::nullopt },
        { { u"--date" }, std::nullopt },
        { { u"--date", u"2026-12-08", u"--date", u"2026-12-09" }, std::nullopt },
        { { u"a.klx", u"b.klx" }, std::nullopt },
        { { u"--help" }, std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments.size()));
        EXPECT_EQ(ParseStartArguments(c.arguments), c.expected);
    }
}

// What a second start hands over reaches the running program as it was asked; a bare path, as older
// programs hand it, is a file alone, also when it holds a line break.
TEST(StartRequest, TheHandOverKeepsFileAndDay)
{
    const StartRequest requests[] = {
        { u"/home/a/予定.klx", std::nullopt },
        { u"", std::nullopt },
        { u"/home/a/予定.klx", CDTime(2026, 12, 8) },
        { u"", CDTime(1972, 1, 1) },
        { u"/tmp/odd\nname.klx", CDTime(2026, 3, 29) },
    };
    for (const StartRequest& request : requests)
        EXPECT_EQ(FromHandOverMessage(HandOverMessage(request)), request);
    EXPECT_EQ(HandOverMessage({ u"/a.klx", CDTime(2026, 12, 8) }), u"--date=2026-12-08\n/a.klx");
    EXPECT_EQ(FromHandOverMessage(u"/tmp/odd\nname.klx"), (StartRequest { u"/tmp/odd\nname.klx", std::nullopt }));
}

} // namespace
} // namespace kal
