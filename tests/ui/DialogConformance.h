#pragma once

// Dialog scripts every dialog host must pass alike. Each host's test program instantiates the suite
// with a driver that acts on its dialogs as a user would:
//     INSTANTIATE_TYPED_TEST_SUITE_P(Memory, DialogConformance, ::testing::Types<MemoryDriver>);

#include "support/RecordingUi.h"
#include "ui/Canvas.h"
#include "ui/CustomControl.h"
#include "ui/DialogHost.h"
#include "ui/PropertySheet.h"
#include "ui/Ui.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kal::conformance {

// What a test does to a dialog and reads from it beyond what its logic sees.
class DialogDriver {
public:
    virtual ~DialogDriver() = default;

    // The dialog appears and its logic fills it; the host is what the logic sees.
    virtual DialogHost& Open(DialogLogic& logic) = 0;
    // User actions, ignored on unknown and disabled controls.
    virtual void Press(int id) = 0; // a button; OK and cancel run their checks
    virtual void Type(int id, std::u16string_view text) = 0; // replaces the text of an edit
    virtual void Choose(int id, int index) = 0; // an item of a list or combo box
    virtual void DoubleClick(int id, int index) = 0; // an item of a list
    virtual void Scroll(int id, ScrollAction action, int thumb) = 0;
    virtual void Step(int id, int direction) = 0; // an arrow of a spin edit
    virtual void Key(kal::Key key) = 0; // with the focus where it is
    virtual void Tap(int id, Point point) = 0; // a custom control
    virtual void DoubleTap(int id, Point point) = 0;
    // Lets pending redraws happen.
    virtual void Settle() = 0;

    [[nodiscard]] virtual bool HasEnded() const = 0;
    [[nodiscard]] virtual int Result() const = 0;
    [[nodiscard]] virtual int Focus() const = 0;
    [[nodiscard]] virtual Size ControlSize(int id) const = 0;
    // The swatches beside the items, as many as there are items with one.
    [[nodiscard]] virtual std::vector<Colour> ItemColours(int id) const = 0;
    // What a label's text, a sample's fill or a button's swatch shows.
    [[nodiscard]] virtual std::optional<Colour> ColourOf(int id) const = 0;

    // A property sheet; HasEnded, Result and Focus then speak of the sheet and its front page.
    virtual void OpenSheet(PropertySheet& sheet) = 0;
    [[nodiscard]] virtual DialogHost& Page(int index) = 0;
    virtual void PressSheetOk() = 0;
    virtual void PressSheetCancel() = 0;
    [[nodiscard]] virtual int ActivePage() const = 0;
};

enum : int {
    kNameLabel = 100,
    kName = 101,
    kMemo = 102,
    kPlace = 103,
    kGenre = 104,
    kList = 105,
    kDone = 106,
    kRepeatBox = 107,
    kDaily = 108,
    kWeekly = 109,
    kBefore = 110,
    kAfter = 111,
    kMore = 112,
    kMonth = 113,
    kCount = 114,
    kBar = 115,
    kSample = 116,
    kPicture = 117,
    kColourButton = 118,
    kPassword = 119,
    kUnknown = 999,
};

using Event = std::pair<int, Notification>;

inline constexpr char16_t kNameMissing[] = u"名前を入力してください";
inline constexpr int kBarTop = 50;

inline ControlResource Control(int id, ControlKind kind, std::u16string text, int row, int column,
    std::vector<std::u16string> items = {}, int group = 0)
{
    ControlResource control;
    control.id = id;
    control.kind = kind;
    control.text = std::move(text);
    control.items = std::move(items);
    control.row = row;
    control.column = column;
    control.group = group;
    return control;
}

