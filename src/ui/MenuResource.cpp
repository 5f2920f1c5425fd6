#include "ui/MenuResource.h"

#include "ui/CommandIds.h"
#include "ui/MenuTexts.h"

#include <initializer_list>

namespace kal {
namespace {

struct CommandName {
    int id;
    const char16_t* text;
};

// One text per command, so a command reads the same wherever it is offered.
constexpr CommandName kCommandTexts[] = {
    { ID_FILE_NEW, menutext::kNew },
    { ID_FILE_OPEN, menutext::kOpen },
    { ID_FILE_SAVE, menutext::kSave },
    { ID_FILE_SAVE_AS, menutext::kSaveAs },
    { ID_FILE_MRU_FILE1, menutext::kRecentFiles },
    { ID_FILE_RELOAD, menutext::kReload },
    { ID_FILE_CHECK_UPDATE, menutext::kCheckUpdate },
    { ID_FILE_ASSOCIATE, menutext::kAssociate },
    { ID_TEXT_COPY, menutext::kTextCopy },
    { ID_OUTLOOK_EXPORT, menutext::kOutlookExport },
    { ID_OUTLOOK_IMPORT, menutext::kOutlookImport },
    { ID_OUTLOOK_ADD, menutext::kOutlookAdd },
    { ID_APP_EXIT, menutext::kExit },

    { ID_EDIT_UNDO, menutext::kUndo },
    { ID_EDIT_CUT, menutext::kCut },
    { ID_EDIT_COPY, menutext::kCopy },
    { ID_EDIT_PASTE, menutext::kPaste },
    { ID_EDIT_FIND, menutext::kFind },
    { ID_FIND_NEXT, menutext::kFindNext },
    { ID_FIND_PREVIOUS, menutext::kFindPrevious },

    { ID_SCHEDULE_ADD, menutext::kScheduleAdd },
    { ID_TODO_ADD, menutext::kTodoAdd },
    { ID_SCHEDULE_EDIT, menutext::kScheduleEdit },
    { ID_SCHEDULE_DETAILS, menutext::kScheduleDetails },
    { ID_SCHEDULE_DELETE, menutext::kScheduleDelete },
    { ID_SCHEDULE_UP, menutext::kScheduleUp },
    { ID_SCHEDULE_DOWN, menutext::kScheduleDown },
    { ID_SCHEDULE_COPY_SERIES, menutext::kScheduleCopySeries },
    { ID_LINK_FILE_OPEN, menutext::kLinkFileOpen },
    { ID_DIARY_EDIT, menutext::kDiaryEdit },
    { ID_DAY_TEXT_COPY, menutext::kDayTextCopy },
    { ID_DAY_COLOUR, menutext::kDayColour },
    { ID_DAY_COLOUR_CLEAR, menutext::kDayColourClear },

    { ID_GO_TODAY, menutext::kGoToday },
    { ID_GO_DATE, menutext::kGoDate },
    { ID_GO_DAYS_AFTER, menutext::kGoDaysAfter },
    { ID_GO_NEXT_MONTH, menutext::kGoNextMonth },
    { ID_GO_PREVIOUS_MONTH, menutext::kGoPreviousMonth },
    { ID_GO_NEXT_WEEK, menutext::kGoNextWeek },
    { ID_GO_PREVIOUS_WEEK, menutext::kGoPreviousWeek },
    { ID_GO_NEXT_DAY, menutext::kGoNextDay },
    { ID_GO_PREVIOUS_DAY, menutext::kGoPreviousDay },
    { ID_TO_MONTH_VIEW, menutext::kToMonthView },
    { ID_TO_SCHEDULE_LIST, menutext::kToScheduleList },
    { ID_SWITCH_VIEW, menutext::kSwitchView },
    { ID_NEXT_PANE, menutext::kNextPane },
    { ID_PREV_PANE, menutext::kPreviousPane },

    { ID_MONTH_NUMBERS, menutext::kMonthNumbers },
    { ID_MONTH_ENGLISH, menutext::kMonthEnglish },
    { ID_JAPANESE_WEEKDAYS, menutext::kJapaneseWeekdays },
    { ID_START_MONDAY, menutext::kStartMonday },
    { ID_SIX_WEEKS, menutext::kSixWeeks },
    { ID_MONTH_SCHEDULES, menutext::kMonthSchedules },
    { ID_OTHER_MONTH_COLOUR, menutext::kOtherMonthColour },
    { ID_MULTILINE, menutext::kMultiline },
    { ID_DATE_FORMAT, menutext::kDateFormat },
    { ID_SELECTION_COLOUR, menutext::kSelectionColour },
    { ID_SELECTION_INVERT, menutext::kSelectionInvert },
    { ID_SELECTION_FRAME, menutext::kSelectionFrame },
    { ID_TIME_PER_ENTRY, menutext::kTimePerEntry },
    { ID_TIME_START_END, menutext::kTimeStartEnd },
    { ID_TIME_START, menutext::kTimeStart },
    { ID_TIME_END, menutext::kTimeEnd },
    { ID_TIME_NONE, menutext::kTimeNone },
    { ID_BACK_COLOUR, menutext::kBackColour },
    { ID_SELECT_COLOUR, menutext::kSelectColour },
    { ID_WEEKDAY_COLOURS, menutext::kWeekdayColours },
    { ID_HOLIDAY_COLOUR, menutext::kHolidayColour },
    { ID_FONT_YEAR_MONTH, menutext::kFontYearMonth },
    { ID_FONT_WEEKDAY, menutext::kFontWeekday },
    { ID_FONT_DAY_NUMBER, menutext::kFontDayNumber },
    { ID_FONT_SCHEDULE, menutext::kFontSchedule },
    { ID_FONT_LIST, menutext::kFontList },
    { ID_LIST_SHOW, menutext::kListShow },
    { ID_LIST_BOTTOM, menutext::kListBottom },
    { ID_LIST_RIGHT, menutext::kListRight },
    { ID_LIST_AUTO, menutext::kListAuto },
    { ID_TODO_ON_TODAY, menutext::kTodoOnToday },
    { ID_TODO_ON_DEADLINE, menutext::kTodoOnDeadline },
    { ID_TODO_VIEW_ALL, menutext::kTodoViewAll },

    { ID_GENRE_SETTINGS, menutext::kGenreSettings },
    { ID_MEMO, menutext::kMemo },
    { ID_DIARY_FOLDER, menutext::kDiaryFolder },
    { ID_SOFT_KEY_MENU, menutext::kSoftKeyMenu },
    { ID_OPTIONS, menutext::kOptions },
    { ID_HELP, menutext::kHelp },
    { ID_APP_ABOUT, menutext::kAbout },
};

using Items = std::vector<MenuItem>;

MenuItem Command(int id)
{
    return MenuItem { id, std::u16string(CommandText(id)), {} };
}

MenuItem Popup(std::u16string_view text, Items children)
{
    return MenuItem { 0, std::u16string(text), std::move(children) };
}

// Groups of commands, one after another with a separator between each two.
Items Groups(std::initializer_list<std::initializer_list<int>> groups)
{
    Items items;
    for (const std::initializer_list<int>& group : groups) {
        if (!items.empty())
            items.emplace_back();
        for (const int id : group)
            items.push_back(Command(id));
    }
    return items;
}

Items Joined(std::initializer_list<Items> parts)
{
    Items items;
    for (const Items& part : parts) {
        if (!items.empty() && !part.empty())
            items.emplace_back();
        items.insert(items.end(), part.begin(), part.end());
    }
    return items;
}

Items FileItems()
{
    return Groups({
        { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS },
        { ID_FILE_RELOAD, ID_FILE_CHECK_UPDATE },
        { ID_TEXT_COPY, ID_OUTLOOK_EXPORT, ID_OUTLOOK_IMPORT, ID_OUTLOOK_ADD },
        { ID_FILE_ASSOCIATE },
        { ID_FILE_MRU_FILE1 },
        { ID_APP_EXIT },
    });
}

Items EditItems()
{
    return Groups({
        { ID_EDIT_UNDO },
        { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE },
        { ID_EDIT_FIND, ID_FIND_NEXT, ID_FIND_PREVIOUS },
    });
}

Items ScheduleItems()
{
    return Groups({
        { ID_SCHEDULE_ADD, ID_TODO_ADD },
        { ID_SCHEDULE_EDIT, ID_SCHEDULE_DETAILS, ID_SCHEDULE_DELETE },
        { ID_SCHEDULE_UP, ID_SCHEDULE_DOWN, ID_SCHEDULE_COPY_SERIES },
        { ID_LINK_FILE_OPEN, ID_DIARY_EDIT },
        { ID_DAY_TEXT_COPY, ID_DAY_COLOUR, ID_DAY_COLOUR_CLEAR },
    });
}

Items GoItems()
{
    return Groups({
        { ID_GO_TODAY, ID_GO_DATE, ID_GO_DAYS_AFTER },
        { ID_GO_PREVIOUS_MONTH, ID_GO_NEXT_MONTH, ID_GO_PREVIOUS_WEEK, ID_GO_NEXT_WEEK, ID_GO_PREVIOUS_DAY,
            ID_GO_NEXT_DAY },
        { ID_TO_MONTH_VIEW, ID_TO_SCHEDULE_LIST, ID_SWITCH_VIEW, ID_NEXT_PANE, ID_PREV_PANE },
    });
}

Items ViewItems()
{
    Items items;
    items.push_back(Popup(menutext::kYearMonthMenu, Groups({ { ID_MONTH_NUMBERS, ID_MONTH_ENGLISH } })));
    for (const int id : { ID_JAPANESE_WEEKDAYS, ID_START_MONDAY, ID_SIX_WEEKS })
        items.push_back(Command(id));
    items.emplace_back();
    for (const int id : { ID_MONTH_SCHEDULES, ID_MULTILINE, ID_OTHER_MONTH_COLOUR })
        items.push_back(Command(id));
    items.emplace_back();
    items.push_back(Popup(menutext::kTimeMenu,
        Groups({ { ID_TIME_PER_ENTRY, ID_TIME_START_END, ID_TIME_START, ID_TIME_END, ID_TIME_NONE } })));
    items.push_back(
        Popup(menutext::kSelectionMenu, Groups({ { ID_SELECTION_COLOUR, ID_SELECTION_INVERT, ID_SELECTION_FRAME } })));
    items.push_back(Command(ID_DATE_FORMAT));
    items.emplace_back();
    items.push_back(Popup(menutext::kColourMenu,
        Groups({ { ID_BACK_COLOUR, ID_HOLIDAY_COLOUR, ID_WEEKDAY_COLOURS, ID_SELECT_COLOUR } })));
    items.push_back(Popup(menutext::kFontMenu,
        Groups({ { ID_FONT_YEAR_MONTH, ID_FONT_WEEKDAY, ID_FONT_DAY_NUMBER, ID_FONT_SCHEDULE }, { ID_FONT_LIST } })));
    items.emplace_back();
    items.push_back(
        Popup(menutext::kListMenu, Groups({ { ID_LIST_SHOW }, { ID_LIST_BOTTOM, ID_LIST_RIGHT, ID_LIST_AUTO } })));
    items.push_back(
        Popup(menutext::kTodoMenu, Groups({ { ID_TODO_ON_TODAY, ID_TODO_ON_DEADLINE }, { ID_TODO_VIEW_ALL } })));
    return items;
}

Items ToolsItems()
{
    return Groups({
        { ID_GENRE_SETTINGS, ID_MEMO, ID_DIARY_FOLDER },
        { ID_OPTIONS, ID_SOFT_KEY_MENU },
    });
}

Items HelpItems()
{
    return Groups({ { ID_HELP }, { ID_APP_ABOUT } });
}

// Every pop-up of the full bar, for narrow screens gathered under one.
Items AllPopups()
{
    return {
        Popup(menutext::kFileMenu, FileItems()),
        Popup(menutext::kEditMenu, EditItems()),
        Popup(menutext::kScheduleMenu, ScheduleItems()),
        Popup(menutext::kGoMenu, GoItems()),
        Popup(menutext::kViewMenu, ViewItems()),
        Popup(menutext::kToolsMenu, ToolsItems()),
        Popup(menutext::kHelpMenu, HelpItems()),
    };
}

Items PortraitPopups()
{
    // The left soft key opens the first pop-up, so it must reach everything.
    Items everything = AllPopups();
    everything.erase(everything.begin() + 2); // the entries have a pop-up of their own
    return {
        Popup(menutext::kMainMenu, std::move(everything)),
        Popup(menutext::kScheduleMenu, ScheduleItems()),
    };
}

Items SmallLandscapePopups()
{
    // Four short titles leave room for the tool bar on a 320-pixel-wide screen.
    return {
        Popup(menutext::kFileMenu, FileItems()),
        Popup(menutext::kEditMenu, Joined({ EditItems(), ScheduleItems() })),
        Popup(menutext::kViewMenu, Joined({ GoItems(), ViewItems() })),
        Popup(menutext::kToolsMenu, Joined({ ToolsItems(), HelpItems() })),
    };
}

Items SoftKeyPopups()
{
    // The left soft key works on the day, the right one opens the menu, as soft-key programs do.
    Items portrait = PortraitPopups();
    return { portrait[1], portrait[0] };
}

Items ContextPopups()
{
    return {
        Popup(menutext::kListPopupName,
            Groups({
                { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE },
                { ID_SCHEDULE_ADD, ID_TODO_ADD },
                { ID_SCHEDULE_EDIT, ID_SCHEDULE_DETAILS, ID_SCHEDULE_DELETE },
                { ID_SCHEDULE_UP, ID_SCHEDULE_DOWN },
                { ID_LINK_FILE_OPEN },
            })),
        Popup(menutext::kHeadingPopupName,
            Groups({
                { ID_GO_PREVIOUS_MONTH, ID_GO_NEXT_MONTH, ID_GO_TODAY, ID_GO_DATE },
                { ID_MONTH_NUMBERS, ID_MONTH_ENGLISH },
            })),
        Popup(menutext::kMonthPopupName,
            Groups({
                { ID_SCHEDULE_ADD, ID_TODO_ADD, ID_SCHEDULE_EDIT, ID_EDIT_PASTE },
                { ID_DAY_TEXT_COPY },
                { ID_GO_DATE, ID_GO_TODAY },
            })),
    };
}

const std::vector<MenuResource>& Menus()
{
    static const std::vector<MenuResource> menus {
        { menuid::kLandscape, AllPopups() },
        { menuid::kPortrait, PortraitPopups() },
        { menuid::kContext, ContextPopups() },
        { menuid::kSmallLandscape, SmallLandscapePopups() },
        { menuid::kSoftKeys, SoftKeyPopups() },
    };
    return menus;
}

const MenuItem* FindIn(const std::vector<MenuItem>& items, int command)
{
    for (const MenuItem& item : items) {
        if (item.IsPopup()) {
            if (const MenuItem* found = FindIn(item.children, command))
                return found;
        } else if (item.id == command && command != 0) {
            return &item;
        }
    }
    return nullptr;
}

using modifier::kAlt;
using modifier::kControl;
using modifier::kNone;
using modifier::kShift;

constexpr Accelerator kMainAccelerators[] = {
    { Key::A, kControl, ID_SCHEDULE_ADD },
    { Key::C, kControl, ID_EDIT_COPY },
    { Key::Insert, kControl, ID_EDIT_COPY },
    { Key::N, kControl, ID_FILE_NEW },
    { Key::O, kControl, ID_FILE_OPEN },
    { Key::S, kControl, ID_FILE_SAVE },
    { Key::T, kControl, ID_TODO_ADD },
    { Key::V, kControl, ID_EDIT_PASTE },
    { Key::Insert, kShift, ID_EDIT_PASTE },
    { Key::X, kControl, ID_EDIT_CUT },
    { Key::Delete, kShift, ID_EDIT_CUT },
    { Key::Z, kControl, ID_EDIT_UNDO },
    { Key::Backspace, kAlt, ID_EDIT_UNDO },
    { Key::Delete, kNone, ID_SCHEDULE_DELETE },
    { Key::Home, kNone, ID_GO_TODAY },
    { Key::PageDown, kNone, ID_GO_NEXT_MONTH },
    { Key::PageUp, kNone, ID_GO_PREVIOUS_MONTH },
    { Key::Enter, kNone, ID_SCHEDULE_EDIT },
    { Key::Enter, kShift, ID_LINK_FILE_OPEN },
    { Key::Left, kControl, ID_TO_MONTH_VIEW },
    { Key::Up, kControl, ID_TO_MONTH_VIEW },
    { Key::Right, kControl, ID_TO_SCHEDULE_LIST },
    { Key::Down, kControl, ID_TO_SCHEDULE_LIST },
    { Key::F6, kNone, ID_NEXT_PANE },
    { Key::F6, kShift, ID_PREV_PANE },
};

constexpr ToolButton kSeparator { 0, "" };

constexpr ToolButton kPortraitToolBar[] = {
    kSeparator,
    { ID_FILE_SAVE, "save" },
    kSeparator,
    { ID_EDIT_PASTE, "paste" },
    kSeparator,
    { ID_GO_PREVIOUS_MONTH, "previous-month" },
    { ID_GO_TODAY, "today" },
    { ID_GO_NEXT_MONTH, "next-month" },
    kSeparator,
    { ID_SCHEDULE_ADD, "add-schedule" },
    { ID_TODO_ADD, "add-todo" },
    { ID_SCHEDULE_EDIT, "edit" },
    kSeparator,
    { ID_FIND_NEXT, "find-next" },
    kSeparator,
};

constexpr ToolButton kLandscapeToolBar[] = {
    kSeparator,
    { ID_FILE_SAVE, "save" },
    kSeparator,
    { ID_EDIT_PASTE, "paste" },
    kSeparator,
    { ID_GO_PREVIOUS_MONTH, "previous-month" },
    { ID_GO_TODAY, "today" },
    { ID_GO_NEXT_MONTH, "next-month" },
    kSeparator,
    { ID_SCHEDULE_ADD, "add-schedule" },
    { ID_TODO_ADD, "add-todo" },
    { ID_SCHEDULE_EDIT, "edit" },
    kSeparator,
    { ID_EDIT_FIND, "find" },
    { ID_FIND_NEXT, "find-next" },
    { ID_FIND_PREVIOUS, "find-previous" },
    kSeparator,
    { ID_HELP, "help" },
    kSeparator,
};

} // namespace

const MenuResource* FindMenu(int id)
{
    for (const MenuResource& menu : Menus()) {
        if (menu.id == id)
            return &menu;
    }
    return nullptr;
}

const MenuItem* FindCommand(const MenuResource& menu, int command)
{
    return FindIn(menu.items, command);
}

std::u16string_view CommandText(int command)
{
    for (const CommandName& name : kCommandTexts) {
        if (name.id == command)
            return name.text;
    }
    return {};
}

int MenuForScreen(int width, int height, bool softKeyMenu)
{
    if (softKeyMenu)
        return menuid::kSoftKeys;
    if (width < height)
        return menuid::kPortrait;
    if (width < 321)
        return menuid::kSmallLandscape;
    return menuid::kLandscape;
}

std::span<const Accelerator> MainAccelerators()
{
    return kMainAccelerators;
}

int CommandForKey(Key key, unsigned modifiers)
{
    for (const Accelerator& accelerator : kMainAccelerators) {
        if (accelerator.key == key && accelerator.modifiers == modifiers)
            return accelerator.command;
    }
    return 0;
}

std::span<const ToolButton> PortraitToolBar()
{
    return kPortraitToolBar;
}

std::span<const ToolButton> LandscapeToolBar()
{
    return kLandscapeToolBar;
}

} // namespace kal
