#include "dialogs/OptionsSheet.h"

#include "platform/Text.h"
#include "ui/PropertySheet.h"
#include "ui/Ui.h"

#include <algorithm>
#include <iterator>

namespace kal {

namespace {

constexpr int kTimeDisplayCount = static_cast<int>(std::size(opteditpage::kTimeDisplays));
// Days a new to-do's deadline may lie ahead: enough for any plan, few enough that no date overflows.
constexpr NumberRule kDeadlineDaysRule { NumberRule::Sign::Unsigned, true, 0, 9999 };

// A page of the sheet: its "OK" and "[X]" close the whole sheet as the sheet's own buttons do.
class OptionsPage : public DialogLogic {
public:
    OptionsPage(OptionValues& values, int resourceId, std::u16string caption)
        : values_(values)
    {
        resource_.id = resourceId;
        resource_.caption = std::move(caption);
    }

    const DialogResource& Resource() const override { return resource_; }

    void OnControl(DialogHost& host, int id, Notification notification) override
    {
        if (notification != Notification::Clicked)
            return;
        if (id == optionssheet::kOk)
            host.PressDialogButton(kIdOk);
        else if (id == optionssheet::kClose)
            host.PressDialogButton(kIdCancel);
    }

protected:
    // The page's controls, then its "OK" and "[X]" in a row below them: the keyboard meets the
    // settings first.
    void SetControls(std::vector<ControlResource> controls)
    {
        int rows = 0;
        for (const ControlResource& control : controls)
            rows = std::max(rows, control.row + control.rowSpan);
        resource_.controls = std::move(controls);
        resource_.controls.push_back(
            { optionssheet::kOk, ControlKind::PushButton, optionssheet::kOkLabel, {}, rows, 0 });
        resource_.controls.push_back(
            { optionssheet::kClose, ControlKind::PushButton, optionssheet::kCloseLabel, {}, rows, 1 });
    }

    OptionValues& values_;

private:
    DialogResource resource_;
};

class COptSystemPage final : public OptionsPage {
public:
    explicit COptSystemPage(OptionValues& values)
        : OptionsPage(values, optsystempage::kResourceId, optsystempage::kCaption)
    {
        std::vector<ControlResource> controls;
        for (const Box& box : Boxes())
            controls.push_back(
                { box.id, ControlKind::CheckBox, box.label, {}, static_cast<int>(controls.size()), 0, 1, 2 });
        SetControls(std::move(controls));
    }

    void OnInit(DialogHost& host) override
    {
        for (const Box& box : Boxes())
            host.SetChecked(box.id, values_.*box.value);
        host.SetFocus(optsystempage::kSortByTime);
    }

    bool OnOk(DialogHost& host) override
    {
        for (const Box& box : Boxes())
            values_.*box.value = host.IsChecked(box.id);
        return true;
    }

private:
    struct Box {
        int id;
        const char16_t* label;
        bool OptionValues::*value;
    };
    static std::vector<Box> Boxes()
    {
        using namespace optsystempage;
        return {
            { kSortByTime, kSortByTimeLabel, &OptionValues::sortByTime },
            { kEquinoxes, kEquinoxesLabel, &OptionValues::equinoxes },
            { kSubstitutes, kSubstitutesLabel, &OptionValues::substitutes },
            { kOpenLastFile, kOpenLastFileLabel, &OptionValues::openLastFile },
            { kOkQuits, kOkQuitsLabel, &OptionValues::okQuits },
            { kRemindAtLogin, kRemindAtLoginLabel, &OptionValues::remindAtLogin },
        };
    }
};

class COptEditPage final : public OptionsPage {
public:
    COptEditPage(OptionValues& values, const std::vector<std::u16string>* genreNames)
        : OptionsPage(values, opteditpage::kResourceId, opteditpage::kCaption)
        , genreNames_(genreNames)
    {
        using namespace opteditpage;
        ControlResource days { kDeadlineDays, ControlKind::NumberEdit, {}, {}, 5, 1 };
        days.number = kDeadlineDaysRule;
        days.cells = Size { 6, 0 };
        SetControls({
            { 0, ControlKind::GroupBox, kScheduleGroup, {}, 0, 0, 2, 2 },
            { 0, ControlKind::Label, kScheduleGenreLabel, {}, 0, 0 },
            { kScheduleGenre, ControlKind::DropDownList, {}, {}, 0, 1 },
            { 0, ControlKind::Label, kTimeDisplayLabel, {}, 1, 0 },
            { kTimeDisplay, ControlKind::DropDownList, {}, {}, 1, 1 },
            { 0, ControlKind::GroupBox, kTodoGroup, {}, 3, 0, 3, 2 },
            { 0, ControlKind::Label, kTodoGenreLabel, {}, 3, 0 },
            { kTodoGenre, ControlKind::DropDownList, {}, {}, 3, 1 },
            { kDeadline, ControlKind::CheckBox, kDeadlineLabel, {}, 4, 0, 1, 2 },
            { 0, ControlKind::Label, kDeadlineDaysLabel, {}, 5, 0 },
            days,
        });
    }