// One control of every kind, laid out as the program's dialogs are.
inline DialogResource EveryKind()
{
    DialogResource resource;
    resource.id = 900;
    resource.caption = u"見本";
    auto& c = resource.controls;
    c.push_back(Control(kNameLabel, ControlKind::Label, u"名前(&N)", 0, 0));
    c.push_back(Control(kName, ControlKind::Edit, u"初期値", 0, 1));
    c.push_back(Control(kMore, ControlKind::PushButton, u"詳細...", 0, 2));
    c.push_back(Control(0, ControlKind::Label, u"メモ", 1, 0));
    c.push_back(Control(kMemo, ControlKind::MultiLineEdit, u"", 1, 1));
    c.push_back(Control(0, ControlKind::Label, u"場所", 2, 0));
    c.push_back(Control(kPlace, ControlKind::ComboBox, u"", 2, 1, { u"自宅", u"会社", u"駅" }));
    c.push_back(Control(0, ControlKind::Label, u"ジャンル", 3, 0));
    c.push_back(Control(kGenre, ControlKind::DropDownList, u"", 3, 1, { u"仕事", u"私用", u"休日" }));
    c.push_back(Control(kColourButton, ControlKind::PushButton, u"色(&C)...", 3, 2));
    c.push_back(Control(0, ControlKind::Label, u"一覧", 4, 0));
    c.push_back(Control(kList, ControlKind::ListBox, u"", 4, 1, { u"月", u"火", u"水", u"木" }));
    ControlResource bar = Control(kBar, ControlKind::ScrollBar, u"", 4, 2);
    bar.cells = Size { 0, 6 };
    c.push_back(bar);
    ControlResource box = Control(kRepeatBox, ControlKind::GroupBox, u"繰り返し", 5, 0);
    box.rowSpan = 2;
    box.columnSpan = 3;
    c.push_back(box);
    c.push_back(Control(kDaily, ControlKind::RadioButton, u"毎日(&D)", 5, 0, {}, 1));
    c.push_back(Control(kWeekly, ControlKind::RadioButton, u"毎週(&W)", 5, 1, {}, 1));
    c.push_back(Control(kDone, ControlKind::CheckBox, u"完了", 6, 0));
    c.push_back(Control(kBefore, ControlKind::RadioButton, u"前日", 7, 0, {}, 2));
    c.push_back(Control(kAfter, ControlKind::RadioButton, u"翌日", 7, 1, {}, 2));
    c.push_back(Control(0, ControlKind::Label, u"月(&M)", 8, 0));
    ControlResource month = Control(kMonth, ControlKind::NumberEdit, u"1", 8, 1);
    month.number = NumberRule { NumberRule::Sign::Unsigned, true, 1, 12 };
    c.push_back(month);
    c.push_back(Control(kSample, ControlKind::ColourSample, u"", 8, 2));
    c.push_back(Control(0, ControlKind::Label, u"回数", 9, 0));
    c.push_back(Control(kCount, ControlKind::SpinEdit, u"", 9, 1));
    c.push_back(Control(0, ControlKind::Label, u"図", 10, 0));
    ControlResource picture = Control(kPicture, ControlKind::Custom, u"", 10, 1);
    picture.cells = Size { 20, 6 };
    c.push_back(picture);
    c.push_back(Control(0, ControlKind::Label, u"暗証", 11, 0));
    c.push_back(Control(kPassword, ControlKind::PasswordEdit, u"", 11, 1));
    c.push_back(Control(kIdOk, ControlKind::DefaultButton, u"OK", 12, 0));
    c.push_back(Control(kIdCancel, ControlKind::PushButton, u"ｷｬﾝｾﾙ", 12, 1));
    return resource;
}

enum class PictureEvent { Down, Up, Double };

// A core-drawn control that keeps what reached it; Left and Right move its cursor.
class Picture final : public CustomControl {
public:
    void OnDraw(Canvas& canvas, Size size) override
    {
        canvas.FillRect(Rect { 0, 0, size.width, size.height }, MakeColour(255, 255, 255));
        drawnTaps = taps;
        drawnSize = size;
    }
    void OnMouseDown(Point point, Size size) override { events.emplace_back(PictureEvent::Down, point, size); }
    void OnMouseUp(Point point, Size size) override
    {
        events.emplace_back(PictureEvent::Up, point, size);
        ++taps;
        Invalidate();
    }
    void OnDoubleClick(Point point, Size size) override { events.emplace_back(PictureEvent::Double, point, size); }
    bool OnKey(kal::Key key, unsigned) override
    {
        if (key != Key::Left && key != Key::Right)
            return false;
        cursor += key == Key::Left ? -1 : 1;
        return true;
    }

    std::vector<std::tuple<PictureEvent, Point, Size>> events;
    int taps = 0;
    int cursor = 0;
    int drawnTaps = -1;
    Size drawnSize;
};

