#include "TestEnvironment.h"

#include "dialogs/DateField.h"
#include "dialogs/DatePickerDialog.h"
#include "support/MemoryDialogHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace kal {
namespace {

constexpr int kDateEdit = 144;

// A dialog with one date field, as the entry dialogs have.
class FieldDialog final : public DialogLogic {
public:
    FieldDialog() { resource_.controls = { { kDateEdit, ControlKind::Edit, {}, {}, 0, 0 } }; }
    const DialogResource& Resource() const override { return resource_; }

private:
    DialogResource resource_;
};

class DatePickerTest : public test::TestEnvironment {
protected:
    DatePickerTest() { field_.Open(); }

    // Opens the picker from the field holding `text`; `script` acts in the picker and reads its date.
    bool Pick(std::u16string_view text, std::function<void(DatePickerDialog&, MemoryDialogHost&)> script)
    {
        field_.SetText(kDateEdit, text);
        ui_.QueueDialog([script](DialogLogic& logic, MemoryDialogHost& host) {
            script(static_cast<DatePickerDialog&>(logic), host);
        });
        return PickDateInto(field_, kDateEdit);
    }

    FieldDialog fieldLogic_;
    MemoryDialogHost field_ { fieldLogic_ };
};

TEST_F(DatePickerTest, OpensOnTheFieldsDateAndWritesThePickedDay)
{
    using namespace datepickerdialog;
    EXPECT_TRUE(Pick(u"2005/1/31", [](DatePickerDialog& dialog, MemoryDialogHost& host) {
        EXPECT_EQ(DateText(dialog.Calendar().GetDate()), u"2005/01/31");
        EXPECT_EQ(host.Focus(), kCalendar);
        host.Key(Key::PageDown); // the calendar has the focus
        host.Press(kIdOk);
    }));
    EXPECT_EQ(field_.Text(kDateEdit), u"2005/02/28");

    // Two-digit years read as the field reads them; no year clamping.
    EXPECT_TRUE(Pick(u"04/2/29", [](DatePickerDialog&, MemoryDialogHost& host) {
        host.Key(Key::PageDown, modifier::kShift);
        host.Press(kIdOk);
    }));
    EXPECT_EQ(field_.Text(kDateEdit), u"2005/02/28");
}

TEST_F(DatePickerTest, UnreadableTextStartsOnTodayAndCancelLeavesTheField)
{
    EXPECT_FALSE(Pick(u"そのうち", [](DatePickerDialog& dialog, MemoryDialogHost& host) {
        EXPECT_EQ(DateText(dialog.Calendar().GetDate()), u"2026/12/07");
        host.Key(Key::Right);
        host.Press(kIdCancel);
    }));
    EXPECT_EQ(field_.Text(kDateEdit), u"そのうち");
}

TEST_F(DatePickerTest, CommandsMoveTheCalendar)
{
    using namespace datepickerdialog;
    EXPECT_TRUE(Pick(u"2010/3/31", [](DatePickerDialog& dialog, MemoryDialogHost& host) {
        host.Tap(kCalendar, Point { 225, 10 }); // ">"
        EXPECT_EQ(DateText(dialog.Calendar().GetDate()), u"2010/04/30");
        dialog.OnControl(host, kPreviousMonth, Notification::Clicked);
        dialog.OnControl(host, kPreviousMonth, Notification::Clicked);
        EXPECT_EQ(DateText(dialog.Calendar().GetDate()), u"2010/02/28");
        dialog.OnControl(host, kNextMonth, Notification::Clicked);
        EXPECT_EQ(DateText(dialog.Calendar().GetDate()), u"2010/03/28");
        EXPECT_GT(host.Invalidations(kCalendar), 0);
        host.Press(kToday);
        host.Press(kIdOk);
    }));
    EXPECT_EQ(field_.Text(kDateEdit), u"2026/12/07");
}

} // namespace
} // namespace kal
