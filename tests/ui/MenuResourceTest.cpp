#include "ui/MenuResource.h"
#include "platform/Text.h"
#include "ui/CommandIds.h"
#include "ui/Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kal {
namespace {

constexpr int kMenuIds[]
    = { menuid::kLandscape, menuid::kPortrait, menuid::kContext, menuid::kSmallLandscape, menuid::kSoftKeys };

using PopupVisitor = std::function<void(const std::vector<MenuItem>& items, const std::string& where)>;

// Visits a menu's bar and every pop-up below it, naming each by its path for failure messages.
void ForEachPopup(const std::vector<MenuItem>& items, const std::string& where, const PopupVisitor& visit)
{
    visit(items, where);
    for (const MenuItem& item : items) {
        if (item.IsPopup())
            ForEachPopup(item.children, where + " > " + ToUtf8(item.text), visit);
    }
}

void ForEachPopup(const MenuResource& menu, const PopupVisitor& visit)
{
    ForEachPopup(menu.items, "menu " + std::to_string(menu.id), visit);
}

void CollectCommands(const std::vector<MenuItem>& items, std::vector<int>& commands)
{
    for (const MenuItem& item : items) {
        if (item.IsPopup())
            CollectCommands(item.children, commands);
        else if (!item.IsSeparator())
            commands.push_back(item.id);
    }
}

std::vector<int> CommandsIn(const std::vector<MenuItem>& items)
{
    std::vector<int> commands;
    CollectCommands(items, commands);
    return commands;
}

std::set<int> CommandSet(int menuId)
{
    const std::vector<int> commands = CommandsIn(FindMenu(menuId)->items);
    return { commands.begin(), commands.end() };
}

const MenuResource& Menu(int id)
{
    const MenuResource* menu = FindMenu(id);
    EXPECT_NE(menu, nullptr) << id;
    static const MenuResource empty;
    return menu ? *menu : empty;
}

// The mnemonic letter of a menu text, upper-cased; 0 when it has none. "&&" is a plain "&".
char16_t Mnemonic(std::u16string_view text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        const char16_t letter = text[i + 1];
        return letter >= u'a' && letter <= u'z' ? static_cast<char16_t>(letter - u'a' + u'A') : letter;
    }
    return 0;
}

TEST(MenuResourceTest, TheFiveMenusExistAndNothingElse)
{
    for (const int id : kMenuIds) {
        const MenuResource* menu = FindMenu(id);
        ASSERT_NE(menu, nullptr) << id;
        EXPECT_EQ(menu->id, id);
        EXPECT_FALSE(menu->items.empty()) << id;
        for (const MenuItem& item : menu->items)
            EXPECT_TRUE(item.IsPopup()) << "menu " << id << " has a bare item " << ToUtf8(item.text);
    }
    EXPECT_EQ(FindMenu(0), nullptr);
    EXPECT_EQ(FindMenu(130), nullptr);
    EXPECT_EQ(FindMenu(135), nullptr);
}

TEST(MenuResourceTest, EveryItemIsACommandWithItsTextAPopupOrASeparator)
{
    for (const int id : kMenuIds) {
        ForEachPopup(Menu(id), [](const std::vector<MenuItem>& items, const std::string& where) {
            for (const MenuItem& item : items) {
                if (item.IsSeparator()) {
                    EXPECT_TRUE(item.children.empty()) << where;
                } else if (item.IsPopup()) {
                    EXPECT_EQ(item.id, 0) << where;
                    EXPECT_FALSE(item.text.empty()) << where;
                } else {
                    EXPECT_NE(item.id, 0) << where << ": " << ToUtf8(item.text);
                    EXPECT_FALSE(item.text.empty()) << where << ": command " << item.id << " has no text";
                    // A command reads the same wherever it is offered.
                    EXPECT_EQ(ToUtf8(item.text), ToUtf8(CommandText(item.id))) << where << ": command " << item.id;
                }
            }
        });
    }
}

TEST(MenuResourceTest, SeparatorsOnlyStandBetweenItems)
{
    for (const int id : kMenuIds) {
        ForEachPopup(Menu(id), [](const std::vector<MenuItem>& items, const std::string& where) {
            ASSERT_FALSE(items.empty()) << where;
            EXPECT_FALSE(items.front().IsSeparator()) << where << " starts with a separator";
            EXPECT_FALSE(items.back().IsSeparator()) << where << " ends with a separator";
            for (std::size_t i = 1; i < items.size(); ++i)
                EXPECT_FALSE(items[i - 1].IsSeparator() && items[i].IsSeparator()) << where << " at " << i;
        });
    }
}

