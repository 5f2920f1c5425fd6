// Feeds arbitrary bytes to the reader of a calendar server's replies, as a hostile or broken server
// could send them: no reply may crash the reader, make it run away or make it reach for anything
// outside the reply.
#include "calstore/DavReply.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    if (const auto texts = kal::CalendarDataOf(reply)) {
        for (const auto& text : *texts) {
            if (text.empty())
                __builtin_trap(); // empty calendar data is never handed on
        }
    }
    [[maybe_unused]] const auto calendar = kal::IsCalendarCollection(reply);
    return 0;
}