// Fills the dialog, keeps what reached it, and moves the scroll bar as asked. OK insists on a name
// unless told otherwise.
class SampleLogic final : public DialogLogic {
public:
    SampleLogic()
        : resource_(EveryKind())
    {
    }
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override
    {
        host.SetChecked(kDaily, true);
        host.SetChecked(kBefore, true);
        host.SetRange(kBar, 0, kBarTop);
        host.SetPosition(kBar, 10);
        host.SetRange(kCount, 0, 5);
        host.SetText(kCount, u"3");
        host.SetFocus(kName);
    }
    void OnControl(DialogHost& host, int id, Notification notification) override
    {
        notifications.emplace_back(id, notification);
        if (id == kMore && endOnMore)
            host.End(kMore);
    }
    void OnScroll(DialogHost& host, int id, ScrollAction action, int thumb) override
    {
        scrolls.emplace_back(action, action == ScrollAction::Thumb ? thumb : 0);
        if (!moveBar)
            return;
        const int position = host.Position(id);
        switch (action) {
        case ScrollAction::LineUp:
            return host.SetPosition(id, position - 1);
        case ScrollAction::LineDown:
            return host.SetPosition(id, position + 1);
        case ScrollAction::PageUp:
            return host.SetPosition(id, position - 10);
        case ScrollAction::PageDown:
            return host.SetPosition(id, position + 10);
        case ScrollAction::Thumb:
            return host.SetPosition(id, thumb);
        case ScrollAction::Top:
            return host.SetPosition(id, 0);
        case ScrollAction::Bottom:
            return host.SetPosition(id, kBarTop);
        }
    }
    bool OnKey(DialogHost&, kal::Key key, unsigned) override
    {
        keys.push_back(key);
        return key == Key::F5;
    }
    CustomControl* Custom(int id) override { return id == kPicture ? &picture : nullptr; }
    bool OnOk(DialogHost& host) override
    {
        ++oks;
        if (!okPasses) {
            Ui::Current().ShowMessage(kNameMissing);
            host.SetFocus(kName);
            return false;
        }
        acceptedName = host.Text(kName);
        return true;
    }
    void OnCancel(DialogHost&) override { ++cancels; }

    std::vector<std::pair<int, Notification>> notifications;
    std::vector<std::pair<ScrollAction, int>> scrolls;
    std::vector<kal::Key> keys;
    Picture picture;
    int oks = 0;
    int cancels = 0;
    bool okPasses = true;
    bool endOnMore = false;
    bool moveBar = true;
    std::u16string acceptedName;

private:
    DialogResource resource_;
};

// A page of a property sheet with one field; its OK fails while the field is empty.
class PageLogic final : public DialogLogic {
public:
    PageLogic(std::u16string caption, ControlKind kind, std::vector<int>& okOrder, int number)
        : okOrder_(okOrder)
        , number_(number)
    {
        resource_.caption = std::move(caption);
        resource_.controls.push_back(Control(0, ControlKind::Label, u"値", 0, 0));
        ControlResource field = Control(kName, kind, u"", 0, 1);
        field.number = NumberRule { NumberRule::Sign::Unsigned, true, 1, 12 };
        resource_.controls.push_back(field);
    }
    const DialogResource& Resource() const override { return resource_; }
    bool OnOk(DialogHost& host) override
    {
        okOrder_.push_back(number_);
        if (host.Text(kName).empty()) {
            Ui::Current().ShowMessage(kNameMissing);
            return false;
        }
        return true;
    }
    void OnCancel(DialogHost&) override { ++cancels; }

    int cancels = 0;

private:
    DialogResource resource_;
    std::vector<int>& okOrder_;
    int number_;
};

template <typename Driver> class DialogConformance : public ::testing::Test {
protected:
    DialogConformance()
        : previousUi_(Ui::Install(&ui_))
    {
    }
    ~DialogConformance() override { Ui::Install(previousUi_); }

    RecordingUi ui_;
    Ui* previousUi_;
    // The logics outlive the driver's dialogs.
    SampleLogic logic_;
    std::vector<int> okOrder_;
    PageLogic monthPage_ { u"月", ControlKind::NumberEdit, okOrder_, 0 };
    PageLogic namePage_ { u"名前", ControlKind::Edit, okOrder_, 1 };
    Driver driver_;
};

TYPED_TEST_SUITE_P(DialogConformance);

