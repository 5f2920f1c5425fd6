#include "TestEnvironment.h"

#include "app/AppTexts.h"
#include "app/KalDoc.h"
#include "dialogs/DateField.h"
#include "dialogs/ExportDialog.h"
#include "dialogs/MemoSheet.h"
#include "dialogs/TextCopyDialog.h"
#include "platform/Clipboard.h"
#include "platform/FileIo.h"
#include "platform/Text.h"
#include "store/ExchangeTexts.h"
#include "store/KalData.h"
#include "store/StoreTexts.h"
#include "support/MemoryDialogHost.h"
#include "ui/CommandIds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace kal {
namespace {

// The document's memo notebook and its period commands: text copy, CSV export and import.
class NotebookAndExchangeTest : public test::TestEnvironment {
protected:
    NotebookAndExchangeTest()
        : document_(genres_)
    {
        previousClipboard_ = Clipboard::Install(&clipboard_);
        CKalField general;
        general.name = u"一般";
        document_.Store().genres.Append(general);
    }
    ~NotebookAndExchangeTest() override { Clipboard::Install(previousClipboard_); }

    void AddMemo(std::u16string title, std::u16string text)
    {
        document_.Store().memos.push_back(std::make_unique<CMemoData>(CMemoData { std::move(title), std::move(text) }));
    }
    void AddSchedule(std::u16string text, CDTime day)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = std::move(text);
        entry->start = entry->end = day;
        document_.Store().AppendEntry(std::move(entry));
    }
    CKalFieldArray genres_;
    CKalDoc document_;
    ProcessClipboard clipboard_;
    Clipboard* previousClipboard_ = nullptr;
};

TEST_F(NotebookAndExchangeTest, AFileWithoutMemosGetsItsFirstMemoOnlyWhenTextIsTyped)
{
    std::vector<std::u16string> titles;
    ui_.QueueSheet([&](MemoryPropertySheet& sheet) {
        titles.push_back(sheet.Page(0).Caption());
        sheet.PressOk();
    });
    document_.OnCommand(ID_MEMO);
    EXPECT_TRUE(document_.Store().memos.empty());
    EXPECT_FALSE(document_.IsModified());

    ui_.QueueSheet([](MemoryPropertySheet& sheet) {
        sheet.Page(0).Type(memosheet::kMemo, u"買い物\n牛乳");
        sheet.Page(0).Press(memosheet::kClose); // closes the notebook as its OK does
    });
    document_.OnCommand(ID_MEMO);
    ASSERT_EQ(document_.Store().memos.size(), 1u);
    EXPECT_EQ(document_.Store().memos[0]->title, memosheet::kCaption);
    EXPECT_EQ(document_.Store().memos[0]->text, u"買い物\r\n牛乳");
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(titles, std::vector<std::u16string> { memosheet::kCaption });
}

