#include "qt/QtServices.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kal {
namespace {

// Puts an opener of the test's own, which ends with `exitCode`, first on the PATH.
class FakeOpener {
public:
    explicit FakeOpener(int exitCode)
        : path_(qgetenv("PATH"))
    {
        QFile script(folder_.filePath(QStringLiteral("xdg-open")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexit " + QByteArray::number(exitCode) + "\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", folder_.path().toUtf8() + ":" + path_);
    }
    ~FakeOpener() { qputenv("PATH", path_); }
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;

    [[nodiscard]] QString File(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
    QByteArray path_;
};

TEST(QtShell, AnOpenerWithNoProgramForTheFileIsAFailure)
{
    for (const int exitCode : { 0, 3 }) {
        const FakeOpener opener(exitCode);
        const QString manual = opener.File(QStringLiteral("manual.html"));
        QFile(manual).open(QIODevice::WriteOnly);
        QtShell shell;
        EXPECT_EQ(shell.Open(manual.toStdU16String()).started, exitCode == 0) << exitCode;
    }
}

} // namespace
} // namespace kal