TYPED_TEST_P(DialogConformance, UnknownIdsAreIgnoredAndReadEmpty)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    host.SetText(kUnknown, u"x");
    host.SetChecked(kUnknown, true);
    host.Enable(kUnknown, true);
    host.SetItems(kUnknown, { u"a" });
    host.SetSelection(kUnknown, 0);
    host.SetItemColours(kUnknown, { MakeColour(1, 2, 3) });
    host.SetColour(kUnknown, MakeColour(1, 2, 3));
    host.SetRange(kUnknown, 5, 9);
    host.SetPosition(kUnknown, 7);
    host.Invalidate(kUnknown);
    host.SetFocus(kUnknown);
    EXPECT_EQ(host.Text(kUnknown), u"");
    EXPECT_FALSE(host.IsChecked(kUnknown));
    EXPECT_FALSE(host.IsEnabled(kUnknown));
    EXPECT_TRUE(host.Items(kUnknown).empty());
    EXPECT_EQ(host.Selection(kUnknown), -1);
    EXPECT_EQ(host.Position(kUnknown), 0);
    EXPECT_EQ(this->driver_.Focus(), kName);

    // Operations a kind has no use for read the same way.
    host.SetChecked(kName, true);
    host.SetPosition(kName, 4);
    EXPECT_FALSE(host.IsChecked(kName));
    EXPECT_EQ(host.Selection(kName), -1);
    EXPECT_EQ(host.Position(kName), 0);
    EXPECT_TRUE(host.Items(kDone).empty());

    this->driver_.Press(kUnknown);
    this->driver_.Type(kUnknown, u"x");
    this->driver_.Choose(kUnknown, 0);
    this->driver_.Scroll(kUnknown, ScrollAction::LineDown, 0);
    EXPECT_TRUE(this->logic_.notifications.empty());
    EXPECT_TRUE(this->logic_.scrolls.empty());
    EXPECT_FALSE(this->driver_.HasEnded());
}

TYPED_TEST_P(DialogConformance, OkEndsOnlyWhenNumberFieldsAndLogicPass)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    host.SetText(kMonth, u"13");
    host.SetText(kName, u"途中");
    this->driver_.Press(kIdOk);
    EXPECT_FALSE(this->driver_.HasEnded());
    EXPECT_EQ(this->ui_.Messages(), std::vector<std::u16string> { u"1 から 12 までの整数を入力してください。" });
    EXPECT_EQ(this->logic_.oks, 0) << "the number check runs before the logic's";
    EXPECT_EQ(this->driver_.Focus(), kMonth);

    host.SetText(kMonth, u" 12 ");
    this->logic_.okPasses = false;
    this->driver_.Press(kIdOk);
    EXPECT_FALSE(this->driver_.HasEnded());
    EXPECT_EQ(this->logic_.oks, 1);
    EXPECT_EQ(this->ui_.Messages().back(), kNameMissing);
    EXPECT_EQ(host.Text(kName), u"途中") << "a failed check keeps what was typed";

    // Enter with the focus in an edit or in a combo box's edit presses the default button.
    this->driver_.Key(Key::Enter);
    EXPECT_EQ(this->logic_.oks, 2);
    this->logic_.okPasses = true;
    host.SetFocus(kPlace);
    this->driver_.Key(Key::Enter);
    EXPECT_TRUE(this->driver_.HasEnded());
    EXPECT_EQ(this->driver_.Result(), kIdOk);
    EXPECT_EQ(this->logic_.acceptedName, u"途中");

    this->driver_.Press(kIdCancel);
    this->driver_.Press(kWeekly);
    EXPECT_EQ(this->driver_.Result(), kIdOk) << "nothing runs after the dialog ended";
    EXPECT_EQ(this->logic_.cancels, 0);
    EXPECT_TRUE(this->logic_.notifications.empty());
}

TYPED_TEST_P(DialogConformance, CancelEndsWithoutChecking)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    host.SetText(kMonth, u"x");
    this->driver_.Press(kIdCancel);
    EXPECT_TRUE(this->driver_.HasEnded());
    EXPECT_EQ(this->driver_.Result(), kIdCancel);
    EXPECT_EQ(this->logic_.cancels, 1);
    EXPECT_EQ(this->logic_.oks, 0);
    EXPECT_TRUE(this->ui_.Messages().empty());
}