TEST(MenuResourceTest, NoPopupRepeatsACommandOrAMnemonic)
{
    for (const int id : kMenuIds) {
        ForEachPopup(Menu(id), [](const std::vector<MenuItem>& items, const std::string& where) {
            std::set<int> commands;
            std::set<char16_t> mnemonics;
            for (const MenuItem& item : items) {
                if (!item.IsSeparator() && !item.IsPopup()) {
                    EXPECT_TRUE(commands.insert(item.id).second) << where << ": command " << item.id << " twice";
                }
                const char16_t mnemonic = Mnemonic(item.text);
                if (mnemonic != 0) {
                    EXPECT_TRUE(mnemonics.insert(mnemonic).second)
                        << where << ": mnemonic of " << ToUtf8(item.text) << " taken";
                }
            }
        });
    }
}

TEST(MenuResourceTest, EveryScreenOffersTheSameCommands)
{
    const std::set<int> landscape = CommandSet(menuid::kLandscape);
    EXPECT_EQ(CommandSet(menuid::kPortrait), landscape);
    EXPECT_EQ(CommandSet(menuid::kSmallLandscape), landscape);
    EXPECT_EQ(CommandSet(menuid::kSoftKeys), landscape);
    for (const int command : CommandSet(menuid::kContext))
        EXPECT_TRUE(landscape.contains(command)) << "context command " << command << " missing from the menu bar";
}

TEST(MenuResourceTest, EveryMenuKeyAndButtonNamesADefinedCommand)
{
    const auto defined = [](int command, const std::string& where) {
        const CommandDefinition* definition = FindCommandDefinition(command);
        EXPECT_NE(definition, nullptr) << where << ": command " << command << " has no definition";
        return definition;
    };
    for (const int id : kMenuIds) {
        for (const int command : CommandsIn(Menu(id).items)) {
            if (const CommandDefinition* definition = defined(command, "menu " + std::to_string(id))) {
                EXPECT_FALSE(definition->text.empty()) << "menu " << id << ": command " << command;
            }
        }
    }
    const MenuResource& landscape = Menu(menuid::kLandscape);
    for (const Accelerator& accelerator : MainAccelerators()) {
        defined(accelerator.command, "key");
        // A key must also be findable in the menu, where the user learns it.
        EXPECT_NE(FindCommand(landscape, accelerator.command), nullptr) << "key command " << accelerator.command;
    }
    for (const auto toolBar : { PortraitToolBar(), LandscapeToolBar() }) {
        for (const int command : toolBar) {
            if (command == 0)
                continue;
            if (const CommandDefinition* definition = defined(command, "tool bar")) {
                EXPECT_FALSE(definition->icon.empty()) << "button " << command << " has no icon";
            }
            EXPECT_NE(FindCommand(landscape, command), nullptr) << "button command " << command;
        }
    }
}

TEST(MenuResourceTest, EachCommandIsDefinedOnce)
{
    std::set<int> ids;
    for (const CommandDefinition& definition : CommandDefinitions()) {
        EXPECT_NE(definition.id, 0);
        EXPECT_TRUE(ids.insert(definition.id).second) << "command " << definition.id << " defined twice";
        EXPECT_EQ(FindCommandDefinition(definition.id), &definition);
    }
    EXPECT_EQ(FindCommandDefinition(0), nullptr);
    EXPECT_TRUE(CommandText(1).empty());
    EXPECT_TRUE(CommandIcon(ID_FILE_NEW).empty());
}

TEST(MenuResourceTest, TimeDisplayItemsRunInModeOrder)
{
    // The views set mode = command - ID_TIME_PER_ENTRY, so the five items must be consecutive.
    const MenuResource& landscape = Menu(menuid::kLandscape);
    const std::u16string modes[] = { u"スケジュールごとの設定", u"開始・終了", u"開始のみ", u"終了のみ", u"表示せず" };
    for (int mode = 0; mode < 5; ++mode) {
        const MenuItem* item = FindCommand(landscape, ID_TIME_PER_ENTRY + mode);
        ASSERT_NE(item, nullptr) << mode;
        EXPECT_EQ(item->text, modes[mode]) << mode;
    }
    EXPECT_EQ(ID_TIME_NONE, ID_TIME_PER_ENTRY + 4);
    // Commands sent between windows have no item.
    EXPECT_EQ(FindCommand(landscape, ID_DAY_LIST_REFILL), nullptr);
    EXPECT_TRUE(CommandText(ID_DAY_LIST_REFILL).empty());
}

