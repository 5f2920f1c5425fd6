#include "calstore/CalDavStore.h"
#include "calstore/CalendarTexts.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace kal {
namespace {

TEST(CalDavStoreTest, CalendarDataIsTakenFromAnyPrefixEscapedOrNot)
{
    const std::string reply
        = R"(<?xml version="1.0"?><multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
          R"(<response><propstat><prop><C:calendar-data>A &amp; B&#13;&lt;x&gt;</C:calendar-data>)"
          R"(</prop></propstat></response><response><propstat><prop>)"
          R"(<calendar-data xmlns="urn:ietf:params:xml:ns:caldav"><![CDATA[a < b]]></calendar-data>)"
          R"(</prop></propstat></response><response><propstat><prop><C:calendar-data/>)"
          R"(</prop></propstat></response></multistatus>)";
    EXPECT_EQ(CalendarDataOf(reply), (std::vector<std::string> { "A & B\r<x>", "a < b" }));
    EXPECT_TRUE(CalendarDataOf("<multistatus xmlns=\"DAV:\"/>").empty());
}

// A loopback port: listening but never answering, or closed so that connecting is refused.
class LoopbackPort {
public:
    explicit LoopbackPort(bool listening)
    {
        socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        socklen_t length = sizeof address;
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        if (listening)
            EXPECT_EQ(::listen(socket_, 4), 0);
        else
            ::close(std::exchange(socket_, -1));
    }
    ~LoopbackPort()
    {
        if (socket_ >= 0)
            ::close(socket_);
    }
    [[nodiscard]] std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/user/calendar/"; }

private:
    int socket_ = -1;
    int port_ = 0;
};

TEST(CalDavStoreTest, AnUnreachableOrSilentServerEndsTheLinkWithItsReason)
{
    const auto firstLine = [](const std::u16string& message) { return message.substr(0, message.find(u'\n')); };
    const LoopbackPort closed(false);
    const StoreStatus refused = CalDavStore(closed.Url(), "user", "secret").Open();
    EXPECT_EQ(firstLine(refused.message), calendartexts::kCannotOpen);
    EXPECT_EQ(refused.message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + calendartexts::kServerUnreachable + u"\n"
            + calendartexts::kTransportRefused);

    const LoopbackPort silent(true);
    const StoreStatus timedOut = CalDavStore(silent.Url(), "user", "secret", ServerTimeouts { 1, 1 }).Open();
    EXPECT_EQ(timedOut.message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + std::u16string(calendartexts::kServerTimeout));

    const StoreStatus notUrl = CalDavStore("ftp://example/cal", "user", "secret").Open();
    EXPECT_EQ(notUrl.message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + std::u16string(calendartexts::kNotCalendarUrl));
}

} // namespace
} // namespace kal
