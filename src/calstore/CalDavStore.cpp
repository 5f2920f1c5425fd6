#include "calstore/CalDavStore.h"

#include "calstore/CurlLibrary.h"

#include "calstore/CalendarTexts.h"
#include "calstore/DavReply.h"
#include "calstore/IcsEvent.h"
#include "platform/Text.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace kal {

namespace {

constexpr char kCalendarType[] = "Content-Type: text/calendar; charset=utf-8";
constexpr char kXmlType[] = "Content-Type: application/xml; charset=utf-8";
constexpr char kPropfind[] = R"(<?xml version="1.0" encoding="utf-8"?>)"
                             R"(<d:propfind xmlns:d="DAV:"><d:prop><d:resourcetype/></d:prop></d:propfind>)";
constexpr long kMultiStatus = 207;

// In our own words: the transfer library's own texts are English.
std::u16string TransportReason(long transport)
{
    switch (transport) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return calendartexts::kTransportNoName;
    case CURLE_COULDNT_CONNECT:
        return calendartexts::kTransportRefused;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        return calendartexts::kTransportSecure;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return calendartexts::kTransportCut;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return calendartexts::kTransportBadUrl;
    case CURLE_TOO_MANY_REDIRECTS:
        return calendartexts::kTransportRedirects;
    default:
        return WithNumber(calendartexts::kTransportOther, transport);
    }
}

// "20261207T000000Z"
std::string UtcStamp(CDTime time)
{
    const time_t seconds = static_cast<time_t>(time.Instant());
    struct tm fields { };
    gmtime_r(&seconds, &fields);
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", fields.tm_year + 1900, fields.tm_mon + 1,
        fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec);
    return text;
}

// The events of `day` and a day either side, so that an all-day event, which the server places in a
// zone of its own choosing, is among the answers whatever the zones; the comparison itself is ours.
std::string QueryAround(CDTime day)
{
    const LocalFields date = day.Fields();
    return std::string(R"(<?xml version="1.0" encoding="utf-8"?>)")
        + R"(<c:calendar-query xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav">)"
        + "<d:prop><c:calendar-data/></d:prop>"
        + R"(<c:filter><c:comp-filter name="VCALENDAR"><c:comp-filter name="VEVENT">)" + R"(<c:time-range start=")"
        + UtcStamp(CDTime(date.year, date.month, date.day - 1)) + R"(" end=")"
        + UtcStamp(CDTime(date.year, date.month, date.day + 2)) + R"("/>)"
        + "</c:comp-filter></c:comp-filter></c:filter></c:calendar-query>";
}

// Ends a transfer at once when the user stops the operation: curl calls this many times a second.
int Progressing(void* store, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const CalendarStore*>(store)->StopWanted() ? 1 : 0;
}

} // namespace

CalDavStore::CalDavStore(std::string collection, std::string user, std::string password, ServerTimeouts timeouts)
    : collection_(std::move(collection))
    , user_(std::move(user))
    , password_(std::move(password))
    , timeouts_(timeouts)
{
    if (!collection_.empty() && collection_.back() != '/')
        collection_ += '/';
}

CalDavStore::~CalDavStore()
{
    if (session_)
        CurlLibrary::Get()->easyCleanup(static_cast<CURL*>(session_));
}

bool CalDavStore::IsUrl(const std::string& location)
{
    return location.starts_with("http://") || location.starts_with("https://");
}

StoreStatus CalDavStore::Open()
{
    deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(timeouts_.operation);
    if (!IsUrl(collection_)) {
        std::u16string message = calendartexts::kCannotOpen;
        message += u'\n';
        message += calendartexts::kNotCalendarUrl;
        return StoreStatus::Failure(std::move(message));
    }
    const CurlLibrary* curl = CurlLibrary::Get();
    if (!curl) {
        std::u16string message = calendartexts::kCannotOpen;
        message += u'\n';
        message += calendartexts::kNoHttpLibrary;
        return StoreStatus::Failure(std::move(message));
    }
    if (!session_)
        session_ = curl->easyInit();
    const Reply reply = Request("PROPFIND", collection_, kPropfind, { kXmlType, "Depth: 0" });
    if (reply.transport != 0 || reply.status != kMultiStatus)
        return Failure(reply, Stage::Opening);
    // A plain folder or the user's own collection takes no events: say so before anything is sent.
    const std::optional<bool> calendar = IsCalendarCollection(reply.body);
    if (!calendar || !*calendar) {
        std::u16string message = calendartexts::kCannotOpen;
        message += u'\n';
        message += calendar ? calendartexts::kNotACalendar : calendartexts::kServerBadReply;
        return StoreStatus::Failure(std::move(message));
    }
    known_.clear();
    return StoreStatus::Success();
}