TEST(MenuResourceTest, ContextPopupsForTheListAndTheMonth)
{
    const MenuResource& context = Menu(menuid::kContext);
    ASSERT_EQ(context.items.size(), 3U);
    EXPECT_EQ(context.items[kListPopup].text, u"LIST");
    EXPECT_EQ(context.items[kMonthPopup].text, u"MONTH");

    const std::vector<int> list { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_SCHEDULE_ADD, ID_TODO_ADD,
        ID_SCHEDULE_EDIT, ID_SCHEDULE_DETAILS, ID_SCHEDULE_DELETE, ID_SCHEDULE_UP, ID_SCHEDULE_DOWN, ID_LINK_FILE_OPEN,
        ID_EDIT_UNDO, ID_EDIT_REDO };
    EXPECT_EQ(CommandsIn(context.items[kListPopup].children), list);

    const std::vector<int> month { ID_SCHEDULE_ADD, ID_TODO_ADD, ID_SCHEDULE_EDIT, ID_EDIT_PASTE, ID_DAY_TEXT_COPY,
        ID_GO_DATE, ID_GO_TODAY, ID_EDIT_UNDO, ID_EDIT_REDO };
    EXPECT_EQ(CommandsIn(context.items[kMonthPopup].children), month);
}

TEST(MenuResourceTest, SoftKeyPopupsReachEverything)
{
    // The left soft key opens the portrait bar's first pop-up: it must hold all but the day's entries,
    // which have the second.
    const MenuResource& portrait = Menu(menuid::kPortrait);
    ASSERT_EQ(portrait.items.size(), 2U);
    const std::vector<int> first = CommandsIn(portrait.items[0].children);
    for (const int command : { ID_FILE_SAVE, ID_APP_EXIT, ID_OPTIONS, ID_HELP, ID_GO_TODAY, ID_TIME_NONE })
        EXPECT_NE(std::find(first.begin(), first.end(), command), first.end()) << command;

    const MenuResource& softKeys = Menu(menuid::kSoftKeys);
    ASSERT_EQ(softKeys.items.size(), 2U);
    EXPECT_EQ(softKeys.items[0].text, portrait.items[1].text);
    EXPECT_EQ(softKeys.items[1].text, portrait.items[0].text);
}