TEST_F(NotebookAndExchangeTest, EveryPageWritesBackOnOkAndNothingOnCancel)
{
    AddMemo(u"仕事", u"議事録");
    AddMemo(u"家", u"");
    const struct {
        int settingsExtra;
        int shownPage;
    } starts[] = { { 1, 1 }, { 7, 1 }, { -3, 0 } };
    for (const auto& start : starts) {
        document_.Store().settingsExtra = start.settingsExtra;
        int shown = -1;
        ui_.QueueSheet([&](MemoryPropertySheet& sheet) {
            shown = sheet.ActivePage();
            sheet.Page(1).Type(memosheet::kMemo, u"書き換え");
            sheet.PressCancel();
        });
        document_.OnCommand(ID_MEMO);
        EXPECT_EQ(shown, start.shownPage) << start.settingsExtra;
    }
    EXPECT_EQ(document_.Store().memos[1]->text, u"");
    EXPECT_FALSE(document_.IsModified());

    ui_.QueueSheet([](MemoryPropertySheet& sheet) {
        sheet.Page(0).Type(memosheet::kMemo, u"議事録\r\n次回");
        sheet.Page(1).Type(memosheet::kMemo, u"鍵");
        sheet.PressOk();
    });
    document_.OnCommand(ID_MEMO);
    EXPECT_EQ(document_.Store().memos[0]->text, u"議事録\r\n次回");
    EXPECT_EQ(document_.Store().memos[1]->title, u"家");
    EXPECT_EQ(document_.Store().memos[1]->text, u"鍵");
    EXPECT_EQ(document_.Store().settingsExtra, -3); // the notebook never moves its start page
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(NotebookAndExchangeTest, TextCopyProposesTheLastSpanAndKeepsTheChoices)
{
    AddSchedule(u"忘年会", CDTime(2026, 12, 18));
    profile_.SetInt("System", "TextCopySpan", 20);
    std::u16string shownEnd;
    ui_.QueueDialog([&](DialogLogic&, MemoryDialogHost& host) {
        shownEnd = host.Text(textcopydialog::kEnd);
        host.Type(textcopydialog::kEnd, u"2026/12/31");
        host.SetChecked(textcopydialog::kYear, true);
        host.SetChecked(textcopydialog::kWeekday, false);
        host.Press(kIdOk);
    });
    document_.OnCommand(ID_TEXT_COPY);
    EXPECT_EQ(shownEnd, u"2026/12/27");
    ASSERT_TRUE(clipboard_.Text());
    EXPECT_EQ(clipboard_.Text()->substr(0, 11), u"2026/12/18 ");
    EXPECT_EQ(profile_.GetInt("System", "TextCopySpan", 0), 24);
    EXPECT_TRUE(settings_.IsOn(IntSetting::TextCopyYear));
    EXPECT_FALSE(settings_.IsOn(IntSetting::TextCopyYoubi));

    // An end before the start is refused and the dialog stays; an empty period says so.
    clipboard_.Clear();
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Type(textcopydialog::kEnd, u"2026/12/06");
        host.Press(kIdOk);
        EXPECT_FALSE(host.HasEnded());
        host.Type(textcopydialog::kEnd, u"2026/12/07");
        host.Press(kIdOk);
    });
    document_.OnCommand(ID_TEXT_COPY);
    EXPECT_EQ(ui_.Messages(), (std::vector<std::u16string> { periodfield::kInvalidEnd, exchange::kNoSchedules }));
    EXPECT_FALSE(clipboard_.Text());
}

TEST_F(NotebookAndExchangeTest, ExportWritesTheChosenFileAndRemembersIt)
{
    test::TemporaryFolder folder;
    AddSchedule(u"忘年会", CDTime(2026, 12, 18));
    const std::string path = folder.File("予定.csv");
    ui_.QueueFile(FromUtf8(path));
    ui_.QueueDialog([](DialogLogic&, MemoryDialogHost& host) {
        host.Press(kIdOk); // no file name yet
        host.Press(exportdialog::kBrowse);
        host.SetChecked(exportdialog::kHidden, true);
        host.Press(kIdOk);
    });
    document_.OnCommand(ID_OUTLOOK_EXPORT);
    EXPECT_EQ(ui_.Messages(), std::vector<std::u16string> { exportdialog::kNoFileName });
    ASSERT_EQ(ui_.FileDialogs().size(), 1u);
    EXPECT_EQ(ui_.FileDialogs()[0].title, exportdialog::kFileTitle);
    const auto written = ReadWholeFile(path);
    ASSERT_TRUE(written);
    EXPECT_NE(written->find("2026/12/18"), std::string::npos);
    EXPECT_EQ(profile_.GetString("System", "ExportFile", u""), FromUtf8(path));
    EXPECT_EQ(profile_.GetInt("System", "ExportNoView", 0), 1);
    EXPECT_EQ(profile_.GetInt("System", "ExportSpan", 0), 14);

    // A file that cannot be written is reported, with the reason.
    ui_.QueueDialog([&](DialogLogic&, MemoryDialogHost& host) {
        host.Type(exportdialog::kFile, FromUtf8(folder.File("無い/予定.csv")));
        host.Press(kIdOk);
    });
    document_.OnCommand(ID_OUTLOOK_EXPORT);
    ASSERT_EQ(ui_.Messages().size(), 2u);
    EXPECT_EQ(ui_.Messages()[1].rfind(exchange::kExportFailed, 0), 0u);
}

