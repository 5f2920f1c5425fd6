#include "ui/MenuResource.h"

#include "ui/CommandIds.h"
#include "ui/Commands.h"
#include "ui/MenuTexts.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace kal {
namespace {

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
        { ID_ICAL_EXPORT, ID_ICAL_IMPORT },
        { ID_FILE_ASSOCIATE },
        { ID_FILE_MRU_FILE1 },
        { ID_APP_EXIT },
    });
}

Items EditItems()
{
    return Groups({
        { ID_EDIT_UNDO, ID_EDIT_REDO },
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
    for (const int id : { ID_MONTH_SCHEDULES, ID_MULTILINE, ID_MULTI_DAY_BARS, ID_OTHER_MONTH_COLOUR })
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
            // Undo and redo come last: the items above keep the places users know them at.
            Groups({
                { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE },
                { ID_SCHEDULE_ADD, ID_TODO_ADD },
                { ID_SCHEDULE_EDIT, ID_SCHEDULE_DETAILS, ID_SCHEDULE_DELETE },
                { ID_SCHEDULE_UP, ID_SCHEDULE_DOWN },
                { ID_LINK_FILE_OPEN },
                { ID_EDIT_UNDO, ID_EDIT_REDO },
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
                { ID_EDIT_UNDO, ID_EDIT_REDO },
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
    { Key::Y, kControl, ID_EDIT_REDO },
    { Key::Z, kControl | kShift, ID_EDIT_REDO },
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
    // The desktop's own key for help.
    { Key::F1, kNone, ID_HELP },
};

// 0 stands for a separator; a button shows its command's icon.
constexpr int kSeparator = 0;

constexpr int kPortraitToolBar[] = {
    kSeparator,
    ID_FILE_SAVE,
    kSeparator,
    ID_EDIT_UNDO,
    ID_EDIT_REDO,
    ID_EDIT_PASTE,
    kSeparator,
    ID_GO_PREVIOUS_MONTH,
    ID_GO_TODAY,
    ID_GO_NEXT_MONTH,
    kSeparator,
    ID_SCHEDULE_ADD,
    ID_TODO_ADD,
    ID_SCHEDULE_EDIT,
    kSeparator,
    ID_FIND_NEXT,
    kSeparator,
};

constexpr int kLandscapeToolBar[] = {
    kSeparator,
    ID_FILE_SAVE,
    kSeparator,
    ID_EDIT_UNDO,
    ID_EDIT_REDO,
    ID_EDIT_PASTE,
    kSeparator,
    ID_GO_PREVIOUS_MONTH,
    ID_GO_TODAY,
    ID_GO_NEXT_MONTH,
    kSeparator,
    ID_SCHEDULE_ADD,
    ID_TODO_ADD,
    ID_SCHEDULE_EDIT,
    kSeparator,
    ID_EDIT_FIND,
    ID_FIND_NEXT,
    ID_FIND_PREVIOUS,
    kSeparator,
    ID_HELP,
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

std::vector<Accelerator> CommandKeys(int command)
{
    std::vector<Accelerator> keys;
    std::copy_if(std::begin(kMainAccelerators), std::end(kMainAccelerators), std::back_inserter(keys),
        [command](const Accelerator& accelerator) { return accelerator.command == command; });
    return keys;
}

int CommandForKey(Key key, unsigned modifiers)
{
    for (const Accelerator& accelerator : kMainAccelerators) {
        if (accelerator.key == key && accelerator.modifiers == modifiers)
            return accelerator.command;
    }
    return 0;
}

std::span<const int> PortraitToolBar()
{
    return kPortraitToolBar;
}

std::span<const int> LandscapeToolBar()
{
    return kLandscapeToolBar;
}

} // namespace kal