TYPED_TEST_P(DialogConformance, EscapeCancelsAndTheLogicMayEndWithAButton)
{
    this->logic_.endOnMore = true;
    DialogHost& host = this->driver_.Open(this->logic_);
    // While cancel is disabled Escape does nothing.
    host.Enable(kIdCancel, false);
    this->driver_.Key(Key::Escape);
    EXPECT_FALSE(this->driver_.HasEnded());
    host.Enable(kIdCancel, true);

    this->driver_.Press(kMore);
    EXPECT_EQ(this->driver_.Result(), kMore);
    this->driver_.Key(Key::Escape);
    EXPECT_EQ(this->driver_.Result(), kMore);
    EXPECT_EQ(this->logic_.cancels, 0);
}

TYPED_TEST_P(DialogConformance, DisabledControlsIgnoreTheUser)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    EXPECT_TRUE(host.IsEnabled(kMore));
    host.Enable(kMore, false);
    host.Enable(kName, false);
    host.Enable(kList, false);
    host.Enable(kCount, false);
    EXPECT_FALSE(host.IsEnabled(kMore));
    this->driver_.Press(kMore);
    this->driver_.Type(kName, u"無視");
    this->driver_.Choose(kList, 1);
    this->driver_.Step(kCount, +1);
    EXPECT_TRUE(this->logic_.notifications.empty());
    EXPECT_EQ(host.Text(kName), u"初期値");
    EXPECT_EQ(host.Selection(kList), -1);
    EXPECT_EQ(host.Text(kCount), u"3");

    // A disabled number field is not checked; a disabled OK is not pressed, by click or by Enter.
    host.SetText(kCount, u"x");
    host.Enable(kIdOk, false);
    this->driver_.Press(kIdOk);
    this->driver_.Key(Key::Enter);
    EXPECT_FALSE(this->driver_.HasEnded());
    EXPECT_EQ(this->logic_.oks, 0);
    host.Enable(kIdOk, true);
    EXPECT_TRUE(host.IsEnabled(kIdOk));
    this->driver_.Press(kIdOk);
    EXPECT_EQ(this->driver_.Result(), kIdOk);
    EXPECT_TRUE(this->ui_.Messages().empty());
}

TYPED_TEST_P(DialogConformance, ListsAndCombosHoldItemsAndChoices)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    EXPECT_EQ(host.Items(kGenre), (std::vector<std::u16string> { u"仕事", u"私用", u"休日" }));
    EXPECT_EQ(host.Selection(kGenre), -1);
    EXPECT_EQ(host.Text(kGenre), u"");

    // A drop-down list shows one of its items or nothing.
    this->driver_.Choose(kGenre, 1);
    EXPECT_EQ(host.Text(kGenre), u"私用");
    host.SetText(kGenre, u"休日");
    EXPECT_EQ(host.Selection(kGenre), 2);
    host.SetText(kGenre, u"不明");
    EXPECT_EQ(host.Selection(kGenre), -1);
    host.SetSelection(kGenre, 1);
    host.SetSelection(kGenre, 7);
    EXPECT_EQ(host.Selection(kGenre), -1) << "an index past the end chooses nothing";
    EXPECT_EQ(host.Text(kGenre), u"");

    // A combo box takes typed text, which is no longer the chosen item; new items keep it.
    this->driver_.Choose(kPlace, 1);
    EXPECT_EQ(host.Text(kPlace), u"会社");
    this->driver_.Type(kPlace, u"現地");
    EXPECT_EQ(host.Text(kPlace), u"現地");
    EXPECT_EQ(host.Selection(kPlace), -1);
    host.SetItems(kPlace, { u"東京", u"大阪" });
    EXPECT_EQ(host.Items(kPlace), (std::vector<std::u16string> { u"東京", u"大阪" }));
    EXPECT_EQ(host.Text(kPlace), u"現地");
    host.SetSelection(kPlace, 1);
    EXPECT_EQ(host.Text(kPlace), u"大阪");

    // A list: the chosen row's text; a double click on another row chooses it first.
    this->driver_.Choose(kList, 2);
    EXPECT_EQ(host.Text(kList), u"水");
    this->driver_.DoubleClick(kList, 0);
    EXPECT_EQ(host.Selection(kList), 0);
    host.SetText(kList, u"木");
    EXPECT_EQ(host.Selection(kList), 3);
    host.SetText(kList, u"不明");
    EXPECT_EQ(host.Selection(kList), 3) << "a list keeps its row for a text it does not have";
    host.SetItems(kList, { u"a", u"b" });
    EXPECT_EQ(host.Selection(kList), -1);
    EXPECT_EQ(host.Text(kList), u"");

    host.SetText(kMemo, u"一行目\r\n二行目");
    EXPECT_EQ(host.Text(kMemo), u"一行目\r\n二行目");

    // Only the user's actions were reported.
    EXPECT_EQ(this->logic_.notifications,
        (std::vector<Event> { { kGenre, Notification::SelectionChanged }, { kPlace, Notification::SelectionChanged },
            { kPlace, Notification::TextChanged }, { kList, Notification::SelectionChanged },
            { kList, Notification::SelectionChanged }, { kList, Notification::DoubleClicked } }));
}

