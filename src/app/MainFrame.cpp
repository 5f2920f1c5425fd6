#include "app/MainFrame.h"

#include "app/AppTexts.h"
#include "app/KalDoc.h"
#include "dialogs/DateFormatDialog.h"
#include "dialogs/OptionsSheet.h"
#include "platform/FileAssociation.h"
#include "platform/FileIo.h"
#include "platform/Profile.h"
#include "platform/ProgramFolders.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "settings/KalSettings.h"
#include "store/OperationNames.h"
#include "ui/CommandIds.h"
#include "ui/DialogHost.h"
#include "ui/Ui.h"
#include "ui/UpdateHints.h"
#include "views/ColourChooser.h"
#include "views/DayView.h"
#include "views/KalView.h"

#include <string>
#include <utility>

namespace kal {

namespace {

constexpr int kTimerId = 302;
constexpr char kManualName[] = "manual.html";

// A Help that does nothing leaves the user guessing, so every way it can fail is said, with the
// manual's path so that it can still be read by hand.
void OpenManual()
{
    const std::string folder = ProgramDataFolder();
    const std::string path = folder.empty() ? std::string(kManualName) : JoinPath(folder, kManualName);
    if (folder.empty() || !IsReadableFile(path)) {
        Ui::Current().ShowMessage(texts::kManualMissing + FromUtf8(path));
        return;
    }
    const HandOverResult opened = Shell::Current().Open(FromUtf8(path));
    if (opened.refusal != HandOverRefusal::None)
        Ui::Current().ShowMessage(opened.message);
    else if (!opened.started)
        Ui::Current().ShowMessage(texts::kManualNoViewer + FromUtf8(path));
}

} // namespace

CMainFrame::CMainFrame(CKalDoc& document, CKalView& monthView, CDayView& dayView)
    : document_(document)
    , monthView_(monthView)
    , dayView_(dayView)
{
    const CKalSettings& settings = CKalSettings::Current();
    initView_ = settings.Get(IntSetting::InitView);
    initTodo_ = settings.Get(IntSetting::InitTodo);
    BindCommands();
}

void CMainFrame::CreateClient(FrameWindow& window, Size screen)
{
    window_ = &window;
    CKalSettings& settings = CKalSettings::Current();
    listShown_ = settings.IsOn(IntSetting::SchListView);
    int placement = settings.Get(IntSetting::SchList);
    if (placement == 0) {
        placement = static_cast<int>(ListPlacement::Automatic);
        listShown_ = false;
        settings.Set(IntSetting::SchList, placement);
    }
    placement_ = static_cast<ListPlacement>(placement);
    ListPlacement resolved = placement_;
    if (resolved == ListPlacement::Automatic)
        resolved = screen.width > screen.height ? ListPlacement::Right : ListPlacement::Bottom;
    shape_ = resolved == ListPlacement::Bottom ? SplitShape::Rows : SplitShape::Columns;
    const Size client = window.ClientSize();
    const int size
        = shape_ == SplitShape::Rows ? settings.MonthPaneHeight(client.height) : settings.MonthPaneWidth(client.width);
    if (!window.SetSplit(shape_, size))
        Ui::Current().ShowMessage(texts::kSplitSwitchFailed);
    window.ShowListPane(listShown_);
    window.ActivateMonthView(true);
}

void CMainFrame::SwitchSplit(SplitShape shape)
{
    if (!window_ || shape == shape_)
        return;
    const CKalSettings& settings = CKalSettings::Current();
    const Size client = window_->ClientSize();
    const int size
        = shape == SplitShape::Rows ? settings.MonthPaneHeight(client.height) : settings.MonthPaneWidth(client.width);
    if (!window_->SetSplit(shape, size)) {
        Ui::Current().ShowMessage(texts::kSplitSwitchFailed);
        return;
    }
    shape_ = shape;
}

void CMainFrame::OnSize(Size client)
{
    if (placement_ != ListPlacement::Automatic)
        return;
    if (client.height >= client.width && shape_ == SplitShape::Columns)
        SwitchSplit(SplitShape::Rows);
    else if (client.width > client.height && shape_ == SplitShape::Rows)
        SwitchSplit(SplitShape::Columns);
}

void CMainFrame::OnDestroy()
{
    if (!window_)
        return;
    CKalSettings& settings = CKalSettings::Current();
    settings.Set(shape_ == SplitShape::Rows ? IntSetting::Row : IntSetting::Col, window_->MonthPaneSize());
    settings.Set(IntSetting::InitView, initView_);
    settings.Set(IntSetting::InitTodo, initTodo_);
}

void CMainFrame::OnTimer(int id)
{
    // Ticks go to the active view; the list has nothing to do with them.
    if (id == kTimerId && (!window_ || window_->MonthViewActive()))
        monthView_.OnTimer(id);
}

void CMainFrame::SetPlacement(ListPlacement placement)
{
    placement_ = placement;
    CKalSettings::Current().Set(IntSetting::SchList, static_cast<int>(placement));
    if (placement == ListPlacement::Bottom)
        SwitchSplit(SplitShape::Rows);
    else if (placement == ListPlacement::Right)
        SwitchSplit(SplitShape::Columns);
}

void CMainFrame::ToggleSetting(int setting, int hint)
{
    CKalSettings& settings = CKalSettings::Current();
    const auto key = static_cast<IntSetting>(setting);
    settings.Set(key, settings.IsOn(key) ? 0 : 1);
    document_.UpdateAllViews(hint);
}

void CMainFrame::ChooseSettingColour(int setting, bool alwaysRepaint)
{
    CKalSettings& settings = CKalSettings::Current();
    const auto key = static_cast<ColourSetting>(setting);
    const std::optional<Colour> chosen = ChooseColour(settings.Get(key));
    if (chosen)
        settings.Set(key, *chosen);
    if (chosen || alwaysRepaint)
        document_.UpdateAllViews(hint::kRepaint);
}

void CMainFrame::ChooseBackColour()
{
    CKalSettings& settings = CKalSettings::Current();
    const Colour old = settings.Get(ColourSetting::Back);
    const std::optional<Colour> chosen = ChooseColour(old);
    if (!chosen)
        return;
    settings.Set(ColourSetting::Back, *chosen);
    CMonthGrid& grid = monthView_.Grid();
    for (int i = 0; i < grid.Count(); ++i) {
        if (grid.Cell(i).colour == old)
            grid.Cell(i).colour = *chosen;
    }
    document_.UpdateAllViews(hint::kRepaint);
}

void CMainFrame::ChooseDateFormat()
{
    CKalSettings& settings = CKalSettings::Current();
    const std::optional<DateDisplayFormat> format = AskDateFormat(
        DateDisplayFormat { settings.Get(IntSetting::DayDrawPos), settings.Get(IntSetting::DayDrawFrame) });
    if (!format)
        return;
    settings.Set(IntSetting::DayDrawPos, format->position);
    settings.Set(IntSetting::DayDrawFrame, format->frame);
    document_.UpdateAllViews(hint::kRepaint);
}

namespace {

struct OptionSetting {
    IntSetting setting;
    bool OptionValues::*value;
};
constexpr OptionSetting kOptionSwitches[] = {
    { IntSetting::SchSort, &OptionValues::sortByTime },
    { IntSetting::Shunbun, &OptionValues::equinoxes },
    { IntSetting::Hurikae, &OptionValues::substitutes },
    { IntSetting::InitFile, &OptionValues::openLastFile },
    { IntSetting::OkFrame, &OptionValues::okQuits },
    { IntSetting::EnterSch, &OptionValues::enterOpens },
    { IntSetting::DefaultKigen, &OptionValues::deadline },
};

} // namespace

void CMainFrame::ChooseOptions()
{
    CKalSettings& settings = CKalSettings::Current();
    CKalStore& store = document_.Store();
    OptionValues values;
    for (const OptionSetting& option : kOptionSwitches)
        values.*option.value = settings.IsOn(option.setting);
    values.timeDisplay = settings.Get(IntSetting::ViewTime);
    values.deadlineDays = settings.Get(IntSetting::DefaultDays);
    values.remindAtLogin = ReadSetting(Profile::Current(), ProfileIntSetting::RemindAtLogin) != 0;
    values.scheduleGenre = store.DefaultScheduleGenre();
    values.todoGenre = store.DefaultTodoGenre();
    const std::vector<std::u16string> genres = store.genres.Names();
    const std::optional<OptionValues> chosen = AskOptions(values, &genres);
    if (!chosen)
        return;
    for (const OptionSetting& option : kOptionSwitches)
        settings.Set(option.setting, (*chosen).*option.value ? 1 : 0);
    settings.Set(IntSetting::ViewTime, chosen->timeDisplay);
    settings.Set(IntSetting::DefaultDays, chosen->deadlineDays);
    // The reminder started at login reads it and ends when it is turned off.
    WriteSetting(Profile::Current(), ProfileIntSetting::RemindAtLogin, chosen->remindAtLogin ? 1 : 0);
    // The presets are kept in the file: a change must be saved with it.
    if (chosen->scheduleGenre != store.DefaultScheduleGenre() || chosen->todoGenre != store.DefaultTodoGenre())
        document_.Apply(
            StoreOperation(opname::kGenrePresets).SetGenrePresets(store, chosen->scheduleGenre, chosen->todoGenre));
    document_.UpdateAllViews(hint::kEntriesChanged);
}

void CMainFrame::ToggleListPane()
{
    listShown_ = !listShown_;
    if (window_)
        window_->ShowListPane(listShown_);
    CKalSettings::Current().Set(IntSetting::SchListView, listShown_ ? 1 : 0);
}

void CMainFrame::ActivateMonthView(bool month)
{
    if (window_)
        window_->ActivateMonthView(month);
}

void CMainFrame::SwitchPane()
{
    if (window_)
        window_->ActivateMonthView(!window_->MonthViewActive());
}

void CMainFrame::BindCommands()
{
    const auto settings = [] { return &CKalSettings::Current(); };
    const auto on = [settings](IntSetting setting) { return CheckedIf(settings()->IsOn(setting)); };

    commands_.Add(
        ID_JAPANESE_WEEKDAYS,
        [this, settings] {
            settings()->Set(IntSetting::Youbi, settings()->Get(IntSetting::Youbi) == 1 ? 0 : 1);
            document_.UpdateAllViews(hint::kRepaint);
        },
        [settings] { return CheckedIf(settings()->Get(IntSetting::Youbi) == 1); });
    commands_.Add(ID_HOLIDAY_COLOUR, [this] { ChooseSettingColour(static_cast<int>(ColourSetting::Holiday), true); });
    for (int id = ID_SELECTION_COLOUR; id <= ID_SELECTION_FRAME; ++id) {
        const int mode = id - ID_SELECTION_COLOUR;
        commands_.Add(
            id,
            [this, settings, mode] {
                settings()->Set(IntSetting::SelColorMode, mode);
                document_.UpdateAllViews(hint::kRepaint);
            },
            [settings, mode] { return CheckedIf(settings()->Get(IntSetting::SelColorMode) == mode); });
    }
    commands_.Add(ID_DATE_FORMAT, [this] { ChooseDateFormat(); });
    commands_.Add(ID_OPTIONS, [this] { ChooseOptions(); });
    commands_.Add(ID_BACK_COLOUR, [this] { ChooseBackColour(); });
    commands_.Add(ID_FILE_ASSOCIATE, [] {
        RegisterFileAssociation(AssociationMode::Force);
        Ui::Current().ShowMessage(texts::kAssociated);
    });

    commands_.Add(
        ID_LIST_SHOW, [this] { ToggleListPane(); }, [this] { return CheckedIf(listShown_); });
    const std::pair<int, ListPlacement> placements[] = { { ID_LIST_BOTTOM, ListPlacement::Bottom },
        { ID_LIST_RIGHT, ListPlacement::Right }, { ID_LIST_AUTO, ListPlacement::Automatic } };
    for (const auto& [id, place] : placements) {
        const ListPlacement placement = place; // a named copy: some compilers cannot capture a binding
        commands_.Add(
            id, [this, placement] { SetPlacement(placement); },
            [this, placement] { return CheckedIf(placement_ == placement); });
    }

    for (const int id : { ID_TODO_ON_TODAY, ID_TODO_ON_DEADLINE }) {
        const int position = id == ID_TODO_ON_DEADLINE ? 1 : 0;
        commands_.Add(
            id,
            [this, settings, position] {
                settings()->Set(IntSetting::TodoPos, position);
                document_.UpdateAllViews(hint::kEntriesChanged);
            },
            [settings, position] { return CheckedIf(settings()->Get(IntSetting::TodoPos) == position); });
    }
    commands_.Add(
        ID_TODO_VIEW_ALL, [this] { ToggleSetting(static_cast<int>(IntSetting::TodoViewAll), hint::kEntriesChanged); },
        [on] { return on(IntSetting::TodoViewAll); });
    commands_.Add(
        ID_MULTILINE, [this] { ToggleSetting(static_cast<int>(IntSetting::Multiline), hint::kEntriesChanged); },
        [on] { return on(IntSetting::Multiline); });
    commands_.Add(
        ID_MULTI_DAY_BARS, [this] { ToggleSetting(static_cast<int>(IntSetting::MultiDayBars), hint::kEntriesChanged); },
        [on] { return on(IntSetting::MultiDayBars); });
    commands_.Add(
        ID_SOFT_KEY_MENU,
        [settings] {
            settings()->Set(IntSetting::SoftKeyMenu, settings()->IsOn(IntSetting::SoftKeyMenu) ? 0 : 1);
            Ui::Current().ShowMessage(texts::kNextStartSetting);
        },
        [on] { return on(IntSetting::SoftKeyMenu); });

    commands_.Add(ID_SWITCH_VIEW, [this] { SwitchPane(); });
    // With the list hidden there is one pane only: the pane keys have nowhere to go.
    for (const int id : { ID_NEXT_PANE, ID_PREV_PANE }) {
        commands_.Add(
            id, [this] { SwitchPane(); }, [this] { return EnabledIf(listShown_); });
    }
    commands_.Add(
        ID_TO_SCHEDULE_LIST, [this] { ActivateMonthView(false); },
        [this] { return EnabledIf(!window_ || window_->MonthViewActive()); });
    commands_.Add(
        ID_TO_MONTH_VIEW, [this] { ActivateMonthView(true); },
        [this] { return EnabledIf(!window_ || !window_->MonthViewActive()); });
    commands_.Add(ID_MENU_KEY, [] {});
    commands_.Add(ID_HELP, [] { OpenManual(); });
}

} // namespace kal
