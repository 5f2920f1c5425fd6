#include "TestEnvironment.h"

#include "app/DocumentViews.h"
#include "dialogs/AlarmDialog.h"
#include "dialogs/AvoidDayDialog.h"
#include "dialogs/ContinuousCopyDialog.h"
#include "dialogs/DiaryFolderDialog.h"
#include "dialogs/GenreDialog.h"
#include "dialogs/GenreEditDialog.h"
#include "dialogs/LinkSettingsDialog.h"
#include "dialogs/MemoDialog.h"
#include "dialogs/MemoSheet.h"
#include "dialogs/OccurrenceDialog.h"
#include "dialogs/RepeatDeleteDialog.h"
#include "dialogs/ScheduleDialog.h"
#include "dialogs/TodoDialog.h"
#include "platform/Clipboard.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/ExchangeTexts.h"
#include "store/OperationNames.h"
#include "store/RepeatExpansion.h"
#include "store/ScheduleFile.h"
#include "support/MemoryDialogHost.h"
#include "ui/CommandIds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace kal {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;

// Undo and redo of every kind of change, made the way the user makes it: through the views'
// commands and the dialogs they open.
class UndoTest : public test::TestEnvironment {
protected:
    UndoTest()
        : views_(genres_)
    {
        CKalField general;
        general.name = u"一般";
        genres_.Append(general);
    }

    // A document from the template (its holidays) with genres, day colours, a memo page and entries
    // on the selected day, 2026/12/07: a meeting, a weekly series and a to-do; then nothing to undo
    // and nothing to save.
    void Seed()
    {
        views_.document.NewDocument();
        CKalStore& store = Store();
        store.genres.Clear();
        for (const auto& [name, colour] : { std::pair { u"一般", kRed }, { u"仕事", kGreen }, { u"私用", kBlue } }) {
            CKalField genre;
            genre.name = name;
            genre.colour = colour;
            genre.visible = 1;
            store.genres.Append(genre);
        }
        for (const char16_t* day : { u"2026/12/01", u"2026/12/07", u"2026/12/20" })
            store.SetDayColour(day, DayColour { kGreen, {} });
        store.memos.push_back(std::make_unique<CMemoData>(CMemoData { u"メモ", u"一行目" }));
        Add(u"会議", CDTime(2026, 12, 7, 10, 0), 1, kGreen);
        CKalData& series = Add(u"定例", CDTime(2026, 11, 30, 9, 0), 1, kGreen);
        series.repeatType = repeat::kWeekly;
        series.end = CDTime(2027, 12, 31, 10, 0); // a series ends on its end's day
        series.weekdays[1] = 1;
        // A to-do the user coloured otherwise than its genre, which unifying the colours recolours.
        Add(u"報告書", CDTime(2026, 12, 7), 2, kGreen).Set(flag::kIsTodo, true);
        views_.month.OnInitialUpdate();
        views_.day.OnInitialUpdate();
        views_.document.SetModified(false);
    }

    CKalData& Add(const char16_t* text, CDTime start, int genre, Colour colour)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = entry->end = start;
        entry->genre = genre;
        entry->colour = colour;
        const LocalFields f = start.Fields();
        if (f.hour != 0) {
            entry->end = CDTime(f.year, f.month, f.day, f.hour + 1, 0);
            entry->Set(flag::kStartTimeSet | flag::kEndTimeSet, true);
        }
        Store().AppendEntry(std::move(entry));
        return Store().Entry(Store().EntryCount() - 1);
    }

    // Selects the day list's row that shows `text`.
    void Select(std::u16string_view text)
    {
        const std::vector<std::u16string>& rows = views_.day.Rows();
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].find(text) != std::u16string::npos) {
                views_.day.OnSelectionChanged(static_cast<int>(row));
                return;
            }
        }
        ADD_FAILURE() << "no row shows " << ToUtf8(text);
    }

    void QueueTyped(int field, std::u16string text)
    {
        ui_.QueueDialog([field, text](DialogLogic&, MemoryDialogHost& host) {
            host.Type(field, text);
            host.Press(kIdOk);
        });
    }

    // The genre dialog with genre `row` chosen, pressing `button`; `inner` answers what it opens.
    void InGenreDialog(int row, int button, std::optional<RecordingUi::DialogScript> inner = {})
    {
        ui_.QueueDialog([row, button](DialogLogic&, MemoryDialogHost& host) {
            host.Choose(genredialog::kList, row);
            host.Press(button);
            host.Press(kIdOk);
        });
        if (inner)
            ui_.QueueDialog(std::move(*inner));
        views_.month.OnCommand(ID_GENRE_SETTINGS);
    }

    std::string Bytes() const { return ScheduleFileBytes(views_.document.Store()).Joined(); }
    CKalStore& Store() { return views_.document.Store(); }

    CKalFieldArray genres_;
    DocumentViews views_;
    test::TemporaryFolder folder_;
};