TYPED_TEST_P(DialogConformance, RadioButtonsExcludeEachOtherWithinTheirGroup)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    EXPECT_TRUE(host.IsChecked(kDaily));
    this->driver_.Press(kWeekly);
    EXPECT_FALSE(host.IsChecked(kDaily));
    EXPECT_TRUE(host.IsChecked(kWeekly));
    EXPECT_TRUE(host.IsChecked(kBefore)) << "the other group keeps its choice";
    EXPECT_EQ(this->driver_.Focus(), kWeekly);

    host.SetChecked(kAfter, true);
    EXPECT_FALSE(host.IsChecked(kBefore));
    EXPECT_TRUE(host.IsChecked(kWeekly));
    this->driver_.Press(kWeekly);
    EXPECT_TRUE(host.IsChecked(kWeekly)) << "pressing the chosen button keeps it chosen";

    // A group can be left with nothing chosen.
    host.SetChecked(kWeekly, false);
    EXPECT_FALSE(host.IsChecked(kWeekly));
    EXPECT_FALSE(host.IsChecked(kDaily));

    this->driver_.Press(kDone);
    EXPECT_TRUE(host.IsChecked(kDone));
    this->driver_.Press(kDone);
    EXPECT_FALSE(host.IsChecked(kDone));
    EXPECT_EQ(this->logic_.notifications,
        (std::vector<Event> { { kWeekly, Notification::Clicked }, { kWeekly, Notification::Clicked },
            { kDone, Notification::Clicked }, { kDone, Notification::Clicked } }));
}

TYPED_TEST_P(DialogConformance, SpinEditsStepWithinTheirRange)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    this->driver_.Step(kCount, +1);
    EXPECT_EQ(host.Text(kCount), u"4");
    this->driver_.Step(kCount, +1);
    this->driver_.Step(kCount, +1);
    EXPECT_EQ(host.Text(kCount), u"5") << "the arrows stop at the top of the range";
    this->driver_.Step(kCount, -1);
    EXPECT_EQ(host.Text(kCount), u"4");
    EXPECT_EQ(host.Number(kCount), 4);

    // The Up and Down keys step the focused field too; a text that is no number goes to the bottom.
    host.SetText(kCount, u"abc");
    host.SetFocus(kCount);
    this->driver_.Key(Key::Down);
    EXPECT_EQ(host.Text(kCount), u"0");
    this->driver_.Key(Key::Up);
    EXPECT_EQ(host.Text(kCount), u"1");
    host.SetRange(kCount, 10, 20);
    this->driver_.Step(kCount, -1);
    EXPECT_EQ(host.Text(kCount), u"10");

    // Every step that changed the text was reported as typing.
    EXPECT_EQ(this->logic_.notifications, std::vector<Event>(6, { kCount, Notification::TextChanged }));
    EXPECT_EQ(this->logic_.keys, (std::vector<kal::Key> { Key::Down, Key::Up })) << "the logic saw the keys first";
}

