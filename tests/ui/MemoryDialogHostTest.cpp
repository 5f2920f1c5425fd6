#include "TestEnvironment.h"

#include "ui/MemoryDialogHost.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kal {
namespace {

constexpr int kName = 100;
constexpr int kDaily = 101;
constexpr int kWeekly = 102;
constexpr int kMonthly = 103;
constexpr int kBefore = 104;
constexpr int kAfter = 105;
constexpr int kColour = 106;
constexpr int kUnit = 107;
constexpr int kDone = 108;
constexpr int kDays = 109;
constexpr int kMore = 110;

constexpr char16_t kNameMissing[] = u"名前を入力してください";

// A small dialog with one control of each kind the program's dialogs use, whose OK insists on a name.
class SampleDialog : public DialogLogic {
public:
    SampleDialog()
    {
        resource_.id = 900;
        resource_.caption = u"見本";
        auto add = [this](int id, ControlKind kind, std::u16string text, std::vector<std::u16string> items = {},
                       int group = 0) {
            ControlResource control;
            control.id = id;
            control.kind = kind;
            control.text = std::move(text);
            control.items = std::move(items);
            control.group = group;
            resource_.controls.push_back(std::move(control));
        };
        add(0, ControlKind::Label, u"名前(&N):");
        add(kName, ControlKind::Edit, u"初期値");
        add(kDaily, ControlKind::RadioButton, u"毎日", {}, 1);
        add(kWeekly, ControlKind::RadioButton, u"毎週", {}, 1);
        add(kMonthly, ControlKind::RadioButton, u"毎月", {}, 1);
        add(kBefore, ControlKind::RadioButton, u"前日", {}, 2);
        add(kAfter, ControlKind::RadioButton, u"翌日", {}, 2);
        add(kColour, ControlKind::ComboBox, u"", { u"赤", u"青", u"緑" });
        add(kUnit, ControlKind::DropDownList, u"", { u"日", u"週" });
        add(kDone, ControlKind::CheckBox, u"完了");
        add(kDays, ControlKind::ListBox, u"", { u"月", u"火", u"水" });
        add(kMore, ControlKind::PushButton, u"詳細...");
        add(kIdOk, ControlKind::DefaultButton, u"OK");
        add(kIdCancel, ControlKind::PushButton, u"ｷｬﾝｾﾙ");
    }

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override
    {
        host.SetChecked(kDaily, true);
        host.SetChecked(kBefore, true);
        host.SetFocus(kName);
    }
    void OnControl(DialogHost&, int id, Notification notification) override
    {
        notifications.emplace_back(id, notification);
    }
    bool OnOk(DialogHost& host) override
    {
        ++okCalls;
        if (host.Text(kName).empty()) {
            Ui::Current().ShowMessage(kNameMissing);
            host.SetFocus(kName);
            return false;
        }
        acceptedName = host.Text(kName);
        return true;
    }
    void OnCancel(DialogHost&) override { ++cancelCalls; }

    std::vector<std::pair<int, Notification>> notifications;
    int okCalls = 0;
    int cancelCalls = 0;
    std::u16string acceptedName;

private:
    DialogResource resource_;
};

class MemoryDialogHostTest : public test::TestEnvironment {
protected:
    MemoryDialogHostTest()
        : host_(dialog_)
    {
        host_.Open();
    }