TEST_F(UndoTest, EveryKindOfChangeIsUndoneToTheSameBytesAndRedoneToTheChangedOnes)
{
    struct Case {
        const char16_t* name;
        std::function<void()> change;
    };
    const Case cases[] = {
        { opname::kAddSchedule,
            [this] {
                QueueTyped(scheduledialog::kContent, u"打ち合わせ");
                views_.month.OnCommand(ID_SCHEDULE_ADD);
            } },
        { opname::kAddTodo,
            [this] {
                QueueTyped(tododialog::kContent, u"買い物");
                views_.day.OnCommand(ID_TODO_ADD);
            } },
        { opname::kEditSchedule,
            [this] {
                Select(u"会議");
                QueueTyped(scheduledialog::kContent, u"会議（延期）");
                views_.day.OnCommand(ID_SCHEDULE_EDIT);
            } },
        { opname::kMemo, // written at once, kept though the dialog is cancelled
            [this] {
                Select(u"会議");
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    host.Press(scheduledialog::kMemo);
                    host.Press(kIdCancel);
                });
                QueueTyped(memodialog::kMemo, u"資料を持参");
                views_.day.OnCommand(ID_SCHEDULE_EDIT);
            } },
        { opname::kAlarm,
            [this] {
                Select(u"会議");
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    host.Press(scheduledialog::kAlarm);
                    host.Press(kIdCancel);
                });
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    if (!host.IsChecked(alarmdialog::kAlarmOn))
                        host.Press(alarmdialog::kAlarmOn);
                    host.Type(alarmdialog::kMinutes, u"45");
                    host.Press(kIdOk);
                });
                views_.day.OnCommand(ID_SCHEDULE_EDIT);
            } },
        { opname::kAvoidDays,
            [this] {
                Select(u"定例");
                // Only the whole series has a stored entry for the button to write into at once.
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(occurrencedialog::kAll); });
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    host.Press(scheduledialog::kAvoidDays);
                    host.Press(kIdCancel);
                });
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    host.Press(avoiddaydialog::kHoliday);
                    host.Press(kIdOk);
                });
                views_.day.OnCommand(ID_SCHEDULE_EDIT);
            } },
        { opname::kDeleteSchedule,
            [this] {
                Select(u"会議");
                ui_.QueueAnswer(true);
                views_.day.OnCommand(ID_SCHEDULE_DELETE);
            } },
        { opname::kDeleteOneDay,
            [this] {
                Select(u"定例");
                ui_.QueueDialog(
                    [](DialogLogic&, MemoryDialogHost& host) { host.Press(repeatdeletedialog::kThisDayOnly); });
                views_.day.OnCommand(ID_SCHEDULE_DELETE);
            } },
        { opname::kDeleteTodo,
            [this] {
                Select(u"報告書");
                ui_.QueueAnswer(true);
                views_.day.OnCommand(ID_SCHEDULE_DELETE);
            } },
        { opname::kCut,
            [this] {
                Select(u"会議");
                views_.day.OnCommand(ID_EDIT_CUT);
            } },
        { opname::kPaste,
            [this] {
                Clipboard::Current().SetText(u"歯医者");
                views_.month.OnCommand(ID_EDIT_PASTE);
            } },
        { opname::kContinuousCopy,
            [this] {
                Select(u"会議");
                ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                    host.Choose(continuouscopydialog::kUnit, static_cast<int>(ContinuousCopy::Unit::Day));
                    host.Type(continuouscopydialog::kInterval, u"1");
                    host.Type(continuouscopydialog::kCount, u"3");
                    host.Press(kIdOk);
                });
                views_.day.OnCommand(ID_SCHEDULE_COPY_SERIES);
            } },
        { opname::kMoveDown,
            [this] {
                views_.day.OnSelectionChanged(0);
                views_.day.OnCommand(ID_SCHEDULE_DOWN);
            } },
        { opname::kDayColour,
            [this] {
                ui_.QueueColour(kRed);
                views_.month.OnCommand(ID_DAY_COLOUR);
            } },
        { opname::kDayColourClear, // the middle one of three: it must come back to its place
            [this] {
                ui_.QueueAnswer(true);
                views_.month.OnCommand(ID_DAY_COLOUR_CLEAR);
            } },
        { opname::kAddGenre,
            [this] {
                InGenreDialog(1, genredialog::kAdd, [](DialogLogic&, MemoryDialogHost& host) {
                    host.Type(genreeditdialog::kName, u"趣味");
                    host.Press(kIdOk);
                });
            } },
        { opname::kEditGenre,
            [this] {
                ui_.QueueColour(kBlue);
                InGenreDialog(1, genredialog::kEdit, [](DialogLogic&, MemoryDialogHost& host) {
                    host.Press(genreeditdialog::kColour);
                    host.Press(kIdOk);
                });
            } },
        { opname::kMoveGenre, [this] { InGenreDialog(1, genredialog::kDown); } },
        { opname::kHideGenre, [this] { InGenreDialog(2, genredialog::kVisibility); } },
        { opname::kUnifyGenre,
            [this] {
                ui_.QueueAnswer(true);
                InGenreDialog(2, genredialog::kUnify);
            } },
        { opname::kDeleteGenre,
            [this] {
                ui_.QueueAnswer(true);
                InGenreDialog(1, genredialog::kDelete);
            } },
        { opname::kMemoPages,
            [this] {
                ui_.QueueSheet([](MemoryPropertySheet& sheet) {
                    sheet.Page(0).Type(memosheet::kMemo, u"書き換えた");
                    sheet.PressOk();
                });
                views_.document.OnCommand(ID_MEMO);
            } },
        { opname::kGenrePresets,
            [this] { views_.document.Apply(StoreOperation(opname::kGenrePresets).SetGenrePresets(Store(), 1, 2)); } },
        { opname::kLinkFile, // asked for when the entry has none; kept though the file is then not made
            [this] {
                Select(u"会議");
                QueueTyped(linksettingsdialog::kLink, u"https://example.org/agenda");
                views_.day.OnCommand(ID_LINK_FILE_OPEN);
            } },
        { opname::kDiaryFolder,
            [this] {
                QueueTyped(diaryfolderdialog::kFolder, FromUtf8(folder_.File("diaries")));
                views_.document.OnCommand(ID_DIARY_FOLDER);
            } },
        { opname::kCsvImport, // with a genre the file lacks, which the import adds
            [this] {
                const std::string path = folder_.File("in.csv");
                std::ofstream(path) << ToUtf8(std::u16string(exchange::kCsvHeader)) << "\n"
                                    << "\"a\",\"2026/12/20\",\"10:00:00\",\"2026/12/20\",\"11:00:00\",\"False\"\n";
                ui_.QueueFile(FromUtf8(path));
                views_.document.OnCommand(ID_OUTLOOK_IMPORT);
            } },
    };
    for (const Case& c : cases) {
        const std::string name = ToUtf8(c.name);
        Seed();
        const std::string before = Bytes();
        c.change();
        const std::string after = Bytes();
        EXPECT_NE(after, before) << name << ": nothing changed";
        EXPECT_TRUE(views_.document.IsModified()) << name;
        EXPECT_EQ(views_.document.History().Size(), 1u) << name << ": one change, one step";
        EXPECT_EQ(views_.document.History().UndoName(), c.name);

        ASSERT_TRUE(views_.document.Undo()) << name;
        EXPECT_EQ(Bytes(), before) << name;
        EXPECT_FALSE(views_.document.IsModified()) << name;
        ASSERT_TRUE(views_.document.Redo()) << name;
        EXPECT_EQ(Bytes(), after) << name;
        EXPECT_TRUE(views_.document.IsModified()) << name;
        ASSERT_TRUE(views_.document.Undo()) << name;
        EXPECT_EQ(Bytes(), before) << name << ": a second undo";
    }
}