TYPED_TEST_P(DialogConformance, ScrollActionsReachTheLogicWhichMovesTheBar)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    EXPECT_EQ(host.Position(kBar), 10);
    this->driver_.Scroll(kBar, ScrollAction::LineDown, 0);
    EXPECT_EQ(host.Position(kBar), 11);
    this->driver_.Scroll(kBar, ScrollAction::PageDown, 0);
    EXPECT_EQ(host.Position(kBar), 21);
    this->driver_.Scroll(kBar, ScrollAction::LineUp, 0);
    this->driver_.Scroll(kBar, ScrollAction::PageUp, 0);
    EXPECT_EQ(host.Position(kBar), 10);
    this->driver_.Scroll(kBar, ScrollAction::Thumb, 37);
    EXPECT_EQ(host.Position(kBar), 37);
    this->driver_.Scroll(kBar, ScrollAction::Bottom, 0);
    EXPECT_EQ(host.Position(kBar), kBarTop);
    this->driver_.Scroll(kBar, ScrollAction::Top, 0);
    EXPECT_EQ(host.Position(kBar), 0);
    EXPECT_EQ(this->logic_.scrolls,
        (std::vector<std::pair<ScrollAction, int>> { { ScrollAction::LineDown, 0 }, { ScrollAction::PageDown, 0 },
            { ScrollAction::LineUp, 0 }, { ScrollAction::PageUp, 0 }, { ScrollAction::Thumb, 37 },
            { ScrollAction::Bottom, 0 }, { ScrollAction::Top, 0 } }));

    // The bar does not move by itself, and the logic's positions stay inside the range.
    this->logic_.moveBar = false;
    this->driver_.Scroll(kBar, ScrollAction::PageDown, 0);
    this->driver_.Scroll(kBar, ScrollAction::Thumb, 20);
    EXPECT_EQ(host.Position(kBar), 0);
    host.SetPosition(kBar, 80);
    EXPECT_EQ(host.Position(kBar), kBarTop);
    host.SetRange(kBar, 0, 20);
    EXPECT_EQ(host.Position(kBar), 20);
    EXPECT_TRUE(this->logic_.notifications.empty());
}

TYPED_TEST_P(DialogConformance, CustomControlsGetTapsAndKeysAndRedraw)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    Picture& picture = this->logic_.picture;
    const Size size = this->driver_.ControlSize(kPicture);
    EXPECT_GT(size.width, 0);
    EXPECT_GT(size.height, 0);

    this->driver_.Tap(kPicture, Point { 5, 6 });
    EXPECT_EQ(this->driver_.Focus(), kPicture) << "a tap gives it the focus";
    this->driver_.Settle();
    // With the focus already there, only the control's own request draws it again.
    this->driver_.Tap(kPicture, Point { 5, 6 });
    this->driver_.Settle();
    EXPECT_EQ(picture.drawnTaps, 2) << "the control asked to be drawn again";
    EXPECT_EQ(picture.drawnSize, size);

    picture.events.clear();
    this->driver_.DoubleTap(kPicture, Point { 7, 8 });
    const Point at { 7, 8 };
    EXPECT_EQ(picture.events,
        (std::vector<std::tuple<PictureEvent, Point, Size>> { { PictureEvent::Down, at, size },
            { PictureEvent::Up, at, size }, { PictureEvent::Double, at, size }, { PictureEvent::Up, at, size } }));

    // Keys reach the logic, then the focused control; what neither uses goes to the dialog.
    this->driver_.Key(Key::Left);
    this->driver_.Key(Key::F5);
    EXPECT_EQ(picture.cursor, -1);
    EXPECT_EQ(this->logic_.keys, (std::vector<kal::Key> { Key::Left, Key::F5 }));
    host.Enable(kPicture, false);
    this->driver_.Tap(kPicture, Point { 1, 1 });
    EXPECT_EQ(picture.taps, 4) << "a disabled control gets no taps";
    host.Enable(kPicture, true);
    this->driver_.Key(Key::Escape);
    EXPECT_EQ(this->driver_.Result(), kIdCancel);
    EXPECT_EQ(this->logic_.cancels, 1);
}

