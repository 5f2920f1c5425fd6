#include "ui/CommandIds.h"
#include "ui/CommandTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kal {
namespace {

// A target that handles the commands it is given, each with the state it reports, and logs what
// reached it.
class Target : public CommandTarget {
public:
    Target(std::string name, std::vector<std::string>& log)
        : name_(std::move(name))
        , log_(log)
    {
    }

    void Handle(int id, CommandState state = {})
    {
        commands_.Add(
            id, [this, id] { log_.push_back(name_ + " " + std::to_string(id)); }, [state] { return state; });
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class CommandRouterTest : public ::testing::Test {
protected:
    CommandRouterTest() { router_.SetChain({ &view_, nullptr, &document_, &frame_ }); }

    std::vector<std::string> log_;
    Target view_ { "view", log_ };
    Target document_ { "document", log_ };
    Target frame_ { "frame", log_ };
    CommandRouter router_;
};

TEST_F(CommandRouterTest, TheFirstTargetThatHandlesACommandTakesIt)
{
    view_.Handle(ID_EDIT_COPY);
    document_.Handle(ID_EDIT_COPY);
    document_.Handle(ID_FILE_SAVE);
    frame_.Handle(ID_HELP);

    EXPECT_TRUE(router_.Route(ID_EDIT_COPY));
    EXPECT_TRUE(router_.Route(ID_FILE_SAVE));
    EXPECT_TRUE(router_.Route(ID_HELP));
    EXPECT_EQ(log_, (std::vector<std::string> { "view 57634", "document 57603", "frame 57670" }));
}

TEST_F(CommandRouterTest, StateComesFromTheFirstTargetThatHandlesTheCommand)
{
    // The view disables paste while the document would allow it: the view's word counts.
    view_.Handle(ID_EDIT_PASTE, CommandState { false, false, {} });
    document_.Handle(ID_EDIT_PASTE, CommandState { true, false, {} });
    frame_.Handle(ID_SIX_WEEKS, CommandState { true, true, {} });

    const CommandState paste = router_.State(ID_EDIT_PASTE);
    EXPECT_FALSE(paste.enabled);
    const CommandState sixWeeks = router_.State(ID_SIX_WEEKS);
    EXPECT_TRUE(sixWeeks.enabled);
    EXPECT_TRUE(sixWeeks.checked);
}

TEST_F(CommandRouterTest, CommandsNobodyHandlesGoNowhereAndAreDisabled)
{
    document_.Handle(ID_FILE_SAVE);
    frame_.Handle(ID_SIX_WEEKS, CommandState { true, true, {} });
    EXPECT_FALSE(router_.Route(ID_EDIT_UNDO));
    EXPECT_TRUE(log_.empty());
    const CommandState undo = router_.State(ID_EDIT_UNDO);
    EXPECT_FALSE(undo.enabled);
    EXPECT_FALSE(undo.checked);

    CommandRouter empty;
    EXPECT_FALSE(empty.Route(ID_FILE_SAVE));
    EXPECT_FALSE(empty.State(ID_FILE_SAVE).enabled);
}

TEST_F(CommandRouterTest, ADisabledCommandDoesNotRunAndIsNotPassedOn)
{
    // The view has copy but nothing selected: the document behind it must not copy instead.
    view_.Handle(ID_EDIT_COPY, EnabledIf(false));
    document_.Handle(ID_EDIT_COPY);
    EXPECT_FALSE(router_.Route(ID_EDIT_COPY));
    EXPECT_TRUE(log_.empty());
    EXPECT_FALSE(router_.State(ID_EDIT_COPY).enabled);

    // Asked directly, a target runs what it binds, as the views do when they pass commands on.
    EXPECT_TRUE(view_.OnCommand(ID_EDIT_COPY));
    EXPECT_EQ(log_, (std::vector<std::string> { "view 57634" }));
    EXPECT_FALSE(view_.StateOf(ID_EDIT_COPY).enabled);
    EXPECT_FALSE(frame_.StateOf(ID_EDIT_COPY).enabled);
    EXPECT_FALSE(frame_.OnCommand(ID_EDIT_COPY));
}

TEST(CommandMapTest, StateIsAskedAfreshAndASecondBindingReplacesTheFirst)
{
    bool selected = false;
    CommandMap map;
    int runs = 0;
    map.Add(
        ID_SCHEDULE_DELETE, [&runs] { ++runs; }, [&selected] { return EnabledIf(selected); });
    EXPECT_FALSE(map.State(ID_SCHEDULE_DELETE)->enabled);
    selected = true;
    EXPECT_TRUE(map.State(ID_SCHEDULE_DELETE)->enabled);
    EXPECT_FALSE(map.State(ID_SCHEDULE_UP).has_value());

    // A second binding replaces the first rather than standing behind it.
    map.Add(ID_SCHEDULE_DELETE, [&runs] { runs += 10; });
    EXPECT_TRUE(map.Run(ID_SCHEDULE_DELETE));
    EXPECT_EQ(runs, 10);
    EXPECT_TRUE(map.State(ID_SCHEDULE_DELETE)->enabled);
    EXPECT_FALSE(map.Run(ID_SCHEDULE_UP));
}

} // namespace
} // namespace kal