    SampleDialog dialog_;
    MemoryDialogHost host_;
};

TEST_F(MemoryDialogHostTest, StartsFromTheResourceThenItsLogic)
{
    EXPECT_EQ(host_.Caption(), u"見本");
    EXPECT_EQ(host_.Text(kName), u"初期値");
    EXPECT_EQ(host_.Items(kColour), (std::vector<std::u16string> { u"赤", u"青", u"緑" }));
    EXPECT_EQ(host_.Selection(kColour), -1);
    EXPECT_EQ(host_.Text(kColour), u"");
    EXPECT_TRUE(host_.IsChecked(kDaily));
    EXPECT_TRUE(host_.IsChecked(kBefore));
    EXPECT_FALSE(host_.IsChecked(kDone));
    EXPECT_EQ(host_.Focus(), kName);
    EXPECT_FALSE(host_.HasEnded());
    EXPECT_EQ(host_.Result(), kIdCancel) << "a dialog that never ended counts as cancelled";
}

TEST_F(MemoryDialogHostTest, RadioButtonsExcludeEachOtherOnlyWithinTheirGroup)
{
    host_.Press(kWeekly);
    EXPECT_FALSE(host_.IsChecked(kDaily));
    EXPECT_TRUE(host_.IsChecked(kWeekly));
    EXPECT_FALSE(host_.IsChecked(kMonthly));
    EXPECT_TRUE(host_.IsChecked(kBefore)) << "the other group keeps its choice";

    host_.SetChecked(kAfter, true);
    EXPECT_FALSE(host_.IsChecked(kBefore));
    EXPECT_TRUE(host_.IsChecked(kAfter));
    EXPECT_TRUE(host_.IsChecked(kWeekly));

    // Pressing the chosen button again keeps it chosen.
    host_.Press(kWeekly);
    EXPECT_TRUE(host_.IsChecked(kWeekly));

    // Unticking one button leaves the others alone.
    host_.SetChecked(kWeekly, false);
    EXPECT_FALSE(host_.IsChecked(kDaily));
    EXPECT_FALSE(host_.IsChecked(kWeekly));
    EXPECT_FALSE(host_.IsChecked(kMonthly));
}

TEST_F(MemoryDialogHostTest, ComboTextFollowsTheChosenItem)
{
    host_.Choose(kColour, 1);
    EXPECT_EQ(host_.Selection(kColour), 1);
    EXPECT_EQ(host_.Text(kColour), u"青");
    ASSERT_FALSE(dialog_.notifications.empty());
    EXPECT_EQ(dialog_.notifications.back(), std::make_pair(kColour, Notification::SelectionChanged));

    host_.Type(kColour, u"紫");
    EXPECT_EQ(host_.Text(kColour), u"紫") << "a combo box takes typed text too";
    EXPECT_EQ(dialog_.notifications.back(), std::make_pair(kColour, Notification::TextChanged));

    host_.Choose(kColour, 2);
    EXPECT_EQ(host_.Text(kColour), u"緑");
    host_.SetSelection(kColour, -1);
    EXPECT_EQ(host_.Text(kColour), u"");
    host_.SetSelection(kColour, 3);
    EXPECT_EQ(host_.Selection(kColour), -1) << "an index past the end chooses nothing";

    host_.Choose(kUnit, 1);
    EXPECT_EQ(host_.Text(kUnit), u"週");

    // New items drop the old choice.
    host_.SetItems(kUnit, { u"月", u"年" });
    EXPECT_EQ(host_.Selection(kUnit), -1);
    host_.Choose(kUnit, 0);
    EXPECT_EQ(host_.Text(kUnit), u"月");
}

TEST_F(MemoryDialogHostTest, ListsAndCheckBoxesTellTheLogic)
{
    host_.Choose(kDays, 2);
    EXPECT_EQ(host_.Selection(kDays), 2);
    host_.DoubleClick(kDays, 0);
    EXPECT_EQ(host_.Selection(kDays), 0);
    host_.Press(kDone);
    EXPECT_TRUE(host_.IsChecked(kDone));
    host_.Press(kDone);
    EXPECT_FALSE(host_.IsChecked(kDone));

    // A double click on another row chooses it first, as a list on screen does.
    const std::vector<std::pair<int, Notification>> expected { { kDays, Notification::SelectionChanged },
        { kDays, Notification::SelectionChanged }, { kDays, Notification::DoubleClicked },
        { kDone, Notification::Clicked }, { kDone, Notification::Clicked } };
    EXPECT_EQ(dialog_.notifications, expected);
}

TEST_F(MemoryDialogHostTest, OkThatFailsItsCheckKeepsTheDialogOpenWithTheTypedValues)
{
    host_.Type(kName, u"");
    host_.Press(kWeekly);
    host_.Choose(kColour, 1);
    host_.Press(kIdOk);

    EXPECT_FALSE(host_.HasEnded());
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { kNameMissing });
    EXPECT_TRUE(host_.IsChecked(kWeekly));
    EXPECT_EQ(host_.Text(kColour), u"青");

    host_.Type(kName, u"会議");
    host_.Press(kIdOk);
    EXPECT_TRUE(host_.HasEnded());
    EXPECT_EQ(host_.Result(), kIdOk);
    EXPECT_EQ(dialog_.acceptedName, u"会議");
    EXPECT_EQ(dialog_.okCalls, 2);
    EXPECT_EQ(ui_.Messages().size(), 1U);
}

TEST_F(MemoryDialogHostTest, CancelEndsWithoutChecking)
{
    host_.Type(kName, u"");
    host_.Press(kIdCancel);
    EXPECT_TRUE(host_.HasEnded());
    EXPECT_EQ(host_.Result(), kIdCancel);
    EXPECT_EQ(dialog_.cancelCalls, 1);
    EXPECT_EQ(dialog_.okCalls, 0);
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(MemoryDialogHostTest, DisabledButtonsAndEndedDialogsIgnorePresses)
{
    host_.Enable(kMore, false);
    EXPECT_FALSE(host_.IsEnabled(kMore));
    host_.Press(kMore);
    EXPECT_TRUE(dialog_.notifications.empty());

    host_.Enable(kIdOk, false);
    host_.Press(kIdOk);
    EXPECT_FALSE(host_.HasEnded());
    EXPECT_EQ(dialog_.okCalls, 0);

    host_.Enable(kIdOk, true);
    host_.Press(kIdOk);
    ASSERT_TRUE(host_.HasEnded());
    host_.Press(kIdCancel);
    host_.Press(kWeekly);
    EXPECT_EQ(host_.Result(), kIdOk);
    EXPECT_EQ(dialog_.cancelCalls, 0);
    EXPECT_FALSE(host_.IsChecked(kWeekly));
}

TEST_F(MemoryDialogHostTest, RecordingUiRunsQueuedScripts)
{
    SampleDialog dialog;
    ui_.QueueDialog([](DialogLogic&, DialogHost& host) {
        EXPECT_TRUE(host.IsChecked(kDaily)) << "the script runs after the dialog's own start";
        host.SetText(kName, u"旅行");
        static_cast<MemoryDialogHost&>(host).Press(kIdOk);
    });
    EXPECT_EQ(ui_.RunDialog(dialog), kIdOk);
    EXPECT_EQ(dialog.acceptedName, u"旅行");

    // Without a script the dialog is left unanswered, which reads as cancel.
    SampleDialog unanswered;
    EXPECT_EQ(ui_.RunDialog(unanswered), kIdCancel);
    EXPECT_EQ(ui_.DialogsRun(), 2);
}

} // namespace
} // namespace kal