TYPED_TEST_P(DialogConformance, ColoursShowBesideItemsAndOnControls)
{
    DialogHost& host = this->driver_.Open(this->logic_);
    const Colour red = MakeColour(220, 0, 0);
    const Colour green = MakeColour(0, 160, 0);
    const Colour blue = MakeColour(0, 0, 200);
    host.SetItemColours(kGenre, { red, green, blue });
    EXPECT_EQ(this->driver_.ItemColours(kGenre), (std::vector<Colour> { red, green, blue }));
    host.SetItemColours(kList, { blue, blue, red, green });
    host.SetItems(kList, { u"一", u"二", u"三", u"四" });
    EXPECT_EQ(this->driver_.ItemColours(kList), (std::vector<Colour> { blue, blue, red, green }))
        << "refilled items keep the swatches";
    host.SetItemColours(kList, {});
    EXPECT_TRUE(this->driver_.ItemColours(kList).empty());

    host.SetColour(kNameLabel, red);
    host.SetColour(kSample, green);
    host.SetColour(kColourButton, blue);
    EXPECT_EQ(this->driver_.ColourOf(kNameLabel), red);
    EXPECT_EQ(this->driver_.ColourOf(kSample), green);
    EXPECT_EQ(this->driver_.ColourOf(kColourButton), blue);
    host.SetColour(kSample, blue);
    EXPECT_EQ(this->driver_.ColourOf(kSample), blue);
}

TYPED_TEST_P(DialogConformance, SheetOkStopsAtTheFirstFailingPage)
{
    PropertySheet sheet { u"設定", { &this->monthPage_, &this->namePage_ }, 0 };
    this->driver_.OpenSheet(sheet);
    EXPECT_EQ(this->driver_.ActivePage(), 0);
    this->driver_.Page(0).SetText(kName, u"3");
    this->driver_.PressSheetOk();
    EXPECT_FALSE(this->driver_.HasEnded());
    EXPECT_EQ(this->driver_.ActivePage(), 1) << "the failing page comes to the front";
    EXPECT_EQ(this->okOrder_, (std::vector<int> { 0, 1 }));
    EXPECT_EQ(this->ui_.Messages(), std::vector<std::u16string> { kNameMissing });

    this->driver_.Page(1).SetText(kName, u"山田");
    this->driver_.Page(0).SetText(kName, u"13");
    this->driver_.PressSheetOk();
    EXPECT_FALSE(this->driver_.HasEnded());
    EXPECT_EQ(this->driver_.ActivePage(), 0);
    EXPECT_EQ(this->driver_.Focus(), kName) << "the field that failed has the focus";
    EXPECT_EQ(this->ui_.Messages().back(), NumberRangeMessage(1, 12));
    EXPECT_EQ(this->okOrder_.size(), 2U) << "a page failing its number check never reaches its logic";

    this->driver_.Page(0).SetText(kName, u"12");
    this->driver_.Page(1).PressDialogButton(kIdOk); // a page's own OK button is the sheet's
    EXPECT_TRUE(this->driver_.HasEnded());
    EXPECT_EQ(this->driver_.Result(), kIdOk);
    EXPECT_EQ(this->okOrder_, (std::vector<int> { 0, 1, 0, 1 }));
    EXPECT_EQ(this->monthPage_.cancels + this->namePage_.cancels, 0);
}

TYPED_TEST_P(DialogConformance, SheetCancelTellsEveryPage)
{
    PropertySheet sheet { u"設定", { &this->monthPage_, &this->namePage_ }, 1 };
    this->driver_.OpenSheet(sheet);
    EXPECT_EQ(this->driver_.ActivePage(), 1);
    this->driver_.Page(0).SetText(kName, u"x");
    this->driver_.PressSheetCancel();
    EXPECT_TRUE(this->driver_.HasEnded());
    EXPECT_EQ(this->driver_.Result(), kIdCancel);
    EXPECT_EQ(this->monthPage_.cancels, 1);
    EXPECT_EQ(this->namePage_.cancels, 1);
    EXPECT_TRUE(this->okOrder_.empty());
    EXPECT_TRUE(this->ui_.Messages().empty());
}

REGISTER_TYPED_TEST_SUITE_P(DialogConformance, UnknownIdsAreIgnoredAndReadEmpty, OkEndsOnlyWhenNumberFieldsAndLogicPass,
    CancelEndsWithoutChecking, EscapeCancelsAndTheLogicMayEndWithAButton, DisabledControlsIgnoreTheUser,
    ListsAndCombosHoldItemsAndChoices, RadioButtonsExcludeEachOtherWithinTheirGroup, SpinEditsStepWithinTheirRange,
    ScrollActionsReachTheLogicWhichMovesTheBar, CustomControlsGetTapsAndKeysAndRedraw,
    ColoursShowBesideItemsAndOnControls, SheetOkStopsAtTheFirstFailingPage, SheetCancelTellsEveryPage);

} // namespace kal::conformance
