#include "TestEnvironment.h"

#include "RecordingShell.h"
#include "platform/FileIo.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kal {
namespace {

class ShellTest : public ::testing::Test {
protected:
    std::string Make(const std::string& name, std::string_view content, mode_t mode = 0644)
    {
        const std::string path = folder_.File(name);
        EXPECT_TRUE(WriteFileAtomically(path, content));
        EXPECT_EQ(::chmod(path.c_str(), mode), 0);
        return path;
    }

    test::TemporaryFolder folder_;
    test::RecordingShell shell_;
};

TEST_F(ShellTest, NothingThatCouldRunIsStarted)
{
    const std::string script = Make("run.sh", "echo hi\n");
    ASSERT_EQ(::symlink(script.c_str(), folder_.File("innocent.txt").c_str()), 0);
    const std::string fifo = folder_.File("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/null", folder_.File("device.txt").c_str()), 0);
    ASSERT_TRUE(MakeFolders(folder_.File("folder.txt")));
    const struct {
        std::string target;
        HandOverRefusal refusal;
        const char16_t* message;
    } cases[] = {
        { Make("tool.txt", "just text", 0755), HandOverRefusal::ExecuteBit, shelltext::kRefusedExecuteBit },
        { script, HandOverRefusal::Script, shelltext::kRefusedScript },
        { Make("notes.txt", "#!/bin/sh\nrm -rf ~\n"), HandOverRefusal::Script, shelltext::kRefusedScript },
        { folder_.File("innocent.txt"), HandOverRefusal::Script, shelltext::kRefusedScript },
        { Make("viewer.desktop", "[Desktop Entry]\nExec=sh\n"), HandOverRefusal::Launcher,
            shelltext::kRefusedLauncher },
        { Make("readme", "[Desktop Entry]\nExec=sh\n"), HandOverRefusal::Launcher, shelltext::kRefusedLauncher },
        { Make("copy",
              "\x7F"
              "ELF\x02\x01"),
            HandOverRefusal::Program, shelltext::kRefusedProgram },
        { Make("setup.EXE", "MZ"), HandOverRefusal::Program, shelltext::kRefusedProgram },
        { "file://" + script, HandOverRefusal::Script, shelltext::kRefusedScript },
        { "javascript:alert(1)", HandOverRefusal::Scheme, shelltext::kRefusedScheme },
        { "ftp://example.com/a.txt", HandOverRefusal::Scheme, shelltext::kRefusedScheme },
        { "file://elsewhere/etc/passwd", HandOverRefusal::Scheme, shelltext::kRefusedScheme },
        { "-rf", HandOverRefusal::LeadingDash, shelltext::kRefusedLeadingDash },
        { "--help", HandOverRefusal::LeadingDash, shelltext::kRefusedLeadingDash },
        { "https://example.com/\n--x", HandOverRefusal::BadCharacters, shelltext::kRefusedCharacters },
        { Make("old.kdelnk", "# KDE Config File\n[KDE Desktop Entry]\nExec=sh\n"), HandOverRefusal::Launcher,
            shelltext::kRefusedLauncher },
        { Make("Notes.KDELNK", "text"), HandOverRefusal::Launcher, shelltext::kRefusedLauncher },
        { Make("agenda.txt", "\xEF\xBB\xBF\n# made by hand\r\n\n  [Desktop Entry]\r\nExec=sh\r\n"),
            HandOverRefusal::Launcher, shelltext::kRefusedLauncher },
        { Make("old.pif", "text"), HandOverRefusal::Program, shelltext::kRefusedProgram },
        { "mailto:a@example.com?attach=/etc/passwd", HandOverRefusal::MailAttachment,
            shelltext::kRefusedMailAttachment },
        { "MAILTO:a@example.com?subject=hi&ATTACHMENT=file:///home/u/.ssh/id_rsa", HandOverRefusal::MailAttachment,
            shelltext::kRefusedMailAttachment },
        { "mailto:a@example.com?body=x;Attach=~/.netrc", HandOverRefusal::MailAttachment,
            shelltext::kRefusedMailAttachment },
        { "mailto:a@example.com?subject=x?%61ttach=/etc/shadow", HandOverRefusal::MailAttachment,
            shelltext::kRefusedMailAttachment },
        { fifo, HandOverRefusal::NotAFile, shelltext::kRefusedNotAFile },
        { folder_.File("device.txt"), HandOverRefusal::NotAFile, shelltext::kRefusedNotAFile },
        { folder_.File("folder.txt"), HandOverRefusal::NotAFile, shelltext::kRefusedNotAFile },
        { "file://" + folder_.Path(), HandOverRefusal::NotAFile, shelltext::kRefusedNotAFile },
        { folder_.File("none.txt"), HandOverRefusal::Missing, shelltext::kRefusedMissing },
    };
    for (const auto& c : cases) {
        const HandOverResult result = shell_.Open(FromUtf8(c.target));
        EXPECT_EQ(result.refusal, c.refusal) << c.target;
        EXPECT_FALSE(result.started) << c.target;
        EXPECT_EQ(result.message, std::u16string(c.message) + u"\n" + FromUtf8(c.target)) << c.target;
    }
    EXPECT_TRUE(shell_.Started().empty());
}

TEST_F(ShellTest, DocumentsAndAddressesGoToTheDesktop)
{
    const std::string text = Make("a b.txt", "text");
    const std::string dashed = Make("-rf.txt", "text");
    const struct {
        std::string given;
        std::string started;
    } cases[] = {
        { text, text },
        { "file://" + folder_.File("a%20b.txt"), text },
        { dashed, dashed }, // a whole path never reads as an option
        { "https://example.com/a?b=c&d", "https://example.com/a?b=c&d" },
        { "HTTP://example.com", "HTTP://example.com" },
        { "mailto:someone@example.com", "mailto:someone@example.com" },
        { "mailto:a@example.com?subject=attachment%20list&body=attach=x",
            "mailto:a@example.com?subject=attachment%20list&body=attach=x" },
    };
    for (const auto& c : cases) {
        const HandOverResult result = shell_.Open(FromUtf8(c.given));
        EXPECT_EQ(result.refusal, HandOverRefusal::None) << c.given;
        EXPECT_TRUE(result.started) << c.given;
        EXPECT_TRUE(result.message.empty()) << c.given;
    }
    std::vector<std::string> expected;
    for (const auto& c : cases)
        expected.push_back(c.started);
    EXPECT_EQ(shell_.Started(), expected);
}

} // namespace
} // namespace kal
