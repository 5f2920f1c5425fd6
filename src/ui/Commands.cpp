#include "ui/Commands.h"

#include "ui/CommandIds.h"
#include "ui/MenuTexts.h"

#include <algorithm>

namespace kal {
namespace {

// One row per command. A menu, tool bar or key that names an id missing here is a mistake the
// resource tests catch.
constexpr CommandDefinition kDefinitions[] = {
    { ID_FILE_NEW, menutext::kNew, {} },
    { ID_FILE_OPEN, menutext::kOpen, {} },
    { ID_FILE_SAVE, menutext::kSave, "save" },
    { ID_FILE_SAVE_AS, menutext::kSaveAs, {} },
    { ID_FILE_MRU_FILE1, menutext::kRecentFiles, {} },
    { ID_FILE_RELOAD, menutext::kReload, {} },
    { ID_FILE_CHECK_UPDATE, menutext::kCheckUpdate, {} },
    { ID_FILE_ASSOCIATE, menutext::kAssociate, {} },
    { ID_TEXT_COPY, menutext::kTextCopy, {} },
    { ID_OUTLOOK_EXPORT, menutext::kOutlookExport, {} },
    { ID_OUTLOOK_IMPORT, menutext::kOutlookImport, {} },
    { ID_OUTLOOK_ADD, menutext::kOutlookAdd, {} },
    { ID_ICAL_EXPORT, menutext::kIcalExport, {} },
    { ID_ICAL_IMPORT, menutext::kIcalImport, {} },
    { ID_APP_EXIT, menutext::kExit, {} },

    { ID_EDIT_UNDO, menutext::kUndo, "undo" },
    { ID_EDIT_REDO, menutext::kRedo, "redo" },
    { ID_EDIT_CUT, menutext::kCut, {} },
    { ID_EDIT_COPY, menutext::kCopy, {} },
    { ID_EDIT_PASTE, menutext::kPaste, "paste" },
    { ID_EDIT_FIND, menutext::kFind, "find" },
    { ID_FIND_NEXT, menutext::kFindNext, "find-next" },
    { ID_FIND_PREVIOUS, menutext::kFindPrevious, "find-previous" },

    { ID_SCHEDULE_ADD, menutext::kScheduleAdd, "add-schedule" },
    { ID_TODO_ADD, menutext::kTodoAdd, "add-todo" },
    { ID_SCHEDULE_EDIT, menutext::kScheduleEdit, "edit" },
    { ID_SCHEDULE_DETAILS, menutext::kScheduleDetails, {} },
    { ID_SCHEDULE_DELETE, menutext::kScheduleDelete, {} },
    { ID_SCHEDULE_UP, menutext::kScheduleUp, {} },
    { ID_SCHEDULE_DOWN, menutext::kScheduleDown, {} },
    { ID_SCHEDULE_COPY_SERIES, menutext::kScheduleCopySeries, {} },
    { ID_LINK_FILE_OPEN, menutext::kLinkFileOpen, {} },
    { ID_DIARY_EDIT, menutext::kDiaryEdit, {} },
    { ID_DAY_TEXT_COPY, menutext::kDayTextCopy, {} },
    { ID_DAY_COLOUR, menutext::kDayColour, {} },
    { ID_DAY_COLOUR_CLEAR, menutext::kDayColourClear, {} },

    { ID_GO_TODAY, menutext::kGoToday, "today" },
    { ID_GO_DATE, menutext::kGoDate, {} },
    { ID_GO_DAYS_AFTER, menutext::kGoDaysAfter, {} },
    { ID_GO_NEXT_MONTH, menutext::kGoNextMonth, "next-month" },
    { ID_GO_PREVIOUS_MONTH, menutext::kGoPreviousMonth, "previous-month" },
    { ID_GO_NEXT_WEEK, menutext::kGoNextWeek, {} },
    { ID_GO_PREVIOUS_WEEK, menutext::kGoPreviousWeek, {} },
    { ID_GO_NEXT_DAY, menutext::kGoNextDay, {} },
    { ID_GO_PREVIOUS_DAY, menutext::kGoPreviousDay, {} },
    { ID_TO_MONTH_VIEW, menutext::kToMonthView, {} },
    { ID_TO_SCHEDULE_LIST, menutext::kToScheduleList, {} },
    { ID_SWITCH_VIEW, menutext::kSwitchView, {} },
    { ID_NEXT_PANE, menutext::kNextPane, {} },
    { ID_PREV_PANE, menutext::kPreviousPane, {} },

    { ID_MONTH_NUMBERS, menutext::kMonthNumbers, {} },
    { ID_MONTH_ENGLISH, menutext::kMonthEnglish, {} },
    { ID_JAPANESE_WEEKDAYS, menutext::kJapaneseWeekdays, {} },
    { ID_START_MONDAY, menutext::kStartMonday, {} },
    { ID_SIX_WEEKS, menutext::kSixWeeks, {} },
    { ID_MONTH_SCHEDULES, menutext::kMonthSchedules, {} },
    { ID_OTHER_MONTH_COLOUR, menutext::kOtherMonthColour, {} },
    { ID_MULTILINE, menutext::kMultiline, {} },
    { ID_MULTI_DAY_BARS, menutext::kMultiDayBars, {} },
    { ID_DATE_FORMAT, menutext::kDateFormat, {} },
    { ID_SELECTION_COLOUR, menutext::kSelectionColour, {} },
    { ID_SELECTION_INVERT, menutext::kSelectionInvert, {} },
    { ID_SELECTION_FRAME, menutext::kSelectionFrame, {} },
    { ID_TIME_PER_ENTRY, menutext::kTimePerEntry, {} },
    { ID_TIME_START_END, menutext::kTimeStartEnd, {} },
    { ID_TIME_START, menutext::kTimeStart, {} },
    { ID_TIME_END, menutext::kTimeEnd, {} },
    { ID_TIME_NONE, menutext::kTimeNone, {} },
    { ID_BACK_COLOUR, menutext::kBackColour, {} },
    { ID_SELECT_COLOUR, menutext::kSelectColour, {} },
    { ID_WEEKDAY_COLOURS, menutext::kWeekdayColours, {} },
    { ID_HOLIDAY_COLOUR, menutext::kHolidayColour, {} },
    { ID_FONT_YEAR_MONTH, menutext::kFontYearMonth, {} },
    { ID_FONT_WEEKDAY, menutext::kFontWeekday, {} },
    { ID_FONT_DAY_NUMBER, menutext::kFontDayNumber, {} },
    { ID_FONT_SCHEDULE, menutext::kFontSchedule, {} },
    { ID_FONT_LIST, menutext::kFontList, {} },
    { ID_LIST_SHOW, menutext::kListShow, {} },
    { ID_LIST_BOTTOM, menutext::kListBottom, {} },
    { ID_LIST_RIGHT, menutext::kListRight, {} },
    { ID_LIST_AUTO, menutext::kListAuto, {} },
    { ID_TODO_ON_TODAY, menutext::kTodoOnToday, {} },
    { ID_TODO_ON_DEADLINE, menutext::kTodoOnDeadline, {} },
    { ID_TODO_VIEW_ALL, menutext::kTodoViewAll, {} },

    { ID_GENRE_SETTINGS, menutext::kGenreSettings, {} },
    { ID_MEMO, menutext::kMemo, {} },
    { ID_DIARY_FOLDER, menutext::kDiaryFolder, {} },
    { ID_SOFT_KEY_MENU, menutext::kSoftKeyMenu, {} },
    { ID_OPTIONS, menutext::kOptions, {} },
    { ID_HELP, menutext::kHelp, "help" },
    { ID_APP_ABOUT, menutext::kAbout, {} },

    // Sent between windows, never chosen.
    { ID_MENU_KEY, {}, {} },
    { ID_VIEW_INITIALISE, {}, {} },
    { ID_DAY_LIST_REFILL, {}, {} },
};

} // namespace

std::span<const CommandDefinition> CommandDefinitions()
{
    return kDefinitions;
}

const CommandDefinition* FindCommandDefinition(int id)
{
    const auto found = std::find_if(std::begin(kDefinitions), std::end(kDefinitions),
        [id](const CommandDefinition& definition) { return definition.id == id; });
    return found == std::end(kDefinitions) ? nullptr : found;
}

std::u16string_view CommandText(int command)
{
    const CommandDefinition* definition = FindCommandDefinition(command);
    return definition ? definition->text : std::u16string_view {};
}

std::string_view CommandIcon(int command)
{
    const CommandDefinition* definition = FindCommandDefinition(command);
    return definition ? definition->icon : std::string_view {};
}

} // namespace kal
