#include "TestEnvironment.h"

#include "platform/FileAssociation.h"
#include "platform/FileIo.h"
#include "platform/IniProfile.h"
#include "platform/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kal {
namespace {

using test::TemporaryFolder;

// Sets or clears an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::optional<std::string>& value)
        : name_(name)
    {
        if (const char* old = std::getenv(name))
            previous_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (previous_)
            ::setenv(name_, previous_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

bool Exists(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

void Put(const std::string& path, const std::string& text)
{
    ASSERT_TRUE(MakeFolders(FolderOf(path)));
    ASSERT_TRUE(WriteFileAtomically(path, text));
}

constexpr char kDeclaration[] = "<?xml version=\"1.0\"?>\n"
                                "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                                "  <mime-type type=\"application/x-kalendra\"><glob pattern=\"*.klx\"/></mime-type>\n"
                                "</mime-info>\n";
constexpr char kOtherType[] = "<?xml version=\"1.0\"?>\n"
                              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                              "  <mime-type type=\"application/x-other\"><glob pattern=\"*.oth\"/></mime-type>\n"
                              "</mime-info>\n";

// A user's folders and the system's data folders, all in a scratch folder.
class FileAssociationTest : public ::testing::Test {
protected:
    std::string System(const std::string& path) const { return folder_.File("system/" + path); }
    std::string OtherSystem(const std::string& path) const { return folder_.File("other/" + path); }

    TemporaryFolder folder_;
    ScopedVariable dataHome_ { "XDG_DATA_HOME", folder_.File("home/data") };
    ScopedVariable configHome_ { "XDG_CONFIG_HOME", folder_.File("home/config") };
    ScopedVariable dataDirs_ { "XDG_DATA_DIRS",
        folder_.File("other") + "/:" + folder_.File("system") + ":relative/share:" + folder_.File("home/data") };
};

TEST_F(FileAssociationTest, AnInstalledPackageKeepsTheUsersFoldersFree)
{
    // A file in the system's data folder or in the user's (which a session may list among the
    // system's) -> whether the user gets copies of their own.
    const struct {
        const char* label;
        const char* file;
        const char* text;
        bool userCopies;
    } cases[] = {
        { "nothing installed", nullptr, nullptr, true },
        { "another type's package", "system/mime/packages/other.xml", kOtherType, true },
        { "the type under any file name", "system/mime/packages/zz-local.xml", kDeclaration, false },
        { "only the desktop entry", "system/applications/kalendra.desktop", "[Desktop Entry]\n", false },
        { "the type in the user's own folder", "data/mime/packages/mine.xml", kDeclaration, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TemporaryFolder scratch;
        ScopedVariable dataHome("XDG_DATA_HOME", scratch.File("data"));
        ScopedVariable dirs("XDG_DATA_DIRS", scratch.File("system") + ":" + scratch.File("data"));
        if (c.file)
            Put(scratch.File(c.file), c.text);
        const AssociationFiles files = AssociationFilePaths();
        EXPECT_TRUE(RegisterFileAssociation(AssociationMode::IfMissing));
        EXPECT_EQ(Exists(files.mimeXml), c.userCopies);
        EXPECT_EQ(Exists(files.desktopEntry), c.userCopies);
    }
}

TEST_F(FileAssociationTest, OwnCopiesGoOnceThePackageIsInstalledButTheUsersEditsStay)
{
    const AssociationFiles files = AssociationFilePaths();
    ASSERT_TRUE(RegisterFileAssociation(AssociationMode::IfMissing));
    ASSERT_TRUE(Exists(files.mimeXml) && Exists(files.desktopEntry));

    Put(System("mime/packages/kalendra.xml"), kDeclaration);
    EXPECT_TRUE(RegisterFileAssociation(AssociationMode::IfMissing));
    EXPECT_FALSE(Exists(files.mimeXml));
    EXPECT_FALSE(Exists(files.desktopEntry));

    // A desktop entry the user changed is theirs.
    const std::string edited = "[Desktop Entry]\nType=Application\nName=Kalendra\nExec=kalendra --mine %f\n";
    Put(files.desktopEntry, edited);
    EXPECT_TRUE(RegisterFileAssociation(AssociationMode::Force));
    EXPECT_EQ(ReadWholeFile(files.desktopEntry).ValueOr(""), edited);
}

TEST_F(FileAssociationTest, ForcedWithAnInstalledPackageOnlyMakesItTheDefault)
{
    Put(OtherSystem("applications/kalendra.desktop"), "[Desktop Entry]\n");
    const AssociationFiles files = AssociationFilePaths();
    Put(files.mimeApps, "[Default Applications]\napplication/x-kalendra=other.desktop\ntext/plain=editor.desktop\n");
    EXPECT_TRUE(RegisterFileAssociation(AssociationMode::Force));
    EXPECT_FALSE(Exists(files.mimeXml));
    EXPECT_FALSE(Exists(files.desktopEntry));
    EXPECT_EQ(ReadWholeFile(files.mimeApps).ValueOr(""),
        "[Default Applications]\napplication/x-kalendra=kalendra.desktop\ntext/plain=editor.desktop\n");
}

TEST(UserFolders, AProgramStartedWithoutAnEnvironmentUsesTheUsersOwnHome)
{
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    const std::string home = user->pw_dir;
    ScopedVariable noHome("HOME", std::nullopt);
    ScopedVariable noConfigHome("XDG_CONFIG_HOME", std::nullopt);
    ScopedVariable noDataHome("XDG_DATA_HOME", std::nullopt);
    ScopedVariable noConfig("KALENDRA_CONFIG", std::nullopt);
    EXPECT_EQ(HomeFolder(), home);
    EXPECT_EQ(IniProfile::DefaultPath(), JoinPath(home, ".config/Zentrik/Kalendra.ini"));
    EXPECT_EQ(DataHomeFolder(), JoinPath(home, ".local/share"));
}

} // namespace
} // namespace kal
