#pragma once

#include "calstore/CalendarStore.h"

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace kal {

// How long the server may take, in seconds.
struct ServerTimeouts {
    long connect = 10;
    long whole = 30; // one request, from connecting to the last byte of the reply
    long stalled = 15; // a transfer that moves no byte for this long has ended
    long operation = 300; // from Open to Close, however many requests it takes
};

// A calendar collection on a CalDAV server (RFC 4791), reached over HTTP or HTTPS. Open checks that
// the collection answers to the user; each add is one event resource, written only when no resource
// of that name exists yet, so that nothing on the server is ever replaced.
class CalDavStore final : public CalendarStore {
public:
    // `collection` is the http(s) URL of the calendar collection; an empty `user` sends no log-on.
    CalDavStore(std::string collection, std::string user, std::string password, ServerTimeouts timeouts = {});
    ~CalDavStore() override;
    CalDavStore(const CalDavStore&) = delete;
    CalDavStore& operator=(const CalDavStore&) = delete;

    StoreStatus Open() override;
    StoreStatus Close() override;
    Found Exists(const Appointment& appointment) override;
    StoreStatus Add(const Appointment& appointment) override;

    // Whether `location` names a server rather than a file.
    [[nodiscard]] static bool IsUrl(const std::string& location);

private:
    struct Reply {
        int transport = 0; // the HTTP library's error code; 0 when a reply came
        long status = 0;
        std::string body;
        bool tooLarge = false; // the transfer stopped where the reply outgrew kMaxServerReply
        bool overDeadline = false; // the whole operation ran out of time
    };
    static size_t Collect(char* data, size_t size, size_t count, void* target);
    [[nodiscard]] Reply Request(
        const char* method, const std::string& url, const std::string& body, const std::vector<std::string>& headers);
    enum class Stage { Opening, Working };
    [[nodiscard]] StoreStatus Failure(const Reply& reply, Stage stage) const;

    std::string collection_;
    std::string user_;
    std::string password_;
    ServerTimeouts timeouts_;
    std::chrono::steady_clock::time_point deadline_; // of the whole operation, set by Open
    // The events on the server around each day asked about (keyed by the day at 00:00), with those
    // added since.
    std::map<CDTime, std::vector<Appointment>> known_;
    void* session_ = nullptr; // the HTTP library's handle, kept for its connection between requests
};

} // namespace kal
