#include "TestEnvironment.h"

#include "app/CalendarCommands.h"
#include "app/DocumentViews.h"
#include "calstore/CalendarTexts.h"
#include "calstore/IcsFileStore.h"
#include "dialogs/OutlookPeriodDialog.h"
#include "platform/FileIo.h"
#include "platform/IniProfile.h"
#include "platform/Text.h"
#include "support/MemoryDialogHost.h"
#include "ui/CommandIds.h"
#include "ui/DialogResource.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace kal {
namespace {

constexpr auto kTimed = flag::kStartTimeSet | flag::kEndTimeSet;

// The document's and the day list's calendar add, into a file named in the settings.
class CalendarCommandsTest : public test::TestEnvironment {
protected:
    CalendarCommandsTest()
        : views_(genres_)
    {
        CKalField general;
        general.name = u"一般";
        genres_.Append(general);
        views_.document.Store().genres = genres_;
        settings_.Set(TextSetting::CalendarStore, FromUtf8(path_));
    }

    CKalData& Add(const char16_t* text, CDTime start, CDTime end, std::uint32_t flags)
    {
        auto entry = std::make_unique<CKalData>();
        entry->text = text;
        entry->start = start;
        entry->end = end;
        entry->flags = flags;
        views_.document.Store().AppendEntry(std::move(entry));
        return views_.document.Store().Entry(views_.document.Store().EntryCount() - 1);
    }

    // Answers the period dialog with the dates typed, or cancels it; records what it proposed.
    void QueuePeriod(std::optional<std::pair<std::u16string, std::u16string>> typed)
    {
        ui_.QueueDialog([this, typed](DialogLogic&, MemoryDialogHost& host) {
            proposed_ = { host.Text(outlookperioddialog::kStart), host.Text(outlookperioddialog::kEnd) };
            if (!typed) {
                host.Press(kIdCancel);
                return;
            }
            host.Type(outlookperioddialog::kStart, typed->first);
            host.Type(outlookperioddialog::kEnd, typed->second);
            host.Press(kIdOk);
        });
    }

    std::size_t EventCount() const
    {
        const auto text = ReadWholeFile(path_);
        std::size_t count = 0;
        for (std::size_t at = 0; text && (at = text->find("BEGIN:VEVENT", at)) != std::string::npos; ++at)
            ++count;
        return count;
    }

    test::TemporaryFolder folder_;
    std::string path_ = folder_.File("calendar.ics");
    CKalFieldArray genres_;
    DocumentViews views_;
    std::pair<std::u16string, std::u16string> proposed_;
};

TEST_F(CalendarCommandsTest, PeriodAddProposesTheSpanAddsOnceAndKeepsTheSpan)
{
    Add(u"会議", CDTime(2026, 12, 8, 10, 0), CDTime(2026, 12, 8, 11, 0), kTimed);
    Add(u"出張", CDTime(2026, 12, 10), CDTime(2026, 12, 12), 0);
    profile_.SetInt("System", "ExportSpan", 3);

    QueuePeriod(std::pair<std::u16string, std::u16string> { u"2026/12/07", u"2026/12/20" });
    views_.document.OnCommand(ID_OUTLOOK_ADD);
    EXPECT_EQ(proposed_, (std::pair<std::u16string, std::u16string> { u"2026/12/07", u"2026/12/10" }));
    EXPECT_EQ(profile_.GetInt("System", "ExportSpan", 0), 13);
    QueuePeriod(std::pair<std::u16string, std::u16string> { u"2026/12/01", u"2026/12/31" });
    views_.document.OnCommand(ID_OUTLOOK_ADD);
    QueuePeriod(std::nullopt);
    views_.document.OnCommand(ID_OUTLOOK_ADD);

    EXPECT_EQ(ui_.Messages(),
        (std::vector<std::u16string> { u"Outlookに 2 件、追加を行いました", u"Outlookに 0 件、追加を行いました" }));
    EXPECT_EQ(EventCount(), 2u);
}

TEST_F(CalendarCommandsTest, DayListAddsTheSelectedScheduleButNoToDo)
{
    Add(u"歯医者", CDTime(2026, 12, 7, 15, 0), CDTime(2026, 12, 7, 16, 0), kTimed);
    Add(u"レポート", CDTime(2026, 12, 7), CDTime(2026, 12, 7), flag::kIsTodo);
    views_.month.OnInitialUpdate();
    views_.day.OnInitialUpdate();
    // Selects the row of the entry with `text` and runs the command when it is on.
    const auto run = [this](std::u16string_view text) {
        for (int row = 0; row < static_cast<int>(views_.day.Rows().size()); ++row) {
            views_.day.OnSelectionChanged(row);
            if (views_.day.SelectedEntry()->text == text)
                break;
        }
        const bool enabled = views_.day.StateOf(ID_OUTLOOK_ADD).enabled;
        if (enabled)
            views_.day.OnCommand(ID_OUTLOOK_ADD);
        return enabled;
    };
    ASSERT_TRUE(run(u"歯医者"));
    EXPECT_EQ(ui_.Messages(), (std::vector<std::u16string> { calendartexts::kEntryAdded }));
    EXPECT_EQ(EventCount(), 1u);
    EXPECT_FALSE(run(u"レポート"));
    EXPECT_EQ(EventCount(), 1u);
}

// A calendar file that cannot be written when the link ends kept nothing: both adds say so, neither
// says it added.
TEST_F(CalendarCommandsTest, AFileThatCannotBeWrittenAtTheEndIsToldInsteadOfAdded)
{
    Add(u"歯医者", CDTime(2026, 12, 7, 15, 0), CDTime(2026, 12, 7, 16, 0), kTimed);
    views_.month.OnInitialUpdate();
    views_.day.OnInitialUpdate();
    views_.day.OnSelectionChanged(0);
    ASSERT_EQ(views_.day.SelectedEntry()->text, u"歯医者");
    {
        ScopedWriteFailure diskFull(10);
        QueuePeriod(std::pair<std::u16string, std::u16string> { u"2026/12/07", u"2026/12/07" });
        views_.document.OnCommand(ID_OUTLOOK_ADD);
        views_.day.OnCommand(ID_OUTLOOK_ADD);
    }
    const std::u16string notSaved = u"カレンダーファイルに書き込めませんでした。追加した予定は保存されていません。\nデ"
                                    u"ィスクの空き容量が足りません。";
    EXPECT_EQ(ui_.Messages(), (std::vector<std::u16string> { notSaved, notSaved }));
    EXPECT_EQ(EventCount(), 0u);
}

TEST_F(CalendarCommandsTest, AStoreThatCannotBeOpenedEndsTheCommandWithItsMessage)
{
    Add(u"会議", CDTime(2026, 12, 8, 10, 0), CDTime(2026, 12, 8, 11, 0), kTimed);
    IcsFileStore holder(path_);
    ASSERT_TRUE(holder.Open().Ok());
    QueuePeriod(std::pair<std::u16string, std::u16string> { u"2026/12/07", u"2026/12/20" });
    views_.document.OnCommand(ID_OUTLOOK_ADD);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], std::u16string(calendartexts::kCannotOpen) + u"\n" + calendartexts::kFileLocked);

    // A server with a user but no password anywhere asks for one; cancelling ends the command quietly.
    settings_.Set(TextSetting::CalendarStore, u"http://127.0.0.1:9/calendar/");
    settings_.Set(TextSetting::CalendarUser, u"alice");
    unsetenv("KALENDRA_CALDAV_PASSWORD");
    QueuePeriod(std::pair<std::u16string, std::u16string> { u"2026/12/07", u"2026/12/20" });
    views_.document.OnCommand(ID_OUTLOOK_ADD);
    EXPECT_EQ(ui_.PasswordRequests(), 1);
    EXPECT_EQ(ui_.Messages().size(), 1u);
}