StoreStatus CalDavStore::Close()
{
    if (session_) {
        CurlLibrary::Get()->easyCleanup(static_cast<CURL*>(session_));
        session_ = nullptr;
    }
    known_.clear();
    return StoreStatus::Success();
}

CalendarStore::Found CalDavStore::Exists(const Appointment& appointment)
{
    Found found;
    // One question per day: the entries of a period meet the same days again and again.
    const CDTime day = DateOnly(appointment.start);
    auto known = known_.find(day);
    if (known == known_.end()) {
        const Reply reply = Request("REPORT", collection_, QueryAround(day), { kXmlType, "Depth: 1" });
        if (reply.transport != 0 || reply.status != kMultiStatus) {
            found.status = Failure(reply, Stage::Working);
            return found;
        }
        const std::optional<std::vector<std::string>> texts = CalendarDataOf(reply.body);
        if (!texts) {
            found.status = StoreStatus::Failure(calendartexts::kServerBadReply);
            return found;
        }
        std::vector<Appointment> events;
        for (const std::string& data : *texts) {
            auto read = ReadEvents(data);
            if (!read) {
                found.status = StoreStatus::Failure(calendartexts::kServerBadReply);
                return found;
            }
            events.insert(events.end(), read->begin(), read->end());
        }
        known = known_.emplace(day, std::move(events)).first;
    }
    found.exists = std::any_of(known->second.begin(), known->second.end(),
        [&](const Appointment& existing) { return SameAppointment(existing, appointment); });
    return found;
}

StoreStatus CalDavStore::Add(const Appointment& appointment)
{
    const std::string uid = NewUid();
    IcalComponent calendar = NewCalendar();
    icalcomponent_add_component(calendar.get(), MakeEvent(appointment, uid).release());
    const std::string resource = collection_ + uid.substr(0, uid.find('@')) + ".ics";
    // If-None-Match: a resource of that name, however unlikely, is never replaced.
    const Reply reply = Request("PUT", resource, IcalText(calendar.get()), { kCalendarType, "If-None-Match: *" });
    if (reply.transport != 0 || reply.status < 200 || reply.status >= 300)
        return Failure(reply, Stage::Working);
    if (auto known = known_.find(DateOnly(appointment.start)); known != known_.end())
        known->second.push_back(appointment);
    return StoreStatus::Success();
}

size_t CalDavStore::Collect(char* data, size_t size, size_t count, void* target)
{
    Reply& reply = *static_cast<Reply*>(target);
    const std::size_t bytes = size * count;
    // Fewer bytes taken than given ends the transfer.
    if (bytes > kMaxServerReply - reply.body.size()) {
        reply.tooLarge = true;
        return 0;
    }
    reply.body.append(data, bytes);
    return bytes;
}