TEST_F(NotebookAndExchangeTest, ImportAddsTheFileEntriesAndTellsWhatItLeftOut)
{
    test::TemporaryFolder folder;
    const std::string path = folder.File("in.csv");
    std::ofstream(path) << ToUtf8(std::u16string(exchange::kCsvHeader)) << "\n"
                        << "\"a\",\"2026/12/20\",\"10:00:00\",\"2026/12/20\",\"11:00:00\",\"False\"\n"
                        << "\"b\",\"2026/13/40\",\"10:00:00\",\"2026/12/20\",\"11:00:00\",\"False\"\n";
    ui_.QueueFile(FromUtf8(path));
    document_.OnCommand(ID_OUTLOOK_IMPORT);
    EXPECT_EQ(document_.Store().EntryCount(), 1);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(profile_.GetString("Import", "Outlook", u""), FromUtf8(path));
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find(u"1件"), std::u16string::npos);

    ui_.QueueFile(FromUtf8(folder.File("missing.csv")));
    document_.OnCommand(ID_OUTLOOK_IMPORT);
    ASSERT_EQ(ui_.Messages().size(), 2u);
    EXPECT_EQ(ui_.Messages()[1].rfind(texts::kCannotOpenFile, 0), 0u);
    EXPECT_EQ(ui_.FileDialogs()[1].initialName, FromUtf8(path));
}

TEST_F(NotebookAndExchangeTest, ICalendarGoesOutWholeAndComesBackOnceAsOneStep)
{
    test::TemporaryFolder folder;
    AddSchedule(u"忘年会", CDTime(2026, 12, 18));
    AddSchedule(u"創立記念日", CDTime(1985, 4, 1));
    document_.Store().Entry(1).repeatType = 4;
    document_.Store().Entry(1).end = CDTime(2036, 12, 31);
    const std::string path = folder.File("予定.ics");
    ui_.QueueDialog([&](DialogLogic&, MemoryDialogHost& host) {
        host.Press(exportdialog::kWholeFile);
        EXPECT_FALSE(host.IsEnabled(exportdialog::kStart));
        host.Type(exportdialog::kStart, u"no date"); // not read while the whole file goes
        host.Type(exportdialog::kFile, FromUtf8(path));
        host.Press(kIdOk);
    });
    document_.OnCommand(ID_ICAL_EXPORT);
    ASSERT_EQ(ui_.Messages().size(), 1u); // the summary
    EXPECT_EQ(profile_.GetInt("System", "IcalExportAll", 0), 1);
    EXPECT_EQ(profile_.GetString("System", "IcalExportFile", u""), FromUtf8(path));

    CKalDoc other(genres_);
    ui_.QueueFile(FromUtf8(path));
    other.OnCommand(ID_ICAL_IMPORT);
    ASSERT_EQ(other.Store().EntryCount(), 2) << ToUtf8(ui_.Messages().back());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(other.Store().Entry(i), document_.Store().Entry(i));
    EXPECT_TRUE(other.IsModified());

    // Once more: nothing new, and the one undo step still takes the whole first import back.
    ui_.QueueFile(FromUtf8(path));
    other.OnCommand(ID_ICAL_IMPORT);
    EXPECT_EQ(other.Store().EntryCount(), 2);
    EXPECT_TRUE(other.Undo());
    EXPECT_EQ(other.Store().EntryCount(), 0);
    EXPECT_FALSE(other.IsModified());

    // Not iCalendar: said, and nothing added.
    const std::string csv = folder.File("in.csv");
    std::ofstream(csv) << "a,b\n";
    ui_.QueueFile(FromUtf8(csv));
    const std::size_t told = ui_.Messages().size();
    other.OnCommand(ID_ICAL_IMPORT);
    EXPECT_EQ(other.Store().EntryCount(), 0);
    ASSERT_EQ(ui_.Messages().size(), told + 1);
    EXPECT_EQ(ui_.Messages().back().rfind(texts::kCannotOpenFile, 0), 0u);
}

} // namespace
} // namespace kal