// The environment's password comes before the settings' one, as on the command line; a password
// goes unencrypted to another machine only after a Yes for that server, asked once.
TEST_F(CalendarCommandsTest, ThePasswordComesFromTheEnvironmentAndGoesInClearOnlyWhereAllowed)
{
    settings_.Set(TextSetting::CalendarPassword, u"kept");
    setenv("KALENDRA_CALDAV_PASSWORD", "given", 1);
    EXPECT_EQ(CalendarPassword("https://cal.example/c/", "alice", ui_).password, "given");
    EXPECT_EQ(CalendarPassword("HTTP://localhost:8080/c/", "alice", ui_).password, "given");
    EXPECT_TRUE(ui_.Questions().empty());

    ui_.QueueAnswer(false);
    const ServerPassword refused = CalendarPassword("http://Cal.Example:8080/c/", "alice", ui_);
    EXPECT_EQ(refused.password, std::nullopt);
    EXPECT_EQ(refused.refusal, calendartexts::kPasswordNotSent);
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(ui_.Questions()[0],
        u"カレンダーのサーバー cal.example には、パスワードが暗号化されずに（http:// で）送られます。"
        u"途中のネットワークで読み取られるおそれがあります。このサーバーにパスワードを送りますか？");
    ui_.QueueAnswer(true);
    EXPECT_EQ(CalendarPassword("http://cal.example/c/", "alice", ui_).password, "given");
    EXPECT_EQ(CalendarPassword("http://user@CAL.example./other/", "alice", ui_).password, "given");
    EXPECT_EQ(ui_.Questions().size(), 2u);
    ui_.QueueAnswer(false);
    EXPECT_EQ(CalendarPassword("http://127.0.0.1.example/c/", "alice", ui_).password, std::nullopt);
    unsetenv("KALENDRA_CALDAV_PASSWORD");
}

// A password kept in a settings file that others can read is not used, and the user is told why.
TEST_F(CalendarCommandsTest, APasswordInASettingsFileOthersCanReadIsRefused)
{
    unsetenv("KALENDRA_CALDAV_PASSWORD");
    const std::string ini = folder_.File("readable.ini");
    std::ofstream(ini) << "[Calendar]\nPassword=kept\n";
    IniProfile file(ini);
    Profile* previous = Profile::Install(&file);
    settings_.Load(file);
    for (const mode_t mode : { 0600, 0640, 0604 }) {
        ASSERT_EQ(::chmod(ini.c_str(), mode), 0);
        const ServerPassword got = CalendarPassword("https://cal.example/c/", "alice", ui_);
        EXPECT_EQ(got.password, mode == 0600 ? std::optional<std::string>("kept") : std::nullopt) << mode;
        EXPECT_EQ(got.refusal,
            mode == 0600 ? std::u16string()
                         : u"設定ファイル " + FromUtf8(ini)
                    + u" はほかのユーザーも読めるため、そこにあるカレンダーのパスワードは使いません。"
                      u"ファイルを本人だけが読めるようにしてください（chmod 600）。");
    }
    Profile::Install(previous);
    settings_.Load(profile_);
}

} // namespace
} // namespace kal
