#include "qt/FileChooser.h"

#include "platform/UserFolders.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kal {
namespace {

TEST(FileChooser, ConvertsTheProgramsFiltersToQtNameFilters)
{
    EXPECT_EQ(QtNameFilters(u"Kalendraﾌｧｲﾙ(*.klx) |*.klx|全てのﾌｧｲﾙ(*.*) |*.*||"),
        (QStringList { QStringLiteral("Kalendraﾌｧｲﾙ(*.klx) (*.klx *.KLX)"), QStringLiteral("全てのﾌｧｲﾙ(*.*) (*)") }));
    EXPECT_EQ(QtNameFilters(u"CSVﾌｧｲﾙ(*.CSV) |*.CSV|全てのﾌｧｲﾙ(*.*) |*.*||"),
        (QStringList { QStringLiteral("CSVﾌｧｲﾙ(*.CSV) (*.CSV *.csv)"), QStringLiteral("全てのﾌｧｲﾙ(*.*) (*)") }));
    EXPECT_EQ(QtNameFilters(u"Kalendraﾌｧｲﾙ(*.klx) |*.klx||"),
        (QStringList { QStringLiteral("Kalendraﾌｧｲﾙ(*.klx) (*.klx *.KLX)") }));
    // Several patterns to one description; blanks around them do not count.
    EXPECT_EQ(QtNameFilters(u"ﾃｷｽﾄ|*.txt; *.log|"), (QStringList { QStringLiteral("ﾃｷｽﾄ (*.txt *.TXT *.log *.LOG)") }));
    // Nothing usable gives no filter, so the chooser lists every file.
    EXPECT_TRUE(QtNameFilters(u"").isEmpty());
    EXPECT_TRUE(QtNameFilters(u"説明だけ|").isEmpty());
    EXPECT_TRUE(QtNameFilters(u"||").isEmpty());
}

// Points the documents folder at a folder of the test's own.
class ScopedHome {
public:
    explicit ScopedHome(const QString& home)
        : home_(qgetenv("HOME"))
        , config_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
    }
    ~ScopedHome()
    {
        qputenv("HOME", home_);
        qputenv("XDG_CONFIG_HOME", config_);
    }
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

private:
    QByteArray home_;
    QByteArray config_;
};

TEST(FileChooser, MapsTheProgramsFoldersToThisDesktop)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ScopedHome scoped(home.path());
    const QString documents = home.path() + QStringLiteral("/Documents");
    ASSERT_EQ(QString::fromStdString(DocumentsFolder()), documents);
    ASSERT_TRUE(QDir().mkpath(documents + QStringLiteral("/予定")));

    EXPECT_EQ(ResolveFolder(u"\\My Documents"), documents);
    EXPECT_EQ(ResolveFolder(u"\\my documents\\予定"), documents + QStringLiteral("/予定"));
    EXPECT_EQ(ResolveFolder(u"\\My Documents\\"), documents);
    EXPECT_EQ(ResolveFolder(u""), documents);
    EXPECT_EQ(ResolveFolder(u"予定"), documents + QStringLiteral("/予定")) << "relative to the documents";
    const std::u16string backslashed
        = QString(home.path()).replace(QLatin1Char('/'), QLatin1Char('\\')).toStdU16String();
    EXPECT_EQ(ResolveFolder(backslashed), home.path());
    EXPECT_EQ(ResolveFolder(u"\\My Documentsx"), documents) << "another folder, which does not exist";
    EXPECT_EQ(ResolveFolder(u"/no/such/folder"), documents);

    FileDialogOptions options;
    options.initialFolder = u"\\My Documents\\予定";
    options.initialName = u"*.klx";
    ChooserStart start = ChooserStartFor(options);
    EXPECT_EQ(start.folder, documents + QStringLiteral("/予定"));
    EXPECT_EQ(start.name, QString()) << "a pattern is the filter's business";

    // The current file's own path opens its folder with its name proposed.
    options.initialName = (home.path() + QStringLiteral("/仕事.klx")).toStdU16String();
    start = ChooserStartFor(options);
    EXPECT_EQ(start.folder, home.path());
    EXPECT_EQ(start.name, QStringLiteral("仕事.klx"));
    options.initialName = u"\\My Documents\\kaldata.klx";
    start = ChooserStartFor(options);
    EXPECT_EQ(start.folder, documents);
    EXPECT_EQ(start.name, QStringLiteral("kaldata.klx"));
    options.initialName = u"Import.csv";
    options.initialFolder = u"";
    start = ChooserStartFor(options);
    EXPECT_EQ(start.folder, documents);
    EXPECT_EQ(start.name, QStringLiteral("Import.csv"));
}

} // namespace
} // namespace kal
