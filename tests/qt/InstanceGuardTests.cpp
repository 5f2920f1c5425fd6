#include "qt/InstanceGuard.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace kal {
namespace {

// Lets the event loop run until `done` or two seconds have passed.
template <typename Done> bool RunUntil(Done done)
{
    const QDeadlineTimer deadline(2000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

TEST(InstanceGuard, SecondInstanceHandsItsMessageToTheFirst)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString name = folder.filePath(QStringLiteral("kalendra.socket"));

    std::vector<std::u16string> messages;
    InstanceGuard first(name);
    first.SetMessageHandler([&](const std::u16string& message) { messages.push_back(message); });
    ASSERT_TRUE(first.TryBecomePrimary());
    EXPECT_TRUE(first.IsListening());

    InstanceGuard second(name);
    EXPECT_FALSE(second.TryBecomePrimary(u"/home/user/予定.klx"));
    EXPECT_FALSE(second.IsListening());
    ASSERT_TRUE(RunUntil([&] { return messages.size() == 1; }));
    EXPECT_EQ(messages[0], u"/home/user/予定.klx");

    // Every later start reaches the first, also without a file.
    InstanceGuard third(name);
    EXPECT_FALSE(third.TryBecomePrimary());
    ASSERT_TRUE(RunUntil([&] { return messages.size() == 2; }));
    EXPECT_EQ(messages[1], u"");

    // Another user's name (here: another folder) is another program.
    QTemporaryDir otherFolder;
    InstanceGuard other(otherFolder.filePath(QStringLiteral("kalendra.socket")));
    EXPECT_TRUE(other.TryBecomePrimary());
}

TEST(InstanceGuard, ReplacesASocketLeftByACrash)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString name = folder.filePath(QStringLiteral("kalendra.socket"));

    // A bound socket nobody listens on: what an instance that was killed leaves behind.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray path = name.toLocal8Bit();
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(name));

    InstanceGuard guard(name);
    std::u16string received;
    bool called = false;
    guard.SetMessageHandler([&](const std::u16string& message) {
        received = message;
        called = true;
    });
    EXPECT_TRUE(guard.TryBecomePrimary());
    EXPECT_TRUE(guard.IsListening());

    InstanceGuard later(name);
    EXPECT_FALSE(later.TryBecomePrimary(u"after.klx"));
    ASSERT_TRUE(RunUntil([&] { return called; }));
    EXPECT_EQ(received, u"after.klx");
}

TEST(InstanceGuard, TwoStartsAtTheSameMomentMakeOnePrimary)
{
    for (int round = 0; round < 50; ++round) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString name = folder.filePath(QStringLiteral("kalendra.socket"));
        std::barrier together(2);
        std::atomic<int> primaries = 0;
        const auto start = [&] {
            InstanceGuard guard(name);
            together.arrive_and_wait();
            primaries += guard.TryBecomePrimary(u"x") ? 1 : 0;
            together.arrive_and_wait(); // the winner keeps running until the other has handed over
        };
        // Qt's sockets want threads Qt knows.
        std::unique_ptr<QThread> first(QThread::create(start));
        std::unique_ptr<QThread> second(QThread::create(start));
        first->start();
        second->start();
        first->wait();
        second->wait();
        ASSERT_EQ(primaries.load(), 1) << "round " << round;
    }
}

TEST(InstanceGuard, AMessageWaitsUntilNoModalDialogIsOpen)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString name = folder.filePath(QStringLiteral("kalendra.socket"));
    std::vector<std::u16string> messages;
    InstanceGuard first(name);
    first.SetMessageHandler([&](const std::u16string& message) { messages.push_back(message); });
    ASSERT_TRUE(first.TryBecomePrimary());

    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    ASSERT_TRUE(RunUntil([] { return QApplication::activeModalWidget() != nullptr; }));
    InstanceGuard second(name);
    EXPECT_FALSE(second.TryBecomePrimary(u"a.klx"));
    InstanceGuard third(name);
    EXPECT_FALSE(third.TryBecomePrimary(u"b.klx"));
    EXPECT_FALSE(RunUntil([&] { return !messages.empty(); }));

    dialog.close();
    ASSERT_TRUE(RunUntil([&] { return messages.size() == 2; }));
    EXPECT_EQ(messages, (std::vector<std::u16string> { u"a.klx", u"b.klx" }));
}

} // namespace
} // namespace kal