    void OnInit(DialogHost& host) override
    {
        using namespace opteditpage;
        const std::vector<std::u16string> names = genreNames_ ? *genreNames_ : std::vector<std::u16string>();
        host.SetItems(kScheduleGenre, names);
        host.SetItems(kTodoGenre, names);
        host.SetSelection(kScheduleGenre, Clamped(values_.scheduleGenre, names.size()));
        host.SetSelection(kTodoGenre, Clamped(values_.todoGenre, names.size()));
        host.Enable(kScheduleGenre, genreNames_ != nullptr);
        host.SetItems(kTimeDisplay, std::vector<std::u16string>(std::begin(kTimeDisplays), std::end(kTimeDisplays)));
        host.SetSelection(kTimeDisplay, std::clamp(values_.timeDisplay, 0, kTimeDisplayCount - 1));
        host.SetChecked(kDeadline, values_.deadline);
        host.SetText(kDeadlineDays, IntText(values_.deadlineDays));
        host.SetFocus(genreNames_ ? kScheduleGenre : kTimeDisplay);
    }

    bool OnOk(DialogHost& host) override
    {
        using namespace opteditpage;
        // A list with nothing chosen keeps the preset it had.
        if (const int genre = host.Selection(kScheduleGenre); genre >= 0)
            values_.scheduleGenre = genre;
        if (const int genre = host.Selection(kTodoGenre); genre >= 0)
            values_.todoGenre = genre;
        if (const int display = host.Selection(kTimeDisplay); display >= 0)
            values_.timeDisplay = display;
        values_.deadline = host.IsChecked(kDeadline);
        values_.deadlineDays = host.Number(kDeadlineDays).value_or(values_.deadlineDays);
        return true;
    }

private:
    static int Clamped(int index, std::size_t count)
    {
        return index >= 0 && static_cast<std::size_t>(index) < count ? index : (count > 0 ? 0 : -1);
    }

    const std::vector<std::u16string>* genreNames_;
};

class COptKeyPage final : public OptionsPage {
public:
    explicit COptKeyPage(OptionValues& values)
        : OptionsPage(values, optkeypage::kResourceId, optkeypage::kCaption)
    {
        SetControls(
            { { optkeypage::kEnterOpens, ControlKind::CheckBox, optkeypage::kEnterOpensLabel, {}, 0, 0, 1, 2 } });
    }

    void OnInit(DialogHost& host) override
    {
        host.SetChecked(optkeypage::kEnterOpens, values_.enterOpens);
        host.SetFocus(optkeypage::kEnterOpens);
    }

    bool OnOk(DialogHost& host) override
    {
        values_.enterOpens = host.IsChecked(optkeypage::kEnterOpens);
        return true;
    }
};

} // namespace

std::optional<OptionValues> AskOptions(const OptionValues& values, const std::vector<std::u16string>* genreNames)
{
    OptionValues edited = values;
    COptSystemPage system(edited);
    COptEditPage edit(edited, genreNames);
    COptKeyPage keys(edited);
    PropertySheet sheet;
    sheet.caption = optionssheet::kCaption;
    sheet.pages = { &system, &edit, &keys };
    if (Ui::Current().RunPropertySheet(sheet) != kIdOk)
        return std::nullopt;
    return edited;
}

} // namespace kal