TEST(MenuResourceTest, MenuForScreenFollowsTheShapeAndTheSoftKeys)
{
    struct Case {
        int width;
        int height;
        bool softKeys;
        int menu;
    };
    const Case cases[] = {
        { 240, 320, false, 129 },
        { 320, 240, false, 137 },
        { 640, 480, false, 128 },
        { 240, 320, true, 138 },
        { 640, 480, true, 138 },
        { 320, 320, false, 137 }, // square is not narrower than high
        { 321, 240, false, 128 },
        { 480, 640, false, 129 },
        { 1920, 1080, false, 128 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuForScreen(c.width, c.height, c.softKeys), c.menu) << c.width << "x" << c.height;
}

TEST(MenuResourceTest, NoTwoAcceleratorsShareAKey)
{
    const auto accelerators = MainAccelerators();
    EXPECT_EQ(accelerators.size(), 28U);
    std::set<std::pair<Key, unsigned>> keys;
    for (const Accelerator& accelerator : accelerators) {
        EXPECT_TRUE(keys.insert({ accelerator.key, accelerator.modifiers }).second)
            << "key " << static_cast<int>(accelerator.key) << " with " << accelerator.modifiers << " bound twice";
        EXPECT_EQ(CommandForKey(accelerator.key, accelerator.modifiers), accelerator.command);
    }
}

TEST(MenuResourceTest, CommandKeysGivesEveryKeyOfACommandInTableOrder)
{
    using namespace modifier;
    const std::vector<Accelerator> undo = CommandKeys(ID_EDIT_UNDO);
    ASSERT_EQ(undo.size(), 2U);
    EXPECT_EQ(undo[0].key, Key::Z);
    EXPECT_EQ(undo[0].modifiers, kControl);
    EXPECT_EQ(undo[1].key, Key::Backspace);
    EXPECT_EQ(undo[1].modifiers, kAlt);
    EXPECT_TRUE(CommandKeys(ID_OPTIONS).empty());
}

TEST(MenuResourceTest, CommandForKeyNeedsTheExactModifiers)
{
    using namespace modifier;
    EXPECT_EQ(CommandForKey(Key::Insert, kShift), ID_EDIT_PASTE);
    EXPECT_EQ(CommandForKey(Key::Insert, kControl), ID_EDIT_COPY);
    EXPECT_EQ(CommandForKey(Key::Delete, kShift), ID_EDIT_CUT);
    EXPECT_EQ(CommandForKey(Key::Delete, kNone), ID_SCHEDULE_DELETE);
    EXPECT_EQ(CommandForKey(Key::Backspace, kAlt), ID_EDIT_UNDO);
    EXPECT_EQ(CommandForKey(Key::F6, kNone), ID_NEXT_PANE);
    EXPECT_EQ(CommandForKey(Key::F6, kShift), ID_PREV_PANE);
    EXPECT_EQ(CommandForKey(Key::F1, kNone), ID_HELP);
    EXPECT_EQ(CommandForKey(Key::Enter, kNone), ID_SCHEDULE_EDIT);
    EXPECT_EQ(CommandForKey(Key::Enter, kShift), ID_LINK_FILE_OPEN);
    EXPECT_EQ(CommandForKey(Key::Up, kControl), ID_TO_MONTH_VIEW);
    EXPECT_EQ(CommandForKey(Key::Down, kControl), ID_TO_SCHEDULE_LIST);
    EXPECT_EQ(CommandForKey(Key::A, kControl), ID_SCHEDULE_ADD);
    EXPECT_EQ(CommandForKey(Key::T, kControl), ID_TODO_ADD);

    EXPECT_EQ(CommandForKey(Key::A, kNone), 0);
    EXPECT_EQ(CommandForKey(Key::A, kControl | kShift), 0);
    EXPECT_EQ(CommandForKey(Key::Enter, kControl), 0);
    EXPECT_EQ(CommandForKey(Key::Insert, kNone), 0);
    EXPECT_EQ(CommandForKey(Key::F6, kControl), 0);
    // Plain arrows move the selection in the view that has the keyboard, not through the table.
    EXPECT_EQ(CommandForKey(Key::Left, kNone), 0);
    EXPECT_EQ(CommandForKey(Key::Down, kNone), 0);
}

void ExpectWellFormed(std::span<const int> toolBar, const char* name)
{
    ASSERT_FALSE(toolBar.empty()) << name;
    EXPECT_EQ(toolBar.front(), 0) << name;
    EXPECT_EQ(toolBar.back(), 0) << name;
    std::set<std::string_view> icons;
    for (std::size_t i = 0; i < toolBar.size(); ++i) {
        if (toolBar[i] == 0) {
            if (i > 0) {
                EXPECT_NE(toolBar[i - 1], 0) << name << ": two separators at " << i;
            }
            continue;
        }
        EXPECT_TRUE(icons.insert(CommandIcon(toolBar[i])).second) << name << ": icon of " << toolBar[i] << " twice";
    }
}

TEST(MenuResourceTest, ToolBarsAreWellFormed)
{
    ExpectWellFormed(PortraitToolBar(), "portrait");
    ExpectWellFormed(LandscapeToolBar(), "landscape");
    EXPECT_EQ(PortraitToolBar().size(), 17U);
    EXPECT_EQ(LandscapeToolBar().size(), 21U);
}

TEST(MenuResourceTest, PortraitToolBarIsTheLandscapeOneWithoutFindAndHelp)
{
    // Taking find, find previous and help (with the separator before help) out of the landscape bar
    // leaves the portrait bar, in the same order.
    std::vector<int> reduced;
    for (const int command : LandscapeToolBar()) {
        if (command == ID_EDIT_FIND || command == ID_FIND_PREVIOUS || command == ID_HELP)
            continue;
        if (command == 0 && !reduced.empty() && reduced.back() == 0)
            continue;
        reduced.push_back(command);
    }
    const auto portrait = PortraitToolBar();
    EXPECT_EQ(reduced, std::vector<int>(portrait.begin(), portrait.end()));
}

} // namespace
} // namespace kal
