#include "calstore/CalDavStore.h"
#include "calstore/CalendarTexts.h"
#include "calstore/DavReply.h"
#include "calstore/StoreLocation.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kal {
namespace {

// A server on the loopback address that answers every request with 207 and the body the test set for
// its method, and notes each request line. A method without a body gets no answer at all.
class FakeServer {
public:
    FakeServer()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        EXPECT_EQ(::listen(listener_, 4), 0);
        thread_ = std::thread([this] { Serve(); });
    }
    ~FakeServer()
    {
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }
    void Answer(const std::string& method, std::string body)
    {
        const std::lock_guard lock(mutex_);
        bodies_[method] = std::move(body);
    }
    [[nodiscard]] std::vector<std::string> Requests() const
    {
        const std::lock_guard lock(mutex_);
        return requests_;
    }
    [[nodiscard]] std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    void Serve()
    {
        for (int client; (client = ::accept(listener_, nullptr, nullptr)) >= 0; ::close(client)) {
            std::string request;
            char buffer[4096];
            std::size_t headEnd;
            while ((headEnd = request.find("\r\n\r\n")) == std::string::npos) {
                const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
                if (got <= 0)
                    break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            if (headEnd == std::string::npos)
                continue;
            // The request's own body is of no interest, but is read so that the client is not cut off.
            const std::size_t lengthAt = request.find("Content-Length: ");
            const std::size_t length = lengthAt < headEnd ? std::stoul(request.substr(lengthAt + 16)) : 0;
            while (request.size() < headEnd + 4 + length) {
                const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
                if (got <= 0)
                    break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            const std::string line = request.substr(0, request.find(" HTTP/"));
            std::string body;
            bool silent;
            {
                const std::lock_guard lock(mutex_);
                requests_.push_back(line);
                const auto set = bodies_.find(line.substr(0, line.find(' ')));
                silent = set == bodies_.end();
                if (!silent)
                    body = set->second;
            }
            if (silent) {
                while (::recv(client, buffer, sizeof buffer, 0) > 0) { }
                continue;
            }
            const std::string reply = "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\nContent-Length: "
                + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            // A client that stopped reading makes the rest of the send fail, which is all right.
            for (std::size_t sent = 0; sent < reply.size();) {
                const ssize_t done = ::send(client, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
                if (done <= 0)
                    break;
                sent += static_cast<std::size_t>(done);
            }
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> bodies_;
    std::vector<std::string> requests_;
};

constexpr char kCalendarFound[]
    = R"(<?xml version="1.0" encoding="utf-8"?><D:multistatus xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
      R"(<D:response><D:href>/user/calendar/</D:href><D:propstat><D:prop><D:resourcetype><D:collection/>)"
      R"(<C:calendar/></D:resourcetype></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>)"
      R"(</D:multistatus>)";

TEST(CalDavStoreTest, TheCollectionIsACalendarByTheNamespacesOfItsResourceType)
{
    const struct {
        const char* name;
        std::string reply;
        std::u16string message;
    } cases[] = {
        { "prefixed", kCalendarFound, u"" },
        { "default namespaces",
            R"(<multistatus xmlns="DAV:"><response><propstat><prop><resourcetype><collection/>)"
            R"(<cal:calendar xmlns:cal="urn:ietf:params:xml:ns:caldav"/></resourcetype></prop></propstat></response>)"
            R"(</multistatus>)",
            u"" },
        { "calendar of the wrong namespace",
            R"(<D:multistatus xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:response><D:propstat>)"
            R"(<D:prop><D:resourcetype><D:collection/><D:calendar/></D:resourcetype></D:prop></D:propstat>)"
            R"(</D:response></D:multistatus>)",
            u"カレンダーを開けませんでした（CoCreateInstance "
            u"Failed）。\nこのURLはカレンダーではありません。カレンダーのURLを指定してください。" },
        { "malformed", R"(<D:multistatus xmlns:D="DAV:"><D:response><D:resourcetype><C:calendar/>)",
            u"カレンダーを開けませんでした（CoCreateInstance "
            u"Failed）。\nカレンダーのサーバーの応答を読み取れません。" },
    };
    FakeServer server;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.Answer("PROPFIND", c.reply);
        CalDavStore calendar(server.Base() + "/user/calendar/", "", "");
        EXPECT_EQ(calendar.Open().message, c.message);
    }
}

// Every character the server sends arrives, by any namespace prefix; what is no multistatus the
// program can trust ends the question with a message, nothing expanded, fetched or half taken.
TEST(CalDavStoreTest, EventsOnTheServerAreReadWithEveryCharacterAndNothingElse)
{
    const auto event = [](const std::string& summary) {
        return "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//test//EN\nBEGIN:VEVENT\nUID:1@test\nDTSTAMP:20261201T000000Z\n"
               "DTSTART:20261208T100000\nDTEND:20261208T110000\nSUMMARY:"
            + summary + "\nEND:VEVENT\nEND:VCALENDAR\n";
    };
    const std::string open = R"(<D:multistatus xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
                             R"(<D:response><D:href>/user/calendar/1.ics</D:href><D:propstat><D:prop>)";
    const std::string close = R"(</D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>)"
                              R"(</D:multistatus>)";
    const std::string referenced = "<C:calendar-data>" + event("誕生日 &#x1F382;&#131072;") + "</C:calendar-data>";
    FakeServer server;
    const std::string dtd = "<!DOCTYPE D:multistatus SYSTEM \"" + server.Base() + "/dtd\" [<!ENTITY e SYSTEM \""
        + server.Base() + "/event.ics\">]>";
    std::string laughs = R"(<!DOCTYPE D:multistatus [<!ENTITY a0 "誕生日 &#x1F382;&#131072;">)";
    for (int i = 1; i < 10; ++i) {
        const std::string before = "&a" + std::to_string(i - 1) + ";";
        laughs += "<!ENTITY a" + std::to_string(i) + " \"" + before + before + before + before + before + before
            + before + before + before + before + "\">";
    }
    laughs += "]>";
    const std::u16string badReply = u"カレンダーのサーバーの応答を読み取れません。";

    const struct {
        const char* name;
        std::string reply;
        bool exists;
        std::u16string message;
    } cases[] = {
        { "character references", open + referenced + close, true, u"" },
        { "raw characters, default namespaces",
            R"(<multistatus xmlns="DAV:"><response><propstat><prop>)"
            R"(<calendar-data xmlns="urn:ietf:params:xml:ns:caldav"><![CDATA[)"
                + event("誕生日 🎂𠀀") + "]]></calendar-data></prop></propstat></response></multistatus>",
            true, u"" },
        { "calendar data of another namespace",
            R"(<D:multistatus xmlns:D="DAV:" xmlns:C="urn:example:other"><D:response><D:propstat><D:prop>)"
            R"(<C:calendar-data>)"
                + event("誕生日 🎂𠀀") + "</C:calendar-data>" + close,
            false, u"" },
        { "cut short", open + referenced + "</D:prop>", false, badReply },
        { "undeclared entity", open + "<C:calendar-data>&e;</C:calendar-data>" + close, false, badReply },
        { "external entity", dtd + open + "<C:calendar-data>&e;</C:calendar-data>" + close, false, badReply },
        { "entity expansion", laughs + open + "<C:calendar-data>&a9;</C:calendar-data>" + close, false, badReply },
        { "too large", open + std::string(kMaxServerReply, ' ') + close, false,
            u"カレンダーのサーバーの応答が大きすぎるため、読み取りを中止しました（上限 16 MB）。" },
    };
    Appointment birthday;
    birthday.subject = u"誕生日 \U0001F382\U00020000";
    birthday.start = CDTime(2026, 12, 8, 10, 0);
    birthday.end = CDTime(2026, 12, 8, 11, 0);
    server.Answer("PROPFIND", kCalendarFound);
    server.Answer("GET", event("誕生日 🎂𠀀"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.Answer("REPORT", c.reply);
        CalDavStore calendar(server.Base() + "/user/calendar/", "", "");
        ASSERT_TRUE(calendar.Open().Ok());
        const CalendarStore::Found found = calendar.Exists(birthday);
        EXPECT_EQ(found.exists, c.exists);
        EXPECT_EQ(found.status.message, c.message);
    }
    for (const std::string& request : server.Requests())
        EXPECT_TRUE(request.starts_with("PROPFIND ") || request.starts_with("REPORT ")) << request;
}

TEST(CalDavStoreTest, AnUnreachableOrSilentServerEndsTheLinkWithItsReason)
{
    const auto firstLine = [](const std::u16string& message) { return message.substr(0, message.find(u'\n')); };
    std::string gone;
    {
        const FakeServer stopped;
        gone = stopped.Base() + "/user/calendar/";
    }
    const StoreStatus refused = CalDavStore(gone, "user", "secret").Open();
    EXPECT_EQ(firstLine(refused.message), calendartexts::kCannotOpen);
    EXPECT_EQ(refused.message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + calendartexts::kServerUnreachable + u"\n"
            + calendartexts::kTransportRefused);

    const FakeServer silent;
    const StoreStatus timedOut
        = CalDavStore(silent.Base() + "/user/calendar/", "user", "secret", ServerTimeouts { 1, 1 }).Open();
    EXPECT_EQ(timedOut.message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + std::u16string(calendartexts::kServerTimeout));

    const StoreStatus notUrl = CalDavStore("ftp://example/cal", "user", "secret").Open();
    EXPECT_EQ(notUrl.message,
        std::u16string(calendartexts::kCannotOpen) + u"\n" + std::u16string(calendartexts::kNotCalendarUrl));
}

TEST(StoreLocationTest, AnyUrlNamesAServerOrIsRefusedAndNeverAFile)
{
    const struct {
        const char* location;
        bool url;
        std::optional<std::string> server;
        const char* clearHost;
    } cases[] = {
        { "https://cal.example/c/", true, "https://cal.example/c/", "" },
        { "HTTPS://cal.example/c/", true, "https://cal.example/c/", "" },
        { "webcal://cal.example/c/", true, "https://cal.example/c/", "" },
        { "WebCal://cal.example/c/", true, "https://cal.example/c/", "" },
        { "Http://u:p@Cal.Example:81/c/", true, "http://u:p@Cal.Example:81/c/", "cal.example" },
        { "http://127.0.0.1:5232/c/", true, "http://127.0.0.1:5232/c/", "" },
        { "http://127.0.0.1.example/c/", true, "http://127.0.0.1.example/c/", "127.0.0.1.example" },
        { "http://[::1]:5232/c/", true, "http://[::1]:5232/c/", "" },
        { "http://localhost/c/", true, "http://localhost/c/", "" },
        { "ftp://cal.example/c.ics", true, std::nullopt, "" },
        { "file:///home/u/c.ics", true, std::nullopt, "" },
        { "calendar.ics", false, std::nullopt, "" },
        { "./https:/cal.example/c.ics", false, std::nullopt, "" },
        { "1x://cal", false, std::nullopt, "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        EXPECT_EQ(LooksLikeUrl(c.location), c.url);
        EXPECT_EQ(ServerUrl(c.location), c.server);
        EXPECT_EQ(HostReachedInClear(c.location), c.clearHost);
    }
    // A URL of another scheme opens nothing, files and folders least of all.
    const StoreStatus refused = MakeCalendarStore("FTP://cal.example/c.ics", "", "")->Open();
    EXPECT_EQ(refused.message,
        u"カレンダーを開けませんでした（CoCreateInstance Failed）。\nカレンダーのURLは http://、https:// か webcal:// "
        u"で始めてください。ほかの種類のURLは使えません。");
}

// A silent server holds neither the whole operation beyond its time nor a user who stops it.
TEST(CalDavStoreTest, TheWholeOperationHasADeadlineAndStopsAtOnceWhenAsked)
{
    using Clock = std::chrono::steady_clock;
    const FakeServer silent;
    const std::string url = silent.Base() + "/user/calendar/";
    Clock::time_point start = Clock::now();
    const StoreStatus late = CalDavStore(url, "", "", ServerTimeouts { 10, 30, 15, 1 }).Open();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(late.message,
        u"カレンダーを開けませんでした（CoCreateInstance Failed）。\n"
        u"カレンダーのサーバーとのやり取りが制限時間（1 秒）を超えたため、中止しました。");

    CalDavStore calendar(url, "", "");
    StopSignal stop;
    calendar.WatchStop(&stop);
    start = Clock::now();
    std::thread user([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        stop.Stop();
    });
    const StoreStatus stopped = calendar.Open();
    user.join();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(stopped.message, u"カレンダーへの追加を取り消しました。");
}

// A period add that is stopped between appointments says so and how many it added.
TEST(CalDavStoreTest, AStoppedAddKeepsCountOfWhatItAdded)
{
    FakeServer server;
    server.Answer("PROPFIND", kCalendarFound);
    server.Answer("REPORT", R"(<D:multistatus xmlns:D="DAV:"/>)");
    server.Answer("PUT", "");
    std::vector<Appointment> appointments(3);
    for (int i = 0; i < 3; ++i) {
        appointments[i].subject = u"会議";
        appointments[i].start = CDTime(2026, 12, 8 + i, 10, 0);
        appointments[i].end = CDTime(2026, 12, 8 + i, 11, 0);
    }
    CalDavStore calendar(server.Base() + "/user/calendar/", "", "");
    ASSERT_TRUE(calendar.Open().Ok());
    StopSignal stop;
    std::vector<int> seen;
    const PeriodAdd added = AddAppointments(
        calendar, appointments,
        [&](int done, int total) {
            seen.push_back(done * 10 + total);
            if (done == 2)
                stop.Stop();
        },
        &stop);
    EXPECT_EQ(added.added, 2);
    EXPECT_EQ(added.status.message, u"カレンダーへの追加を取り消しました。");
    EXPECT_EQ(seen, (std::vector<int> { 13, 23 }));
}

} // namespace
} // namespace kal