TEST_F(UndoTest, ACancelledDialogChangesNothingAndLeavesNothingToUndo)
{
    const std::function<void()> cancels[] = {
        [this] { views_.month.OnCommand(ID_SCHEDULE_ADD); },
        [this] { views_.day.OnCommand(ID_TODO_ADD); },
        [this] {
            Select(u"会議");
            ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
                host.Type(scheduledialog::kContent, u"書きかけ");
                host.Press(kIdCancel);
            });
            views_.day.OnCommand(ID_SCHEDULE_EDIT);
        },
        [this] {
            Select(u"会議");
            QueueTyped(scheduledialog::kContent, u"会議"); // OK with nothing changed
            views_.day.OnCommand(ID_SCHEDULE_EDIT);
        },
        [this] {
            Select(u"定例");
            ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) { host.Press(kIdCancel); });
            views_.day.OnCommand(ID_SCHEDULE_DELETE);
        },
        [this] {
            ui_.QueueSheet([](MemoryPropertySheet& sheet) {
                sheet.Page(0).Type(memosheet::kMemo, u"消える");
                sheet.PressCancel();
            });
            views_.document.OnCommand(ID_MEMO);
        },
        [this] { InGenreDialog(1, kIdOk); },
    };
    int index = 0;
    for (const auto& cancel : cancels) {
        Seed();
        const std::string before = Bytes();
        cancel();
        EXPECT_EQ(Bytes(), before) << "case " << index;
        EXPECT_FALSE(views_.document.IsModified()) << "case " << index;
        EXPECT_FALSE(views_.document.History().CanUndo()) << "case " << index;
        ++index;
    }
}