CalDavStore::Reply CalDavStore::Request(
    const char* method, const std::string& url, const std::string& body, const std::vector<std::string>& headers)
{
    Reply reply;
    CURL* session = static_cast<CURL*>(session_);
    if (!session) {
        reply.transport = CURLE_FAILED_INIT;
        return reply;
    }
    if (StopWanted()) {
        reply.transport = CURLE_ABORTED_BY_CALLBACK;
        return reply;
    }
    // Each request gets what is left of the operation's time, and never more than its own.
    using namespace std::chrono;
    const long long left = duration_cast<milliseconds>(deadline_ - steady_clock::now()).count();
    if (left <= 0) {
        reply.transport = CURLE_OPERATION_TIMEDOUT;
        reply.overDeadline = true;
        return reply;
    }
    const long requestMs = static_cast<long>(std::min<long long>(left, timeouts_.whole * 1000LL));
    // A session exists only when the library was loaded.
    const CurlLibrary& curl = *CurlLibrary::Get();
    curl.easyReset(session);
    curl_slist* list = nullptr;
    for (const std::string& header : headers)
        list = curl.slistAppend(list, header.c_str());
    curl.easySetopt(session, CURLOPT_URL, url.c_str());
    curl.easySetopt(session, CURLOPT_CUSTOMREQUEST, method);
    curl.easySetopt(session, CURLOPT_POSTFIELDS, body.c_str());
    curl.easySetopt(session, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl.easySetopt(session, CURLOPT_HTTPHEADER, list);
    curl.easySetopt(session, CURLOPT_WRITEFUNCTION, Collect);
    curl.easySetopt(session, CURLOPT_WRITEDATA, &reply);
    curl.easySetopt(session, CURLOPT_NOSIGNAL, 1L);
    curl.easySetopt(session, CURLOPT_CONNECTTIMEOUT_MS, std::min(timeouts_.connect * 1000L, requestMs));
    curl.easySetopt(session, CURLOPT_TIMEOUT_MS, requestMs);
    curl.easySetopt(session, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl.easySetopt(session, CURLOPT_LOW_SPEED_TIME, timeouts_.stalled);
    curl.easySetopt(session, CURLOPT_NOPROGRESS, 0L);
    curl.easySetopt(session, CURLOPT_XFERINFOFUNCTION, Progressing);
    curl.easySetopt(session, CURLOPT_XFERINFODATA, static_cast<const CalendarStore*>(this));
    // Redirects are not followed: the password would go wherever the server sends it.
    curl.easySetopt(session, CURLOPT_FOLLOWLOCATION, 0L);
    curl.easySetopt(session, CURLOPT_USERAGENT, "Kalendra");
    if (!user_.empty()) {
        curl.easySetopt(session, CURLOPT_HTTPAUTH, CURLAUTH_BASIC | CURLAUTH_DIGEST);
        curl.easySetopt(session, CURLOPT_USERNAME, user_.c_str());
        curl.easySetopt(session, CURLOPT_PASSWORD, password_.c_str());
    }
    reply.transport = curl.easyPerform(session);
    // The library's clock may end the transfer a little before ours says the operation is over.
    if (reply.transport == CURLE_OPERATION_TIMEDOUT && steady_clock::now() + milliseconds(250) >= deadline_)
        reply.overDeadline = true;
    if (reply.transport == CURLE_OK)
        curl.easyGetinfo(session, CURLINFO_RESPONSE_CODE, &reply.status);
    curl.slistFreeAll(list);
    return reply;
}

StoreStatus CalDavStore::Failure(const Reply& reply, Stage stage) const
{
    // The user's own cancelling needs no other explanation.
    if (reply.transport == CURLE_ABORTED_BY_CALLBACK)
        return StoreStatus::Failure(calendartexts::kCancelled);
    std::u16string message;
    if (stage == Stage::Opening || reply.status == 401) {
        message = reply.status == 401 ? calendartexts::kLogonFailed : calendartexts::kCannotOpen;
        message += u'\n';
    }
    if (reply.tooLarge)
        message += WithNumber(calendartexts::kServerReplyTooLarge, static_cast<long>(kMaxServerReply >> 20));
    else if (reply.overDeadline)
        message += WithNumber(calendartexts::kOperationTimeout, timeouts_.operation);
    else if (reply.transport == CURLE_OPERATION_TIMEDOUT)
        message += calendartexts::kServerTimeout;
    else if (reply.transport != CURLE_OK) {
        message += calendartexts::kServerUnreachable;
        message += u'\n';
        message += TransportReason(reply.transport);
    } else if (reply.status == 401)
        message += calendartexts::kServerLogonRefused;
    else if (reply.status >= 300 && reply.status < 400)
        message += WithNumber(calendartexts::kServerRedirect, reply.status);
    else if (reply.status == 403)
        message += calendartexts::kServerForbidden;
    else if (reply.status == 404)
        message += calendartexts::kServerNotFound;
    else if (reply.status >= 500)
        message += WithNumber(calendartexts::kServerError, reply.status);
    else
        message += WithNumber(calendartexts::kServerRefused, reply.status);
    return StoreStatus::Failure(std::move(message));
}

} // namespace kal