TEST_F(UndoTest, TheModifiedMarkFollowsTheSavePointAndUndoShowsWhatItTouched)
{
    Seed();
    const std::string path = folder_.File("s.klx");
    ASSERT_TRUE(views_.document.SaveDocument(path));
    EXPECT_EQ(views_.document.Title().find(u'*'), std::u16string::npos);

    // A deletion on another month, then a move elsewhere: undoing it brings the calendar back to the
    // entry's day with the entry selected.
    CKalData& far = Add(u"旅行", CDTime(2027, 3, 15, 8, 0), 0, kRed);
    views_.document.SetModified(false);
    ASSERT_TRUE(views_.document.SaveDocument(path));
    ui_.QueueAnswer(true);
    ASSERT_TRUE(views_.document.DeleteEntry(&far, CDTime(2027, 3, 15)));
    EXPECT_NE(views_.document.Title().find(u'*'), std::u16string::npos);
    ASSERT_TRUE(views_.document.Undo());
    EXPECT_FALSE(views_.document.IsModified());
    EXPECT_EQ(views_.document.Title().find(u'*'), std::u16string::npos);
    EXPECT_EQ(views_.document.CurrentDate(), CDTime(2027, 3, 15));
    ASSERT_NE(views_.day.SelectedEntry(), nullptr);
    EXPECT_EQ(views_.day.SelectedEntry()->text, u"旅行");

    // Past the save point and back.
    ASSERT_TRUE(views_.document.Redo());
    EXPECT_TRUE(views_.document.IsModified());
    ASSERT_TRUE(views_.document.SaveDocument(path));
    EXPECT_FALSE(views_.document.IsModified());
    ASSERT_TRUE(views_.document.Undo());
    EXPECT_TRUE(views_.document.IsModified()); // the saved file has no 旅行
    ASSERT_TRUE(views_.document.Redo());
    EXPECT_FALSE(views_.document.IsModified());

    // A new change after an undo below the save point makes the saved state unreachable.
    ASSERT_TRUE(views_.document.Undo());
    Clipboard::Current().SetText(u"別の予定");
    views_.month.OnCommand(ID_EDIT_PASTE);
    EXPECT_FALSE(views_.document.History().CanRedo());
    ASSERT_TRUE(views_.document.Undo());
    EXPECT_TRUE(views_.document.IsModified());

    // Opening a file starts a new history.
    ASSERT_TRUE(views_.document.OpenDocument(path));
    EXPECT_FALSE(views_.document.History().CanUndo());
    EXPECT_FALSE(views_.document.History().CanRedo());
}

TEST_F(UndoTest, TheHolidaysALoadBringsUpToDateAreTheFirstChangeAndCanBeTakenBack)
{
    // A file of 2006: Greenery Day still on April 29, which the law of 2007 moves.
    const std::string path = folder_.File("2006.klx");
    {
        CKalStore store;
        auto greenery = std::make_unique<CKalData>();
        greenery->text = u"みどりの日";
        greenery->Set(flag::kHoliday, true);
        greenery->start = CDTime(1989, 4, 29);
        greenery->end = CDTime(2036, 12, 31);
        greenery->repeatType = repeat::kYearly;
        greenery->repeatDayFrom = greenery->repeatDayTo = 29;
        store.AppendEntry(std::move(greenery));
        store.genres = genres_;
        store.fileVersion = 400;
        ASSERT_TRUE(SaveScheduleFile(store, path));
    }
    const auto file = ReadWholeFile(path);
    ASSERT_TRUE(file);
    profile_.SetInt("System", "HolidayChangeFlag1", 1);

    ASSERT_TRUE(views_.document.OpenDocument(path));
    EXPECT_EQ(Store().EntryCount(), 3);
    EXPECT_TRUE(views_.document.IsModified());
    EXPECT_EQ(views_.document.History().UndoName(), opname::kHolidayUpdate);
    ASSERT_TRUE(views_.document.Undo());
    EXPECT_FALSE(views_.document.IsModified());
    EXPECT_EQ(Bytes(), *file);
}

} // namespace
} // namespace kal
